#pragma once
// The location box of the main window: naming the farm or complex whose stored calibration
// (".clb"), settings (".stg") and diets (".dts") are put in force.

#include <filesystem>
#include <string>

#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr const char* kLocationPrompt = "When the Window opens, Select a file or enter a New Name";
inline constexpr const char* kLocationDialogTitle = "Open a Location or Enter a New Name";
inline constexpr const char* kLocationFilter = "Calib Files|*.clb|";
inline constexpr const char* kLocationPattern = "*.clb";
inline constexpr std::size_t kShortestLocation = 5;  // shorter names read no files

// "Can not find the file", a line break, "If new just keep going " and the file looked for.
std::string MissingLocationText(const std::filesystem::path& file);

struct LocationOpened {
  bool calibrationRead = false;
  bool settingsRead = false;
  bool dietsEntered = false;
};

// Leaving the box: the text becomes the location (a bare name is shown in LastDir; an empty
// box names no location), and ModelSkipped tells whether the model has growth parameters.
void leaveLocationBox(Workspace& ws, const ModelState& model);
// Double-click: the user picks a ".clb" file, whose files are read, or types a name that
// does not exist yet, which becomes a new location (its files are written by calibration).
LocationOpened chooseLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs);
// Reads the files of ws.LocationFile (a path without extension): the calibration, then the
// settings (which also choose the flock sex), then offers the diets. Names shorter than
// five characters read nothing.
LocationOpened OpenLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs);
// The model part of a location for a command without a main window: the calibration and
// the settings of `location` (a ".clb" path or its base name); a missing calibration is
// reported.
LocationOpened ReadLocationModel(ModelState& model, const std::filesystem::path& location, Dialogs& dialogs);

}  // namespace plumetra

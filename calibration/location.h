#pragma once
// The location box of the main window: naming the farm or complex whose stored calibration
// (".clb"), settings (".stg") and diets (".dts") are put in force. A location is the name the
// user gave when calibrating ("Valley"); its files carry a group word ("ValleyTop.clb",
// "ValleyMiddle.cal", ...). Typing the name or opening any of its files names the location
// "Valley" and puts the Middle group's files in force: its flocks stand for the location.

#include <filesystem>
#include <string>

#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr const char* LocationPrompt = "When the Window opens, Select a file or enter a New Name";
inline constexpr const char* LocationDialogTitle = "Open a Location or Enter a New Name";
inline constexpr const char* LocationFilter = "Location Files|*.clb *.cal *.stg *.dts|";
inline constexpr const char* LocationPattern = "*.clb";
inline constexpr std::size_t ShortestLocation = 5;  // shorter names read no files

// "Can not find the file", a line break, "If new just keep going " and the file looked for.
std::string missingLocationText(const std::filesystem::path& file);

struct LocationOpened {
  bool calibrationRead = false;
  bool settingsRead = false;
  bool dietsEntered = false;
  std::filesystem::path storedFiles;  // the files read, without extension ("…/ValleyMiddle")
};

// The location a file or a typed name stands for: the name loses everything from its first
// "." on, and a group word at its end when another group of the same name is stored
// ("ValleyTop.clb" -> "Valley"; "HillTop" alone stays "HillTop").
std::filesystem::path locationNamed(const std::filesystem::path& fileOrName);
// The files of `location` that are read, without extension: its own when `location` + ".clb"
// exists, else its Middle group's, else its Top or Bottom group's; `location` itself when
// none is stored (a new location).
std::filesystem::path storedLocationFiles(const std::filesystem::path& location);

// Leaving the location box with `text` in it: the text becomes the location (a bare name is put in lastDir; an empty box
// names no location). A name other than the location in force whose files are stored is
// opened as the file dialog opens it; a new name reads nothing. modelSkipped then tells
// whether the model has growth parameters.
LocationOpened leaveLocationBox(Workspace& ws, const std::string& text, ModelState& model, bool& firstSortDone,
                                Dialogs& dialogs);
// Double-click: the user picks one of a location's files, whose location is opened, or types
// a name that does not exist yet, which becomes a new location (calibration writes its files).
LocationOpened chooseLocation(Workspace& ws, ModelState& model, bool& firstSortDone, Dialogs& dialogs);
// Reads the stored files of ws.locationFile (a path without extension; storedLocationFiles):
// the calibration, then the settings (which also choose the flock sex), then offers the
// diets. Names shorter than five characters read nothing.
LocationOpened loadLocation(Workspace& ws, ModelState& model, bool& firstSortDone, Dialogs& dialogs);
// The model part of a location for a command without a main window: the calibration and
// the settings of `location` (a ".clb" path or its base name); a missing calibration is
// reported.
LocationOpened readLocationModel(ModelState& model, const std::filesystem::path& location, Dialogs& dialogs);

}  // namespace plumetra

#include "calibration/location.h"

#include <algorithm>

#include "calibration/calibration_files.h"
#include "model/settings_file.h"
#include "workspace/diet_grid.h"

namespace plumetra {

namespace {

bool holdsSeparator(const std::string& text) {
  return text.find('/') != std::string::npos ||
         text.find(static_cast<char>(std::filesystem::path::preferred_separator)) != std::string::npos;
}

// The chosen file without its extension: the file name loses everything from its first
// "." on. (Only the name: a "." in a folder name leaves the folder as it is.)
std::filesystem::path withoutExtension(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  name = name.substr(0, name.find('.'));
  if (name == "*") name.clear();
  return file.parent_path() / name;
}

std::filesystem::path withExtension(const std::filesystem::path& location, const char* extension) {
  std::filesystem::path file = location;
  file += extension;
  return file;
}

}  // namespace

std::string MissingLocationText(const std::filesystem::path& file) {
  return "Can not find the file\nIf new just keep going " + file.string();
}

void leaveLocationBox(Workspace& ws, const ModelState& model) {
  const std::string text = ws.locationBox.text;
  ws.LocationFile = text;
  if (!text.empty() && !holdsSeparator(text)) ws.locationBox.text = (ws.LastDir / text).string();
  ws.ModelSkipped = model.inputs.GrowthParams[1][kParamB] == 0;
}

LocationOpened chooseLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs) {
  ws.locationBox.background = colours::Window;
  ws.locationBox.text.clear();
  ws.diets.DietsFromFile = false;
  dialogs.message(kLocationPrompt);
  FileDialogRequest request{kLocationDialogTitle, kLocationFilter, kLocationPattern, ws.LastDir};
  request.newNameAllowed = true;
  const auto chosen = dialogs.openFile(request);
  if (chosen) {
    ws.LastDir = chosen->parent_path();
    ws.LocationFile = withoutExtension(*chosen);
  } else {
    ws.LocationFile = kLocationPattern;  // a cancelled dialog leaves its pattern
  }
  ws.locationBox.text = ws.LocationFile.string();
  return OpenLocation(ws, model, FirstSortDone, dialogs);
}

namespace {

// The calibration and then the settings of `location`; a missing calibration is reported
// as `shownAs`.
LocationOpened readModelFiles(ModelState& model, const std::filesystem::path& location,
                              const std::filesystem::path& shownAs, Dialogs& dialogs) {
  LocationOpened opened;
  switch (ReadCalibrationFile(model, withExtension(location, ".clb"), dialogs)) {
    case CalibrationRead::Read:
      opened.calibrationRead = true;
      opened.settingsRead = ReadSettingsFile(model, location, dialogs) == SettingsRead::Read;
      break;
    case CalibrationRead::Missing:
      dialogs.message(MissingLocationText(shownAs));
      break;
    case CalibrationRead::Refused:
      break;
  }
  return opened;
}

}  // namespace

LocationOpened OpenLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs) {
  if (ws.LocationFile.string().size() < kShortestLocation) return {};
  FirstSortDone = false;
  model.inputs.DietCount = 5;
  const auto shownAs = ws.LastDir / withExtension(ws.LocationFile, ".clb").filename();
  LocationOpened opened = readModelFiles(model, ws.LocationFile, shownAs, dialogs);
  if (opened.settingsRead) ws.flockSexChoice.choose(model.inputs.ModelSex);
  if (ws.LocationFile == kLocationPattern) {  // nothing was chosen: no location
    ws.LocationFile = "*";
    ws.locationBox.text = "*";
    return opened;
  }
  // The diets shown follow the location's number of diets (a diet file holds at most five).
  ws.diets.DietCount = std::min(model.inputs.DietCount, MaxFileDiets);
  opened.dietsEntered = OfferLocationDiets(ws, dialogs);
  return opened;
}

LocationOpened ReadLocationModel(ModelState& model, const std::filesystem::path& location, Dialogs& dialogs) {
  std::filesystem::path base = location;
  if (base.extension() == ".clb") base.replace_extension();
  model.inputs.DietCount = 5;
  return readModelFiles(model, base, withExtension(base, ".clb"), dialogs);
}

}  // namespace plumetra

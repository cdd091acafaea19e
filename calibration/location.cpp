#include "calibration/location.h"

#include <algorithm>

#include "calibration/calibration_files.h"
#include "model/settings_file.h"
#include "workspace/diet_grid.h"

namespace plumetra {

namespace {

constexpr std::string_view kHintStart = "Double Click or type";  // the box's first 20 characters

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

void TextLocation_KeyDown(Workspace& ws) {
  if (ws.TextLocation.text.starts_with(kHintStart)) ws.TextLocation.text.clear();
}

void TextLocation_LostFocus(Workspace& ws, const ModelState& model) {
  const std::string text = ws.TextLocation.text;
  ws.LocationFile = text;
  if (!holdsSeparator(text)) ws.TextLocation.text = (ws.LastDir / text).string();
  ws.ModelSkipped = model.GrowthParams[1][kParamB] == 0;
}

LocationOpened TextLocation_DblClick(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs) {
  ws.TextLocation.background = colours::Window;
  ws.TextLocation.text.clear();
  ws.diets.DietsFromFile = false;
  dialogs.message(kLocationPrompt);
  const auto chosen = dialogs.openFile({"", kLocationFilter, kLocationPattern, ws.LastDir});
  if (chosen) {
    ws.LastDir = chosen->parent_path();
    ws.LocationFile = withoutExtension(*chosen);
  } else {
    ws.LocationFile = kLocationPattern;  // a cancelled dialog leaves its pattern
  }
  ws.TextLocation.text = ws.LocationFile.string();
  return OpenLocation(ws, model, FirstSortDone, dialogs);
}

LocationOpened OpenLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs) {
  LocationOpened opened;
  if (ws.LocationFile.string().size() < kShortestLocation) return opened;
  FirstSortDone = false;
  model.DietCount = 5;
  const auto calibration = withExtension(ws.LocationFile, ".clb");
  switch (ReadCalibrationFile(model, calibration, dialogs)) {
    case CalibrationRead::Read:
      opened.calibrationRead = true;
      if (ReadSettingsFile(model, ws.LocationFile, dialogs) == SettingsRead::Read) {
        opened.settingsRead = true;
        ws.ComboFlockSex.choose(model.ModelSex);
      }
      break;
    case CalibrationRead::Missing:
      dialogs.message(MissingLocationText(ws.LastDir / calibration.filename()));
      break;
    case CalibrationRead::Refused:
      break;
  }
  if (ws.LocationFile == kLocationPattern) {  // nothing was chosen: no location
    ws.LocationFile = "*";
    ws.TextLocation.text = "*";
    return opened;
  }
  // The diets shown follow the location's number of diets (a diet file holds at most five).
  ws.diets.DietCount = std::min(model.DietCount, MaxFileDiets);
  opened.dietsEntered = OfferLocationDiets(ws, dialogs);
  return opened;
}

void ComboFlockSex_LostFocus(Dialogs& dialogs) { dialogs.message(kNoCalibrationHint); }

}  // namespace plumetra

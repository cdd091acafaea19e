#include "calibration/location.h"

#include <algorithm>

#include "calibration/calibration_files.h"
#include "calibration/calibration_record.h"
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

std::filesystem::path groupFiles(const std::filesystem::path& location, int group) {
  std::filesystem::path files = location;
  files += groupWord(group);
  return files;
}

bool calibrationStored(const std::filesystem::path& files) {
  std::error_code ec;
  return std::filesystem::is_regular_file(withExtension(files, ".clb"), ec);
}

// A typed name keeps its dots ("St. Mary"); only the extension of a location's file goes.
std::filesystem::path withoutLocationExtension(const std::filesystem::path& typed) {
  for (const char* extension : {".clb", ".cal", ".stg", ".dts"})
    if (typed.extension() == extension) return std::filesystem::path(typed).replace_extension();
  return typed;
}

}  // namespace

std::filesystem::path locationNamed(const std::filesystem::path& fileOrName) {
  const std::string name = fileOrName.filename().string();
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const std::string word = groupWord(g);
    if (name.size() <= word.size() || !name.ends_with(word)) continue;
    const std::filesystem::path location = fileOrName.parent_path() / name.substr(0, name.size() - word.size());
    for (int other = kGroupTop; other <= kGroupBottom; ++other)
      if (other != g && calibrationStored(groupFiles(location, other))) return location;
  }
  return fileOrName;
}

std::filesystem::path storedLocationFiles(const std::filesystem::path& location) {
  if (calibrationStored(location)) return location;
  for (int g : {kGroupMiddle, kGroupTop, kGroupBottom})
    if (calibrationStored(groupFiles(location, g))) return groupFiles(location, g);
  return location;
}

std::string MissingLocationText(const std::filesystem::path& file) {
  return "Can not find the file\nIf new just keep going " + file.string();
}

LocationOpened leaveLocationBox(Workspace& ws, const std::string& text, ModelState& model, bool& FirstSortDone,
                                Dialogs& dialogs) {
  LocationOpened opened;
  if (text.empty()) {
    ws.LocationFile.clear();
  } else {
    const std::filesystem::path typed = holdsSeparator(text) ? std::filesystem::path(text) : ws.LastDir / text;
    const std::filesystem::path location = locationNamed(withoutLocationExtension(typed));
    if (location != ws.LocationFile) {
      ws.LocationFile = location;
      if (calibrationStored(storedLocationFiles(location))) opened = OpenLocation(ws, model, FirstSortDone, dialogs);
    }
  }
  ws.ModelSkipped = model.inputs.GrowthParams[1][kParamB] == 0;
  return opened;
}

LocationOpened chooseLocation(Workspace& ws, ModelState& model, bool& FirstSortDone, Dialogs& dialogs) {
  ws.diets.DietsFromFile = false;
  dialogs.message(kLocationPrompt);
  FileDialogRequest request{kLocationDialogTitle, kLocationFilter, kLocationPattern, ws.LastDir};
  request.newNameAllowed = true;
  const auto chosen = dialogs.openFile(request);
  if (chosen) {
    ws.LastDir = chosen->parent_path();
    ws.LocationFile = locationNamed(withoutExtension(*chosen));
  } else {
    ws.LocationFile = kLocationPattern;  // a cancelled dialog leaves its pattern
  }
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
  const std::filesystem::path stored = storedLocationFiles(ws.LocationFile);
  LocationOpened opened = readModelFiles(model, stored, shownAs, dialogs);
  opened.storedFiles = stored;
  if (opened.settingsRead) ws.chosenSex = model.inputs.ModelSex;
  if (ws.LocationFile == kLocationPattern) {  // nothing was chosen: no location
    ws.LocationFile = "*";
    return opened;
  }
  // The diets shown follow the location's number of diets (a diet file holds at most five).
  ws.diets.DietCount = std::min(model.inputs.DietCount, MaxFileDiets);
  opened.dietsEntered = OfferLocationDiets(ws, stored, dialogs);
  return opened;
}

LocationOpened ReadLocationModel(ModelState& model, const std::filesystem::path& location, Dialogs& dialogs) {
  std::filesystem::path base = location;
  if (base.extension() == ".clb") base.replace_extension();
  model.inputs.DietCount = 5;
  return readModelFiles(model, base, withExtension(base, ".clb"), dialogs);
}

}  // namespace plumetra

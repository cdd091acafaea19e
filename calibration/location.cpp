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
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const std::string word = groupWord(g);
    if (name.size() <= word.size() || !name.ends_with(word)) continue;
    const std::filesystem::path location = fileOrName.parent_path() / name.substr(0, name.size() - word.size());
    for (int other = GroupTop; other <= GroupBottom; ++other)
      if (other != g && calibrationStored(groupFiles(location, other))) return location;
  }
  return fileOrName;
}

std::filesystem::path storedLocationFiles(const std::filesystem::path& location) {
  if (calibrationStored(location)) return location;
  for (int g : {GroupMiddle, GroupTop, GroupBottom})
    if (calibrationStored(groupFiles(location, g))) return groupFiles(location, g);
  return location;
}

std::string missingLocationText(const std::filesystem::path& file) {
  return "Can not find the file\nIf new just keep going " + file.string();
}

LocationOpened leaveLocationBox(Workspace& ws, const std::string& text, ModelState& model, bool& firstSortDone,
                                Dialogs& dialogs) {
  LocationOpened opened;
  if (text.empty()) {
    ws.locationFile.clear();
  } else {
    const std::filesystem::path typed = holdsSeparator(text) ? std::filesystem::path(text) : ws.lastDir / text;
    const std::filesystem::path location = locationNamed(withoutLocationExtension(typed));
    if (location != ws.locationFile) {
      ws.locationFile = location;
      if (calibrationStored(storedLocationFiles(location))) opened = loadLocation(ws, model, firstSortDone, dialogs);
    }
  }
  ws.modelSkipped = model.inputs.growthParams[1][ParamB] == 0;
  return opened;
}

LocationOpened chooseLocation(Workspace& ws, ModelState& model, bool& firstSortDone, Dialogs& dialogs) {
  ws.diets.dietsFromFile = false;
  dialogs.message(LocationPrompt);
  FileDialogRequest request{LocationDialogTitle, LocationFilter, LocationPattern, ws.lastDir};
  request.newNameAllowed = true;
  const auto chosen = dialogs.openFile(request);
  if (chosen) {
    ws.lastDir = chosen->parent_path();
    ws.locationFile = locationNamed(withoutExtension(*chosen));
  } else {
    ws.locationFile = LocationPattern;  // a cancelled dialog leaves its pattern
  }
  return loadLocation(ws, model, firstSortDone, dialogs);
}

namespace {

// The calibration and then the settings of `location`; a missing calibration is reported
// as `shownAs`.
LocationOpened readModelFiles(ModelState& model, const std::filesystem::path& location,
                              const std::filesystem::path& shownAs, Dialogs& dialogs) {
  LocationOpened opened;
  switch (readCalibrationFile(model, withExtension(location, ".clb"), dialogs)) {
    case CalibrationRead::Read:
      opened.calibrationRead = true;
      opened.settingsRead = readSettingsFile(model, location, dialogs) == SettingsRead::Read;
      break;
    case CalibrationRead::Missing:
      dialogs.message(missingLocationText(shownAs));
      break;
    case CalibrationRead::Refused:
      break;
  }
  return opened;
}

}  // namespace

LocationOpened loadLocation(Workspace& ws, ModelState& model, bool& firstSortDone, Dialogs& dialogs) {
  if (ws.locationFile.string().size() < ShortestLocation) return {};
  firstSortDone = false;
  model.inputs.dietCount = 5;
  const auto shownAs = ws.lastDir / withExtension(ws.locationFile, ".clb").filename();
  const std::filesystem::path stored = storedLocationFiles(ws.locationFile);
  LocationOpened opened = readModelFiles(model, stored, shownAs, dialogs);
  opened.storedFiles = stored;
  if (opened.settingsRead) ws.chosenSex = model.inputs.modelSex;
  if (ws.locationFile == LocationPattern) {  // nothing was chosen: no location
    ws.locationFile = "*";
    return opened;
  }
  // The diets shown follow the location's number of diets (a diet file holds at most five).
  ws.diets.dietCount = std::min(model.inputs.dietCount, MaxFileDiets);
  opened.dietsEntered = offerLocationDiets(ws, stored, dialogs);
  return opened;
}

LocationOpened readLocationModel(ModelState& model, const std::filesystem::path& location, Dialogs& dialogs) {
  std::filesystem::path base = location;
  if (base.extension() == ".clb") base.replace_extension();
  model.inputs.dietCount = 5;
  return readModelFiles(model, base, withExtension(base, ".clb"), dialogs);
}

}  // namespace plumetra

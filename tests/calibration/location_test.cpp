#include "calibration/location.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "calibration/split_calibration.h"
#include "tests/calibration/calibration_fixture.h"
#include "controls/number_format.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

namespace {

const char* kDietQuestion = "A Diet File Exists, Do you want to use those diets?";

// The three groups of a male flock stored as "Farm", weight unit Pounds, cost unit 3.
struct Stored {
  ModelState model;
  CalibrationRecord record;
};

Stored storeFarm(const std::filesystem::path& folder) {
  auto a = analysedFlocks(folder);
  a.model.settings.units.weightChoice = 1;
  a.model.settings.units.costChoice = 3;
  // House temperatures at their optimum: stored, yet neutral for the fit.
  for (int w = 1; w <= 15; ++w) a.model.inputs.weekTemp[w] = a.model.inputs.optTemp[w] = 33 - w;
  Stored s;
  ScriptedDialogs dialogs;
  dialogs.expectInput(BaseNamePrompt, "Farm");
  EXPECT_EQ(calibrateGroups(a.ws, a.model, s.record, a.split, dialogs).groupsStored, 3);
  s.model = a.model;
  return s;
}

std::string firstFailure(const ScriptedDialogs& dialogs) {
  return dialogs.failures().empty() ? "" : dialogs.failures()[0];
}

Workspace emptyWorkspace(const std::filesystem::path& lastDir) {
  Workspace ws;
  ws.lastDir = lastDir;
  return ws;
}

// The Middle group of the stored set is in force: its growth parameters, F E corrections,
// the energies of the first group's row in every sex, the settings and the diets.
void expectMiddleGroupInForce(const Stored& stored, const ModelState& m, const Workspace& ws) {
  for (int s = 1; s <= 2; ++s) {
    for (int r = 0; r < 4; ++r)
      EXPECT_NEAR(m.inputs.growthParams[s][r], stored.record(2, s, r), 1e-13 * std::fabs(stored.record(2, s, r)));
    // to the digits written
    EXPECT_DOUBLE_EQ(m.inputs.feCorrection[s], readNumber(formatDiet(stored.record(2, s, ItemFeCorrection))));
  }
  for (int s = 0; s < 3; ++s)
    for (int p = 1; p <= 3; ++p) EXPECT_DOUBLE_EQ(m.inputs.refEnergy[s][p], stored.model.inputs.refEnergy[1][p]);
  EXPECT_EQ(m.settings.units.weightChoice, 0);  // the settings file reads it back as 0
  EXPECT_EQ(m.settings.units.costChoice, 3);
  EXPECT_EQ(m.settings.maleBreed, stored.model.settings.maleBreed);
  for (int w = 1; w <= 15; ++w) EXPECT_DOUBLE_EQ(m.inputs.weekTemp[w], 33 - w);
  EXPECT_EQ(m.inputs.modelSex, 1);
  EXPECT_EQ(ws.chosenSex, 1);
  EXPECT_TRUE(ws.diets.dietsFromFile);
  EXPECT_DOUBLE_EQ(ws.diets.dietTable[2][ValEnergy], TestDiets[1][1]);
}

}  // namespace

// Any of the set's files chosen, or the location's name typed with or without a group word,
// names the location "Farm" and puts its Middle group in force; the set lies in a folder with a
// dot in its name, and the files are still found. Leaving the box again with the same name
// reads nothing twice. A location of one file named like a group keeps its whole name.
TEST(Location, AStoredSetIsFoundByAnyOfItsFilesOrItsNameWithoutItsGroupWord) {
  TempFolder folder("loc.v2_");
  const Stored stored = storeFarm(folder.path());
  for (const std::string way : {"FarmTop.cal", "FarmMiddle.clb", "FarmBottom.dts", "typed Farm", "typed FarmTop"}) {
    SCOPED_TRACE(way);
    const bool typed = way.starts_with("typed ");
    Workspace ws = emptyWorkspace(folder.path());
    ModelState m;
    bool firstSortDone = true;
    ScriptedDialogs dialogs;
    if (!typed)
      dialogs.expectMessage(LocationPrompt).expectOpenFile(LocationDialogTitle, (folder.path() / way).string());
    dialogs.expectYesNo(kDietQuestion, true);
    const LocationOpened opened = typed ? leaveLocationBox(ws, way.substr(6), m, firstSortDone, dialogs)
                                        : chooseLocation(ws, m, firstSortDone, dialogs);
    EXPECT_TRUE(opened.calibrationRead && opened.settingsRead && opened.dietsEntered);
    EXPECT_EQ(opened.storedFiles, folder.path() / "FarmMiddle");
    EXPECT_FALSE(firstSortDone);
    EXPECT_EQ(ws.locationFile, folder.path() / "Farm");
    expectMiddleGroupInForce(stored, m, ws);

    firstSortDone = true;
    EXPECT_FALSE(leaveLocationBox(ws, ws.locationFile.string(), m, firstSortDone, dialogs).calibrationRead);
    EXPECT_TRUE(firstSortDone);
    EXPECT_FALSE(ws.modelSkipped);
    EXPECT_TRUE(dialogs.finished()) << firstFailure(dialogs);
  }

  // readLocationModel takes a .clb path or its base name, and reads that group.
  for (const auto& location : {folder.path() / "FarmBottom.clb", folder.path() / "FarmBottom"}) {
    ModelState bottom;
    ScriptedDialogs quiet;
    const LocationOpened read = readLocationModel(bottom, location, quiet);
    EXPECT_TRUE(read.calibrationRead && read.settingsRead) << location;
    EXPECT_TRUE(quiet.finished());
    EXPECT_NEAR(bottom.inputs.growthParams[1][ParamL], stored.record(3, 1, ItemLogMaturity), 1e-12);
  }

  // A location stored under one name keeps a name that ends in a group word, and a location's
  // own ".clb" comes before its groups'.
  std::filesystem::copy_file(folder.path() / "FarmBottom.clb", folder.path() / "HillTop.clb");
  Workspace ws = emptyWorkspace(folder.path());
  ModelState m;
  bool firstSortDone = false;
  ScriptedDialogs dialogs;  // HillTop has no settings or diets: no question
  const LocationOpened opened = leaveLocationBox(ws, (folder.path() / "HillTop.clb").string(), m, firstSortDone, dialogs);
  EXPECT_TRUE(dialogs.finished()) << firstFailure(dialogs);
  EXPECT_TRUE(opened.calibrationRead);
  EXPECT_FALSE(opened.settingsRead);
  EXPECT_EQ(ws.locationFile, folder.path() / "HillTop");
  EXPECT_NEAR(m.inputs.growthParams[1][ParamL], stored.record(3, 1, ItemLogMaturity), 1e-12);
}

// Leaving the box empty names no location and puts no folder in front of anything; a typed name that has no files yet is a new location.
TEST(Location, EmptyBoxNamesNothingAndANewNameIsKept) {
  Workspace ws;
  ws.lastDir = "/data/farms";
  ModelState m;
  bool firstSortDone = false;
  ScriptedDialogs dialogs;
  leaveLocationBox(ws, "", m, firstSortDone, dialogs);
  EXPECT_TRUE(ws.locationFile.empty());

  TempFolder folder("loc.new_");
  ws.lastDir = folder.path();
  // typed: a new name, with its dot, that reads nothing
  EXPECT_FALSE(leaveLocationBox(ws, "St. Mary", m, firstSortDone, dialogs).calibrationRead);
  EXPECT_EQ(ws.locationFile, folder.path() / "St. Mary");

  dialogs.expectMessage(LocationPrompt)
      .expectOpenFile(LocationDialogTitle, (folder.path() / "Hillside").string())
      .expectMessage(missingLocationText(folder.path() / "Hillside.clb"));
  chooseLocation(ws, m, firstSortDone, dialogs);
  EXPECT_TRUE(dialogs.finished()) << firstFailure(dialogs);
  EXPECT_EQ(ws.locationFile, folder.path() / "Hillside");
}

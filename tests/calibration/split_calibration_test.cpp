#include "calibration/split_calibration.h"
#include "files/file_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "calibration/predict_file.h"
#include "tests/calibration/calibration_fixture.h"
#include "files/free_format.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

namespace {

// Calibrates and stores the groups under the base name "Farm", with no other question or message.
SplitCalibrationResult calibrateAsFarm(AnalysedFlocks& a, CalibrationRecord& record) {
  ScriptedDialogs dialogs;
  dialogs.expectInput(BaseNamePrompt, "Farm");
  const SplitCalibrationResult result = calibrateGroups(a.ws, a.model, record, a.split, dialogs);
  EXPECT_TRUE(dialogs.finished()) << (dialogs.shown().size() > 1 ? dialogs.shown()[1] : "");
  return result;
}

std::vector<std::string> lines(const std::filesystem::path& path) {
  std::vector<std::string> out;
  FreeFormatReader in(readTextFile(path).value_or(""));
  while (auto line = in.line()) out.push_back(*line);
  return out;
}

}  // namespace

TEST(calibrateButton, StopsWithItsMessageAndWritesNothing) {
  auto refused = [](const std::function<void(AnalysedFlocks&, ScriptedDialogs&)>& setUp) {
    TempFolder folder;
    AnalysedFlocks a = analysedFlocks(folder.path());
    CalibrationRecord record;
    ScriptedDialogs dialogs;
    setUp(a, dialogs);
    const SplitCalibrationResult result = calibrateGroups(a.ws, a.model, record, a.split, dialogs);
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(result.groupsStored, 0);
    EXPECT_FALSE(result.predictWritten);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  };
  refused([](AnalysedFlocks& a, ScriptedDialogs& d) {  // no analysis run
    a.split = {};
    d.expectMessage(NoAnalysisText);
  });
  refused([](AnalysedFlocks& a, ScriptedDialogs& d) {  // a mixed flock without a female hatch weight
    a.ws.chosenSex = 0;
    a.model.settings.breedTable[12][2][ParamW0] = 0;
    d.expectInput(BaseNamePrompt, "Farm").expectMessage(CalibrationDataMissingText);
  });
  // A name, not a path (the plain-name rules are the files' tests).
  refused([](AnalysedFlocks&, ScriptedDialogs& d) {
    d.expectInput(BaseNamePrompt, "../../x").expectMessage("\"_._.._x\"" + std::string(NotAPlainFileName));
  });
}

// The groups of a male flock are stored under "Farm". A group that cannot be calibrated (here
// the Middle group's age is beyond the model's 70 days) is named and not stored; Top and Bottom
// still are, each within the tolerances of its figures, and "Predict.txt" notes Middle.
TEST(calibrateButton, StoresTheGroupsOfAMaleFlockAndNamesOneThatFailed) {
  TempFolder folder;
  AnalysedFlocks a = analysedFlocks(folder.path());
  a.split.flocks[1].age = 80;  // the Middle group's flock
  CalibrationRecord record;
  ScriptedDialogs dialogs;
  dialogs.expectInput(BaseNamePrompt, "Farm")
      .expectMessage("The Middle group was not calibrated: its age of 80 days is outside the calibration range of 1 "
                     "to 69 days. Its files were not written; check the group's age, weight and feed conversion.");
  const SplitCalibrationResult result = calibrateGroups(a.ws, a.model, record, a.split, dialogs);
  EXPECT_TRUE(dialogs.finished()) << (dialogs.failures().empty() ? "" : dialogs.failures()[0]);
  EXPECT_EQ(result.groupsStored, 2);
  EXPECT_FALSE(result.groups[GroupMiddle].stored);
  EXPECT_FALSE(record.hasGroup(GroupMiddle));
  EXPECT_TRUE(result.predictWritten);
  EXPECT_EQ(record.chosenSex, 1);
  EXPECT_EQ(record.baseName, "Farm");

  for (const std::string group : {"Top", "Middle", "Bottom"}) {
    for (const char* ext : {".clb", ".cal", ".stg", ".dts"})
      EXPECT_EQ(std::filesystem::exists(folder.path() / ("Farm" + group + ext)), group != "Middle") << group << ext;
    if (group == "Middle") continue;
    const auto cal = lines(folder.path() / ("Farm" + group + ".cal"));
    ASSERT_EQ(cal.size(), 6u);
    EXPECT_EQ(cal[0], " 1 ");
    EXPECT_EQ(cal[5], "0");
    const auto stg = lines(folder.path() / ("Farm" + group + ".stg"));
    ASSERT_GE(stg.size(), 3u);
    EXPECT_EQ(stg[2], "M");
  }
  EXPECT_EQ(lines(folder.path() / "FarmTop.clb")[0], "FarmTop.clb   \t");
  const auto predict = lines(folder.path() / PredictFileName);
  ASSERT_GE(predict.size(), 4u);
  EXPECT_EQ(predict[3], "\"Middle not calibrated\"");
  for (int g : {GroupTop, GroupBottom}) {
    EXPECT_LE(std::fabs(result.groups[g].ageMiss), StoredAgeTolerance) << g;
    EXPECT_LE(std::fabs(result.groups[g].conversionMiss), StoredConversionTolerance) << g;
  }

  // The groups differ in F E correction; the model is left on the Bottom group's calibration.
  EXPECT_LT(record(1, 1, ItemFeCorrection), record(3, 1, ItemFeCorrection));
  EXPECT_EQ(a.model.inputs.growthParams[1][ParamL], record(3, 1, ItemLogMaturity));
}

// With a Flock Sex column each group is stored as its flocks' majority sex (a flock whose cell
// names none counts as the sex chosen, Males here); the record keeps the sex chosen.
TEST(calibrateButton, EachGroupIsStoredAsItsFlocksMajoritySex) {
  TempFolder folder;
  AnalysedFlocks a = analysedFlocks(folder.path());
  a.split.sexColumn = true;
  for (SplitFlock& f : a.split.flocks)
    f.sex = f.group == 1 ? std::optional<int>(2) : f.group == 3 ? std::optional<int>(0) : std::nullopt;
  CalibrationRecord record;
  const SplitCalibrationResult result = calibrateAsFarm(a, record);
  ASSERT_EQ(result.groupsStored, 3);
  EXPECT_EQ(record.chosenSex, 1);
  const char* letters[] = {"", "F", "M", "X"};
  const char* groups[] = {"", "Top", "Middle", "Bottom"};
  for (int g = 1; g <= 3; ++g) {
    EXPECT_EQ(result.groups[static_cast<std::size_t>(g)].sex, g == 1 ? 2 : g == 2 ? 1 : 0);
    const auto stg = lines(folder.path() / ("Farm" + std::string(groups[g]) + ".stg"));
    ASSERT_GE(stg.size(), 3u);
    EXPECT_EQ(stg[2], letters[g]) << groups[g];
  }
}

// The growth run follows the amino-acid basis in force at every run, not only the first.
TEST(AminoBasis, TakesEffectOnEveryRun) {
  ModelState m = runnableModel(1);
  m.inputs.stop = RunStop::atAge(35);
  const auto weightAt35 = [&](AminoBasis basis) {
    m.settings.units.aminoBasis = basis;
    growFlock(m);
    return m.results.bodyWeight[1][35];
  };
  const double total = weightAt35(AminoBasis::Total);
  const double avail = weightAt35(AminoBasis::Avail);
  EXPECT_NE(avail, total);
  EXPECT_EQ(weightAt35(AminoBasis::Total), total);
}

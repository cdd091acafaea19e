#include "calibration/lower_cost_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "calibration/lower_cost_command.h"
#include "calibration/lower_cost_window.h"
#include "calibration/predict_file.h"
#include "model/growth_run.h"
#include "tests/calibration/feed_search_fixture.h"
#include "views/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::feed_search_test;

namespace {

constexpr double kTarget = 2400;  // grams
constexpr std::array<double, 4> kSplit{100, 20, 60, 20};

LowerCostSetup setupFor(const ModelState& m) {
  LowerCostSetup s;
  s.targetGrams = kTarget;
  s.calibration = groupCalibrations(m);
  s.price = {0, 0.40, 0.36, 0.33};
  for (int g = 1; g <= 3; ++g) {
    s.groupIntake[g] = {0, 0.55, 1.6, 2.4};
    s.groupAge[g] = 40;
  }
  for (int p = 1; p <= 3; ++p) s.diets[p] = m.DietNutrients[p];
  return s;
}

// The cost of the programme x as the formula gives it: last phase what the run ate there.
double plainCost(ModelState m, const LowerCostSetup& s, const std::vector<double>& x) {
  EXPECT_TRUE(RunProgramme(m, x, s.targetGrams));
  double cost = 0;
  for (int p = 1; p <= m.DietCount; ++p) cost += s.price[p] * m.FeedAllotment[p];
  return cost;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectSameGroup(const LowerCostGroup& a, const LowerCostGroup& b) {
  EXPECT_TRUE(sameBits(a.LowestCost, b.LowestCost));
  EXPECT_TRUE(sameBits(a.InitialCost, b.InitialCost));
  EXPECT_TRUE(sameBits(a.FeedConversion, b.FeedConversion));
  EXPECT_TRUE(sameBits(a.FinalAge, b.FinalAge));
  EXPECT_TRUE(sameBits(a.Composition, b.Composition));
  for (int p = 1; p <= 3; ++p) EXPECT_TRUE(sameBits(a.BestFeed[p], b.BestFeed[p]));
  EXPECT_EQ(a.evaluations, b.evaluations);
}

}  // namespace

TEST(LowerCostParts, LastPhaseFeedIsTheTotalLessTheEarlierPhases) {
  ModelState m;
  m.DietCount = 3;
  m.FeedIntake[1][99] = 4.0;
  m.FeedIntake[2][99] = 3.5;
  m.FeedAllotment = {0, 0.5, 1.5, 9.0};
  EXPECT_DOUBLE_EQ(LastPhaseFeed(m, 1), 2.0);
  EXPECT_DOUBLE_EQ(LastPhaseFeed(m, 2), 1.5);
}

TEST(LowerCostParts, CompositionMeasureAddsComponents12And14OnTheFinalDay) {
  ModelState m;
  m.ModelSex = 2;
  m.FinalDay = 40;
  m.ComponentMass[2][12][40] = 410.5;
  m.ComponentMass[2][14][40] = 95.25;
  m.ComponentMass[2][13][40] = 1000;
  m.ComponentMass[2][12][39] = 1000;
  EXPECT_DOUBLE_EQ(CompositionMeasure(m), 505.75);
}

TEST(CostObjectiveTest, LastPhaseTakesWhatTheBirdStillNeeds) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  LowerCostGroup record;
  CostObjective cost(m, s, record);
  cost({0.5, 1.2, 7.0});
  EXPECT_EQ(m.FeedAllotment[1], 0.5);
  EXPECT_EQ(m.FeedAllotment[2], 1.2);
  EXPECT_DOUBLE_EQ(m.FeedAllotment[3], m.FeedIntake[m.ModelSex][99] - 1.7);
  EXPECT_LT(m.FeedAllotment[3], 7.0);
}

TEST(CostObjectiveTest, EachBrokenLimitCountsFourTimes) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  const std::vector<double> x{0.3, 0.6, 2.0};
  const double plain = plainCost(m, s, x);

  LowerCostGroup record;
  record.MinimumFeed = {0, 0.25, 0.5, 5.0};  // phase 3 is never held to its minimum
  EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), plain);

  record.MinimumFeed = {0, 0.35, 0.5, 0};
  EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), 4 * plain);

  record.MinimumFeed = {0, 0.35, 0.7, 0};  // two broken minimums
  EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), 16 * plain);

  // The composition 2 % under the reference is a third breach.
  ModelState probe = m;
  RunProgramme(probe, x, kTarget);
  record.ReferenceComposition = CompositionMeasure(probe) / 0.979;
  EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), 64 * plain);
  record.ReferenceComposition = CompositionMeasure(probe) / 0.981;
  EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), 16 * plain);
}

TEST(CostObjectiveTest, NegativePhaseAmountRanksAboveEveryFeasibleProgramme) {
  ModelState m = runnableModel();
  LowerCostSetup s = setupFor(m);
  LowerCostGroup record;
  record.MinimumFeed = {0, 1.0, 1.0, 0};
  record.ReferenceComposition = 1e9;  // every feasible run breaks all three limits: 64 x
  CostObjective cost(m, s, record);
  const double feasible = cost({0.3, 0.6, 2.0});
  EXPECT_GT(feasible, 0);
  // Phases 1 and 2 hold more than the bird eats in all: the last phase would go negative.
  const double overfed = cost({4.0, 4.0, 2.0});
  const double negativeFirst = cost({-0.5, 1.0, 2.0});
  EXPECT_GT(overfed, feasible);
  EXPECT_GT(negativeFirst, feasible);
  EXPECT_GE(overfed, cost.infeasibleFloor());
  EXPECT_DOUBLE_EQ(record.LowestCost, feasible);  // the best stays the feasible run
}

TEST(CostObjectiveTest, BestRunIsRecorded) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  LowerCostGroup record;
  CostObjective cost(m, s, record);
  EXPECT_EQ(cost.bestCost(), kInitialBestCost);
  const double first = cost({0.5, 1.6, 2.0});
  const double age = m.FinalAge, conversion = m.FinalFeedConversion;
  const double second = cost({0.2, 3.0, 2.0});
  ASSERT_NE(first, second);
  EXPECT_EQ(cost.bestCost(), std::min(first, second));
  if (first < second) {
    EXPECT_EQ(record.FinalAge, age);
    EXPECT_EQ(record.FeedConversion, conversion);
  } else {
    EXPECT_EQ(record.FinalAge, m.FinalAge);
  }
}

TEST(LowerCostSearchTest, SearchesWithTheGroupsOwnCalibrationAndReportsTheBestRun) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  ModelState run = m;
  const LowerCostGroup r = LowerCostSearch(run, s, kGroupMiddle);
  ASSERT_TRUE(r.searched);
  // The Middle calibration, hatch weights included, is in force.
  EXPECT_EQ(run.GrowthParams[1][kParamW0], 44);
  EXPECT_EQ(run.BodyWeight[1][0], 44);
  EXPECT_EQ(run.BodyWeight[2][0], 44);
  EXPECT_EQ(run.FeCorrection[1], 0.04);
  EXPECT_EQ(run.GrowthParams[2][kParamK], s.calibration(2, 2, kItemRate));
  // The minimums are half the group's programme (the last phase what it needed).
  EXPECT_DOUBLE_EQ(r.MinimumFeed[1], 0.275);
  EXPECT_DOUBLE_EQ(r.MinimumFeed[2], 0.8);
  EXPECT_LE(r.LowestCost, r.InitialCost);
  EXPECT_GE(r.saving(), 0);
  // The last phase shown is what the run on the best amounts ate there.
  ModelState check = run;
  ASSERT_TRUE(RunProgramme(check, {r.BestFeed[1], r.BestFeed[2], r.BestFeed[3]}, kTarget));
  EXPECT_DOUBLE_EQ(check.FeedAllotment[3], r.BestFeed[3]);
}

TEST(LowerCostSearchTest, OnePhaseKeepsTheGroupsProgrammeWithNoSaving) {
  // With one phase every programme is the bird's own intake: nothing is cheaper.
  ModelState m = runnableModel();
  m.DietCount = 1;
  LowerCostSetup s = setupFor(m);
  const LowerCostGroup r = LowerCostSearch(m, s, kGroupTop);
  ASSERT_TRUE(r.searched);
  EXPECT_TRUE(r.keptInitial);
  EXPECT_EQ(r.saving(), 0);
  EXPECT_EQ(r.LowestCost, r.InitialCost);
  EXPECT_DOUBLE_EQ(r.InitialCost, 0.40 * r.BestFeed[1]);
}

TEST(LowerCostSearchTest, ThreadsGiveTheSequentialResultsBitForBit) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  ModelState sequentialModel = m, parallelModel = m;
  const LowerCostRecord sequential = LowerCostSearchAll(sequentialModel, s, false);
  const LowerCostRecord parallel = LowerCostSearchAll(parallelModel, s, true);
  for (int g = 1; g <= 3; ++g) expectSameGroup(sequential.groups[g], parallel.groups[g]);
  // Each group's result is its own: the Bottom group alone gives the same.
  ModelState alone = m;
  expectSameGroup(LowerCostSearch(alone, s, kGroupBottom), sequential.groups[kGroupBottom]);
  // The model ends with the Bottom calibration.
  EXPECT_EQ(parallelModel.BodyWeight[1][0], 48);
}

// ---- the command ----------------------------------------------------------------------

namespace {

struct CommandFixture {
  Workspace ws;
  ModelState model = runnableModel();
  CalibrationRecord calibration;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "plumetra_lowcost_test";
  LowerCostRecord record;
  FrmCalibration window;

  CommandFixture() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ws.Gridanal = Grid(40, 12);
    ws.FarmOrder[1][4] = 1;  // live weight
    ws.FarmOrder[3][4] = 3;  // age
    for (int p = 1; p <= 3; ++p) ws.FarmOrder[p + 4][4] = static_cast<std::int16_t>(p + 4);
    for (int row : {11, 13, 15}) {
      ws.Gridanal.setText(row, 1, "2.4");
      ws.Gridanal.setText(row, 3, "40");
      ws.Gridanal.setText(row, 5, ".55");
      ws.Gridanal.setText(row, 6, "1.6");
      ws.Gridanal.setText(row, 7, "2.4");
    }
    for (int p = 1; p <= 3; ++p) {
      ws.diets.DietTable[p][ValFeedCost] = 0.3 + 0.01 * p;
      for (int k = 0; k < kNutrients; ++k) ws.diets.EnteredDiets[p][k] = model.DietNutrients[p][k];
    }
  }
  ~CommandFixture() { std::filesystem::remove_all(folder); }
  LowerCostContext context() { return {ws, model, calibration, kSplit, folder, true}; }
};

}  // namespace

TEST(Command7, DoesNothingUnlessTheCostQuestionWasPut) {
  CommandFixture f;
  ScriptedDialogs dialogs;
  bool flag = false;
  auto context = f.context();
  EXPECT_EQ(Command7_Click(context, flag, dialogs, f.record, f.window), LowerCostEnd::NotOffered);
  EXPECT_TRUE(dialogs.finished());
}

TEST(Command7, ZeroOrNoNumberClearsTheFlag) {
  for (const char* answer : {"0", "none"}) {
    CommandFixture f;
    f.calibration.TargetWeight = 2.45;
    ScriptedDialogs dialogs;
    dialogs.expectInput(
        "What Flock Weight do you want? The Current Value is the Middle Average wt of  2.45Change it "
        "here if you wish",
        answer);
    bool flag = true;
    auto context = f.context();
    EXPECT_EQ(Command7_Click(context, flag, dialogs, f.record, f.window), LowerCostEnd::Skipped);
    EXPECT_FALSE(flag);
    EXPECT_FALSE(f.window.visible);
    EXPECT_TRUE(dialogs.finished()) << answer;
  }
}

TEST(Command7, NoCalibrationAndNoPredictFileSaysSoAndEnds) {
  CommandFixture f;
  f.calibration.TargetWeight = 2450;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("");
  auto context = f.context();
  const ModelState before = f.model;
  EXPECT_EQ(SearchLowerCost(context, dialogs, f.record, f.window), LowerCostEnd::NoCalibration);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_NE(dialogs.shown()[0].find("Predict.txt"), std::string::npos);
  EXPECT_FALSE(f.window.visible);
  EXPECT_EQ(f.model.BodyWeight, before.BodyWeight);

  // A file cut after the Bottom group reads as short.
  std::ofstream(f.folder / "Predict.txt") << "\"Bottom\"\r\n 48 , 1 , 5 , .06 , 0 \r\n";
  ScriptedDialogs again;
  again.expectMessage("");
  EXPECT_EQ(SearchLowerCost(context, again, f.record, f.window), LowerCostEnd::NoCalibration);
  EXPECT_NE(again.shown()[0].find("ends before"), std::string::npos);
}

TEST(Command7, GroupOlderThan69DaysIsRefusedBeforeAnyRun) {
  CommandFixture f;
  f.calibration = groupCalibrations(f.model);
  f.calibration.TargetWeight = 2450;
  f.ws.Gridanal.setText(15, 3, "69.5");
  ScriptedDialogs dialogs;
  dialogs.expectMessage("");
  auto context = f.context();
  const ModelState before = f.model;
  EXPECT_EQ(SearchLowerCost(context, dialogs, f.record, f.window), LowerCostEnd::GroupTooOld);
  EXPECT_NE(dialogs.shown()[0].find("Bottom"), std::string::npos);
  EXPECT_EQ(f.model.FinalAge, before.FinalAge);
  EXPECT_EQ(f.model.FeedAllotment, before.FeedAllotment);
}

TEST(Command7, ReadsPredictFileAndTakesAKilogramTargetAsGrams) {
  CommandFixture f;
  ASSERT_TRUE(WritePredictFile(groupCalibrations(f.model), f.folder));
  f.calibration.TargetWeight = 2.45;
  ScriptedDialogs dialogs;
  dialogs.expectInput("", "2.45");
  bool flag = true;
  auto context = f.context();
  ASSERT_EQ(Command7_Click(context, flag, dialogs, f.record, f.window), LowerCostEnd::Searched);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(f.calibration.TargetWeight, 2450);
  EXPECT_EQ(f.record.TargetWeight, 2450);
  EXPECT_EQ(f.calibration(kGroupBottom, 1, kItemHatchWeight), 48);
  EXPECT_EQ(f.model.BodyWeight[1][0], 48);  // the Bottom group ran last
  EXPECT_TRUE(f.window.visible);
  EXPECT_EQ(f.window.Grid1.text(0, 0), "2450.000");
  EXPECT_EQ(f.ws.Command7.background, (Rgb{255, 128, 192}));
  // A gram target stays as it is.
  CommandFixture g;
  g.calibration = groupCalibrations(g.model);
  g.calibration.TargetWeight = 2450;
  auto gContext = g.context();
  ScriptedDialogs quiet;
  ASSERT_EQ(SearchLowerCost(gContext, quiet, g.record, g.window), LowerCostEnd::Searched);
  EXPECT_EQ(g.calibration.TargetWeight, 2450);
}

// ---- the results window ---------------------------------------------------------------

TEST(FrmCalibrationTest, GridCellsAndPatterns) {
  LowerCostRecord r;
  r.TargetWeight = 2450;
  r.DietCount = 3;
  // lowest, initial, feed conversion, age per group
  const double values[4][4] = {{}, {1.0, 1.2, 1.5, 38.25}, {1.1, 1.25, 1.6, 40.0}, {1.3, 1.3, 1.8, 43.5}};
  for (int g = 1; g <= 3; ++g) {
    r.groups[g].LowestCost = values[g][0];
    r.groups[g].InitialCost = values[g][1];
    r.groups[g].FeedConversion = values[g][2];
    r.groups[g].FinalAge = values[g][3];
    r.groups[g].BestFeed = {0, 0.4 + g, 1.25, 2.0625, 9};
  }
  FrmCalibration w;
  LoadFrmCalibration(w, r, kSplit);
  const Grid& grid = w.Grid1;
  EXPECT_EQ(grid.rows(), 12);
  EXPECT_EQ(grid.cols(), 7);
  EXPECT_EQ(grid.text(0, 0), "2450.000");
  EXPECT_EQ(grid.text(0, 2), "Init. Cost at Target");
  EXPECT_EQ(grid.text(3, 0), "Highest Convix");
  EXPECT_EQ(grid.text(1, 1), "1.000");
  EXPECT_EQ(grid.text(1, 3), ".200");
  EXPECT_EQ(grid.text(3, 3), ".000");
  EXPECT_EQ(grid.text(1, 5), "38.2");  // half to even on 38.25
  EXPECT_EQ(grid.text(3, 5), "43.5");
  // 0.2 Top + 0.6 Middle + 0.2 Bottom of the cells as shown.
  EXPECT_EQ(grid.text(5, 0), "Average");
  EXPECT_EQ(grid.text(5, 1), "1.12");  // 0.2 + 0.66 + 0.26
  EXPECT_EQ(grid.text(5, 3), ".13");   // 0.04 + 0.09 + 0
  EXPECT_EQ(grid.text(5, 5), "40.34");  // 7.64 + 24 + 8.7 (38.2 as shown)
  // (0.2 x 20 + 0.15 x 60 + 0) x 1000
  EXPECT_EQ(grid.text(6, 3), "13000.0");
  EXPECT_EQ(grid.text(6, 4), "per 100,000");
  EXPECT_EQ(grid.text(6, 5), "Birds");
  EXPECT_EQ(grid.text(8, 3), "Diet 3  wt");
  EXPECT_EQ(grid.text(10, 0), "Middle Convix");
  EXPECT_EQ(grid.text(10, 1), "2.400");
  EXPECT_EQ(grid.text(11, 3), "2.062");  // half to even
  EXPECT_EQ(grid.text(11, 4), "");       // three phases only
  EXPECT_NE(w.Label1.caption.find("With a Target Flock Weight of  2450 kg., these are"), std::string::npos);
  EXPECT_EQ(w.Label1.caption.find("When Sorted by Feed Conversion, the Flock Split  shows"), 0u);
  EXPECT_NE(w.Label1.caption.find("groups.    Flock Density"), std::string::npos);
  EXPECT_NE(w.Label1.caption.find("Density.\nWith"), std::string::npos);
}

TEST(FrmCalibrationTest, CopyAllKeepsTheCurrentCell) {
  LowerCostRecord r;
  r.DietCount = 1;
  FrmCalibration w;
  LoadFrmCalibration(w, r, kSplit);
  w.Grid1.setCurrent(3, 2);
  MemoryClipboard clipboard;
  FrmCalibration_CopyAll(w, clipboard);
  EXPECT_EQ(w.Grid1.row(), 3);
  EXPECT_EQ(w.Grid1.col(), 2);
  EXPECT_EQ(clipboard.text().substr(0, 8), ".000\tLow");
}

TEST(LowerCostSearchTest, ReusingRunsGivesTheSameResultsBitForBit) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  ModelState fresh = m, reused = m;
  const LowerCostGroup everyRun = LowerCostSearch(fresh, s, kGroupBottom, false);
  const LowerCostGroup reusing = LowerCostSearch(reused, s, kGroupBottom, true);
  expectSameGroup(everyRun, reusing);
  // This group finds a cheaper programme that keeps its composition: the cost shown is
  // that of the amounts shown.
  ASSERT_FALSE(reusing.keptInitial);
  EXPECT_LT(reusing.LowestCost, reusing.InitialCost);
  EXPECT_GE(reusing.Composition, 0.98 * reusing.ReferenceComposition);
  EXPECT_DOUBLE_EQ(plainCost(reused, s, {reusing.BestFeed[1], reusing.BestFeed[2], 0}), reusing.LowestCost);
  EXPECT_LT(reusing.growthRuns, everyRun.growthRuns);
  EXPECT_EQ(everyRun.growthRuns, everyRun.evaluations);
  // Both leave the model on the last evaluation's run.
  EXPECT_EQ(fresh.FeedAllotment, reused.FeedAllotment);
  EXPECT_EQ(fresh.BodyWeight, reused.BodyWeight);
}

TEST(LowerCostSearchTest, StartCutsTheFirstThreePhasesTo66Percent) {
  EXPECT_EQ(LowerCostStartPoint({1.0, 2.0, 3.0}), (std::vector<double>{0.66, 1.32, 1.98}));
  EXPECT_EQ(LowerCostStartPoint({1.0, 2.0, 3.0, 4.0, 5.0}), (std::vector<double>{0.66, 1.32, 1.98, 4.0, 5.0}));
  EXPECT_EQ(LowerCostStartPoint({0.5, 2.0}), (std::vector<double>{0.33, 1.32}));
}

TEST(LowerCostSearchTest, NothingBelowTheOwnProgrammeReportsTheOwnProgramme) {
  // Without an F E correction this group's start loses composition: every point the
  // minimiser reaches costs four times over, more than the group's own programme.
  ModelState m = runnableModel();
  LowerCostSetup s = setupFor(m);
  for (int sex = 1; sex <= 2; ++sex) s.calibration(kGroupTop, sex, kItemFeCorrection) = 0;
  ModelState run = m;
  const LowerCostGroup r = LowerCostSearch(run, s, kGroupTop);
  ASSERT_TRUE(r.searched);
  LowerCostGroup probe;
  probe.ReferenceComposition = r.ReferenceComposition;
  probe.MinimumFeed = r.MinimumFeed;
  ModelState start = run;
  const std::vector<double> own{0.55, 1.6, r.BestFeed[3]};
  EXPECT_GT(CostObjective(start, s, probe)(LowerCostStartPoint(own)), r.InitialCost);

  EXPECT_TRUE(r.keptInitial);
  EXPECT_EQ(r.LowestCost, r.InitialCost);
  EXPECT_EQ(r.saving(), 0);
  EXPECT_EQ(r.Composition, r.ReferenceComposition);
  EXPECT_EQ(r.BestFeed[1], 0.55);
  EXPECT_EQ(r.BestFeed[2], 1.6);
  ModelState check = run;
  ASSERT_TRUE(RunProgramme(check, own, kTarget));
  EXPECT_EQ(check.FeedAllotment[3], r.BestFeed[3]);  // what the own programme's last phase ate
  EXPECT_EQ(check.FinalAge, r.FinalAge);
  EXPECT_DOUBLE_EQ(0.40 * 0.55 + 0.36 * 1.6 + 0.33 * r.BestFeed[3], r.InitialCost);
}

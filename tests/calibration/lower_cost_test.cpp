#include "calibration/lower_cost_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "calibration/lower_cost_command.h"
#include "calibration/lower_cost_window.h"
#include "calibration/predict_file.h"
#include "model/growth_run.h"
#include "tests/calibration/calibration_fixture.h"
#include "views/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

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

// Exact equality of everything a group's search reports.
void expectSameGroup(const LowerCostGroup& a, const LowerCostGroup& b) {
  auto fields = [](const LowerCostGroup& g) {
    return std::vector<double>{g.LowestCost, g.InitialCost, g.FeedConversion, g.FinalAge, g.Composition,
                               g.BestFeed[1], g.BestFeed[2], g.BestFeed[3], static_cast<double>(g.evaluations)};
  };
  EXPECT_EQ(fields(a), fields(b));
}

}  // namespace

TEST(LowerCostParts, LastPhaseFeedAndCompositionMeasure) {
  ModelState m;
  m.DietCount = 3;
  m.FeedIntake[1][99] = 4.0;
  m.FeedIntake[2][99] = 3.5;
  m.FeedAllotment = {0, 0.5, 1.5, 9.0};
  EXPECT_DOUBLE_EQ(LastPhaseFeed(m, 1), 2.0);  // the total less the earlier phases
  EXPECT_DOUBLE_EQ(LastPhaseFeed(m, 2), 1.5);
  // Components 12 and 14 of the model's sex on the final day; the others do not count.
  m.ModelSex = 2;
  m.FinalDay = 40;
  m.ComponentMass[2][12][40] = 410.5;
  m.ComponentMass[2][14][40] = 95.25;
  m.ComponentMass[2][13][40] = 1000;
  m.ComponentMass[2][12][39] = 1000;
  EXPECT_DOUBLE_EQ(CompositionMeasure(m), 505.75);
  EXPECT_EQ(LowerCostStartPoint({1.0, 2.0, 3.0, 4.0, 5.0}), (std::vector<double>{0.66, 1.32, 1.98, 4.0, 5.0}));
  EXPECT_EQ(LowerCostStartPoint({0.5, 2.0}), (std::vector<double>{0.33, 1.32}));
}

TEST(CostObjectiveTest, LastPhaseTakesWhatTheBirdNeedsAndEachBrokenLimitCountsFourTimes) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  LowerCostGroup none;
  CostObjective(m, s, none)({0.5, 1.2, 7.0});
  EXPECT_EQ(m.FeedAllotment[2], 1.2);
  EXPECT_DOUBLE_EQ(m.FeedAllotment[3], m.FeedIntake[m.ModelSex][99] - 1.7);

  const std::vector<double> x{0.3, 0.6, 2.0};
  const double plain = plainCost(m, s, x);
  ModelState probe = m;
  RunProgramme(probe, x, kTarget);
  const double composition = CompositionMeasure(probe);
  struct Case {
    PhaseVector minimum;
    double reference;  // the composition 2 % under the reference is a breach
    double factor;
  };
  for (const Case& c : {Case{{0, 0.25, 0.5, 5.0}, 0, 1},  // phase 3 is never held to its minimum
                        Case{{0, 0.35, 0.5, 0}, 0, 4}, Case{{0, 0.35, 0.7, 0}, 0, 16},
                        Case{{0, 0.35, 0.7, 0}, composition / 0.979, 64},
                        Case{{0, 0.35, 0.7, 0}, composition / 0.981, 16}}) {
    LowerCostGroup record;
    record.MinimumFeed = c.minimum;
    record.ReferenceComposition = c.reference;
    EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), c.factor * plain) << c.factor;
  }
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

TEST(LowerCostSearchTest, ThreadsAndReusedRunsGiveTheSequentialResultsBitForBit) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  ModelState sequentialModel = m, parallelModel = m;
  const LowerCostRecord sequential = LowerCostSearchAll(sequentialModel, s, false);
  const LowerCostRecord parallel = LowerCostSearchAll(parallelModel, s, true);
  for (int g = 1; g <= 3; ++g) expectSameGroup(sequential.groups[g], parallel.groups[g]);
  // The model ends with the Bottom calibration, hatch weights included.
  EXPECT_EQ(parallelModel.GrowthParams[1][kParamW0], 48);
  EXPECT_EQ(parallelModel.BodyWeight[1][0], 48);
  EXPECT_EQ(parallelModel.FeCorrection[1], 0.06);
  EXPECT_EQ(parallelModel.GrowthParams[2][kParamK], s.calibration(3, 2, kItemRate));
  // The minimums are half the group's programme (the last phase what it needed).
  EXPECT_DOUBLE_EQ(sequential.groups[kGroupMiddle].MinimumFeed[1], 0.275);
  EXPECT_DOUBLE_EQ(sequential.groups[kGroupMiddle].MinimumFeed[2], 0.8);

  // The Bottom group alone, with or without reused runs, gives the same.
  ModelState fresh = m, reused = m;
  const LowerCostGroup everyRun = LowerCostSearch(fresh, s, kGroupBottom, false);
  const LowerCostGroup reusing = LowerCostSearch(reused, s, kGroupBottom, true);
  expectSameGroup(everyRun, sequential.groups[kGroupBottom]);
  expectSameGroup(everyRun, reusing);
  EXPECT_LT(reusing.growthRuns, everyRun.growthRuns);
  EXPECT_EQ(everyRun.growthRuns, everyRun.evaluations);
  EXPECT_EQ(fresh.BodyWeight, reused.BodyWeight);  // both left on the last evaluation's run
  // It finds a cheaper programme that keeps its composition: the cost shown is that of the
  // amounts shown.
  ASSERT_FALSE(reusing.keptInitial);
  EXPECT_LT(reusing.LowestCost, reusing.InitialCost);
  EXPECT_GE(reusing.Composition, 0.98 * reusing.ReferenceComposition);
  EXPECT_DOUBLE_EQ(plainCost(reused, s, {reusing.BestFeed[1], reusing.BestFeed[2], 0}), reusing.LowestCost);
  ModelState check = reused;  // the last phase shown is what the run on the best amounts ate
  ASSERT_TRUE(RunProgramme(check, {reusing.BestFeed[1], reusing.BestFeed[2], reusing.BestFeed[3]}, kTarget));
  EXPECT_DOUBLE_EQ(check.FeedAllotment[3], reusing.BestFeed[3]);
}

// ---- the command ----------------------------------------------------------------------

namespace {

struct CommandFixture {
  Workspace ws;
  ModelState model = runnableModel();
  CalibrationRecord calibration;
  TempFolder temp{"lowcost"};
  std::filesystem::path folder = temp.path;
  LowerCostRecord record;
  FrmCalibration window;

  CommandFixture() {
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
  LowerCostContext context() { return {ws, model, calibration, kSplit, folder, true}; }
};

}  // namespace

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

TEST(Command7, RefusalsSayWhyAndRunNothing) {
  struct Case {
    const char* says;
    LowerCostEnd end;
    std::function<void(CommandFixture&)> setUp;
  };
  const std::vector<Case> cases{
      {"Predict.txt", LowerCostEnd::NoCalibration, [](CommandFixture&) {}},  // no calibration, no file
      {"ends before", LowerCostEnd::NoCalibration,  // a file cut after the Bottom group
       [](CommandFixture& f) { std::ofstream(f.folder / "Predict.txt") << "\"Bottom\"\r\n 48 , 1 , 5 , .06 , 0 \r\n"; }},
      {"Bottom", LowerCostEnd::GroupTooOld,  // older than 69 days
       [](CommandFixture& f) {
         f.calibration = groupCalibrations(f.model);
         f.ws.Gridanal.setText(15, 3, "69.5");
       }},
  };
  for (const Case& c : cases) {
    CommandFixture f;
    c.setUp(f);
    f.calibration.TargetWeight = 2450;
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    auto context = f.context();
    const ModelState before = f.model;
    EXPECT_EQ(SearchLowerCost(context, dialogs, f.record, f.window), c.end) << c.says;
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].find(c.says), std::string::npos) << dialogs.shown()[0];
    EXPECT_FALSE(f.window.visible);
    EXPECT_EQ(f.model.BodyWeight, before.BodyWeight);
    EXPECT_EQ(f.model.FeedAllotment, before.FeedAllotment);
  }
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
  EXPECT_EQ(f.calibration(kGroupBottom, 1, kItemHatchWeight), 48);
  EXPECT_EQ(f.model.BodyWeight[1][0], 48);  // the Bottom group ran last
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
  // Group rows: lowest cost, saving, age (38.25 half to even).
  expectCells(w.Grid1, {{0, 0, "2450.000"}, {1, 1, "1.000"}, {1, 3, ".200"}, {3, 3, ".000"}, {1, 5, "38.2"},
                        {3, 5, "43.5"}});
  // 0.2 Top + 0.6 Middle + 0.2 Bottom of the cells as shown: 0.2 + 0.66 + 0.26, 0.04 + 0.09
  // + 0, 7.64 + 24 + 8.7; the saving per 100,000 birds (0.2 x 20 + 0.15 x 60 + 0) x 1000.
  expectCells(w.Grid1, {{5, 1, "1.12"}, {5, 3, ".13"}, {5, 5, "40.34"}, {6, 3, "13000.0"}});
  // Best feed amounts (2.0625 half to even), three phases only.
  expectCells(w.Grid1, {{10, 1, "2.400"}, {11, 3, "2.062"}, {11, 4, ""}});
  EXPECT_NE(w.Label1.caption.find("With a Target Flock Weight of  2450 kg., these are"), std::string::npos);
  EXPECT_EQ(w.Label1.caption.find("When Sorted by Feed Conversion, the Flock Split  shows"), 0u);
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
  EXPECT_TRUE(r.keptInitial);
  EXPECT_EQ(r.LowestCost, r.InitialCost);
  EXPECT_EQ(r.Composition, r.ReferenceComposition);
  EXPECT_EQ(r.BestFeed[1], 0.55);
  EXPECT_EQ(r.BestFeed[2], 1.6);
  ModelState check = run;
  ASSERT_TRUE(RunProgramme(check, {0.55, 1.6, r.BestFeed[3]}, kTarget));
  EXPECT_EQ(check.FeedAllotment[3], r.BestFeed[3]);  // what the own programme's last phase ate
  EXPECT_DOUBLE_EQ(0.40 * 0.55 + 0.36 * 1.6 + 0.33 * r.BestFeed[3], r.InitialCost);

  // With one phase every programme is the bird's own intake: nothing is cheaper.
  m.DietCount = 1;
  const LowerCostGroup one = LowerCostSearch(m, setupFor(m), kGroupTop);
  EXPECT_TRUE(one.keptInitial);
  EXPECT_EQ(one.LowestCost, one.InitialCost);
  EXPECT_DOUBLE_EQ(one.InitialCost, 0.40 * one.BestFeed[1]);
}

TEST(LowerCostSearchTest, AnOwnProgrammePastTheTargetIsPricedAtWhatTheBirdAte) {
  // 0.55 + 1.6 kg of the first two phases carry the bird far past 800 g: the group's programme
  // at that target is what its run ate, never a negative last phase.
  ModelState m = runnableModel();
  LowerCostSetup s = setupFor(m);
  s.targetGrams = 800;
  ModelState run = m;
  const LowerCostGroup r = LowerCostSearch(run, s, kGroupMiddle);
  ASSERT_TRUE(r.searched);

  ModelState own = m;
  ApplyGroupCalibration(own, s.calibration, kGroupMiddle);
  ASSERT_TRUE(RunProgramme(own, {0.55, 1.6, 2.4}, s.targetGrams));
  ASSERT_LT(own.FeedAllotment[3], 0);  // the formula's last phase
  double eatenCost = 0;
  for (int p = 1; p <= 3; ++p) eatenCost += s.price[p] * own.FeedByDietResult[p];
  EXPECT_DOUBLE_EQ(r.InitialCost, eatenCost);
  EXPECT_LE(r.LowestCost, r.InitialCost);
  if (r.keptInitial) {
    for (int p = 1; p <= 3; ++p) EXPECT_DOUBLE_EQ(r.BestFeed[p], own.FeedByDietResult[p]);
  }
}

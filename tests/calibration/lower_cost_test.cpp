#include "calibration/lower_cost_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "calibration/lower_cost_command.h"
#include "calibration/predict_file.h"
#include "model/growth_run.h"
#include "tests/calibration/calibration_fixture.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

namespace {

constexpr double Target = 2400;  // grams
constexpr std::array<double, 4> Split{100, 20, 60, 20};

LowerCostSetup setupFor(const ModelState& m) {
  LowerCostSetup s;
  s.targetGrams = Target;
  s.calibration = groupCalibrations(m);
  s.price = {0, 0.40, 0.36, 0.33};
  for (int g = 1; g <= 3; ++g) {
    s.groupIntake[g] = {0, 0.55, 1.6, 2.4};
    s.groupAge[g] = 40;
  }
  for (int p = 1; p <= 3; ++p) s.diets[p] = m.inputs.dietNutrients[p];
  return s;
}

// The cost of the programme x as the formula gives it: last phase what the run ate there.
double plainCost(ModelState m, const LowerCostSetup& s, const std::vector<double>& x) {
  EXPECT_TRUE(runProgramme(m, x, s.targetGrams));
  double cost = 0;
  for (int p = 1; p <= m.inputs.dietCount; ++p) cost += s.price[p] * m.inputs.feedAllotment[p];
  return cost;
}

// Exact equality of everything a group's search reports.
void expectSameGroup(const LowerCostGroup& a, const LowerCostGroup& b) {
  auto fields = [](const LowerCostGroup& g) {
    return std::vector<double>{g.lowestCost, g.initialCost, g.feedConversion, g.finalAge, g.composition,
                               g.bestFeed[1], g.bestFeed[2], g.bestFeed[3], static_cast<double>(g.evaluations)};
  };
  EXPECT_EQ(fields(a), fields(b));
}

}  // namespace

TEST(LowerCostParts, CompositionMeasureAndStartPoint) {
  ModelState m;
  // Components 12 and 14 of the model's sex on the final day; the others do not count.
  m.inputs.modelSex = 2;
  m.results.finalDay = 40;
  m.results.componentMass[2][40][12] = 410.5;
  m.results.componentMass[2][40][14] = 95.25;
  m.results.componentMass[2][40][13] = m.results.componentMass[2][39][12] = 1000;
  EXPECT_DOUBLE_EQ(compositionMeasure(m), 505.75);
  EXPECT_EQ(lowerCostStartPoint({1.0, 2.0, 3.0, 4.0, 5.0}), (std::vector<double>{0.66, 1.32, 1.98, 4.0, 5.0}));
}

TEST(CostObjectiveTest, LastPhaseTakesWhatTheBirdNeedsAndEachBrokenLimitCountsFourTimes) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  LowerCostGroup none;
  CostObjective(m, s, none)({0.5, 1.2, 7.0});
  EXPECT_EQ(m.inputs.feedAllotment[2], 1.2);
  EXPECT_DOUBLE_EQ(m.inputs.feedAllotment[3], m.results.feedToEnd[m.inputs.modelSex] - 1.7);

  const std::vector<double> x{0.3, 0.6, 2.0};
  const double plain = plainCost(m, s, x);
  ModelState probe = m;
  runProgramme(probe, x, Target);
  const double composition = compositionMeasure(probe);
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
    record.minimumFeed = c.minimum;
    record.referenceComposition = c.reference;
    EXPECT_DOUBLE_EQ(CostObjective(m, s, record)(x), c.factor * plain) << c.factor;
  }
}

TEST(CostObjectiveTest, NegativePhaseAmountRanksAboveEveryFeasibleProgramme) {
  ModelState m = runnableModel();
  LowerCostSetup s = setupFor(m);
  LowerCostGroup record;
  record.minimumFeed = {0, 1.0, 1.0, 0};
  record.referenceComposition = 1e9;  // every feasible run breaks all three limits: 64 x
  CostObjective cost(m, s, record);
  const double feasible = cost({0.3, 0.6, 2.0});
  EXPECT_GT(feasible, 0);
  // Phases 1 and 2 hold more than the bird eats in all: the last phase would go negative.
  const double overfed = cost({4.0, 4.0, 2.0});
  const double negativeFirst = cost({-0.5, 1.0, 2.0});
  EXPECT_GT(overfed, feasible);
  EXPECT_GT(negativeFirst, feasible);
  EXPECT_GE(overfed, cost.infeasibleFloor());
  EXPECT_DOUBLE_EQ(record.lowestCost, feasible);  // the best stays the feasible run
}

TEST(LowerCostSearchTest, GroupsStartAlikeAndReusedRunsGiveTheResultsOfEveryRunBitForBit) {
  ModelState m = runnableModel();
  const LowerCostSetup s = setupFor(m);
  ModelState allModel = m;
  const LowerCostRecord sequential = lowerCostSearchAll(allModel, s);
  EXPECT_EQ(allModel.inputs.growthParams[2][ParamK], s.calibration(3, 2, ItemRate));  // left on Bottom's
  // The minimums are half the group's programme (the last phase what it needed).
  EXPECT_DOUBLE_EQ(sequential.groups[GroupMiddle].minimumFeed[1], 0.275);
  EXPECT_DOUBLE_EQ(sequential.groups[GroupMiddle].minimumFeed[2], 0.8);

  // The Bottom group alone, with or without reused runs, gives the same.
  ModelState fresh = m, reused = m;
  const LowerCostGroup everyRun = lowerCostSearch(fresh, s, GroupBottom, false);
  const LowerCostGroup reusing = lowerCostSearch(reused, s, GroupBottom, true);
  expectSameGroup(everyRun, sequential.groups[GroupBottom]);
  expectSameGroup(everyRun, reusing);
  EXPECT_LT(reusing.growthRuns, everyRun.growthRuns);
  EXPECT_EQ(everyRun.growthRuns, everyRun.evaluations);
  EXPECT_EQ(fresh.results.bodyWeight, reused.results.bodyWeight);  // both left on the last evaluation's run
  // It finds a cheaper programme that keeps its composition: the cost shown is that of the
  // amounts shown.
  ASSERT_FALSE(reusing.keptInitial);
  EXPECT_LT(reusing.lowestCost, reusing.initialCost);
  EXPECT_GE(reusing.composition, 0.98 * reusing.referenceComposition);
  EXPECT_DOUBLE_EQ(plainCost(reused, s, {reusing.bestFeed[1], reusing.bestFeed[2], 0}), reusing.lowestCost);
  ModelState check = reused;  // the last phase shown is what the run on the best amounts ate
  ASSERT_TRUE(runProgramme(check, {reusing.bestFeed[1], reusing.bestFeed[2], reusing.bestFeed[3]}, Target));
  EXPECT_DOUBLE_EQ(check.inputs.feedAllotment[3], reusing.bestFeed[3]);
}

// ---- the command ----------------------------------------------------------------------

TEST(lowerCostButton, ReadsPredictFileAndTakesAKilogramTargetAsGrams) {
  Workspace ws;
  ModelState model = runnableModel();
  SplitFlocks split;
  for (int g = 1; g <= 3; ++g) {
    split.flocks.push_back({.flock = g, .group = g, .liveWeight = 2.4, .age = 40, .intake = {0, .55, 1.6, 2.4}});
    split.sizes[static_cast<std::size_t>(g)] = 1;
  }
  for (int p = 1; p <= 3; ++p) {
    ws.diets.dietTable[p][ValFeedCost] = 0.3 + 0.01 * p;
    for (int k = 0; k < Nutrients; ++k) ws.diets.enteredDiets[p][k] = model.inputs.dietNutrients[p][k];
  }
  TempFolder temp{"lowcost"};
  ASSERT_TRUE(writePredictFile(groupCalibrations(model), temp.path()));
  CalibrationRecord calibration;
  calibration.targetWeight = 2.45;
  ScriptedDialogs dialogs;
  dialogs.expectInput("", "2.45");
  bool flag = true;
  LowerCostContext context{ws, model, calibration, split, Split, temp.path()};
  LowerCostRecord record;
  ASSERT_EQ(searchLowerCost(context, flag, dialogs, record), LowerCostEnd::Searched);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(calibration.targetWeight, 2450);
  EXPECT_EQ(model.inputs.hatchWeight[1], 48);  // read from the file, the Bottom group ran last
  EXPECT_EQ(record.targetWeight, 2450);
}

// ---- the results window ---------------------------------------------------------------

TEST(LowerCostSearchTest, AnOwnProgrammePastTheTargetIsPricedAtWhatTheBirdAte) {
  // 0.55 + 1.6 kg of the first two phases carry the bird far past 800 g: the group's programme
  // at that target is what its run ate, never a negative last phase.
  ModelState m = runnableModel();
  LowerCostSetup s = setupFor(m);
  s.targetGrams = 800;
  ModelState run = m;
  const LowerCostGroup r = lowerCostSearch(run, s, GroupMiddle);
  ASSERT_TRUE(r.searched);

  ModelState own = m;
  applyGroupCalibration(own, s.calibration, GroupMiddle);
  ASSERT_TRUE(runProgramme(own, {0.55, 1.6, 2.4}, s.targetGrams));
  double eatenCost = 0;
  for (int p = 1; p <= 3; ++p) eatenCost += s.price[p] * own.results.feedByDiet[p];
  EXPECT_DOUBLE_EQ(r.initialCost, eatenCost);
  EXPECT_LE(r.lowestCost, r.initialCost);
  if (r.keptInitial) {
    for (int p = 1; p <= 3; ++p) EXPECT_DOUBLE_EQ(r.bestFeed[p], own.results.feedByDiet[p]);
  }
}

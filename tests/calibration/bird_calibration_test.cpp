#include "calibration/bird_calibration.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calibration/calibration_record.h"
#include "tests/calibration/calibration_fixture.h"
#include "controls/scripted_dialogs.h"

using namespace plumetra;
using plumetra::calibration_test::runnableModel;

namespace {

// A group made by the model itself: known growth parameters and F E correction, run to the
// group age; its weight and feed conversion there are the group's figures.
struct KnownGroup {
  GroupTargets targets;
  ModelState start;  // the model before calibration, on the breed parameters
};

KnownGroup knownGroup(int sex, double age) {
  ModelState truth = runnableModel(sex);
  const std::array<double, 4> factor{1.02, 0.97, 1.04, 1.05};
  for (int s = 1; s <= 2; ++s)
    for (int r = 0; r < 4; ++r) truth.inputs.growthParams[s][r] *= factor[r];
  setHatchWeights(truth);
  truth.inputs.feCorrection = {0, 0.11, 0.12};
  truth.inputs.stop = RunStop::atAge(age);
  growFlock(truth);
  EXPECT_FALSE(truth.results.modelError);

  KnownGroup g;
  g.targets.weightKg = truth.results.weightAtEnd[sex] / 1000;
  g.targets.age = age;
  g.targets.feedConversion = truth.results.finalFeedConversion;
  g.targets.group = GroupTop;
  g.targets.chosenSex = sex;
  g.start = runnableModel(sex);
  return g;
}

}  // namespace

TEST(SexFeedConversionTargets, SplitsTheGroupConversionBetweenTheSexes) {
  // W0 = 2.5 kg: r = -0.003526308 * 6.25 + 0.028721086 * 2.5 + 1.000245 = 1.05000829,
  // q2 = 1.025004145, q1 = 0.974995855.
  const double q1 = 0.974995855, q2 = 1.025004145;
  struct Case {
    int sex;
    double fc0, fcSex;  // the two given by the rule for that sex (mixed: males); the third from the balance
  };
  for (const Case& c : {Case{0, 1.6, 1.6 * q1}, Case{1, 1.6 / q1, 1.6}, Case{2, 1.6 / q2, 1.6}}) {
    CalibrationWork work;
    work.group.feedConversion = 1.6;
    work.group.chosenSex = c.sex;
    work.targetWeight = {2500, 2700, 2300};
    sexFeedConversionTargets(work);
    const auto& fc = work.targetFeedConversion;
    EXPECT_NEAR(fc[0], c.fc0, 1e-8) << c.sex;
    EXPECT_NEAR(fc[std::max(c.sex, 1)], c.fcSex, 1e-8) << c.sex;
    // The mixed flock eats as half males and half females.
    EXPECT_NEAR(2 * fc[0] * 2500, 2700 * fc[1] + 2300 * fc[2], 1e-9) << c.sex;
  }
}

TEST(CalibrationObjective, RoundsTheGroupAgeHalfToEvenAndSkipsEmptyReferenceDays) {
  for (const auto& [age, day] : {std::pair{40.5, 40}, std::pair{41.5, 42}}) {
    ModelState model = runnableModel(1);
    CalibrationWork work;
    work.group.age = age;
    for (int r = 0; r < 4; ++r) work.base[1][r] = model.inputs.growthParams[1][r];
    work.targetWeight[1] = 2000;
    work.targetFeedConversion[1] = 1.5;
    const ObjectiveRun run = runCalibrationObjective(model, work, 1, {100, 100, 100, 100, 100});
    const auto& w = model.results.bodyWeight[1];
    double feed = 0;
    for (int d = 1; d <= day; ++d) feed += model.results.feedIntake[1][d];
    const double wA = w[day] + (w[day + 1] - w[day]) * (age - day);
    const double fc = 1000 * feed / wA;
    const double expected = 1000 * std::pow((wA - 2000) / 100, 2) + 500000 * std::pow(fc - 1.5, 2);
    EXPECT_NEAR(run.value, expected, 1e-9 * expected) << age;
    EXPECT_DOUBLE_EQ(run.set[4], 0.1);
  }
}

TEST(CalibrationObjective, AModelErrorScoresTenToTheTenAndIsNeverBest) {
  ModelState model = runnableModel(1);
  CalibrationWork work;
  work.group.age = 42;
  work.best[1] = 5000;
  // A zero hatch weight leaves no start weight: the run raises the model-error flag.
  const double f = calibrationObjective(model, work, {100, 100, 100, 100, 100});
  EXPECT_EQ(f, FailedObjective);
  EXPECT_EQ(work.best[1], 5000);
}

// Mixed and male groups made by the model: the calibrated model, left on a run to the group
// weight, reaches it within half a day and 0.01 feed conversion; its gradient runs on three
// threads give the same bits as on one.
TEST(CalibrateGroup, RecoversGroupsMadeByTheModelOnOneThreadAsOnThree) {
  for (const auto& [sex, age] : {std::pair{0, 42.0}, std::pair{1, 38.5}}) {
    SCOPED_TRACE(sex);
    KnownGroup g = knownGroup(sex, age);
    ModelState parallel = g.start;
    ScriptedDialogs dialogs, parallelDialogs;
    const GroupCalibration result = calibrateGroup(g.start, g.targets, dialogs, {.threads = 1});
    EXPECT_EQ(result.end, CalibrationEnd::Completed);
    EXPECT_FALSE(result.failed);
    EXPECT_TRUE(dialogs.finished()) << (dialogs.shown().empty() ? "" : dialogs.shown()[0]);
    EXPECT_EQ(g.start.inputs.modelSex, sex);
    EXPECT_NEAR(g.start.results.finalAge, age, 0.5);
    EXPECT_NEAR(g.start.results.finalFeedConversion, g.targets.feedConversion, 0.01);
    for (int r = 0; r < 4; ++r) {
      EXPECT_GE(g.start.inputs.growthParams[1][r], result.work.low[1][r]);
      EXPECT_LE(g.start.inputs.growthParams[1][r], result.work.high[1][r]);
    }

    const GroupCalibration threaded = calibrateGroup(parallel, g.targets, parallelDialogs, {.threads = 3});
    EXPECT_EQ(result.work.evaluations, threaded.work.evaluations);
    EXPECT_EQ(result.work.best, threaded.work.best);
    EXPECT_EQ(result.work.bestSet, threaded.work.bestSet);
    EXPECT_EQ(g.start.inputs.growthParams, parallel.inputs.growthParams);
    EXPECT_EQ(g.start.results.bodyWeight, parallel.results.bodyWeight);
  }
}

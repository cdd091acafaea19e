// The growth run: stop modes with the fractional last day, phase switching by feed eaten,
// the feed bookkeeping, the endings and the independence of copied models.

#include "model/composition.h"
#include "model/growth_run.h"

#include "tests/model/growth_test_model.h"
#include "controls/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <memory>

namespace plumetra {
namespace {

std::unique_ptr<ModelState> model(int stopMode, double target, int sex = 0) {
  auto m = std::make_unique<ModelState>(testing::threePhaseModel());
  m->inputs.stop = testing::stopAt(stopMode, target);
  m->inputs.modelSex = sex;
  return m;
}

std::unique_ptr<ModelState> grown(int stopMode, double target, int sex = 0) {
  auto m = model(stopMode, target, sex);
  EXPECT_EQ(growFlock(*m), GrowthRunEnd::TargetReached);
  return m;
}

double feedEaten(const ModelState& m, int sex, int lastDay) {
  double sum = 0;
  for (int d = 1; d <= lastDay; ++d) sum += m.results.feedIntake[sex][d];
  return sum;
}

TEST(GrowthRun, AgeTargetStopsOnTheDayAndAFractionInterpolatesTheLastDay) {
  const auto whole = grown(StopOnAge, 31);
  EXPECT_EQ(whole->results.finalAge, 31);
  EXPECT_EQ(whole->results.finalDay, 31);
  EXPECT_EQ(whole->results.weightAtEnd[0], whole->results.bodyWeight[0][31]);
  EXPECT_EQ(whole->results.feedToEnd[0], feedEaten(*whole, 0, 31));
  EXPECT_NEAR(whole->results.finalFeedConversion, whole->results.totalFeed / (whole->results.bodyWeight[0][31] / 1000), 1e-12);
  EXPECT_TRUE(whole->results.messages.empty());

  const auto part = grown(StopOnAge, 30.25);
  EXPECT_DOUBLE_EQ(part->results.finalAge, 30.25);
  EXPECT_EQ(part->results.finalDay, 31);
  for (int s = 0; s < SexRows; ++s) {
    const double w30 = whole->results.bodyWeight[s][30], w31 = whole->results.bodyWeight[s][31];
    EXPECT_NEAR(part->results.bodyWeight[s][31], w30 + 0.25 * (w31 - w30), 1e-9);
    EXPECT_NEAR(part->results.feedIntake[s][31], 0.25 * whole->results.feedIntake[s][31], 1e-12);
  }
  // The uneaten part of the last day comes off the phase that was fed (2 of 3).
  EXPECT_NEAR(part->results.totalFeed, feedEaten(*part, 0, 31), 1e-12);
  const auto half = grown(StopOnAge, 20.5);
  EXPECT_EQ(half->results.feedByDiet[3], 0);
  EXPECT_NEAR(half->results.feedByDiet[2], feedEaten(*half, 0, half->results.finalDay) - 0.5, 1e-12);
}

TEST(GrowthRun, WeightTargetStopsWithinTheDay) {
  auto m = model(StopOnWeight, 2000);
  ASSERT_EQ(growFlock(*m), GrowthRunEnd::TargetReached);
  const int day = m->results.finalDay;
  EXPECT_NEAR(m->results.bodyWeight[0][day], 2000, 1e-9);
  EXPECT_EQ(m->results.finalWeight, m->results.bodyWeight[0][day]);

  const auto whole = grown(StopOnAge, day);
  const double before = whole->results.bodyWeight[0][day - 1], after = whole->results.bodyWeight[0][day];
  ASSERT_LT(before, 2000);
  ASSERT_GE(after, 2000);
  EXPECT_NEAR(m->results.finalAge, day - 1 + (2000 - before) / (after - before), 1e-12);
}

// Three phases, and six whose last day's overflow is booked back on phase six: each phase is
// eaten as allotted and the run ends as the last one is used up.
TEST(GrowthRun, FeedTargetEndsAsTheLastPhaseIsUsedUp) {
  for (const PhaseVector& amounts : {PhaseVector{0, 0.5, 1.5, 2.5}, PhaseVector{0, 0.3, 0.6, 0.8, 0.8, 1.0, 1.0}}) {
    auto m = model(StopOnFeed, 4.5);
    m->inputs.dietCount = amounts[4] > 0 ? 6 : 3;
    double energy = 0;
    for (int d = 1; d <= m->inputs.dietCount; ++d) {
      if (d > 3) m->inputs.dietNutrients[d] = testing::Finisher;
      m->inputs.feedAllotment[d] = amounts[d];
      energy += amounts[d] * m->inputs.dietNutrients[d][1];
    }
    ASSERT_EQ(growFlock(*m), GrowthRunEnd::TargetReached);
    for (int d = 1; d <= 6; ++d) EXPECT_NEAR(m->results.feedByDiet[d], amounts[d], 1e-12) << "phase " << d;
    EXPECT_NEAR(m->results.totalFeed, 4.5, 1e-12);
    EXPECT_NEAR(feedEaten(*m, 0, m->results.finalDay), 4.5, 1e-12);
    EXPECT_EQ(m->results.finalWeight, m->results.bodyWeight[0][m->results.finalDay]);
    EXPECT_NEAR(m->results.finalFeedConversion, 4.5 / (m->results.finalWeight / 1000), 1e-12);
    EXPECT_NEAR(m->results.totalEnergyEaten, energy, 1e-9);
  }
}

TEST(GrowthRun, PhasesChangeTheDayAfterTheirFeedIsEatenWithTheExcessBookedForward) {
  const auto probe = grown(StopOnAge, 40);
  int firstFull = 1;  // the day on which 0.5 kg of starter has been eaten
  while (feedEaten(*probe, 0, firstFull) < 0.5) ++firstFull;

  const auto onDay = grown(StopOnAge, firstFull);
  EXPECT_NEAR(onDay->results.feedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(onDay->results.feedByDiet[2], feedEaten(*onDay, 0, firstFull) - 0.5, 1e-12);

  // A richer grower changes nothing up to that day and the growth of the day after.
  const auto richer = [&](int days) {
    auto m = model(StopOnAge, days);
    m->inputs.dietNutrients[2][1] = 3300;
    growFlock(*m);
    return m;
  };
  EXPECT_EQ(richer(firstFull)->results.bodyWeight, onDay->results.bodyWeight);
  const auto next = grown(StopOnAge, firstFull + 1);
  EXPECT_NE(richer(firstFull + 1)->results.bodyWeight[0][firstFull + 1], next->results.bodyWeight[0][firstFull + 1]);
}

TEST(GrowthRun, PhaseOneWithoutEnergyIsRefusedBeforeAnyDayIsGrown) {
  ScriptedDialogs dialogs;
  auto first = grown(StopOnFeed, 4.5);  // an earlier run's days must not look like this run's
  first->inputs.dietNutrients[1][1] = 0;
  dialogs.expectMessage("Check energy value of diet # 1");
  EXPECT_EQ(growFlock(*first, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_EQ(first->results.bodyWeight[1][5], 0);
  EXPECT_TRUE(dialogs.finished());
}

TEST(GrowthRun, StateOfAnEarlierRunIsNotCarriedOver) {
  const auto fresh = grown(StopOnFeed, 4.5);
  auto stale = model(StopOnFeed, 4.5);
  stale->results.feedByDiet.fill(9);
  growFlock(*stale);
  EXPECT_EQ(stale->results.feedByDiet, fresh->results.feedByDiet);
  EXPECT_EQ(stale->results.totalFeed, fresh->results.totalFeed);

  auto hatch = model(StopOnAge, 10);  // missing hatch weights come from the growth parameters
  hatch->inputs.hatchWeight = {0, 0, 0};
  growFlock(*hatch);
  EXPECT_EQ(hatch->results.bodyWeight[1][0], hatch->inputs.growthParams[1][ParamW0]);
  EXPECT_EQ(hatch->results.bodyWeight[2][0], hatch->inputs.growthParams[2][ParamW0]);
  EXPECT_FALSE(hatch->results.modelError);
}

TEST(GrowthRun, ACopiedModelRunsBitIdenticallyAndIndependently) {
  auto original = grown(StopOnFeed, 4.5);  // with the state of an earlier run behind it
  original->inputs.stop = RunStop::atFeed(4.0);
  auto copy = std::make_unique<ModelState>(*original);
  growFlock(*original);
  growFlock(*copy);
  EXPECT_EQ(std::memcmp(&original->results.bodyWeight, &copy->results.bodyWeight, sizeof(SexTable)), 0);
  EXPECT_EQ(std::memcmp(&original->results.componentMass, &copy->results.componentMass, sizeof(ComponentTable)), 0);
  EXPECT_EQ(original->results.finalFeedConversion, copy->results.finalFeedConversion);

  const SexTable before = original->results.bodyWeight;
  copy->inputs.stop = RunStop::atFeed(2.0);
  growFlock(*copy);
  EXPECT_EQ(std::memcmp(&before, &original->results.bodyWeight, sizeof(SexTable)), 0);
}

// Calibration files with extreme growth parameters (a female log maturity ratio of 467928, a
// hatch weight of 1E+300) made runs whose final age is not a number; the composition taken on
// the final day then read far outside its table.
TEST(GrowthRun, ExtremeGrowthParametersKeepTheRunWithinItsTables) {
  for (const auto& [row, param, value] : {std::tuple{2, ParamL, 467928.0}, std::tuple{1, ParamW0, 1e300},
                                          std::tuple{2, ParamW0, 1e300}}) {
    ModelState m = testing::threePhaseModel();
    m.inputs.growthParams[row][param] = value;
    setHatchWeights(m);
    growFlock(m);  // the sanitizer run checks every index it takes
    EXPECT_GE(m.results.finalDay, 0);
    EXPECT_LE(m.results.finalDay, LastGrowthDay);
  }
}

}  // namespace
}  // namespace plumetra

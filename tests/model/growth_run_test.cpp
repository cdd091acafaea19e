// The growth run where the bit-for-bit growth reference does not reach: a whole age, the phase
// a part day is taken off, a weight target's final weight, feed targets that use up three or six
// phases, a refused diet, copied models and extreme growth parameters.

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

using testing::stoppedModel;

std::unique_ptr<ModelState> grown(int stopMode, double target) {
  auto m = stoppedModel(stopMode, target);
  EXPECT_EQ(growFlock(*m), GrowthRunEnd::TargetReached);
  return m;
}

double feedEaten(const ModelState& m, int sex, int lastDay) {
  double sum = 0;
  for (int d = 1; d <= lastDay; ++d) sum += m.results.feedIntake[sex][d];
  return sum;
}

TEST(GrowthRun, AgeAndWeightTargetsEndOnTheirDay) {
  const auto whole = grown(StopOnAge, 31);
  EXPECT_EQ(whole->results.finalAge, 31);
  EXPECT_EQ(whole->results.finalDay, 31);
  EXPECT_EQ(whole->results.weightAtEnd[0], whole->results.bodyWeight[0][31]);
  EXPECT_EQ(whole->results.feedToEnd[0], feedEaten(*whole, 0, 31));
  EXPECT_NEAR(whole->results.finalFeedConversion,
              whole->results.totalFeed / (whole->results.bodyWeight[0][31] / 1000), 1e-12);
  EXPECT_TRUE(whole->results.messages.empty());

  // The uneaten part of the last day comes off the phase that was fed (2 of 3).
  const auto half = grown(StopOnAge, 20.5);
  EXPECT_EQ(half->results.feedByDiet[3], 0);
  EXPECT_NEAR(half->results.feedByDiet[2], feedEaten(*half, 0, half->results.finalDay) - 0.5, 1e-12);

  const auto weight = grown(StopOnWeight, 2000);
  const int day = weight->results.finalDay;
  EXPECT_NEAR(weight->results.bodyWeight[0][day], 2000, 1e-9);
  EXPECT_EQ(weight->results.finalWeight, weight->results.bodyWeight[0][day]);
}

// Three phases, and six whose last day's overflow is booked back on phase six: each phase is
// eaten as allotted and the run ends as the last one is used up.
TEST(GrowthRun, FeedTargetEndsAsTheLastPhaseIsUsedUp) {
  for (const PhaseVector& amounts : {PhaseVector{0, 0.5, 1.5, 2.5}, PhaseVector{0, 0.3, 0.6, 0.8, 0.8, 1.0, 1.0}}) {
    auto m = stoppedModel(StopOnFeed, 4.5);
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

TEST(GrowthRun, PhaseOneWithoutEnergyIsRefusedBeforeAnyDayIsGrown) {
  ScriptedDialogs dialogs;
  auto first = grown(StopOnFeed, 4.5);  // an earlier run's days must not look like this run's
  first->inputs.dietNutrients[1][1] = 0;
  dialogs.expectMessage("Check energy value of diet # 1");
  EXPECT_EQ(growFlock(*first, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_EQ(first->results.bodyWeight[1][5], 0);
  EXPECT_TRUE(dialogs.finished());
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

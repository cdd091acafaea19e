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
  auto m = std::make_unique<ModelState>(testing::ThreePhaseModel());
  m->inputs.stop = testing::StopAt(stopMode, target);
  m->inputs.ModelSex = sex;
  return m;
}

std::unique_ptr<ModelState> grown(int stopMode, double target, int sex = 0) {
  auto m = model(stopMode, target, sex);
  EXPECT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  return m;
}

double feedEaten(const ModelState& m, int sex, int lastDay) {
  double sum = 0;
  for (int d = 1; d <= lastDay; ++d) sum += m.results.FeedIntake[sex][d];
  return sum;
}

TEST(GrowthRun, AgeTargetStopsOnTheDayAndAFractionInterpolatesTheLastDay) {
  const auto whole = grown(kStopOnAge, 31);
  EXPECT_EQ(whole->results.FinalAge, 31);
  EXPECT_EQ(whole->results.FinalDay, 31);
  EXPECT_EQ(whole->results.WeightAtEnd[0], whole->results.BodyWeight[0][31]);
  EXPECT_EQ(whole->results.FeedToEnd[0], feedEaten(*whole, 0, 31));
  EXPECT_NEAR(whole->results.FinalFeedConversion, whole->results.TotalFeed / (whole->results.BodyWeight[0][31] / 1000), 1e-12);
  EXPECT_TRUE(whole->results.Messages.empty());

  const auto part = grown(kStopOnAge, 30.25);
  EXPECT_DOUBLE_EQ(part->results.FinalAge, 30.25);
  EXPECT_EQ(part->results.FinalDay, 31);
  for (int s = 0; s < kSexRows; ++s) {
    const double w30 = whole->results.BodyWeight[s][30], w31 = whole->results.BodyWeight[s][31];
    EXPECT_NEAR(part->results.BodyWeight[s][31], w30 + 0.25 * (w31 - w30), 1e-9);
    EXPECT_NEAR(part->results.FeedIntake[s][31], 0.25 * whole->results.FeedIntake[s][31], 1e-12);
  }
  // The uneaten part of the last day comes off the phase that was fed (2 of 3).
  EXPECT_NEAR(part->results.TotalFeed, feedEaten(*part, 0, 31), 1e-12);
  const auto half = grown(kStopOnAge, 20.5);
  EXPECT_EQ(half->results.FeedByDiet[3], 0);
  EXPECT_NEAR(half->results.FeedByDiet[2], feedEaten(*half, 0, half->results.FinalDay) - 0.5, 1e-12);
}

TEST(GrowthRun, WeightTargetStopsWithinTheDay) {
  auto m = model(kStopOnWeight, 2000);
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  const int day = m->results.FinalDay;
  EXPECT_NEAR(m->results.BodyWeight[0][day], 2000, 1e-9);
  EXPECT_EQ(m->results.FinalWeight, m->results.BodyWeight[0][day]);

  const auto whole = grown(kStopOnAge, day);
  const double before = whole->results.BodyWeight[0][day - 1], after = whole->results.BodyWeight[0][day];
  ASSERT_LT(before, 2000);
  ASSERT_GE(after, 2000);
  EXPECT_NEAR(m->results.FinalAge, day - 1 + (2000 - before) / (after - before), 1e-12);
}

TEST(GrowthRun, FeedTargetEndsAsTheLastPhaseIsUsedUp) {
  const auto m = grown(kStopOnFeed, 4.5);
  const double expected[] = {0, 0.5, 1.5, 2.5};
  for (int d = 1; d <= 3; ++d) EXPECT_NEAR(m->results.FeedByDiet[d], expected[d], 1e-12) << d;
  EXPECT_NEAR(m->results.TotalFeed, 4.5, 1e-12);
  EXPECT_NEAR(feedEaten(*m, 0, m->results.FinalDay), 4.5, 1e-12);
  EXPECT_EQ(m->results.FinalWeight, m->results.BodyWeight[0][m->results.FinalDay]);
  EXPECT_NEAR(m->results.FinalFeedConversion, 4.5 / (m->results.FinalWeight / 1000), 1e-12);
  EXPECT_NEAR(m->results.TotalEnergyEaten, 0.5 * 3000 + 1.5 * 3100 + 2.5 * 3200, 1e-9);
}

TEST(GrowthRun, PhasesChangeTheDayAfterTheirFeedIsEatenWithTheExcessBookedForward) {
  const auto probe = grown(kStopOnAge, 40);
  int firstFull = 1;  // the day on which 0.5 kg of starter has been eaten
  while (feedEaten(*probe, 0, firstFull) < 0.5) ++firstFull;

  const auto onDay = grown(kStopOnAge, firstFull);
  EXPECT_NEAR(onDay->results.FeedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(onDay->results.FeedByDiet[2], feedEaten(*onDay, 0, firstFull) - 0.5, 1e-12);

  // A richer grower changes nothing up to that day and the growth of the day after.
  const auto richer = [&](int days) {
    auto m = model(kStopOnAge, days);
    m->inputs.DietNutrients[2][1] = 3300;
    GrowFlock(*m);
    return m;
  };
  EXPECT_EQ(richer(firstFull)->results.BodyWeight, onDay->results.BodyWeight);
  const auto next = grown(kStopOnAge, firstFull + 1);
  EXPECT_NE(richer(firstFull + 1)->results.BodyWeight[0][firstFull + 1], next->results.BodyWeight[0][firstFull + 1]);
}

TEST(GrowthRun, SixPhasesBookTheLastDaysOverflowBackOnPhaseSix) {
  auto m = model(kStopOnFeed, 4.5);
  m->inputs.DietCount = 6;
  const double amounts[] = {0, 0.3, 0.6, 0.8, 0.8, 1.0, 1.0};
  for (int d = 4; d <= 6; ++d) m->inputs.DietNutrients[d] = testing::kFinisher;
  for (int d = 1; d <= 6; ++d) m->inputs.FeedAllotment[d] = amounts[d];
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  for (int d = 1; d <= 6; ++d) EXPECT_NEAR(m->results.FeedByDiet[d], amounts[d], 1e-12) << "phase " << d;
  EXPECT_NEAR(m->results.TotalFeed, 4.5, 1e-12);
}

TEST(GrowthRun, PhaseOneWithoutEnergyIsRefusedBeforeAnyDayIsGrown) {
  ScriptedDialogs dialogs;
  auto first = grown(kStopOnFeed, 4.5);  // an earlier run's days must not look like this run's
  first->inputs.DietNutrients[1][1] = 0;
  dialogs.expectMessage("Check energy value of diet # 1");
  EXPECT_EQ(GrowFlock(*first, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_EQ(first->results.BodyWeight[1][5], 0);
  EXPECT_TRUE(dialogs.finished());
}

TEST(GrowthRun, StateOfAnEarlierRunIsNotCarriedOver) {
  const auto fresh = grown(kStopOnFeed, 4.5);
  auto stale = model(kStopOnFeed, 4.5);
  stale->results.FeedByDiet.fill(9);
  GrowFlock(*stale);
  EXPECT_EQ(stale->results.FeedByDiet, fresh->results.FeedByDiet);
  EXPECT_EQ(stale->results.TotalFeed, fresh->results.TotalFeed);

  auto hatch = model(kStopOnAge, 10);  // missing hatch weights come from the growth parameters
  hatch->inputs.HatchWeight = {0, 0, 0};
  GrowFlock(*hatch);
  EXPECT_EQ(hatch->results.BodyWeight[1][0], hatch->inputs.GrowthParams[1][kParamW0]);
  EXPECT_EQ(hatch->results.BodyWeight[2][0], hatch->inputs.GrowthParams[2][kParamW0]);
  EXPECT_FALSE(hatch->results.ModelError);
}

TEST(GrowthRun, ACopiedModelRunsBitIdenticallyAndIndependently) {
  auto original = grown(kStopOnFeed, 4.5);  // with the state of an earlier run behind it
  original->inputs.stop = RunStop::AtFeed(4.0);
  auto copy = std::make_unique<ModelState>(*original);
  GrowFlock(*original);
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&original->results.BodyWeight, &copy->results.BodyWeight, sizeof(SexTable)), 0);
  EXPECT_EQ(std::memcmp(&original->results.ComponentMass, &copy->results.ComponentMass, sizeof(ComponentTable)), 0);
  EXPECT_EQ(original->results.FinalFeedConversion, copy->results.FinalFeedConversion);

  const SexTable before = original->results.BodyWeight;
  copy->inputs.stop = RunStop::AtFeed(2.0);
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&before, &original->results.BodyWeight, sizeof(SexTable)), 0);
}

// Calibration files with extreme growth parameters (a female log maturity ratio of 467928, a
// hatch weight of 1E+300) made runs whose final age is not a number; the composition taken on
// the final day then read far outside its table.
TEST(GrowthRun, ExtremeGrowthParametersKeepTheRunWithinItsTables) {
  for (const auto& [row, param, value] : {std::tuple{2, kParamL, 467928.0}, std::tuple{1, kParamW0, 1e300},
                                          std::tuple{2, kParamW0, 1e300}}) {
    ModelState m = testing::ThreePhaseModel();
    m.inputs.GrowthParams[row][param] = value;
    SetHatchWeights(m);
    GrowFlock(m);  // the sanitizer run checks every index it takes
    EXPECT_GE(m.results.FinalDay, 0);
    EXPECT_LE(m.results.FinalDay, kLastGrowthDay);
  }
}

}  // namespace
}  // namespace plumetra

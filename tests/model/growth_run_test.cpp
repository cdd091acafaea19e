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
  m->RunMode.stopMode = stopMode;
  m->RunTarget = target;
  m->ModelSex = sex;
  return m;
}

std::unique_ptr<ModelState> grown(int stopMode, double target, int sex = 0) {
  auto m = model(stopMode, target, sex);
  EXPECT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  return m;
}

double feedEaten(const ModelState& m, int sex, int lastDay) {
  double sum = 0;
  for (int d = 1; d <= lastDay; ++d) sum += m.FeedIntake[sex][d];
  return sum;
}

TEST(GrowthRun, AgeTargetStopsOnTheDayAndAFractionInterpolatesTheLastDay) {
  const auto whole = grown(kStopOnAge, 31);
  EXPECT_EQ(whole->FinalAge, 31);
  EXPECT_EQ(whole->FinalDay, 31);
  EXPECT_EQ(whole->BodyWeight[0][99], whole->BodyWeight[0][31]);
  EXPECT_EQ(whole->FeedIntake[0][99], feedEaten(*whole, 0, 31));
  EXPECT_NEAR(whole->FinalFeedConversion, whole->TotalFeed / (whole->BodyWeight[0][31] / 1000), 1e-12);
  EXPECT_TRUE(whole->Messages.empty());

  const auto part = grown(kStopOnAge, 30.25);
  EXPECT_DOUBLE_EQ(part->FinalAge, 30.25);
  EXPECT_EQ(part->FinalDay, 31);
  for (int s = 0; s < kSexRows; ++s) {
    const double w30 = whole->BodyWeight[s][30], w31 = whole->BodyWeight[s][31];
    EXPECT_NEAR(part->BodyWeight[s][31], w30 + 0.25 * (w31 - w30), 1e-9);
    EXPECT_NEAR(part->FeedIntake[s][31], 0.25 * whole->FeedIntake[s][31], 1e-12);
  }
  // The uneaten part of the last day comes off the phase that was fed (2 of 3).
  EXPECT_NEAR(part->TotalFeed, feedEaten(*part, 0, 31), 1e-12);
  const auto half = grown(kStopOnAge, 20.5);
  EXPECT_EQ(half->FeedByDiet[3], 0);
  EXPECT_NEAR(half->FeedByDiet[2], feedEaten(*half, 0, half->FinalDay) - 0.5, 1e-12);
}

TEST(GrowthRun, WeightTargetStopsWithinTheDayAndLeavesFinalWeightAlone) {
  auto m = model(kStopOnWeight, 2000);
  m->FinalWeight = 1234;
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  const int day = m->FinalDay;
  EXPECT_NEAR(m->BodyWeight[0][day], 2000, 1e-9);
  EXPECT_EQ(m->FinalWeight, 1234);

  const auto whole = grown(kStopOnAge, day);
  const double before = whole->BodyWeight[0][day - 1], after = whole->BodyWeight[0][day];
  ASSERT_LT(before, 2000);
  ASSERT_GE(after, 2000);
  EXPECT_NEAR(m->FinalAge, day - 1 + (2000 - before) / (after - before), 1e-12);
}

TEST(GrowthRun, FeedTargetEndsAsTheLastPhaseIsUsedUp) {
  const auto m = grown(kStopOnFeed, 4.5);
  const double expected[] = {0, 0.5, 1.5, 2.5};
  for (int d = 1; d <= 3; ++d) EXPECT_NEAR(m->FeedByDiet[d], expected[d], 1e-12) << d;
  EXPECT_NEAR(m->TotalFeed, 4.5, 1e-12);
  EXPECT_NEAR(feedEaten(*m, 0, m->FinalDay), 4.5, 1e-12);
  EXPECT_EQ(m->FinalWeight, m->BodyWeight[0][m->FinalDay]);
  EXPECT_NEAR(m->FinalFeedConversion, 4.5 / (m->FinalWeight / 1000), 1e-12);
  EXPECT_NEAR(m->TotalEnergyEaten, 0.5 * 3000 + 1.5 * 3100 + 2.5 * 3200, 1e-9);
  EXPECT_EQ(m->FeedByDietResult[2], m->FeedByDiet[2]);
}

TEST(GrowthRun, PhasesChangeTheDayAfterTheirFeedIsEatenWithTheExcessBookedForward) {
  const auto probe = grown(kStopOnAge, 40);
  int firstFull = 1;  // the day on which 0.5 kg of starter has been eaten
  while (feedEaten(*probe, 0, firstFull) < 0.5) ++firstFull;

  const auto onDay = grown(kStopOnAge, firstFull);
  EXPECT_EQ(onDay->DayNutrients, onDay->DietNutrients[1]);
  EXPECT_NEAR(onDay->FeedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(onDay->FeedByDiet[2], feedEaten(*onDay, 0, firstFull) - 0.5, 1e-12);
  EXPECT_EQ(grown(kStopOnAge, firstFull + 1)->DayNutrients, onDay->DietNutrients[2]);
}

TEST(GrowthRun, SixPhasesBookTheLastDaysOverflowBackOnPhaseSix) {
  auto m = model(kStopOnFeed, 4.5);
  m->DietCount = 6;
  const double amounts[] = {0, 0.3, 0.6, 0.8, 0.8, 1.0, 1.0};
  for (int d = 4; d <= 6; ++d) m->DietNutrients[d] = testing::kFinisher;
  for (int d = 1; d <= 6; ++d) m->FeedAllotment[d] = amounts[d];
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  for (int d = 1; d <= 6; ++d) EXPECT_NEAR(m->FeedByDiet[d], amounts[d], 1e-12) << "phase " << d;
  EXPECT_NEAR(m->TotalFeed, 4.5, 1e-12);
}

TEST(GrowthRun, PhaseOneWithoutEnergyIsRefusedBeforeAnyDayIsGrown) {
  ScriptedDialogs dialogs;
  auto first = model(kStopOnFeed, 4.5);
  first->DietNutrients[1][1] = 0;
  first->BodyWeight[1][5] = 77;
  dialogs.expectMessage("Check energy value of diet # 1");
  EXPECT_EQ(GrowFlock(*first, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_EQ(first->BodyWeight[1][5], 77);
  EXPECT_TRUE(dialogs.finished());
}

TEST(GrowthRun, StateOfAnEarlierRunIsNotCarriedOver) {
  const auto fresh = grown(kStopOnFeed, 4.5);
  auto stale = model(kStopOnFeed, 4.5);
  stale->FeedByDiet.fill(9);
  GrowFlock(*stale);
  EXPECT_EQ(stale->FeedByDiet, fresh->FeedByDiet);
  EXPECT_EQ(stale->TotalFeed, fresh->TotalFeed);

  auto hatch = model(kStopOnAge, 10);  // missing hatch weights come from the growth parameters
  hatch->BodyWeight[1][0] = hatch->BodyWeight[2][0] = hatch->BodyWeight[0][0] = 0;
  GrowFlock(*hatch);
  EXPECT_EQ(hatch->BodyWeight[1][0], hatch->GrowthParams[1][kParamW0]);
  EXPECT_EQ(hatch->BodyWeight[2][0], hatch->GrowthParams[2][kParamW0]);
  EXPECT_FALSE(hatch->ModelError);
}

TEST(GrowthRun, ACopiedModelRunsBitIdenticallyAndIndependently) {
  auto original = grown(kStopOnFeed, 4.5);  // with the state of an earlier run behind it
  original->RunTarget = 4.0;
  auto copy = std::make_unique<ModelState>(*original);
  GrowFlock(*original);
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&original->BodyWeight, &copy->BodyWeight, sizeof(SexTable)), 0);
  EXPECT_EQ(std::memcmp(&original->ComponentMass, &copy->ComponentMass, sizeof(ComponentTable)), 0);
  EXPECT_EQ(original->FinalFeedConversion, copy->FinalFeedConversion);

  const SexTable before = original->BodyWeight;
  copy->RunTarget = 2.0;
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&before, &original->BodyWeight, sizeof(SexTable)), 0);
}

// Calibration files with extreme growth parameters (a female log maturity ratio of 467928, a
// hatch weight of 1E+300) made runs whose final age is not a number; the composition taken on
// the final day then read far outside its table.
TEST(GrowthRun, ExtremeGrowthParametersKeepTheRunWithinItsTables) {
  for (const auto& [row, param, value] : {std::tuple{2, kParamL, 467928.0}, std::tuple{1, kParamW0, 1e300},
                                          std::tuple{2, kParamW0, 1e300}}) {
    ModelState m = testing::ThreePhaseModel();
    m.GrowthParams[row][param] = value;
    SetHatchWeights(m);
    GrowFlock(m);  // the sanitizer run checks every index it takes
    EXPECT_GE(m.FinalDay, 0);
    EXPECT_LE(m.FinalDay, kLastGrowthDay);
  }
}

}  // namespace
}  // namespace plumetra

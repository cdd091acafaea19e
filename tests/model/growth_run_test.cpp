// The growth run: stop modes with the fractional last day, phase switching by feed eaten,
// the feed bookkeeping, the endings and the independence of copied models.

#include "model/growth_run.h"

#include "model/run_messages.h"
#include "tests/model/growth_test_model.h"
#include "views/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>

namespace plumetra {
namespace {

using testing::ThreePhaseModel;

std::unique_ptr<ModelState> model(int stopMode, double target, int sex = 0) {
  auto m = std::make_unique<ModelState>(ThreePhaseModel());
  m->RunMode.stopMode = stopMode;
  m->RunTarget = target;
  m->ModelSex = sex;
  return m;
}

double feedEaten(const ModelState& m, int sex, int lastDay) {
  double sum = 0;
  for (int d = 1; d <= lastDay; ++d) sum += m.FeedIntake[sex][d];
  return sum;
}

TEST(GrowthRun, AgeTargetOfWholeDaysStopsOnThatDayExactly) {
  auto m = model(kStopOnAge, 30);
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  EXPECT_EQ(m->FinalAge, 30);
  EXPECT_EQ(m->FinalDay, 30);
  EXPECT_EQ(m->BodyWeight[0][99], m->BodyWeight[0][30]);
  EXPECT_EQ(m->FeedIntake[0][99], feedEaten(*m, 0, 30));
  EXPECT_NEAR(m->FinalFeedConversion, m->TotalFeed / (m->BodyWeight[0][30] / 1000), 1e-12);
  EXPECT_TRUE(m->Messages.empty());
}

TEST(GrowthRun, FractionalAgeTargetInterpolatesTheLastDay) {
  auto whole = model(kStopOnAge, 31);
  GrowFlock(*whole);
  auto part = model(kStopOnAge, 30.25);
  GrowFlock(*part);
  EXPECT_DOUBLE_EQ(part->FinalAge, 30.25);
  EXPECT_EQ(part->FinalDay, 31);
  for (int s = 0; s < kSexRows; ++s) {
    const double w30 = whole->BodyWeight[s][30], w31 = whole->BodyWeight[s][31];
    EXPECT_NEAR(part->BodyWeight[s][31], w30 + 0.25 * (w31 - w30), 1e-9);
    EXPECT_NEAR(part->FeedIntake[s][31], 0.25 * whole->FeedIntake[s][31], 1e-12);
  }
  // The uneaten three quarters of the last day come off the last phase.
  EXPECT_NEAR(part->TotalFeed, feedEaten(*part, 0, 31), 1e-12);
}

TEST(GrowthRun, WeightTargetStopsWithinTheDayAndLeavesFinalWeightAlone) {
  auto m = model(kStopOnWeight, 2000);
  m->FinalWeight = 1234;
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  const int day = m->FinalDay;
  EXPECT_NEAR(m->BodyWeight[0][day], 2000, 1e-9);
  EXPECT_EQ(m->FinalWeight, 1234);

  auto whole = model(kStopOnAge, day);  // the same days, uninterpolated
  GrowFlock(*whole);
  const double before = whole->BodyWeight[0][day - 1], after = whole->BodyWeight[0][day];
  ASSERT_LT(before, 2000);
  ASSERT_GE(after, 2000);
  EXPECT_NEAR(m->FinalAge, day - 1 + (2000 - before) / (after - before), 1e-12);
}

TEST(GrowthRun, FeedTargetEndsAsTheLastPhaseIsUsedUp) {
  auto m = model(kStopOnFeed, 4.5);
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  EXPECT_NEAR(m->FeedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(m->FeedByDiet[2], 1.5, 1e-12);
  EXPECT_NEAR(m->FeedByDiet[3], 2.5, 1e-12);
  EXPECT_NEAR(m->TotalFeed, 4.5, 1e-12);
  EXPECT_NEAR(feedEaten(*m, 0, m->FinalDay), 4.5, 1e-12);
  EXPECT_EQ(m->FinalWeight, m->BodyWeight[0][m->FinalDay]);
  EXPECT_NEAR(m->FinalFeedConversion, 4.5 / (m->FinalWeight / 1000), 1e-12);
  EXPECT_NEAR(m->TotalEnergyEaten, 0.5 * 3000 + 1.5 * 3100 + 2.5 * 3200, 1e-9);
  EXPECT_EQ(m->FeedByDietResult[2], m->FeedByDiet[2]);
}

TEST(GrowthRun, AgeAndWeightRunsNeverRunOutOfTheLastPhase) {
  auto m = model(kStopOnAge, 45);
  m->FeedAllotment[3] = 0.1;
  GrowFlock(*m);
  EXPECT_EQ(m->FinalAge, 45);
  EXPECT_NEAR(m->FeedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(m->FeedByDiet[2], 1.5, 1e-12);
  EXPECT_GT(m->FeedByDiet[3], 1.0);
  EXPECT_NEAR(m->TotalFeed, feedEaten(*m, 0, 45), 1e-12);
}

TEST(GrowthRun, PhasesChangeTheDayAfterTheirFeedIsEatenWithTheExcessBookedForward) {
  auto probe = model(kStopOnAge, 40);
  GrowFlock(*probe);
  int firstFull = 1;  // the day on which 0.5 kg of starter has been eaten
  while (feedEaten(*probe, 0, firstFull) < 0.5) ++firstFull;

  auto onDay = model(kStopOnAge, firstFull);
  GrowFlock(*onDay);
  EXPECT_EQ(onDay->DayNutrients, onDay->DietNutrients[1]);
  EXPECT_NEAR(onDay->FeedByDiet[1], 0.5, 1e-12);
  EXPECT_NEAR(onDay->FeedByDiet[2], feedEaten(*onDay, 0, firstFull) - 0.5, 1e-12);

  auto nextDay = model(kStopOnAge, firstFull + 1);
  GrowFlock(*nextDay);
  EXPECT_EQ(nextDay->DayNutrients, nextDay->DietNutrients[2]);
}

TEST(GrowthRun, MixedRunGrowsBothSexesAndStopsOnTheirMean) {
  auto mixed = model(kStopOnAge, 35);
  GrowFlock(*mixed);
  for (int d = 1; d <= 35; ++d) {
    EXPECT_DOUBLE_EQ(mixed->BodyWeight[0][d], (mixed->BodyWeight[1][d] + mixed->BodyWeight[2][d]) / 2);
    EXPECT_DOUBLE_EQ(mixed->FeedIntake[0][d], (mixed->FeedIntake[1][d] + mixed->FeedIntake[2][d]) / 2);
  }
  EXPECT_GT(mixed->BodyWeight[1][35], mixed->BodyWeight[2][35]);

  auto males = model(kStopOnAge, 35, 1);
  GrowFlock(*males);
  EXPECT_EQ(males->BodyWeight[2][35], 0);  // females not simulated
  EXPECT_GT(males->BodyWeight[1][35], 0);
}

TEST(GrowthRun, FinalCompositionAddsUpToTheBodyWeightOfTheFinalDay) {
  for (int sex = 0; sex < kSexRows; ++sex) {
    auto m = model(kStopOnAge, 36, sex);
    GrowFlock(*m);
    const double sum = std::accumulate(m->FinalComposition.begin() + 2, m->FinalComposition.end(), 0.0);
    EXPECT_NEAR(sum, m->BodyWeight[sex][36], 1e-6) << "sex " << sex;
  }
}

TEST(GrowthRun, TheUneatenPartOfTheLastDayComesOffThePhaseThatWasFed) {
  // Day 20.5 falls in phase 2 of 3: phase 3 was never fed and stays at 0.
  auto m = model(kStopOnAge, 20.5);
  GrowFlock(*m);
  ASSERT_LT(m->FeedByDiet[2], 1.5);
  EXPECT_EQ(m->FeedByDiet[3], 0);
  EXPECT_NEAR(m->FeedByDiet[2], feedEaten(*m, 0, m->FinalDay) - 0.5, 1e-12);

  // Phases 4 and 5 without feed: the run ends as phase 3 is eaten, nothing booked on them.
  auto unfilled = model(kStopOnFeed, 4.5);
  unfilled->DietCount = 5;
  unfilled->DietNutrients[4] = unfilled->DietNutrients[5] = testing::kFinisher;
  GrowFlock(*unfilled);
  EXPECT_NEAR(unfilled->FeedByDiet[3], 2.5, 1e-12);
  EXPECT_EQ(unfilled->FeedByDiet[4], 0);
  EXPECT_EQ(unfilled->FeedByDiet[5], 0);
  EXPECT_NEAR(unfilled->TotalFeed, 4.5, 1e-12);
}

TEST(GrowthRun, NoTargetByDaySeventyEndsWithWow) {
  auto m = model(kStopOnWeight, 100000);
  m->FinalFeedConversion = 1.5;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("WOW");
  EXPECT_EQ(GrowFlock(*m, dialogs), GrowthRunEnd::TargetMissed);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m->FinalAge, 71);
  EXPECT_EQ(m->FinalDay, 71);
  EXPECT_EQ(m->FinalWeight, 0);
  EXPECT_EQ(m->FinalFeedConversion, 1.5);  // no closing bookkeeping
}

TEST(GrowthRun, APhaseWithoutEnergyEndsTheRunAtTheSwitchAndKeepsThePreviousResults) {
  auto m = model(kStopOnFeed, 4.5);
  GrowFlock(*m);
  const double age = m->FinalAge, weight = m->FinalWeight;
  m->DietNutrients[2][1] = 0.5;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Check energy value of diet # 2");
  EXPECT_EQ(GrowFlock(*m, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m->FinalAge, age);
  EXPECT_EQ(m->FinalWeight, weight);
}

TEST(GrowthRun, AFirstPhaseWithoutEnergyIsRefusedBeforeAnyDayIsGrown) {
  auto m = model(kStopOnFeed, 4.5);
  m->DietNutrients[1][1] = 0;
  m->BodyWeight[1][5] = 77;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Check energy value of diet # 1");
  EXPECT_EQ(GrowFlock(*m, dialogs), GrowthRunEnd::DietEnergyFault);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m->BodyWeight[1][5], 77);
}

TEST(GrowthRun, SixPhasesBookTheLastDaysOverflowBackOnThePhaseSix) {
  auto m = model(kStopOnFeed, 0);
  m->DietCount = 6;
  const double amounts[] = {0, 0.3, 0.6, 0.8, 0.8, 1.0, 1.0};
  for (int d = 4; d <= 6; ++d) m->DietNutrients[d] = testing::kFinisher;
  for (int d = 1; d <= 6; ++d) {
    m->FeedAllotment[d] = amounts[d];
    m->RunTarget += amounts[d];
  }
  ASSERT_EQ(GrowFlock(*m), GrowthRunEnd::TargetReached);
  for (int d = 1; d <= 6; ++d) EXPECT_NEAR(m->FeedByDiet[d], amounts[d], 1e-12) << "phase " << d;
  EXPECT_NEAR(m->TotalFeed, 4.5, 1e-12);
  EXPECT_NEAR(m->FinalFeedConversion, 4.5 / (m->FinalWeight / 1000), 1e-12);
}

TEST(GrowthRun, FeedOfAnEarlierRunIsNeverBookedAgain) {
  auto fresh = model(kStopOnFeed, 4.5);
  GrowFlock(*fresh);
  auto stale = model(kStopOnFeed, 4.5);
  for (int d = 0; d < kPhaseSlots; ++d) stale->FeedByDiet[d] = 9;
  GrowFlock(*stale);
  EXPECT_EQ(stale->FeedByDiet, fresh->FeedByDiet);
  EXPECT_EQ(stale->TotalFeed, fresh->TotalFeed);
}

TEST(GrowthRun, MissingHatchWeightsAreTakenFromTheGrowthParameters) {
  auto m = model(kStopOnAge, 10);
  m->BodyWeight[1][0] = m->BodyWeight[2][0] = m->BodyWeight[0][0] = 0;
  GrowFlock(*m);
  EXPECT_EQ(m->BodyWeight[1][0], m->GrowthParams[1][kParamW0]);
  EXPECT_EQ(m->BodyWeight[2][0], m->GrowthParams[2][kParamW0]);
  EXPECT_GT(m->BodyWeight[0][10], 100);
  EXPECT_FALSE(m->ModelError);
}

TEST(GrowthRun, KeepsThePreviousFemaleFeedAndChangesPhasesByFeed) {
  auto m = model(kStopOnAge, 20);
  GrowFlock(*m);
  const double femaleFeed = m->FeedIntake[2][99];
  m->ChangeOnWeight = 0;
  GrowFlock(*m);
  EXPECT_EQ(m->GrowthParams[2][kParamPrevFeed], femaleFeed);
  EXPECT_EQ(m->ChangeOnWeight, 1);
}

TEST(GrowthRun, ACopiedModelRunsBitIdenticallyAndIndependently) {
  auto original = model(kStopOnFeed, 4.5);
  GrowFlock(*original);  // leave the state of an earlier run behind, as in use
  original->RunTarget = 4.0;
  auto copy = std::make_unique<ModelState>(*original);
  GrowFlock(*original);
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&original->BodyWeight, &copy->BodyWeight, sizeof(SexTable)), 0);
  EXPECT_EQ(std::memcmp(&original->FeedIntake, &copy->FeedIntake, sizeof(SexTable)), 0);
  EXPECT_EQ(std::memcmp(&original->ComponentMass, &copy->ComponentMass, sizeof(ComponentTable)), 0);
  EXPECT_EQ(original->FinalAge, copy->FinalAge);
  EXPECT_EQ(original->FinalFeedConversion, copy->FinalFeedConversion);
  EXPECT_EQ(original->FinalComposition, copy->FinalComposition);

  // A run of the copy leaves the original alone.
  const SexTable before = original->BodyWeight;
  copy->RunTarget = 2.0;
  GrowFlock(*copy);
  EXPECT_EQ(std::memcmp(&before, &original->BodyWeight, sizeof(SexTable)), 0);
}

TEST(RunMessages, ManyFlocksShowEachMessageOnceWithTheirCount) {
  RunMessages wow;
  wow.targetMissed = true;
  RunMessages fault;
  fault.energyFaultPhase = 3;
  RunMessageTally tally;
  for (int i = 0; i < 4; ++i) tally.add(wow);
  tally.add(fault);
  tally.add(RunMessages{});
  ScriptedDialogs dialogs;
  dialogs.expectMessage("WOW (4 flocks)").expectMessage("Check energy value of diet # 3");
  tally.show(dialogs);
  EXPECT_TRUE(dialogs.finished());
}

}  // namespace
}  // namespace plumetra

// Per-flock predictions from the feed eaten, and the diet table's reference run.

#include "model/flock_prediction.h"

#include "tests/model/growth_test_model.h"
#include "controls/scripted_dialogs.h"
#include "workspace/auto_match.h"
#include "workspace/flock_sex.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace plumetra {
namespace {

// Three diets entered on the diet grid with the rest of their vectors in the diet table, and a
// model prepared as for the analysis run.
struct Prediction {
  std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
  std::unique_ptr<ModelState> m = std::make_unique<ModelState>(testing::threePhaseModel());
  std::unique_ptr<FlockPredictionTable> table = std::make_unique<FlockPredictionTable>();
  FlockPredictionTable& predictions = *table;
  ScriptedDialogs dialogs;

  Prediction() {
    const NutrientVector diets[] = {testing::Starter, testing::Grower, testing::Finisher};
    for (int d = 1; d <= 3; ++d) {
      const NutrientVector& v = diets[d - 1];
      ws->diets.enteredDiets[d] = v;
      for (auto [row, entry] : {std::pair{NutEnergy, 1}, {NutProtein, 2}, {NutMethionine, 10}, {NutMetCys, 9},
                                {NutLysine, 5}, {NutTryptophan, 6}, {NutArginine, 3}, {NutThreonine, 11}})
        ws->diets.dietData[row][d] = v[entry];
    }
    ws->flockGrid.resize(10, 12);
  }
  void addFlock(double birds, double f1, double f2, double f3) {
    const int r = ++ws->flockCount;
    ws->flockData[1][r] = birds, ws->flockData[4][r] = f1, ws->flockData[5][r] = f2, ws->flockData[6][r] = f3;
  }
  // The same flock run directly (as `sex` when given).
  std::unique_ptr<ModelState> direct(double f1, double f2, double f3, std::optional<int> sex = std::nullopt) const {
    auto run = std::make_unique<ModelState>(testing::threePhaseModel());
    if (sex) run->inputs.modelSex = *sex;
    run->inputs.feedAllotment[1] = f1, run->inputs.feedAllotment[2] = f2, run->inputs.feedAllotment[3] = f3;
    run->inputs.stop = RunStop::atFeed(f1 + f2 + f3);
    growFlock(*run);
    return run;
  }
  void run() { prepareFlockPrediction(*ws, *m, predictions, dialogs); }
};

// Each flock grows on its own feed until it is eaten (phases 4 and 5, without feed, end at once)
// and, with a Flock Sex column, as its own sex; on two threads as on one, each flock's row is its
// own run's bit for bit. A cell that names no sex is told and grows as the sex chosen. The model
// ends as after the last flock's run, set to grow as the sex chosen.
TEST(FlockPrediction, EachFlockGrowsOnItsOwnFeedAsTheSexOfItsOwnCell) {
  Prediction p;
  for (int d = 4; d <= 5; ++d) {
    p.ws->diets.dietData[NutEnergy][d] = 3200;
    p.ws->diets.enteredDiets[d] = testing::Finisher;
  }
  constexpr int flocks = 60;
  constexpr int sexCol = 11;
  const char* cells[] = {"M", "Females", "as hatched", "Broilers"};
  const int sexes[] = {MaleSex, FemaleSex, MixedSex, FemaleSex};  // "Broilers": the chosen Females
  p.ws->flockGrid.resize(flocks + 1, 12);
  p.ws->flockGrid.setText(0, sexCol, "Sex");
  resetDataIdLists(*p.ws);
  p.ws->chosenSex = FemaleSex;
  const auto feed = [](int r) { return std::array<double, 3>{0.4 + 0.002 * r, 1.2 + 0.004 * r, 2.0 + 0.006 * r}; };
  for (int r = 1; r <= flocks; ++r) {
    p.addFlock(20000, feed(r)[0], feed(r)[1], feed(r)[2]);
    p.ws->flockGrid.setText(r, sexCol, cells[r % 4]);
  }
  matchColumn(*p.ws, MatchSide::Flock, entryOf(OptionalItem::FlockSex), sexCol, UnitSettings{}, p.dialogs);
  p.dialogs.expectMessage("15 flocks name no sex Plumetra knows (\"Broilers\" for flock 3, \"Broilers\" for flock 7, "
                          "\"Broilers\" for flock 11, ...): they grow as Females, the flock sex chosen. Write M, F or X "
                          "(Males, Females or Mixed) in the \"Flock Sex\" column.");
  p.run();
  EXPECT_TRUE(p.dialogs.finished()) << ::testing::PrintToString(p.dialogs.failures());
  for (int r : {1, 2, 3, 4, flocks / 2, flocks / 2 + 1, flocks - 1, flocks}) {
    SCOPED_TRACE("flock " + std::to_string(r));
    const auto run = p.direct(feed(r)[0], feed(r)[1], feed(r)[2], sexes[r % 4]);
    const auto& row = p.predictions[r];
    EXPECT_EQ(row[1], run->results.finalWeight);
    EXPECT_EQ(row[2], run->results.finalAge);
    EXPECT_DOUBLE_EQ(row[0], run->inputs.stop.feedKgPerBird / run->results.finalWeight);
    EXPECT_NE(row[3], 0);  // carcass estimates filled
  }
  EXPECT_EQ(p.m->results.finalWeight, p.predictions[flocks][1]);
  EXPECT_EQ(p.m->inputs.feedAllotment[3], feed(flocks)[2]);
  EXPECT_EQ(p.m->inputs.modelSex, FemaleSex);
  EXPECT_EQ(p.m->inputs.dietCount, 5);
  EXPECT_EQ(p.m->inputs.stop.mode, StopOnFeed);
}

// Methionine and met + cys of the diet grid reach the run each as itself: a starter short of
// methionine (0.2 against 0.5 %, its met + cys kept at 0.95 %) grows the flock less.
TEST(FlockPrediction, MethionineAndMetCysEachReachTheRun) {
  Prediction shortOfMethionine, plain;
  shortOfMethionine.ws->diets.dietData[NutMethionine][1] = 0.2;
  for (Prediction* p : {&shortOfMethionine, &plain}) {
    p->addFlock(20000, 0.5, 1.5, 2.5);
    p->run();
  }
  EXPECT_LT(shortOfMethionine.predictions[1][1], plain.predictions[1][1]);
}

TEST(FlockPrediction, FeedAboveTenIsTheWholeHousesAndIsDividedOnce) {
  Prediction p;
  p.addFlock(20000, 10, 10.5, 50000);
  p.addFlock(0, 0.5, 1.5, 2500);  // no birds: left as it is
  p.run();
  EXPECT_EQ(p.ws->flockData[4][1], 10);
  EXPECT_DOUBLE_EQ(p.ws->flockData[5][1], 10.5 / 20000);
  EXPECT_DOUBLE_EQ(p.ws->flockData[6][1], 2.5);
  EXPECT_EQ(p.ws->flockData[6][2], 2500);
  p.run();
  EXPECT_DOUBLE_EQ(p.ws->flockData[6][1], 2.5);
}

TEST(FlockPrediction, AFlockWhoseRunIsRefusedGetsAnEmptyRowAndTheOthersGoOn) {
  Prediction p;
  // Diet 0 counts as a phase, so phase 3 (diet 3, no energy) is in use.
  p.ws->diets.dietData[NutEnergy][0] = 3000;
  p.ws->diets.dietData[NutEnergy][3] = 0;
  p.addFlock(20000, 0.5, 1.5, 0);    // never reaches phase 3
  p.addFlock(20000, 0.5, 1.5, 2.0);  // refused at the switch to phase 3
  p.addFlock(20000, 0.6, 1.6, 0);
  p.dialogs.expectMessage(
      "Check energy value of diet # 3 - flock 2: that diet has no usable energy; check its energy in kcal/kg");
  p.run();
  EXPECT_TRUE(p.dialogs.finished());
  EXPECT_GT(p.predictions[1][1], 0);
  for (double v : p.predictions[2]) EXPECT_EQ(v, 0);
  EXPECT_GT(p.predictions[3][1], p.predictions[1][1]);
}

TEST(FlockPrediction, FlocksThatDoNotFinishByDaySeventyShowOneMessageAndNoConversion) {
  Prediction p;
  p.addFlock(20000, 0.5, 1.5, 9.9);
  p.addFlock(20000, 0.5, 1.5, 9.8);
  p.dialogs.expectMessage(
      "WOW - flock 1: the target was not reached by day 70; check the target and the feed amounts (2 times, the first "
      "named)");
  p.run();
  EXPECT_TRUE(p.dialogs.finished());
  for (int r = 1; r <= 2; ++r) {
    EXPECT_EQ(p.predictions[r][2], 71);
    EXPECT_EQ(p.predictions[r][1], 0);
    EXPECT_EQ(p.predictions[r][0], 0);
  }
}

}  // namespace
}  // namespace plumetra

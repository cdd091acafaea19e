// Body components advanced from the reference shares, worked out by hand on small tables.

#include "model/body_composition.h"

#include <gtest/gtest.h>

#include <memory>

namespace plumetra {
namespace {

TEST(BodyComposition, DayOneStartsFromTheHatchWeightAndFollowsTheChangeOfShare) {
  auto m = std::make_unique<ModelState>();
  m->results.bodyWeight[1][0] = 40, m->results.bodyWeight[1][1] = 50;
  auto& share = m->composition.share[1];
  share[0][2] = 10, share[1][2] = 12;
  share[0][3] = 20, share[1][3] = 20;
  GrowthRun run(*m);
  run.work.dayLimitingRatio = 0.5;  // no effect before day 15

  trackComposition(run, 1, 1);
  // Day 0: 4 g and 8 g. Gain 10 g; shares of the gain 12 + 2 * 50 / 10 = 22 and 20.
  const auto& mass = m->results.componentMass[1];
  EXPECT_DOUBLE_EQ(mass[0][2], 4);
  EXPECT_DOUBLE_EQ(mass[0][3], 8);
  const double total = (4 + 2.2) + (8 + 2.0);  // normalised to the 50 g body
  EXPECT_NEAR(mass[1][2], 6.2 * 50 / total, 1e-12);
  EXPECT_NEAR(mass[1][3], 10.0 * 50 / total, 1e-12);
}

TEST(BodyComposition, FromDayFifteenTheLimitingRatioAndTemperatureScaleTheComponents) {
  auto m = std::make_unique<ModelState>();
  m->results.bodyWeight[2][19] = 400, m->results.bodyWeight[2][20] = 450;
  GrowthRun run(*m);
  run.work.dayLimitingRatio = 0.9;  // lambda = 0.92
  run.work.tempFactor = 0.95;
  for (int k : {5, 12, 18, 27}) {
    m->composition.share[2][19][k] = m->composition.share[2][20][k] = 10;  // share of gain 10 %
    m->results.componentMass[2][19][k] = 100;
  }
  trackComposition(run, 2, 20);
  const double lambda = 0.92;
  const double grown[] = {100 + 5 / lambda, 100 + 5 * 0.95 * 0.95 * lambda, 100 + 5 * lambda, 105};
  const double total = grown[0] + grown[1] + grown[2] + grown[3];
  const int components[] = {5, 12, 18, 27};
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(m->results.componentMass[2][20][components[i]], grown[i] * 450 / total, 1e-12) << components[i];
}

TEST(BodyComposition, AFallingShareGivesNoNegativeShareOfTheGain) {
  auto m = std::make_unique<ModelState>();
  m->results.bodyWeight[1][29] = 400, m->results.bodyWeight[1][30] = 450;
  GrowthRun run(*m);
  run.work.dayLimitingRatio = 1;
  m->composition.share[1][29][4] = 30, m->composition.share[1][30][4] = 10;  // 10 - 20 * 9 < 0
  m->composition.share[1][29][6] = m->composition.share[1][30][6] = 10;
  m->results.componentMass[1][29][4] = 120, m->results.componentMass[1][29][6] = 280;
  trackComposition(run, 1, 30);
  const double total = 120 + 285;
  EXPECT_NEAR(m->results.componentMass[1][30][4], 120 * 450 / total, 1e-12);
}

TEST(BodyComposition, FinalCompositionIsTakenOnTheFinalAgeRoundedHalfToEven) {
  auto m = std::make_unique<ModelState>();
  for (int day : {30, 31, 32}) m->results.componentMass[1][day][9] = day;
  struct Case {
    double age;
    double day;
  };
  for (const Case c : {Case{30.5, 30}, Case{31.5, 32}, Case{30.6, 31}, Case{31.4, 31}}) {
    m->results.finalAge = c.age;
    takeFinalComposition(m->results, 1);
    EXPECT_EQ(m->results.finalComposition[9], c.day) << "age " << c.age;
  }
}

}  // namespace
}  // namespace plumetra

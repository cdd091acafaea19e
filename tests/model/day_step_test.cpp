// The daily growth step against values worked out from the formulas by hand.

#include "model/day_step.h"

#include "model/run_messages.h"
#include "tests/model/growth_test_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace plumetra {
namespace {

using testing::ThreePhaseModel;

// The breed curve written out again: G(t) = W0 exp(L (1 - exp(-k t^b))) and its derivative.
struct Curve {
  double W0, b, L, k;
  double G(double t) const { return W0 * std::exp(L * (1 - std::exp(-k * std::pow(t, b)))); }
  double R(double t) const {
    return k * L * b * std::pow(t, b - 1) * G(t) * std::exp(-k * std::pow(t, b));
  }
};

Curve maleCurve(const ModelState& m) {
  const auto& p = m.GrowthParams[1];
  return {p[0], p[1], p[2], p[3]};
}

// A male day-step on a model whose balancing passes are used up (one pass a day), with a diet
// of protein 0 and no amino acids: no excess-protein bonus, every amino acid supplied with
// 200 g/day, so the pass adds (1.5 - 1) * 0.14 = 0.07 g.
struct SimpleDay {
  std::unique_ptr<ModelState> m = std::make_unique<ModelState>(ThreePhaseModel());
  int passCount = 11;
  int phase = 1;

  SimpleDay() {
    InitModelTables(*m);
    m->SimSex = 1;
    m->ModelSex = 1;
    m->DayNutrients = NutrientVector{};
    m->DayNutrients[1] = 3000;
  }
  double grow(int day, double startWeight) {
    m->BodyWeight[1][day - 1] = startWeight;
    GrowSexDay(*m, day, phase, passCount);
    return m->BodyWeight[1][day] - startWeight;
  }
};

// Potential gain (P1 + P2) / 2 of a day after day 1 from the effective age of weight W.
double potentialGain(const Curve& c, double x) {
  double t = std::pow(-std::log(x) / c.k, 1 / c.b);
  if (t < 0.001) t = 0.001;
  return (c.R(t) + c.R(t + 1)) * 0.5;
}

double immaturity(const Curve& c, double W) { return (c.L - std::log(W / c.W0)) / c.L; }

// Feed intake (kg/day) of a male pass with gain g from weight W on a 3000 kcal/kg diet, with
// no excess protein and a limiting ratio of 1: the energy need (days 1-7 at 80 %) over 3000.
double intakeByHand(const ModelState& m, int day, double W, double g, double maint) {
  const FatParams& fat = m.FatCurve[1];
  const double F1 = fat.A * std::exp(-fat.bF * std::exp(-fat.cF * (day - 1)));
  const double dF = F1 * fat.bF * fat.cF * std::exp(-fat.cF * day);
  const double fg = F1 + dF + W * dF / g;
  const double Wg = std::sqrt((W + g) * W);
  const double ME = (9.2 * fg + 0.6) * g + maint * std::pow(Wg, 2.0 / 3.0);
  return (day <= 7 ? 0.8 * ME : ME) / 3000;
}

TEST(DayStep, DayOneUsesTheCurveDifferenceAndEightyPercentOfTheEnergyNeed) {
  SimpleDay day;
  day.passCount = 0;
  ModelState& m = *day.m;
  const Curve c = maleCurve(m);
  const double W = c.W0;  // hatch weight: x = 1, effective age 0.001
  const double t = 0.001;
  const double g = (c.G(t + 1) - c.G(t) + c.R(t + 1)) * 0.5;  // fE = 1: energy 3000 = reference

  const double gain = day.grow(1, W);
  EXPECT_NEAR(gain, g + 0.07, 1e-9);
  EXPECT_EQ(day.passCount, 1);

  // Feed intake of the pass, before the 0.07 g adjustment: maintenance 1.18 on day 1.
  EXPECT_NEAR(m.FeedIntake[1][1], intakeByHand(m, 1, W, g, 1.18), 1e-12);
}

TEST(DayStep, DayTwoMakesOnePassWithMaintenance182) {
  SimpleDay day;
  day.passCount = 0;
  ModelState& m = *day.m;
  day.grow(1, maleCurve(m).W0);
  const double W = m.BodyWeight[1][1];
  const Curve c = maleCurve(m);
  const double g = potentialGain(c, immaturity(c, W));
  EXPECT_NEAR(day.grow(2, W), g + 0.07, 1e-9);
  EXPECT_EQ(day.passCount, 2);
  EXPECT_NEAR(m.FeedIntake[1][2], intakeByHand(m, 2, W, g, 1.82), 1e-12);
}

TEST(DayStep, AllRatiosAtOrAboveOneAndAHalfAddSevenHundredthsAndKeepTheLimitingAminoAcid) {
  SimpleDay day;
  day.m->LimitingAmino = 5;
  const Curve c = maleCurve(*day.m);
  const double W = 800;
  EXPECT_NEAR(day.grow(20, W), potentialGain(c, immaturity(c, W)) + 0.07, 1e-9);
  EXPECT_EQ(day.m->LimitingAmino, 5);
  for (int i = 1; i <= kAminoAcids; ++i) EXPECT_GE(day.m->AminoRatio[20][i], 1.5);
}

TEST(DayStep, EnergyResponseFollowsTheCappedEnergyAgainstTheReference) {
  // Day 25: cap 3350, diet 3000 -> C = 3000; reference 2800 -> fE = 200 * 0.00014 + 1.
  SimpleDay day;
  day.m->RefEnergy[1][1] = 2800;
  const Curve c = maleCurve(*day.m);
  const double W = 1200;
  EXPECT_NEAR(day.grow(25, W), potentialGain(c, immaturity(c, W)) * 1.028 + 0.07, 1e-9);

  // A diet above the cap: 3500 on day 25 is capped at 3350.
  SimpleDay rich;
  rich.m->DayNutrients[1] = 3500;
  rich.m->RefEnergy[1][1] = 3000;
  EXPECT_NEAR(rich.grow(25, W), potentialGain(c, immaturity(c, W)) * (350 * 0.00014 + 1) + 0.07, 1e-9);
}

TEST(DayStep, ReferenceEnergyBelow2500IsConvertedAndAZeroEntryTakesThePreviousPhase) {
  const double W = 600;
  SimpleDay direct;
  direct.m->RefEnergy[1][1] = 3000;
  const double expected = direct.grow(18, W);

  SimpleDay other;  // 3.0 Mcal/kg is 3000 kcal/kg; the stored entry keeps 3.0
  other.m->units.energyChoice = 2;
  other.m->RefEnergy[1][1] = 3.0;
  EXPECT_DOUBLE_EQ(other.grow(18, W), expected);
  EXPECT_EQ(other.m->RefEnergy[1][1], 3.0);

  SimpleDay gap;  // phase 2 has no reference: it takes phase 1's, and keeps it
  gap.m->DietCount = 3;
  gap.phase = 2;
  gap.m->RefEnergy[1][1] = 3000;
  gap.m->RefEnergy[1][2] = 0;
  EXPECT_DOUBLE_EQ(gap.grow(18, W), expected);
  EXPECT_EQ(gap.m->RefEnergy[1][2], 3000);
}

TEST(DayStep, TemperatureAboveTheOptimumSlowsGrowthFromDayFourteen) {
  // Week 3 (days 15-21): 5 degrees above the optimum -> tau = 1 - 5 * 0.02 = 0.9.
  const double W = 700;
  SimpleDay day;
  day.m->WeekTemp[3] = 28;
  day.m->OptTemp[3] = 23;
  const Curve c = maleCurve(*day.m);
  EXPECT_NEAR(day.grow(16, W), potentialGain(c, immaturity(c, W)) * 0.9 + 0.07, 1e-9);
  EXPECT_DOUBLE_EQ(day.m->TempFactor, 0.9);

  SimpleDay early;  // before day 14 the temperature does not change growth
  early.m->WeekTemp[2] = 35;
  early.m->OptTemp[2] = 29;
  EXPECT_NEAR(early.grow(13, 300), potentialGain(c, immaturity(c, 300)) + 0.07, 1e-9);
  EXPECT_DOUBLE_EQ(early.m->TempFactor, 1.0);
}

TEST(DayStep, StockingDensityAbove16KgPerSquareMetreLowersTheImmaturity) {
  // 1000 g at 20 birds/m2 = 20 kg/m2: x falls by (20 - 12.6) * 0.006.
  const double W = 1000;
  SimpleDay day;
  day.m->DensityInput = {20, 12.6};
  const Curve c = maleCurve(*day.m);
  EXPECT_NEAR(day.grow(30, W), potentialGain(c, immaturity(c, W) - 7.4 * 0.006) + 0.07, 1e-9);

  SimpleDay light;  // 15 kg/m2: no effect
  light.m->DensityInput = {15, 12.6};
  EXPECT_NEAR(light.grow(30, W), potentialGain(c, immaturity(c, W)) + 0.07, 1e-9);
}

TEST(DayStep, ImmaturityIsKeptAboveZeroUnderHeavyCrowdingAndAboveMatureWeight) {
  SimpleDay crowded;  // 3000 g at 100 birds/m2 would push x far below 0
  crowded.m->DensityInput = {100, 12.6};
  const Curve c = maleCurve(*crowded.m);
  const double floorGain = potentialGain(c, 0.0001) + 0.07;
  const double gain = crowded.grow(40, 3000);
  EXPECT_TRUE(std::isfinite(gain));
  EXPECT_NEAR(gain, floorGain, 1e-9);

  SimpleDay heavy;  // heavier than the mature weight W0 e^L: x < 0, clamped
  const double mature = c.W0 * std::exp(c.L);
  EXPECT_NEAR(heavy.grow(40, mature * 1.1), floorGain, 1e-9);
}

// The lysine supply/requirement ratio of a simple day (protein 0: z = 0; ratio 1: q = 0.04;
// total amino acids: divisor 0.85) with lysine at `lysine` % of the diet.
struct LysineDay {
  double gain;    // before the pass's adjustment
  double intake;  // kg/day
  double ratio;
};
LysineDay lysineByHand(const ModelState& m, int d, double W, double lysine) {
  const Curve c = maleCurve(m);
  const double g = potentialGain(c, immaturity(c, W));
  const double Wg = std::sqrt((W + g) * W);
  const double T = 20;  // no temperatures set: neutral
  const double intake = intakeByHand(m, d, W, g, 4.09 - 0.1429 * T + 0.0026 * T * T);
  const double pf0 = m.ProteinCurve.maleDay0, pf70 = m.ProteinCurve.maleDay70;
  const double line = pf0 + (pf70 - pf0) * d / 70, linePrev = pf0 + (pf70 - pf0) * (d - 1) / 70;
  const double PG = (W + g) * line - W * linePrev;
  const FeatherParams& f = m.FeatherCurve[1];
  auto share = [&](double t) { return f.a + f.b1 * t + f.b2 * t * t; };
  const double FG = d > 70 ? (0.162893 - (d - 70) * 0.00543) * PG
                           : (W + g) * share(d) - W * share(d - 1);
  const double need =
      (PG / 0.85 * 0.017 + 0.85 * FG / 0.85 * 0.016 + 0.019805 * std::pow(Wg, 2.0 / 3.0) / 0.85 * 0.071) *
      1.04;
  return {g, intake, lysine * 10 * intake / need};
}

TEST(DayStep, ALowAminoAcidLimitsAndSetsTheDaysRatios) {
  SimpleDay day;
  ModelState& m = *day.m;
  m.DayNutrients[5] = 0.2;  // lysine, amino acid 3
  const int d = 25;
  const LysineDay hand = lysineByHand(m, d, 900, 0.2);
  ASSERT_LT(hand.ratio, 1.5);
  const double gain = day.grow(d, 900);

  EXPECT_EQ(m.LimitingAmino, 3);
  EXPECT_NEAR(m.AminoRatio[d][3], hand.ratio, 1e-9);
  EXPECT_EQ(m.AminoRatio[d][0], m.AminoRatio[d][3]);
  EXPECT_EQ(m.DayLimitingRatio, m.AminoRatio[d][3]);
  EXPECT_NEAR(gain, hand.gain + (hand.ratio - 1) * 0.14, 1e-9);
  EXPECT_NEAR(m.FeedIntake[1][d], hand.intake, 1e-12);
}

TEST(DayStep, BeyondDaySeventyFeathersFollowProteinGainAndTheProteinLineExtrapolates) {
  SimpleDay day;
  ModelState& m = *day.m;
  m.DayNutrients[5] = 0.2;
  // The protein requirement reads the day's fraction as it stands: as a previous step left it.
  const double pf0 = m.ProteinCurve.maleDay0, pf70 = m.ProteinCurve.maleDay70;
  const double line = pf0 + (pf70 - pf0) * 71 / 70;
  m.ProteinFraction[1][71] = line;
  const double W = 3500;
  const LysineDay hand = lysineByHand(m, 71, W, 0.2);
  ASSERT_LT(hand.ratio, 1.5);
  const double gain = day.grow(71, W);
  EXPECT_NEAR(m.AminoRatio[71][3], hand.ratio, 1e-9);
  // The day's protein fraction: protein at the end of the pass over the final weight.
  EXPECT_NEAR(m.ProteinFraction[1][71], line * (W + hand.gain) / (W + gain), 1e-12);
}

TEST(DayStep, BalancingPassesStopAfterElevenInTheWholeRun) {
  SimpleDay day;
  day.passCount = 0;
  const Curve c = maleCurve(*day.m);
  day.grow(1, c.W0);
  day.grow(2, day.m->BodyWeight[1][1]);
  EXPECT_EQ(day.passCount, 2);
  // Day 3: passes until the counter passes 10, each adding 0.07 g.
  const double W = day.m->BodyWeight[1][2];
  EXPECT_NEAR(day.grow(3, W), potentialGain(c, immaturity(c, W)) + 9 * 0.07, 1e-9);
  EXPECT_EQ(day.passCount, 11);
  day.grow(4, day.m->BodyWeight[1][3]);
  EXPECT_EQ(day.passCount, 12);
}

TEST(DayStep, AFeedIntakeAboveSixKgEndsTheDayWithoutAWeight) {
  SimpleDay day;
  day.m->DayNutrients[1] = 10;  // 10 kcal/kg: several kg a day
  day.m->BodyWeight[1][30] = 0;
  day.grow(30, 1500);
  EXPECT_GT(day.m->FeedIntake[1][30], 6.0);
  EXPECT_EQ(day.m->BodyWeight[1][30], 0);

  // The next day finds no start weight: the day-100 fallback, flagged as a model error.
  day.m->DayNutrients[1] = 3000;
  day.m->BodyWeight[1][100] = 0;
  day.m->ModelError = false;
  day.m->DayStepCount = 41;
  day.m->Messages.clear();
  GrowSexDay(*day.m, 31, day.phase, day.passCount);
  EXPECT_TRUE(day.m->ModelError);
  ASSERT_EQ(day.m->Messages.zeroWeightCount, 1);
  EXPECT_EQ(RunMessageTexts(day.m->Messages).front(), "OHHH The current day is  31  42");
}

TEST(DayStep, AZeroStartWeightTakesTheFallbackWeight) {
  SimpleDay day;
  day.m->BodyWeight[1][100] = 12000;
  day.m->ModelError = false;
  day.m->Messages.clear();
  day.grow(20, 0);
  EXPECT_TRUE(day.m->ModelError);
  EXPECT_EQ(day.m->Messages.zeroWeightCount, 0);
  EXPECT_GT(day.m->BodyWeight[1][20], 0);
}

TEST(DayStep, EnergyAbove4500IsReplacedByThePhaseEnergyAndThePhaseIsClamped) {
  SimpleDay day;
  day.m->DietCount = 2;
  day.phase = 3;
  day.m->DietNutrients[3][1] = 3100;
  day.m->DayNutrients[1] = 5000;
  day.grow(20, 800);
  EXPECT_EQ(day.m->DayNutrients[1], 3100);
  EXPECT_EQ(day.phase, 2);
}

TEST(DayStep, FemaleFeedEfficiencyCorrectionAboveAQuarterTakesTheMaleValue) {
  SimpleDay day;
  day.m->FeCorrection = {0, 0.05, 0.3};
  day.grow(20, 800);
  EXPECT_EQ(day.m->FeCorrection[2], 0.05);
}

TEST(DayStep, InitModelTablesFillsTheProteinLineAndTheAminoCoefficients) {
  auto m = std::make_unique<ModelState>();
  m->ProteinCurve = {0.148, 0.145, 0.19, 0.17};
  InitModelTables(*m);
  EXPECT_DOUBLE_EQ(m->ProteinFraction[1][35], 0.148 + 0.042 / 2);
  EXPECT_DOUBLE_EQ(m->ProteinFraction[2][70], 0.17);
  EXPECT_DOUBLE_EQ(m->ProteinFraction[0][35], (0.169 + 0.1575) / 2);
  EXPECT_EQ(m->AminoCoef[1][0], 0.04);
  EXPECT_EQ(m->AminoCoef[12][2], 0.044);
  EXPECT_EQ(m->AminoCoef[7][1], 0.06);
}

TEST(DayStep, DietRequirementSetsTheStartWeightAndTheAminoBasis) {
  auto m = std::make_unique<ModelState>(ThreePhaseModel());
  InitModelTables(*m);
  m->SimSex = 2;
  m->units.aminoBasis = AminoBasis::Avail;
  m->AvailDivisor = 0;
  m->BodyWeight[2][9] = 250;
  const double r = DietRequirement(*m, 10, 20, 1.0, 1.0, 1, 2.0);
  EXPECT_EQ(m->StartWeight, 250);
  EXPECT_EQ(m->AvailDivisor, 1.0);
  EXPECT_EQ(m->AvailCompanion, 0.85);
  EXPECT_GT(r, 0);
}

}  // namespace
}  // namespace plumetra

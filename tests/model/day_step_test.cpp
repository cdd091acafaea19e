#include "model/day_step.h"

#include "tests/model/growth_test_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace plumetra {
namespace {

// The breed curve: G(t) = W0 exp(L (1 - exp(-k t^b))) and its derivative.
struct Curve {
  double W0, b, L, k;
  double G(double t) const { return W0 * std::exp(L * (1 - std::exp(-k * std::pow(t, b)))); }
  double R(double t) const { return k * L * b * std::pow(t, b - 1) * G(t) * std::exp(-k * std::pow(t, b)); }
};

Curve maleCurve(const ModelState& m) {
  const auto& p = m.inputs.growthParams[1];
  return {p[0], p[1], p[2], p[3]};
}

// A male day on a diet of protein 0 and no amino acids, balancing passes used up (one pass a
// day): every amino acid ratio is at least 1.5, so the pass adds (1.5 - 1) * 0.14 = 0.07 g.
struct SimpleDay {
  std::unique_ptr<ModelState> m = std::make_unique<ModelState>(testing::threePhaseModel());
  GrowthRun run{*m};
  int& passCount = run.work.passCount;
  int phase = 1;
  int sex = 1;

  SimpleDay() {
    initModelTables(run);
    passCount = 11;
    m->inputs.modelSex = 1;
    for (int s = 1; s <= 2; ++s) m->results.bodyWeight[s][0] = m->inputs.hatchWeight[s];
    run.work.nutrients = NutrientVector{};
    run.work.nutrients[1] = 3000;
  }
  double grow(int day, double startWeight) {
    m->results.bodyWeight[sex][day - 1] = startWeight;
    stepDay(run, sex, day, phase);
    return m->results.bodyWeight[sex][day] - startWeight;
  }
};

// Potential gain (R(t) + R(t + 1)) / 2 at the effective age of immaturity x.
double potentialGain(const Curve& c, double x) {
  const double t = std::max(std::pow(-std::log(x) / c.k, 1 / c.b), 0.001);
  return (c.R(t) + c.R(t + 1)) * 0.5;
}

double immaturity(const Curve& c, double W) { return (c.L - std::log(W / c.W0)) / c.L; }

// Feed intake (kg/day) for gain g from weight W on a 3000 kcal/kg diet: energy need (80 % on
// days 1-7) over 3000.
double intakeByHand(const ModelState& m, int day, double W, double g, double maint) {
  const FatParams& fat = m.inputs.fatCurve[1];
  const double F1 = fat.A * std::exp(-fat.bF * std::exp(-fat.cF * (day - 1)));
  const double dF = F1 * fat.bF * fat.cF * std::exp(-fat.cF * day);
  const double fg = F1 + dF + W * dF / g;
  const double ME = (9.2 * fg + 0.6) * g + maint * std::pow(std::sqrt((W + g) * W), 2.0 / 3.0);
  return (day <= 7 ? 0.8 * ME : ME) / 3000;
}

TEST(DayStep, DaysOneAndTwoWithTheirMaintenanceAndTheBalancingPassLimit) {
  SimpleDay day;
  day.passCount = 0;
  ModelState& m = *day.m;
  const Curve c = maleCurve(m);
  // Day 1 from the hatch weight: the curve difference, effective age 0.001, maintenance 1.18.
  const double t = 0.001;
  const double g1 = (c.G(t + 1) - c.G(t) + c.R(t + 1)) * 0.5;
  EXPECT_NEAR(day.grow(1, c.W0), g1 + 0.07, 1e-9);
  EXPECT_NEAR(m.results.feedIntake[1][1], intakeByHand(m, 1, c.W0, g1, 1.18), 1e-12);

  // Day 2: one pass with maintenance 1.82.
  double W = m.results.bodyWeight[1][1];
  const double gainDay2 = potentialGain(c, immaturity(c, W));
  EXPECT_NEAR(day.grow(2, W), gainDay2 + 0.07, 1e-9);
  EXPECT_NEAR(m.results.feedIntake[1][2], intakeByHand(m, 2, W, gainDay2, 1.82), 1e-12);

  // Day 3 passes until the counter passes 10, each adding 0.07 g; then one pass a day.
  W = m.results.bodyWeight[1][2];
  EXPECT_NEAR(day.grow(3, W), potentialGain(c, immaturity(c, W)) + 9 * 0.07, 1e-9);
  day.grow(4, m.results.bodyWeight[1][3]);
  EXPECT_EQ(day.passCount, 12);
}

TEST(DayStep, EnergyTemperatureAndDensityFactors) {
  const Curve c = maleCurve(*SimpleDay().m);
  const double mature = c.W0 * std::exp(c.L);
  struct Case {
    const char* name;
    int day;
    double W;
    std::function<void(SimpleDay&)> setup;
    double factor;  // on the potential gain
    double dx;      // change of immaturity
    double tau;     // temperature factor left behind
    bool floor = false;
  };
  const Case cases[] = {
      // Day 25: cap 3350, diet 3000; reference 2800 -> fE = 200 * 0.00014 + 1.
      {"energy over reference", 25, 1200, [](SimpleDay& d) { d.m->inputs.refEnergy[1][1] = 2800; }, 1.028, 0, 1},
      // A reference below 2500 is in Mcal; phase 2 without a reference takes phase 1's.
      {"reference in Mcal", 18, 600, [](SimpleDay& d) { d.m->settings.units.energyChoice = 2, d.m->inputs.refEnergy[1][1] = 3.0; },
       1, 0, 1},
      {"no reference in phase 2", 18, 600, [](SimpleDay& d) { d.phase = 2, d.m->inputs.refEnergy[1][2] = 0; }, 1, 0, 1},
      {"energy capped at 3350", 25, 1200, [](SimpleDay& d) { d.run.work.nutrients[1] = 3500; }, 1 + 350 * 0.00014,
       0, 1},
      // Week 3: 5 degrees above the optimum -> tau = 1 - 5 * 0.02.
      {"hot week 3", 16, 700, [](SimpleDay& d) { d.m->inputs.weekTemp[3] = 28, d.m->inputs.optTemp[3] = 23; }, 0.9, 0, 0.9},
      {"hot before day 14", 13, 300, [](SimpleDay& d) { d.m->inputs.weekTemp[2] = 35, d.m->inputs.optTemp[2] = 29; }, 1, 0, 1},
      // 1000 g at 20 birds/m2 = 20 kg/m2: x falls by (20 - 12.6) * 0.006; 15 kg/m2 has no effect.
      {"dense", 30, 1000, [](SimpleDay& d) { d.m->inputs.densityInput = {20, 12.6}; }, 1, -7.4 * 0.006, 1},
      {"light", 30, 1000, [](SimpleDay& d) { d.m->inputs.densityInput = {15, 12.6}; }, 1, 0, 1},
      // Immaturity kept at 0.0001: crowding far below 0, or heavier than the mature weight.
      {"crowded", 40, 3000, [](SimpleDay& d) { d.m->inputs.densityInput = {100, 12.6}; }, 1, 0, 1, true},
      {"above mature", 40, mature * 1.1, [](SimpleDay&) {}, 1, 0, 1, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SimpleDay day;
    k.setup(day);
    const double x = k.floor ? 0.0001 : immaturity(c, k.W) + k.dx;
    const double gain = day.grow(k.day, k.W);
    EXPECT_NEAR(gain, potentialGain(c, x) * k.factor + 0.07, 1e-9);
    EXPECT_DOUBLE_EQ(day.run.work.tempFactor, k.tau);
  }
}

TEST(DayStep, OutOfRangeInputsAreMended) {
  SimpleDay day;
  day.m->inputs.dietCount = 2;
  day.phase = 3;
  day.m->inputs.dietNutrients[3][1] = 3100;
  day.run.work.nutrients[1] = 5000;  // above 4500: the phase energy
  day.grow(20, 800);
  EXPECT_EQ(day.run.work.nutrients[1], 3100);
  EXPECT_EQ(day.phase, 2);

  // A female F E correction above a quarter reads as the male's.
  const auto femaleIntake = [](std::array<double, SexRows> correction) {
    SimpleDay female;
    female.sex = 2;
    female.m->inputs.feCorrection = correction;
    female.grow(20, 800);
    return female.m->results.feedIntake[2][20];
  };
  EXPECT_EQ(femaleIntake({0, 0.05, 0.3}), femaleIntake({0, 0.05, 0.05}));
  EXPECT_NE(femaleIntake({0, 0.05, 0.25}), femaleIntake({0, 0.05, 0.05}));
}

}  // namespace
}  // namespace plumetra

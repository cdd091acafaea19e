#include <gtest/gtest.h>

#include <vector>

#include "model/carcass_yield.h"

namespace plumetra {
namespace {

using DietTable = std::vector<std::array<double, Nutrients>>;

// Phase d of the diet table with met + cys (entry 9) and energy (entry 1).
DietTable dietTable(const std::vector<std::pair<double, double>>& metCysAndEnergy) {
  DietTable table(1);
  for (auto [mc, energy] : metCysAndEnergy) {
    std::array<double, Nutrients> v{};
    v[9] = mc;
    v[1] = energy;
    table.push_back(v);
  }
  return table;
}

TEST(CarcassPeriods, PhasesAreSplitAcrossPeriodsInOrder) {
  PhaseVector allotment{0, 0.4, 0.5, 1.0, 2.0};
  const PeriodSplit p = carcassPeriodSplit(allotment, 4);
  // By hand: period capacities 0.6, 0.6, 1.2, then the rest.
  const double expected[5][5] = {{}, {0, 0.4, 0.2, 0, 0}, {0, 0, 0.3, 0.3, 0},
                                 {0, 0, 0, 0.7, 0.5}, {0, 0, 0, 0, 1.5}};
  for (int j = 1; j <= 4; ++j)
    for (int d = 1; d <= 4; ++d) EXPECT_NEAR(p[j][d], expected[j][d], 1e-12) << j << "," << d;

  allotment.fill(1.0);  // a diet count beyond the tables: only phases 1-6 are split
  const PeriodSplit clamped = carcassPeriodSplit(allotment, 40);
  EXPECT_EQ(clamped[4][7], 0);
  EXPECT_NEAR(clamped[4][6], 1.0, 1e-12);
}

TEST(CarcassYield, LessThanOnePeriodUsesInterceptAndPeriodOneTerms) {
  ModelState m;
  m.inputs.dietCount = 1;
  m.inputs.feedAllotment[1] = 0.5;
  const auto table = dietTable({{0.9, 3080}});  // MC1 = 0.45, EN1 = 0.5 * 3080 / 220 = 7
  const auto e = carcassEstimates(m.inputs, table);
  // Estimate 1 by hand: 0.54648 + 0.042881 * 0.45 - 0.0081533 * 0.45^2 + 0.0048738 * 7
  //   - 0.00014091 * 49 - 0.00090139 * 0.45 * 7.
  EXPECT_NEAR(e[1], 0.58849803825, 1e-12);
  // The others computed from the coefficient table with a separate script.
  const double others[] = {0.0085925809500000012, 0.052381400000000009, 0.17896109300000004,
                           0.20791581525, 0.080720452950000007};
  for (int j = 2; j <= 6; ++j) EXPECT_NEAR(e[j], others[j - 2], 1e-12) << j;

  m.inputs.dietCount = 6;  // phases without a diet in the table are not read
  m.inputs.feedAllotment[2] = 9;
  EXPECT_NEAR(carcassEstimates(m.inputs, table)[1], 0.58849803825, 1e-12);
}

TEST(CarcassYield, FourPhaseFlock) {
  GrowthInputs in;
  in.dietCount = 4;
  in.feedAllotment = {0, 0.4, 0.5, 1.0, 2.0};
  const auto table = dietTable({{1.0, 3000}, {0.9, 3100}, {0.8, 3200}, {0.7, 3250}});
  const auto e = carcassEstimates(in, table);
  // From the coefficient table and the period sums, by a separate script.
  const double expected[] = {0.65426223726349175, 0.02214564673465497, 0.067485907438016524,
                             0.20985008098986985, 0.22788583575259205, 0.079386896282157018};
  for (int j = 1; j <= 6; ++j) EXPECT_NEAR(e[j], expected[j - 1], 1e-12) << j;
}

}  // namespace
}  // namespace plumetra

#include "model/carcass_yield.h"

#include <algorithm>

namespace plumetra {

const std::array<std::array<double, CarcassEstimateCount + 1>, CarcassTermCount + 1> CarcassCoef{{
    {},
    {0, 0.54648, 0.003154, 0.04077, 0.16254, 0.20683, 0.07656},
    {0, 0.042881, -0.0073099, 0.03102, 0.033653, -0.0020733, 0.0084842},
    {0, 0.019798, -0.0026797, 0.01013, 0.0087464, 0.019866, 8.348e-05},
    {0, 0.010904, -0.0011469, 0.00543, 0.010426, 0.0035028, -0.0021335},
    {0, 0.0085441, -0.0012574, 0.00273, 0.0056511, 0.0004133, 0.00039817},
    {0, -0.0081533, -0.00015202, -0.00124, -0.002832, 0.0043997, 0.0013354},
    {0, -0.0046602, -0.0036352, 0.0017, 0.0014581, -0.014987, 0.0016956},
    {0, -0.0015201, -0.0015613, 0.00026, -0.00081475, -0.00091617, 0.00053598},
    {0, 5.4551e-05, -0.00058028, 0.00046, 0.00069203, 0.00070756, 9.0142e-05},
    {0, 0.0048738, 0.0012777, 0.00035, 0.0014796, 0.00080605, 8.4629e-05},
    {0, 0.0016859, 0.00030023, 0.00068, 0.00076742, 0.0012423, 0.00011132},
    {0, 0.00072816, 0.0001206, 0.00023, 0.00050025, 0.00034928, -0.0001556},
    {0, 0.00036703, 9.7454e-05, 2e-05, 0.00012907, 8.2137e-05, 3.4056e-05},
    {0, -0.00014091, 2.1329e-05, -6e-05, -0.00015667, -2.8946e-05, -9.5885e-06},
    {0, -1.3917e-05, 4.1217e-05, -1e-05, 1.4317e-05, -8.1847e-05, 1.6641e-05},
    {0, -1.1889e-06, 9.3344e-06, -1e-05, -1.9407e-05, 3.2099e-06, 3.8168e-07},
    {0, -2.4098e-06, 2.4655e-06, 0, -5.0566e-07, -1.0316e-06, -1.116e-06},
    {0, -0.00090139, -0.00039054, -0.00051, -0.00026338, -0.0009829, -1.6007e-05},
    {0, -0.00035953, -1.2664e-05, 5e-05, 5.8219e-06, -0.00048335, 9.2084e-05},
    {0, -1.391e-05, -3.8557e-05, -3e-05, -0.00010047, -1.2273e-05, 4.1659e-05},
    {0, -5.0094e-06, -7.1933e-06, 2e-05, 4.0724e-05, -3.1246e-07, -7.9374e-06},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, -0.00012347, -0.00043521, 3e-05, -0.00071362, 0.00072842, 0.00057177},
    {0, -0.0057623, -0.00044456, -0.00926, -0.0076205, 0.0079457, -0.0044048},
    {0, 0.0044263, 0.00040228, 0.00083, 0.0064435, -0.0041813, -0.00016187},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 1.9289e-06, 6.6553e-06, -1e-05, -9.9522e-06, 5.1383e-07, 1.309e-06},
    {0, -2.0057e-05, 8.7101e-06, 2e-05, -1.9926e-05, 2.5861e-05, 1.6222e-05},
    {0, 1.4028e-05, 7.6552e-06, 1e-05, 1.8658e-05, 1.8432e-06, -1.0764e-05},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, -0.00052532, 0.00059204, -0.00108, -0.00032836, -0.00081072, -0.00018988},
    {0, 0, 0, 0, 0, 0, 0},
    {0, -0.00048767, -0.00073153, 0.00041, -0.00043705, 0.00095276, 2.7114e-05},
    {0, 0.00019808, 0.00044575, -0.00029, -0.0001125, -0.00033791, -2.7034e-05},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0.00020701, -0.00025343, 0.00035, 0.00067921, 2.6539e-05, -0.00017864},
    {0, -5.0927e-05, 8.5862e-05, -8e-05, -0.00013058, -1.5558e-05, 7.4422e-06},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0.00013227, -5.5757e-05, 2e-05, -2.9962e-06, -4.808e-06, 2.3876e-05},
}};

namespace {
constexpr double EnergyDivisor = 220.0;
constexpr int MetCysEntry = 9;
constexpr int EnergyEntry = 1;
}  // namespace

PeriodSplit carcassPeriodSplit(const PhaseVector& allotment, int dietCount) {
  PeriodSplit p{};
  std::array<double, FeedPeriods> used{};  // running totals of periods 1-3
  const int diets = std::clamp(dietCount, 0, MaxDietPhases);
  for (int d = 1; d <= diets; ++d) {
    double left = allotment[d];
    for (int j = 1; j < FeedPeriods; ++j) {
      const double amount = std::min(FeedPeriodCapacity[j - 1] - used[j], left);
      p[j][d] = amount > 0 ? amount : 0;
      used[j] += p[j][d];
      left -= p[j][d];
    }
    p[FeedPeriods][d] = left;
  }
  return p;
}

std::array<double, CarcassTermCount + 1> carcassTerms(const std::array<double, FeedPeriods + 1>& mc,
                                                   const std::array<double, FeedPeriods + 1>& en) {
  return {0,
          1,
          mc[1], mc[2], mc[3], mc[4],
          mc[1] * mc[1], mc[2] * mc[2], mc[3] * mc[3], mc[4] * mc[4],
          en[1], en[2], en[3], en[4],
          en[1] * en[1], en[2] * en[2], en[3] * en[3], en[4] * en[4],
          mc[1] * en[1], mc[2] * en[2], mc[3] * en[3], mc[4] * en[4],
          mc[1] * mc[3], mc[1] * mc[4], mc[4] * mc[3], mc[1] * mc[2], mc[2] * mc[3], mc[2] * mc[4],
          en[1] * en[3], en[1] * en[4], en[4] * en[3], en[1] * en[2], en[2] * en[3], en[2] * en[4],
          mc[1] * en[3], mc[1] * en[2], mc[1] * en[4], mc[2] * en[1], mc[2] * en[3], mc[2] * en[4],
          en[1] * mc[3], en[2] * mc[3], en[4] * mc[3], en[1] * mc[4], en[2] * mc[4], mc[4] * en[3]};
}

std::array<double, CarcassEstimateCount + 1> carcassEstimates(
    const GrowthInputs& model, std::span<const std::array<double, Nutrients>> dietTable) {
  const int lastPhase = std::min(MaxDietPhases, static_cast<int>(dietTable.size()) - 1);
  const int diets = std::clamp(model.dietCount, 0, std::max(lastPhase, 0));
  const PeriodSplit p = carcassPeriodSplit(model.feedAllotment, diets);
  std::array<double, FeedPeriods + 1> mc{}, en{};
  for (int j = 1; j <= FeedPeriods; ++j)
    for (int d = 1; d <= diets; ++d) {
      mc[j] += p[j][d] * dietTable[d][MetCysEntry];
      en[j] += p[j][d] * dietTable[d][EnergyEntry] / EnergyDivisor;
    }
  const auto x = carcassTerms(mc, en);
  std::array<double, CarcassEstimateCount + 1> estimates{};
  for (int j = 1; j <= CarcassEstimateCount; ++j)
    for (int i = 1; i <= CarcassTermCount; ++i) estimates[j] += CarcassCoef[i][j] * x[i];
  return estimates;
}

}  // namespace plumetra

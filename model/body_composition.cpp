#include "model/body_composition.h"

#include "controls/number_format.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {
constexpr int kTemperatureComponent = 12;  // follows temperature and the limiting amino acid
constexpr int kLimitedComponent = 18;    // follows the limiting amino acid
constexpr int kUnadjustedComponent = 27;  // always grows at its reference share
constexpr int kAdjustFromDay = 15;
}  // namespace

void TrackComposition(GrowthRun& run, int sex, int day) {
  const auto& weight = run.out.BodyWeight[sex];
  const auto& share = run.reference.Share[sex];
  auto& mass = run.out.ComponentMass[sex];
  const double gain = weight[day] - weight[day - 1];

  double lambda = 1.0;
  double mu = 1.0;
  if (day >= kAdjustFromDay) {
    lambda = (run.work.dayLimitingRatio - 1.0) * 0.8 + 1.0;
    mu = 1.0 / lambda;
  }

  if (day == 1)
    for (int k = kFirstComponent; k <= kLastComponent; ++k) mass[k][0] = weight[0] * share[k][0] / 100.0;

  const double weightPerGain = weight[day] / gain;
  const double tempFactor = run.work.tempFactor;
  double total = 0;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) {
    double shareOfGain = share[k][day] + (share[k][day] - share[k][day - 1]) * weightPerGain;
    if (shareOfGain < 0) shareOfGain = 0;
    double multiplier = mu;
    if (k == kTemperatureComponent) multiplier = tempFactor * tempFactor * lambda;
    else if (k == kLimitedComponent) multiplier = lambda;
    if (day == 1 || k == kUnadjustedComponent) multiplier = 1.0;
    mass[k][day] = mass[k][day - 1] + gain / 100.0 * shareOfGain * multiplier;
    total += mass[k][day];
  }

  const double normalise = weight[day] / total;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) mass[k][day] *= normalise;
}

void MixComposition(GrowthResults& out, int day) {
  if (out.BodyWeight[0][day] == 0) return;
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    out.ComponentMass[0][k][day] = (out.ComponentMass[1][k][day] + out.ComponentMass[2][k][day]) / 2.0;
}

void TakeFinalComposition(GrowthResults& out, int sex) {
  // A run fed extreme growth parameters may end on a final age that is not a number.
  const double age = std::isfinite(out.FinalAge) ? roundHalfEven(out.FinalAge) : 0.0;
  const int day = static_cast<int>(std::clamp(age, 0.0, double(kDays - 1)));
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    out.FinalComposition[k] = out.ComponentMass[sex][k][day];
}

}  // namespace plumetra

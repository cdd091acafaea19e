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

  // How much of its share of the gain each component takes today.
  std::array<double, kComponentSlots> multiplier;
  if (day == 1) {
    multiplier.fill(1.0);
  } else {
    const double lambda = day >= kAdjustFromDay ? (run.work.dayLimitingRatio - 1.0) * 0.8 + 1.0 : 1.0;
    multiplier.fill(day >= kAdjustFromDay ? 1.0 / lambda : 1.0);
    multiplier[kTemperatureComponent] = run.work.tempFactor * run.work.tempFactor * lambda;
    multiplier[kLimitedComponent] = lambda;
    multiplier[kUnadjustedComponent] = 1.0;
  }

  if (day == 1)
    for (int k = kFirstComponent; k <= kLastComponent; ++k) mass[0][k] = weight[0] * share[0][k] / 100.0;

  const double weightPerGain = weight[day] / gain;
  const auto& shareToday = share[day];
  const auto& shareBefore = share[day - 1];
  const auto& massBefore = mass[day - 1];
  auto& massToday = mass[day];
  double total = 0;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) {
    const double shareOfGain = std::max(shareToday[k] + (shareToday[k] - shareBefore[k]) * weightPerGain, 0.0);
    massToday[k] = massBefore[k] + gain / 100.0 * shareOfGain * multiplier[k];
    total += massToday[k];
  }

  const double normalise = weight[day] / total;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) massToday[k] *= normalise;
}

void MixComposition(GrowthResults& out, int day) {
  if (out.BodyWeight[0][day] == 0) return;
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    out.ComponentMass[0][day][k] = (out.ComponentMass[1][day][k] + out.ComponentMass[2][day][k]) / 2.0;
}

void TakeFinalComposition(GrowthResults& out, int sex) {
  // A run fed extreme growth parameters may end on a final age that is not a number.
  const double age = std::isfinite(out.FinalAge) ? roundHalfEven(out.FinalAge) : 0.0;
  const int day = static_cast<int>(std::clamp(age, 0.0, double(kDays - 1)));
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    out.FinalComposition[k] = out.ComponentMass[sex][day][k];
}

}  // namespace plumetra

#include "model/body_composition.h"

#include "controls/number_format.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {
constexpr int TemperatureComponent = 12;  // follows temperature and the limiting amino acid
constexpr int LimitedComponent = 18;    // follows the limiting amino acid
constexpr int UnadjustedComponent = 27;  // always grows at its reference share
constexpr int AdjustFromDay = 15;
}  // namespace

void trackComposition(GrowthRun& run, int sex, int day) {
  const auto& weight = run.out.bodyWeight[sex];
  const auto& share = run.reference.share[sex];
  auto& mass = run.out.componentMass[sex];
  const double gain = weight[day] - weight[day - 1];

  // How much of its share of the gain each component takes today.
  std::array<double, ComponentSlots> multiplier;
  if (day == 1) {
    multiplier.fill(1.0);
  } else {
    const double lambda = day >= AdjustFromDay ? (run.work.dayLimitingRatio - 1.0) * 0.8 + 1.0 : 1.0;
    multiplier.fill(day >= AdjustFromDay ? 1.0 / lambda : 1.0);
    multiplier[TemperatureComponent] = run.work.tempFactor * run.work.tempFactor * lambda;
    multiplier[LimitedComponent] = lambda;
    multiplier[UnadjustedComponent] = 1.0;
  }

  if (day == 1)
    for (int k = FirstComponent; k <= LastComponent; ++k) mass[0][k] = weight[0] * share[0][k] / 100.0;

  const double weightPerGain = weight[day] / gain;
  const auto& shareToday = share[day];
  const auto& shareBefore = share[day - 1];
  const auto& massBefore = mass[day - 1];
  auto& massToday = mass[day];
  double total = 0;
  for (int k = FirstComponent; k <= LastComponent; ++k) {
    const double shareOfGain = std::max(shareToday[k] + (shareToday[k] - shareBefore[k]) * weightPerGain, 0.0);
    massToday[k] = massBefore[k] + gain / 100.0 * shareOfGain * multiplier[k];
    total += massToday[k];
  }

  const double normalise = weight[day] / total;
  for (int k = FirstComponent; k <= LastComponent; ++k) massToday[k] *= normalise;
}

void mixComposition(GrowthResults& out, int day) {
  if (out.bodyWeight[0][day] == 0) return;
  for (int k = FirstComponent; k <= LastComponent; ++k)
    out.componentMass[0][day][k] = (out.componentMass[1][day][k] + out.componentMass[2][day][k]) / 2.0;
}

void takeFinalComposition(GrowthResults& out, int sex) {
  // A run fed extreme growth parameters may end on a final age that is not a number.
  const double age = std::isfinite(out.finalAge) ? roundHalfEven(out.finalAge) : 0.0;
  const int day = static_cast<int>(std::clamp(age, 0.0, double(Days - 1)));
  for (int k = FirstComponent; k <= LastComponent; ++k)
    out.finalComposition[k] = out.componentMass[sex][day][k];
}

}  // namespace plumetra

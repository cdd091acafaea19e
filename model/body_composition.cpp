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

void TrackComposition(ModelState& m, int sex, int day) {
  const auto& weight = m.BodyWeight[sex];
  const auto& share = m.ComponentShare[sex];
  auto& mass = m.ComponentMass[sex];
  const double gain = weight[day] - weight[day - 1];

  double lambda = 1.0;
  double mu = 1.0;
  if (day >= kAdjustFromDay) {
    lambda = (m.DayLimitingRatio - 1.0) * 0.8 + 1.0;
    mu = 1.0 / lambda;
  }

  if (day == 1) {
    double total = 0;
    for (int k = kFirstComponent; k <= kLastComponent; ++k) {
      mass[k][0] = weight[0] * share[k][0] / 100.0;
      total += mass[k][0];
    }
    m.ComponentDay0Total[sex] = total;
  }

  const double weightPerGain = weight[day] / gain;
  double total = 0;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) {
    double shareOfGain = share[k][day] + (share[k][day] - share[k][day - 1]) * weightPerGain;
    if (shareOfGain < 0) shareOfGain = 0;
    double multiplier = mu;
    if (k == kTemperatureComponent) multiplier = m.TempFactor * m.TempFactor * lambda;
    else if (k == kLimitedComponent) multiplier = lambda;
    if (day == 1 || k == kUnadjustedComponent) multiplier = 1.0;
    mass[k][day] = mass[k][day - 1] + gain / 100.0 * shareOfGain * multiplier;
    total += mass[k][day];
  }

  auto& percent = m.ComponentPercent[sex];
  const double normalise = weight[day] / total;
  const double percentPerGram = 100.0 / weight[day];
  for (int k = kFirstComponent; k <= kLastComponent; ++k) {
    mass[k][day] *= normalise;
    percent[k][day] = mass[k][day] * percentPerGram;
  }
}

void MixComposition(ModelState& m, int day) {
  const double weight = m.BodyWeight[0][day];
  if (weight == 0) return;
  for (int k = kFirstComponent; k <= kLastComponent; ++k) {
    const double mass = (m.ComponentMass[1][k][day] + m.ComponentMass[2][k][day]) / 2.0;
    m.ComponentMass[0][k][day] = mass;
    m.ComponentShare[0][k][day] = 100.0 * mass / weight;
  }
}

void TakeFinalComposition(ModelState& m) {
  // A run fed extreme growth parameters may end on a final age that is not a number.
  const double age = std::isfinite(m.FinalAge) ? roundHalfEven(m.FinalAge) : 0.0;
  const int day = static_cast<int>(std::clamp(age, 0.0, double(kDays - 1)));
  const int sex = std::clamp(m.ModelSex, 0, kSexRows - 1);
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    m.FinalComposition[k] = m.ComponentMass[sex][k][day];
}

}  // namespace plumetra

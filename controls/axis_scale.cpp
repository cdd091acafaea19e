#include "controls/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

double roundTickStep(double rough) {
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough * (1 - 1e-9)) return m * power;
  return 10 * power;
}

AxisScale roundAxisScale(double low, double high, int maxTicks) {
  if (!std::isfinite(low) || !std::isfinite(high)) return {};
  if (low > high) std::swap(low, high);
  maxTicks = std::max(maxTicks, 2);
  if (high == low) {
    const double half = low == 0 ? 1.0 : roundTickStep(std::abs(low) / 10);
    low -= half;
    high += half;
  }
  double step = roundTickStep((high - low) / (maxTicks - 1));
  AxisScale scale;
  // Rounding the ends outward can add a tick; the next round step then fits.
  for (;;) {
    scale.min = std::floor(low / step + 1e-9) * step;
    scale.max = std::ceil(high / step - 1e-9) * step;
    scale.ticks = static_cast<int>(std::lround((scale.max - scale.min) / step)) + 1;
    if (scale.ticks <= maxTicks) break;
    step = roundTickStep(step * 1.01);
  }
  scale.step = step;
  return scale;
}

}  // namespace plumetra

#include "workspace/value_statistics.h"

#include <cmath>

namespace plumetra {

std::optional<MeanSdResult> meanSdOf(std::span<const double> values) {
  if (values.empty()) return std::nullopt;
  MeanSdResult result;
  result.n = static_cast<int>(values.size());
  double sum = 0.0;
  for (double x : values) {
    sum += x;
    result.sumSquares += x * x;
    result.hasSpread = result.hasSpread || x != values.front();
  }
  result.mean = sum / result.n;
  if (result.n == 1) return result;  // one value has no spread to estimate
  if (!result.hasSpread) {
    result.mean = values.front();  // the exact value, not a sum divided back
    result.sd = 0.0;
    return result;
  }
  double squaredDeviations = 0.0;
  for (double x : values) squaredDeviations += (x - result.mean) * (x - result.mean);
  result.sd = std::sqrt(squaredDeviations / (result.n - 1));
  return result;
}

}  // namespace plumetra

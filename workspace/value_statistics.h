#pragma once
// Mean and sample standard deviation of a list of values: the one rule every statistic of the
// program uses.

#include <optional>
#include <span>

namespace plumetra {

struct MeanSdResult {
  int n = 0;
  double mean = 0.0;
  // The sample standard deviation; none for a single value, 0 when all values are equal.
  std::optional<double> sd;
  double sumSquares = 0.0;  // sum of x squared
  bool hasSpread = false;   // at least two values differ
  double variance() const { return sd ? *sd * *sd : 0.0; }
};

// Statistics of the values; std::nullopt for no values. The spread is summed from the
// deviations about the mean (two passes), so equal values give exactly 0.
std::optional<MeanSdResult> meanSdOf(std::span<const double> values);

}  // namespace plumetra

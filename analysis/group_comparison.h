#pragma once
// Mean, standard deviation and two-sample t of a measure over the three split groups, for the
// tables that stand beside the split statistics (industry metrics, model fit). Unknown values
// (not finite) are left out of every statistic.

#include <array>
#include <span>

namespace plumetra {

struct Moments {
  int n = 0;
  double mean = 0.0;
  double sd = 0.0;     // sample standard deviation; not finite for fewer than two values
};

// Two-pass, so a column of nearly equal values keeps its small spread.
Moments momentsOf(std::span<const double> values);

// Welch's two-sample t, (a.mean - b.mean) / sqrt(a.sd^2/a.n + b.sd^2/b.n); not finite when
// either group has fewer than two values or neither has any spread.
double welchT(const Moments& a, const Moments& b);

// Groups 1 (low), 2 (middle), 3 (high) and 4 (all), 0 unused.
struct GroupComparison {
  std::array<Moments, 5> groups{};
  double tLowMiddle = 0.0, tMiddleHigh = 0.0, tLowHigh = 0.0;
};

// `values` in grid order; the first sizes[1] are group 1, the next sizes[2] group 2, then
// sizes[3] of group 3.
GroupComparison compareGroups(std::span<const double> values, const std::array<int, 4>& sizes);

}  // namespace plumetra

#pragma once
// Mean and sample standard deviation of a run of grid cells, the way every statistics view
// of the program computes them.

#include "analysis/analysis_state.h"
#include "controls/grid.h"

#include <optional>
#include <span>
#include <vector>

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

// Stores mean, standard deviation (0 when none) and sum of squares at
// ColumnStats(column, column, 1..3): the statistics of a whole column.
void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result);

// MeanSD over the numeric cell values of `column` in rows rowFrom+1 .. rowTo (rowFrom is
// excluded); std::nullopt when rowTo is past the last row, the column past the last column,
// or the run is empty.
std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo);

// The numeric values of one column over rows first..last (cells that are no number read 0).
std::vector<double> columnValues(const Grid& grid, int column, int first, int last);

// Whether any cell of the column in rows first..last holds a number.
bool holdsAnyNumber(const Grid& grid, int column, int first, int last);

}  // namespace plumetra

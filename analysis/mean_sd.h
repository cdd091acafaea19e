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
  double mean = 0.0;
  double sd = 0.0;          // 0 when the spread is not positive
  double sumSquares = 0.0;  // sum of x squared
  bool hasSpread = false;   // the spread was positive: the cache receives the result
};

// Statistics of the values; std::nullopt for no values. A single value x gets the spread
// |x|/sqrt(2): its n is taken as 2 for the spread.
std::optional<MeanSdResult> meanSdOf(std::span<const double> values);

// Stores mean, standard deviation and sum of squares at ColumnStats(column, column, 1..3)
// when the result had a spread.
void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result);

// MeanSD over the numeric cell values of `column` in rows rowFrom+1 .. rowTo (rowFrom is
// excluded); std::nullopt when rowTo is past the last row, the column past the last column,
// or the run is empty. Stores into the cache as storeMeanSd does.
std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo,
                                   ColumnStatsTable& stats);

// The numeric values of one column over rows first..last (cells that are no number read 0).
std::vector<double> columnValues(const Grid& grid, int column, int first, int last);

}  // namespace plumetra

#pragma once
// Mean and sample standard deviation of a run of grid cells (workspace/value_statistics.h),
// the way every statistics view of the program computes them.

#include "analysis/analysis_state.h"
#include "controls/grid.h"
#include "workspace/value_statistics.h"

#include <optional>
#include <span>
#include <vector>

namespace plumetra {

// Stores mean, standard deviation (0 when none) and sum of squares at
// ColumnStats(column, column, 1..3): the statistics of a whole column.
void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result);

// MeanSD over the numeric cell values of `column` in rows rowFrom+1 .. rowTo (rowFrom is
// excluded); std::nullopt when rowTo is past the last row, the column past the last column,
// or the run is empty.
std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo);

// The numbers of one column over rows first..last; a cell that holds no number (blank or
// text) is an unknown value and is left out.
std::vector<double> columnNumbers(const Grid& grid, int column, int first, int last);

// Whether any cell of the column in rows first..last holds a number.
bool holdsAnyNumber(const Grid& grid, int column, int first, int last);

}  // namespace plumetra

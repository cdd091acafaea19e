#pragma once
// The column-statistics cache's entry of a whole column: mean and sample standard deviation
// (workspace/value_statistics.h), as every statistics view of the program computes them.

#include "analysis/analysis_state.h"
#include "workspace/value_statistics.h"

namespace plumetra {

// Stores mean, standard deviation (0 when none) and sum of squares at
// columnStats(column, column, 1..3): the statistics of a whole column.
void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result);

}  // namespace plumetra

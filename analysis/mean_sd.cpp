#include "analysis/mean_sd.h"

namespace plumetra {

void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result) {
  stats.set(column, column, 1, result.mean);
  stats.set(column, column, 2, result.sd.value_or(0.0));
  stats.set(column, column, 3, result.sumSquares);
}

}  // namespace plumetra

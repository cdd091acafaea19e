#include "analysis/mean_sd.h"

#include <cmath>

namespace plumetra {

void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result) {
  stats.set(column, column, 1, result.mean);
  stats.set(column, column, 2, result.sd.value_or(0.0));
  stats.set(column, column, 3, result.sumSquares);
}

std::vector<double> columnNumbers(const Grid& grid, int column, int first, int last) {
  std::vector<double> values;
  if (last >= first) values.reserve(static_cast<std::size_t>(last - first + 1));
  for (int r = first; r <= last; ++r)
    if (grid.isNumber(r, column)) values.push_back(grid.value(r, column));
  return values;
}

bool holdsAnyNumber(const Grid& grid, int column, int first, int last) {
  for (int r = first; r <= last; ++r)
    if (grid.isNumber(r, column)) return true;
  return false;
}

std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo) {
  if (rowTo > grid.rows() - 1 || column > grid.cols() - 1 || rowTo <= rowFrom) return std::nullopt;
  return meanSdOf(columnNumbers(grid, column, rowFrom + 1, rowTo));
}

}  // namespace plumetra

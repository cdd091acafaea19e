#include "analysis/mean_sd.h"

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

void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result) {
  stats.set(column, column, 1, result.mean);
  stats.set(column, column, 2, result.sd.value_or(0.0));
  stats.set(column, column, 3, result.sumSquares);
}

std::vector<double> columnValues(const Grid& grid, int column, int first, int last) {
  std::vector<double> values;
  if (last >= first) values.reserve(static_cast<std::size_t>(last - first + 1));
  for (int r = first; r <= last; ++r) values.push_back(grid.value(r, column));
  return values;
}

bool holdsAnyNumber(const Grid& grid, int column, int first, int last) {
  for (int r = first; r <= last; ++r)
    if (grid.isNumber(r, column)) return true;
  return false;
}

std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo) {
  if (rowTo > grid.rows() - 1 || column > grid.cols() - 1 || rowTo <= rowFrom) return std::nullopt;
  return meanSdOf(columnValues(grid, column, rowFrom + 1, rowTo));
}

}  // namespace plumetra

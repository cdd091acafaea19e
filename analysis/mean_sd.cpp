#include "analysis/mean_sd.h"

#include <cmath>

namespace plumetra {

std::optional<MeanSdResult> meanSdOf(std::span<const double> values) {
  if (values.empty()) return std::nullopt;
  double sum = 0.0, sumSquares = 0.0;
  for (double x : values) {
    sum += x;
    sumSquares += x * x;
  }
  MeanSdResult result;
  result.mean = sum / static_cast<double>(values.size());
  result.sumSquares = sumSquares;
  const double n = values.size() == 1 ? 2.0 : static_cast<double>(values.size());
  const double v = sumSquares - sum * sum / n;
  if (!(v > 0.0)) return result;
  result.sd = std::sqrt(v / (n - 1.0));
  result.hasSpread = true;
  return result;
}

void storeMeanSd(ColumnStatsTable& stats, int column, const MeanSdResult& result) {
  if (!result.hasSpread) return;
  stats.set(column, column, 1, result.mean);
  stats.set(column, column, 2, result.sd);
  stats.set(column, column, 3, result.sumSquares);
}

std::vector<double> columnValues(const Grid& grid, int column, int first, int last) {
  std::vector<double> values;
  if (last >= first) values.reserve(static_cast<std::size_t>(last - first + 1));
  for (int r = first; r <= last; ++r) values.push_back(grid.value(r, column));
  return values;
}

std::optional<MeanSdResult> MeanSD(const Grid& grid, int column, int rowFrom, int rowTo,
                                   ColumnStatsTable& stats) {
  if (rowTo > grid.rows() - 1 || column > grid.cols() - 1 || rowTo <= rowFrom) return std::nullopt;
  const std::vector<double> values = columnValues(grid, column, rowFrom + 1, rowTo);
  auto result = meanSdOf(values);
  if (result) storeMeanSd(stats, column, *result);
  return result;
}

}  // namespace plumetra

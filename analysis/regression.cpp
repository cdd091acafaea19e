#include "analysis/regression.h"

#include "analysis/analysis_state.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>

namespace plumetra {

namespace {
constexpr int ColumnTypeRow = 25;
}

std::vector<ChartColumn> chartColumns(const Grid& analysisGrid, const FlockRows& rows) {
  std::vector<ChartColumn> columns;
  for (int c = 1; c <= analysisGrid.cols() - 2; ++c) {
    if (rows.numberAt(ColumnTypeRow, c)) columns.push_back({analysisGrid.text(0, c), c});
  }
  return columns;
}

std::string chartTitle(const std::string& firstSortCaption) {
  return firstSortCaption.empty() ? "Sorted by Feed Conversion" : "Sorted by  " + firstSortCaption;
}

ChartSeries chartSeries(const Grid& analysisGrid, const FlockRows& rows, int xCol, int yCol) {
  ChartSeries series;
  for (int r = FirstFlockRow; r < analysisGrid.rows(); ++r) {
    const std::optional<double> y = rows.numberAt(r, yCol);
    const std::optional<double> x = xCol < 0 ? std::optional<double>(r - LastStatisticsRow) : rows.numberAt(r, xCol);
    if (!x || !y) continue;
    series.y.push_back(*y);
    series.x.push_back(*x);
  }
  return series;
}

Regression linearRegression(const ChartSeries& series, const std::string& xCaption,
                            const std::string& yCaption) {
  Regression result;
  result.resultText = NoRegressionText;
  const std::size_t n = std::min(series.x.size(), series.y.size());
  if (n < 2) return result;
  const bool constantX = std::all_of(series.x.begin(), series.x.begin() + static_cast<long>(n),
                                     [&](double v) { return v == series.x.front(); });
  if (constantX) return result;

  double sumX = 0.0, sumY = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    sumX += series.x[i];
    sumY += series.y[i];
  }
  const double meanX = sumX / static_cast<double>(n), meanY = sumY / static_cast<double>(n);
  double sxx = 0.0, syy = 0.0, sxy = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double dx = series.x[i] - meanX, dy = series.y[i] - meanY;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
  }
  if (!(sxx > 0.0)) return result;
  result.ok = true;
  result.slope = sxy / sxx;
  result.intercept = meanY - result.slope * meanX;
  result.rSquare = syy > 0.0 ? sxy * sxy / (sxx * syy) : 0.0;
  result.drawLine = result.rSquare >= MinRSquareForLine;
  result.equation = yCaption + " = " + formatNum(result.intercept) + " + " + "\r" +
                    formatChart(result.slope) + "   X   " + xCaption + "    ";
  result.resultText = result.drawLine ? result.equation + "\r" + "R Square is " + formatChart(result.rSquare) +
                                       "\r" + "     Control-N Here to copy equation for Excel"
                                 : std::string("R Square is below 0.2");
  return result;
}

}  // namespace plumetra

#pragma once
// The chart window's data: the column lists, the title, the plotted series and the
// least-squares line with its equation and R square texts.

#include "analysis/flock_order.h"
#include "controls/grid.h"

#include <string>
#include <vector>

namespace plumetra {

inline constexpr char NoRegressionText[] = "No Regression Values";
inline constexpr char OrderAxisText[] = "Order 1 to Max";
// Below this R square no line is drawn.
inline constexpr double MinRSquareForLine = 0.2;

struct ChartColumn {
  std::string caption;
  int col = 0;
};

// Columns 1 .. Cols-2 that hold a number in row 25 (the fourth flock row).
std::vector<ChartColumn> chartColumns(const Grid& analysisGrid, const FlockRows& rows);

// "Sorted by Feed Conversion" without a first sort, else "Sorted by  " and its caption.
std::string chartTitle(const std::string& firstSortCaption);

struct ChartSeries {
  std::vector<double> x, y;  // x is 1..N without an X column
};
// Flock rows 22 to the last row, in grid order; xCol < 0 plots against the order (row 22 is
// 1). A row without both numbers is left out.
ChartSeries chartSeries(const Grid& analysisGrid, const FlockRows& rows, int xCol, int yCol);

struct Regression {
  bool ok = false;  // false: no X column, fewer than two flocks, or a constant X column
  double intercept = 0.0, slope = 0.0, rSquare = 0.0;
  bool drawLine = false;  // R square of at least 0.2
  std::string equation;   // kept for copying (Ctrl+N)
  std::string resultText;      // the result box
};

// y = a + b x over the series, from the two columns' current values.
Regression linearRegression(const ChartSeries& series, const std::string& xCaption,
                            const std::string& yCaption);

}  // namespace plumetra

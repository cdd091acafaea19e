#pragma once
// Texts of the chart window beyond the regression itself: a title that names what is plotted,
// and the fitted line as a formula a spreadsheet can calculate.

#include "analysis/regression.h"

#include <string>

namespace plumetra {

// "Avg Weight against Age" for an X-Y plot; for a plot in the flocks' order
// "Avg Weight, Sorted by  Farm" (the first sort, or Feed Conversion without one).
std::string plotTitle(const std::string& yCaption, const std::string& xCaption, const std::string& firstSortCaption);

// The line as a spreadsheet formula on one line: the X value is read from `xCell` and a
// zero-valued N("...") names the two columns, e.g.
// =-0.6+0.0723*A2+N("Avg Weight from Age in A2"). Empty when the regression has no line.
std::string spreadsheetFormula(const Regression& regression, const std::string& xCaption,
                               const std::string& yCaption, const std::string& xCell = "A2");

}  // namespace plumetra

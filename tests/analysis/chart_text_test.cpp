// The chart's title names what is plotted; the copied line is a spreadsheet formula.

#include "analysis/chart_text.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

TEST(ChartText, TitleNamesBothVariablesOfAnXYPlot) {
  EXPECT_EQ(plotTitle("Avg Weight", "Age", "Farm"), "Avg Weight against Age");
  EXPECT_EQ(plotTitle("Avg Weight", "", "Farm"), "Avg Weight, Sorted by  Farm");
  EXPECT_EQ(plotTitle("Avg Weight", "", ""), "Avg Weight, Sorted by Feed Conversion");
  EXPECT_EQ(plotTitle("", "", "Farm"), "Sorted by  Farm");
}

TEST(ChartText, FormulaIsOneLineASpreadsheetCalculates) {
  // y = 2x + 1 through (0,1), (1,3), (2,5): a = 1, b = 2.
  const Regression line = linearRegression({{0, 1, 2}, {1, 3, 5}}, "Age", "Avg Weight");
  ASSERT_TRUE(line.ok);
  EXPECT_EQ(spreadsheetFormula(line, "Age", "Avg Weight"), "=1+2*A2+N(\"Avg Weight from Age in A2\")");
  // A falling line: y = 10 - 0.25x through (0,10), (4,9); quotes in a caption are doubled.
  const Regression falling = linearRegression({{0, 4}, {10, 9}}, "x", "y");
  EXPECT_EQ(spreadsheetFormula(falling, "Wt \"kg\"", "Conv", "B7"), "=10-0.25*B7+N(\"Conv from Wt \"\"kg\"\" in B7\")");
  const std::string text = spreadsheetFormula(falling, "a", "b");
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  // No line, no formula.
  EXPECT_EQ(spreadsheetFormula(Regression{}, "Age", "Avg Weight"), "");
}

}  // namespace
}  // namespace plumetra

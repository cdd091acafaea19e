// Pearson correlations, the matrix colours, "listofCorr.txt", and the chart's regression, title
// and spreadsheet formula.

#include "analysis/analysis_colours.h"
#include "analysis/chart_text.h"
#include "analysis/correlations.h"
#include "analysis/regression.h"
#include "analysis_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace plumetra {
namespace {

namespace ac = analysis_colours;
using test::TabFixture;

// x = 1..5, y = 2 4 5 4 5: deviations give Sxy 6, Sxx 10, Syy 6, r = 6 / sqrt(60).
TEST(Correlations, PearsonAndRegressionAgainstHandValuesUndefinedPairsColourBandsAndUnknownCells) {
  const char* y[] = {"2", "4", "5", "4", "5"};
  const char* zeroMean[] = {"-2", "-1", "0", "1", "2"};
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 5; ++i)
    rows.push_back({"h", std::to_string(i + 1), y[i], "7", zeroMean[i], std::to_string(i + 1), ""});
  TabFixture f({"House", "X", "Y", "Const", "Zero", "Init. Order", "Last"}, rows);
  f.state.columnStats.set(1, 3, 0, 0.33);  // an earlier value: no pair keeps it
  AnalysisView tab = f.tab();
  loadCorrelations(tab, 5, f.dialogs);
  EXPECT_TRUE(f.dialogs.finished());
  // "Init. Order" is the file's row order: never correlated.
  ASSERT_EQ(f.state.correlColumns, (std::vector<int>{1, 2, 3, 4, 6}));
  EXPECT_NEAR(f.state.columnStats.at(1, 2, 0), 6.0 / std::sqrt(60.0), 1e-12);
  EXPECT_NEAR(f.state.columnStats.at(2, 1, 0), 6.0 / std::sqrt(60.0), 1e-12);
  EXPECT_EQ(f.state.columnStats.at(1, 3, 0), 0.0);           // constant column: no r
  EXPECT_NEAR(f.state.columnStats.at(1, 4, 0), 1.0, 1e-12);  // a mean of 0 is no reason to skip

  Grid corr;
  buildCorrelationGrid(f.anal, f.state, corr);
  EXPECT_EQ(corr.text(1, 0), "X");
  EXPECT_EQ(corr.text(1, 2), "0.775");
  EXPECT_EQ(corr.text(1, 3), "");  // constant column
  EXPECT_EQ(corr.text(1, 4), "1.000");
  EXPECT_EQ(corr.text(1, 1), "");
  EXPECT_EQ(corr.text(1, 5), "");  // the last numeric column has a title but no values

  // The colour bands of r.
  const std::pair<double, std::optional<Rgb>> bands[] = {{0.84, ac::CorrStrongPositive}, {0.5, ac::CorrPositive},
                                                          {0.4, std::nullopt},            {-0.84, ac::CorrNegative},
                                                          {-0.85, ac::CorrStrongNegative}};
  for (const auto& [r, colour] : bands) {
    f.state.columnStats.set(1, 2, 0, r);
    buildCorrelationGrid(f.anal, f.state, corr);
    EXPECT_EQ(corr.background(1, 2), colour.value_or(Grid(2, 2).background(1, 1))) << r;
  }

  // The chart's regression of Y on X.
  const Regression r = linearRegression(chartSeries(f.anal, f.state.flockRows, 1, 2), "X", "Y");
  ASSERT_TRUE(r.ok);
  EXPECT_NEAR(r.slope, 0.6, 1e-12);      // Sxy / Sxx = 6 / 10
  EXPECT_NEAR(r.intercept, 2.2, 1e-12);  // 4 - 0.6 x 3
  EXPECT_NEAR(r.rSquare, 0.6, 1e-12);    // 36 / 60
  EXPECT_TRUE(r.drawLine);
  EXPECT_EQ(r.equation, "Y = 2.200 + \r0.600   X   X    ");
  EXPECT_EQ(r.resultText, r.equation + "\rR Square is 0.600\r     Control-N Here to copy equation for Excel");

  const Regression constant = linearRegression(chartSeries(f.anal, f.state.flockRows, 3, 2), "Const", "Y");
  EXPECT_FALSE(constant.ok);
  EXPECT_EQ(constant.resultText, "No Regression Values");
  EXPECT_EQ(chartSeries(f.anal, f.state.flockRows, -1, 2).x, (std::vector<double>{1, 2, 3, 4, 5}));  // the flock order
  // 1 0 1 0 1 against 1..5: r = 0, no line.
  const Regression weak = linearRegression(ChartSeries{{1, 2, 3, 4, 5}, {1, 0, 1, 0, 1}}, "A", "B");
  EXPECT_FALSE(weak.drawLine);
  EXPECT_EQ(weak.resultText, "R Square is below 0.2");

  // A blank cell leaves its flock out of that pair only: X against Y over the four flocks both
  // know (x 1 2 4 5, y 2 4 4 5: Sxy 6, Sxx 10, Syy 4.75, r = 6 / sqrt(47.5)); X against Zero
  // keeps all five.
  f.anal.setText(FirstFlockRow + 2, 2, "");
  f.numberRows();
  loadCorrelations(tab, 5, f.dialogs);
  EXPECT_NEAR(f.state.columnStats.at(1, 2, 0), 6.0 / std::sqrt(47.5), 1e-12);
  EXPECT_NEAR(f.state.columnStats.at(1, 4, 0), 1.0, 1e-12);
}

TEST(Correlations, SixtyColumnsAtMost) {
  std::vector<std::string> headings{"House"}, cells{"h"};
  for (int c = 1; c <= 70; ++c) {
    headings.push_back("C" + std::to_string(c));
    cells.push_back(std::to_string(c));
  }
  TabFixture f(headings, {cells, cells});
  AnalysisView tab = f.tab();
  f.dialogs.expectMessage("Only the first 60 numeric columns are correlated");
  loadCorrelations(tab, 2, f.dialogs);
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_EQ(f.state.correlColumns.size(), 60u);
}

TEST(CorrelationList, FiftySixBySixtySixLinesOfSixFields) {
  ColumnStatsTable stats;
  stats.set(2, 3, 0, -0.5);
  stats.set(3, 3, 1, 1.25);
  std::istringstream in(correlationListText(stats));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3136u);
  EXPECT_EQ(lines[0], " 0 \t 0 \t 0 \t 0 \t 0 \t 0 \r");
  EXPECT_EQ(lines[2 * 56 + 3], " 2 \t 3 \t-0.5 \t 0 \t 0 \t 0 \r");
  EXPECT_EQ(lines[3 * 56 + 3], " 3 \t 3 \t 0 \t 1.25 \t 0 \t 0 \r");
  const testing::TestTempFolder dir("plumetra_corr");
  EXPECT_TRUE(writeCorrelationList(dir.path(), stats));
  EXPECT_TRUE(std::filesystem::exists(dir / "listofCorr.txt"));
}

TEST(ChartText, TitleNamesBothVariablesAndTheFormulaIsOneLineASpreadsheetCalculates) {
  EXPECT_EQ(plotTitle("Avg Weight", "Age", "Farm"), "Avg Weight against Age");
  EXPECT_EQ(plotTitle("Avg Weight", "", "Farm"), "Avg Weight, Sorted by  Farm");
  EXPECT_EQ(plotTitle("Avg Weight", "", ""), "Avg Weight, Sorted by Feed Conversion");
  EXPECT_EQ(plotTitle("", "", "Farm"), "Sorted by  Farm");

  // y = 2x + 1 through (0,1), (1,3), (2,5): a = 1, b = 2.
  const Regression line = linearRegression({{0, 1, 2}, {1, 3, 5}}, "Age", "Avg Weight");
  ASSERT_TRUE(line.ok);
  EXPECT_EQ(spreadsheetFormula(line, "Age", "Avg Weight"), "=1+2*A2+N(\"Avg Weight from Age in A2\")");
  // A falling line: y = 10 - 0.25x through (0,10), (4,9); quotes in a caption are doubled.
  const Regression falling = linearRegression({{0, 4}, {10, 9}}, "x", "y");
  EXPECT_EQ(spreadsheetFormula(falling, "Wt \"kg\"", "Conv", "B7"), "=10-0.25*B7+N(\"Conv from Wt \"\"kg\"\" in B7\")");
  // No line, no formula.
  EXPECT_EQ(spreadsheetFormula(Regression{}, "Age", "Avg Weight"), "");
}

}  // namespace
}  // namespace plumetra

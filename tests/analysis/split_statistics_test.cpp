// Split statistics against values worked out by hand from the textbook formulas.

#include "analysis/analysis_colours.h"
#include "analysis/mean_sd.h"
#include "analysis/split_statistics.h"
#include "analysis/t_tables.h"
#include "analysis_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

namespace ac = analysis_colours;
using test::TabFixture;

TEST(SplitGroupSizes, FirstGroupRoundsHalfEvenLastGroupRoundsDown) {
  struct Case { int flocks; double low, high; int first, middle, last; };
  const Case cases[] = {
      {37, 20, 20, 7, 23, 7},  {38, 20, 20, 8, 23, 7},  {10, 20, 20, 2, 6, 2},
      {12, 20, 20, 2, 8, 2},   {25, 10, 10, 2, 21, 2},  {15, 10, 10, 2, 12, 1},
      {2, 20, 20, 0, 2, 0},    {0, 20, 20, 0, 0, 0},    {10, 120, 20, 10, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flocks);
    const GroupSizes s = splitGroupSizes(c.flocks, {100, c.low, 100 - c.low - c.high, c.high});
    EXPECT_EQ((std::array<int, 4>{s.first, s.middle, s.last, s.all}),
              (std::array<int, 4>{c.first, c.middle, c.last, c.flocks}));
  }
}

TEST(MeanSd, SampleStandardDeviationSingleValueAndGridBounds) {
  const std::vector<double> v{2, 4, 4, 4, 5, 5, 7, 9};  // mean 5, sum of squared deviations 32
  const auto r = meanSdOf(v);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->mean, 5.0);
  EXPECT_NEAR(r->sd, std::sqrt(32.0 / 7.0), 1e-12);
  EXPECT_DOUBLE_EQ(r->sumSquares, 232.0);
  const std::vector<double> one{-3.0};
  EXPECT_NEAR(meanSdOf(one)->sd, 3.0 / std::sqrt(2.0), 1e-12);
  EXPECT_FALSE(meanSdOf(std::vector<double>{4.2, 4.2, 4.2})->hasSpread);
  EXPECT_FALSE(meanSdOf({}));

  Grid g(6, 2);
  for (int row = 1; row < 6; ++row) g.setText(row, 1, std::to_string(row));
  ColumnStatsTable stats;
  ASSERT_TRUE(MeanSD(g, 1, 2, 5, stats));  // rows 3..5: mean 4, sd 1, sum of squares 50
  EXPECT_DOUBLE_EQ(stats.at(1, 1, 1), 4.0);
  EXPECT_DOUBLE_EQ(stats.at(1, 1, 2), 1.0);
  EXPECT_DOUBLE_EQ(stats.at(1, 1, 3), 50.0);
  EXPECT_FALSE(MeanSD(g, 1, 2, 6, stats));  // past the last row
  EXPECT_FALSE(MeanSD(g, 2, 0, 3, stats));  // past the last column
}

TEST(TTables, CriticalValues) {
  struct Case { int df; double c10, c05; };
  const Case cases[] = {{8, 1.860, 2.306},  {9, 1.833, 2.262},   {10, 1.812, 2.228}, {16, 1.746, 2.120},
                        {95, 1.660, 1.984}, {250, 1.660, 1.984}, {0, 0.0, 0.0}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(TCritical(TLevel10, c.df), c.c10) << c.df;
    EXPECT_DOUBLE_EQ(TCritical(TLevel05, c.df), c.c05) << c.df;
  }
  EXPECT_DOUBLE_EQ(TCritLookup(TLevel05, 90), 1.984);
  EXPECT_DOUBLE_EQ(TCritLookup(TLevel10, 29), 1.699);
}

// Twenty flocks at 20/60/20: groups of 4, 12 and 4. Column X (3) has group means 12, 14, 17
// and standard deviations 1, 2, 1; column Y (5) means 12, 13.5, 14 with the same spreads.
TEST(SplitStatistics, TwentyFlocksMeansTStatisticsAndColours) {
  const double outerDev[] = {-1.5, 0.5, 0.5, 0.5};
  const double midDev[] = {-3, -3, -1, -1, -1, -1, 1, 1, 1, 1, 3, 3};
  std::vector<std::vector<std::string>> rows;
  auto add = [&](double x, double y) {
    const auto i = std::to_string(rows.size() + 1);
    rows.push_back(
        {i, "Farm", "", std::to_string(x), std::to_string(30 + rows.size()), std::to_string(y), "42", i, ""});
  };
  for (double d : outerDev) add(12 + d, 12 + d);
  for (double d : midDev) add(14 + d, 13.5 + d);
  for (double d : outerDev) add(17 + d, 14 + d);
  TabFixture f({"House", "Farm", "Note", "X", "Age", "Y", "Const", "Init. Order", ""}, rows);
  f.markText(1);
  f.markText(2);
  f.columns = {3, 4, 5};
  f.combo1.choose(5);
  AnalysisView tab = f.tab();
  SplitStatistics(tab);
  const Grid& g = f.anal;

  EXPECT_EQ(g.rows(), 42);
  EXPECT_EQ(f.state.GroupCount, (std::array<int, 5>{0, 4, 12, 4, 20}));
  const std::pair<int, double> groupRows[] = {{11, 12.0}, {12, 1.0}, {13, 14.0}, {14, 2.0}, {15, 17.0}};
  for (const auto& [row, expected] : groupRows) EXPECT_NEAR(g.value(row, 3), expected, 5e-4) << row;
  // Overall: mean 284 / 20, squared deviations 22.36 + 44.48 + 34.36 = 101.2 over 19.
  EXPECT_NEAR(g.value(17, 3), 14.2, 5e-3);
  EXPECT_NEAR(f.state.ColumnStats.at(3, 1, 1), 14.2, 1e-12);
  EXPECT_NEAR(f.state.ColumnStats.at(3, 1, 2), std::sqrt(101.2 / 19.0), 1e-12);
  EXPECT_EQ(g.text(11, 2), "N =  4");
  EXPECT_EQ(g.text(13, 2), "N =  12");

  // Y: (12 - 13.5) / sqrt(1/4 + 4/12), (13.5 - 14) / sqrt(4/12 + 1/4), (12 - 14) / sqrt(1/4 + 1/4).
  EXPECT_NEAR(g.value(19, 5), -1.5 / std::sqrt(0.25 + 1.0 / 3.0), 5e-4);
  EXPECT_NEAR(g.value(20, 5), -0.5 / std::sqrt(1.0 / 3.0 + 0.25), 5e-4);
  EXPECT_NEAR(g.value(21, 5), -2.0 / std::sqrt(0.5), 5e-4);
  EXPECT_EQ(g.text(19, 6), "");  // the constant column has no spread: no t values
  EXPECT_EQ(g.text(19, 3), " 1.746");  // df 16, 16 and 8
  EXPECT_EQ(g.text(19, 4), " 2.12");
  EXPECT_EQ(g.text(21, 3), " 1.86");
  EXPECT_EQ(g.text(21, 4), " 2.306");
  // Y: |t| 1.964 is between the levels (rose), 0.655 not significant, 2.828 above 2.306 (gold).
  EXPECT_EQ(g.background(19, 5), ac::Significant10);
  EXPECT_EQ(g.background(20, 5), colours::ButtonFace);
  EXPECT_EQ(g.background(21, 5), ac::Significant05);
}

TEST(MarkTValues, ThresholdsAreStrictAndSignIsIgnored) {
  TabFixture f({"House", "a", "b", "c", "d", "e", "f", "g", "h"}, {});
  f.anal.setRows(22);
  f.state.GroupCount = {0, 4, 12, 4, 20};  // pair 1: df 16, 1.746 and 2.120
  const std::pair<const char*, Rgb> cases[] = {
      {"2.12", ac::Significant10}, {"2.121", ac::Significant05}, {"-2.121", ac::Significant05},
      {"1.746", colours::ButtonFace}, {"1.747", ac::Significant10}, {"-1.8", ac::Significant10}};
  f.anal.setCols(5 + static_cast<int>(std::size(cases)));
  int col = 5;
  for (const auto& [text, _] : cases) f.anal.setText(19, col++, text);
  AnalysisView tab = f.tab();
  MarkTValues(tab);
  col = 5;
  for (const auto& [text, colour] : cases) EXPECT_EQ(f.anal.background(19, col++), colour) << text;
}

// Flocks with the given X values in column 3.
TabFixture xTable(const std::vector<double>& xs) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const std::string fc = std::to_string(1.5 + 0.1 * i);
    rows.push_back({"1", "", "", std::to_string(xs[i]), "40", fc, std::to_string(i + 1), ""});
  }
  TabFixture f({"House", "a", "b", "X", "Age", "FC", "Init. Order", ""}, rows);
  f.columns = {3, 4, 5};
  return f;
}

TEST(SplitStatistics, SingleFlockAndEmptyGroups) {
  TabFixture one = xTable({-3, 1, 2, 3, 4});  // 20/60/20 of five: a first group of one flock
  AnalysisView tab = one.tab();
  SplitStatistics(tab);
  EXPECT_NEAR(one.anal.value(11, 3), -3.0, 1e-9);
  EXPECT_NEAR(one.anal.value(12, 3), 3.0 / std::sqrt(2.0), 5e-4);
  EXPECT_EQ(one.anal.text(19, 3), " 2.132");  // groups of 1 and 3: df 4

  TabFixture two = xTable({1.5, 2.5});
  AnalysisView twoTab = two.tab();
  SplitStatistics(twoTab);
  EXPECT_EQ(two.state.GroupCount, (std::array<int, 5>{0, 0, 2, 0, 2}));
  EXPECT_EQ(two.anal.text(11, 3), "");  // an empty group shows no numbers
  EXPECT_NEAR(two.anal.value(13, 3), 2.0, 1e-9);
  EXPECT_EQ(two.anal.text(19, 3), " 2.92");  // groups of 0 and 2: df 2
}

TEST(SplitStatistics, ColumnsPastOneHundredAreLeftOut) {
  std::vector<std::string> headings(106, "C");
  std::vector<std::vector<std::string>> rows(4, std::vector<std::string>(106, "1.5"));
  for (auto& row : rows) row[104] = "2.5";
  TabFixture f(headings, rows);
  f.columns = {3, 4, 5};
  AnalysisView tab = f.tab();
  SplitStatistics(tab);
  EXPECT_NEAR(f.anal.value(17, 100), 1.5, 1e-9);
  EXPECT_EQ(f.anal.text(17, 101), "");
  EXPECT_EQ(f.state.ColumnStats.at(101, 1, 1), 0.0);
}

}  // namespace
}  // namespace plumetra

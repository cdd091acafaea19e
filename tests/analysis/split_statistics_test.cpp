// Split statistics against values worked out by hand from the textbook formulas.

#include "analysis/analysis_colours.h"
#include "analysis/sorting.h"
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

TEST(MeanSd, SampleStandardDeviationSingleValueAndNoSpread) {
  const std::vector<double> v{2, 4, 4, 4, 5, 5, 7, 9};  // mean 5, sum of squared deviations 32
  const auto r = meanSdOf(v);
  ASSERT_TRUE(r && r->sd);
  EXPECT_DOUBLE_EQ(r->mean, 5.0);
  EXPECT_NEAR(*r->sd, std::sqrt(32.0 / 7.0), 1e-12);
  EXPECT_DOUBLE_EQ(r->sumSquares, 232.0);
  EXPECT_FALSE(meanSdOf(std::vector<double>{-3.0})->sd);  // one flock has no standard deviation
  const auto same = meanSdOf(std::vector<double>{0.1 + 0.2, 0.1 + 0.2, 0.1 + 0.2});
  EXPECT_FALSE(same->hasSpread);
  EXPECT_EQ(same->sd, 0.0);  // exactly, though the sum divided back is not 0.1 + 0.2
  EXPECT_EQ(same->mean, 0.1 + 0.2);
  // Large values with a small spread: x^2 sums would cancel; deviations give 0.1 (the
  // deviations are -0.1, 0, 0.1: 0.02 / 2 = 0.01).
  const auto large = meanSdOf(std::vector<double>{1e9 + 0.1, 1e9 + 0.2, 1e9 + 0.3});
  EXPECT_NEAR(*large->sd, 0.1, 1e-6);
  EXPECT_FALSE(meanSdOf({}));
}

TEST(TTables, CriticalValues) {
  struct Case { int df; double c10, c05; };
  const Case cases[] = {{8, 1.860, 2.306},  {9, 1.833, 2.262},  {10, 1.812, 2.228},  {16, 1.746, 2.120},
                        {29, 1.699, 2.045}, {90, 1.660, 1.984}, {95, 1.660, 1.984}, {250, 1.660, 1.984}, {0, 0.0, 0.0}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(tCritical(TLevel10, c.df), c.c10) << c.df;
    EXPECT_DOUBLE_EQ(tCritical(TLevel05, c.df), c.c05) << c.df;
  }
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
  f.firstSort.choose(5);
  AnalysisView tab = f.tab();
  splitStatistics(tab);
  const Grid& g = f.anal;

  EXPECT_EQ(f.state.groupCount, (std::array<int, 5>{0, 4, 12, 4, 20}));
  const std::pair<int, double> groupRows[] = {{11, 12.0}, {12, 1.0}, {13, 14.0}, {14, 2.0}, {15, 17.0}};
  for (const auto& [row, expected] : groupRows) EXPECT_NEAR(g.value(row, 3), expected, 5e-4) << row;
  // Overall: mean 284 / 20, squared deviations 22.36 + 44.48 + 34.36 = 101.2 over 19.
  EXPECT_NEAR(f.state.columnStats.at(3, 1, 1), 14.2, 1e-12);
  EXPECT_NEAR(f.state.columnStats.at(3, 1, 2), std::sqrt(101.2 / 19.0), 1e-12);
  EXPECT_NEAR(f.state.columnStats.at(3, 3, 1), 14.2, 1e-12);  // the diagonal holds all flocks too

  // Y: (12 - 13.5) / sqrt(1/4 + 4/12), (13.5 - 14) / sqrt(4/12 + 1/4), (12 - 14) / sqrt(1/4 + 1/4).
  EXPECT_NEAR(g.value(19, 5), -1.5 / std::sqrt(0.25 + 1.0 / 3.0), 5e-4);
  EXPECT_NEAR(g.value(20, 5), -0.5 / std::sqrt(1.0 / 3.0 + 0.25), 5e-4);
  EXPECT_NEAR(g.value(21, 5), -2.0 / std::sqrt(0.5), 5e-4);
  // Columns 3 and 4 keep their own t values: X (12 - 14) / sqrt(1/4 + 4/12) = -2.619.
  EXPECT_EQ(g.text(19, 3), "-2.619");
  EXPECT_TRUE(g.isNumber(19, 4));
  EXPECT_EQ(g.text(19, 6), "");  // the constant column has no spread: no t values
  EXPECT_EQ(g.text(21, 6), "Const");  // row 21 shows the heading where no t stands
  // The critical values stand in the pair captions: df 16, 16 and 8.
  EXPECT_EQ(g.text(19, 2), "Low & Middle  (1.75 / 2.12)");
  EXPECT_EQ(g.text(21, 2), "Low & High  (1.86 / 2.31)");
  // Y: |t| 1.964 is between the levels (rose), 0.655 not significant, 2.828 above 2.306 (gold).
  EXPECT_EQ(g.background(19, 5), ac::Significant10);
  EXPECT_EQ(g.background(20, 5), colours::ButtonFace);
  EXPECT_EQ(g.background(21, 5), ac::Significant05);
}

// A small spread, as feed conversion has, still gets its comparison, and a column of
// negative values does too. Groups 1.40-1.43, 1.50-1.61 and 1.70-1.73 (steps of 0.01): the
// first group's S^2/N is 4.2e-5. Expected t by Python 3 statistics.mean/variance:
// (M1 - M2) / sqrt(S1^2/4 + S2^2/12) = -11.430952, (M1 - M3) / sqrt(S1^2/4 + S3^2/4) = -32.863353.
TEST(SplitStatistics, FeedConversionWithSmallSpreadAndNegativeColumnsAreCompared) {
  std::vector<double> fc{1.40, 1.41, 1.42, 1.43};
  for (int i = 0; i < 12; ++i) fc.push_back(1.50 + 0.01 * i);
  for (double x : {1.70, 1.71, 1.72, 1.73}) fc.push_back(x);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < fc.size(); ++i)
    rows.push_back(
        {std::to_string(i + 1), "2.5", "42", std::to_string(fc[i]), std::to_string(-fc[i]), "", std::to_string(i + 1), ""});
  TabFixture f({"House", "LW", "Age", "Convix", "Delta", "Empty", "Init. Order", ""}, rows);
  f.columns = {1, 2, 3};
  AnalysisView tab = f.tab();
  splitStatistics(tab);
  const Grid& g = f.anal;
  EXPECT_EQ(g.text(19, 3), "-11.43");
  EXPECT_EQ(g.text(21, 3), "-32.86");
  EXPECT_EQ(g.text(19, 4), "11.43");  // negative means, the same comparison mirrored
  EXPECT_EQ(g.text(11, 5), "");  // a column without numbers shows no statistics
}

TEST(SignificanceColour, ThresholdsAreStrictAndSignIsIgnored) {
  // df 16: 1.746 and 2.120.
  const std::pair<double, Rgb> cases[] = {
      {2.12, ac::Significant10}, {2.121, ac::Significant05}, {-2.121, ac::Significant05},
      {1.746, colours::ButtonFace}, {1.747, ac::Significant10}, {-1.8, ac::Significant10}};
  for (const auto& [t, colour] : cases) EXPECT_EQ(significanceColour(t, 16), colour) << t;
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

TEST(SplitStatistics, SingleFlockEmptyGroupsAndUnknownCellsHaveNoPartInTheStatistics) {
  TabFixture one = xTable({-3, 1, 2, 3, 4});  // 20/60/20 of five: groups of one, three and one flock
  AnalysisView tab = one.tab();
  splitStatistics(tab);
  EXPECT_NEAR(one.anal.value(11, 3), -3.0, 1e-9);
  EXPECT_EQ(one.anal.text(12, 3), "");  // a single flock has no standard deviation
  EXPECT_EQ(one.anal.text(19, 3), "");  // and no t value
  EXPECT_EQ(one.anal.text(19, 2), "Low & Middle  (2.13 / 2.78)");  // groups of 1 and 3: df 4

  TabFixture two = xTable({1.5, 2.5});
  AnalysisView twoTab = two.tab();
  splitStatistics(twoTab);
  EXPECT_EQ(two.state.groupCount, (std::array<int, 5>{0, 0, 2, 0, 2}));
  EXPECT_EQ(two.anal.text(11, 3), "");  // an empty group shows no numbers
  EXPECT_NEAR(two.anal.value(13, 3), 2.0, 1e-9);

  // A blank or text cell is an unknown, not a 0: a column of 2s with one blank and one "n/a"
  // among ten flocks has mean 2 and n 8 (a 0 in their place would give mean 1.6).
  TabFixture f = xTable(std::vector<double>(10, 2.0));
  f.anal.setText(FirstFlockRow + 4, 3, "");
  f.anal.setText(FirstFlockRow + 7, 3, "n/a");
  f.numberRows();
  const GroupStats stats = splitColumnStatistics(f.state.flockRows, 3, splitGroupSizes(10, {100, 20, 60, 20}));
  ASSERT_TRUE(stats[3] && stats[1]);
  EXPECT_EQ(stats[3]->n, 8);
  EXPECT_DOUBLE_EQ(stats[3]->mean, 2.0);
  EXPECT_EQ(stats[1]->n, 4);  // the middle six rows less the two unknowns
}

// Twenty flocks, X = 1..20; Z is 5 except 6 for X = 1 and 7 for X = 20. Sorted by X, the
// first group of Z (6 5 5 5) has a spread and gets a t value. Sorted by Z, the first two
// groups are all 5: that pair has no spread, and its t cell must not keep the earlier value.
// Z's last group 5 5 6 7: mean 5.75, S^2 = 2.75 / 3, so t = -0.75 / sqrt(2.75 / 12) = -1.567.
TEST(SplitStatistics, ReSortLeavesOnlyThisSortsValuesInRows19To21) {
  std::vector<std::vector<std::string>> rows;
  for (int x = 1; x <= 20; ++x) {
    const std::string z = x == 1 ? "6" : x == 20 ? "7" : "5";
    rows.push_back({std::to_string(x), "Farm", "", std::to_string(x), z, std::to_string(x), ""});
  }
  TabFixture f({"House", "Farm", "Note", "X", "Z", "Init. Order", ""}, rows);
  f.markText(1);
  f.markText(2);
  f.columns = {3, 3, 3};
  f.state.firstSortDone = true;
  AnalysisView tab = f.tab();
  for (int r = 19; r <= 21; ++r) f.anal.setText(r, 6, "stale");  // a column that never gets a t
  sortByAnalysisColumn(tab, 3, f.dialogs, f.window);

  sortByAnalysisColumn(tab, 4, f.dialogs, f.window);
  EXPECT_EQ(f.anal.text(19, 4), "");
  EXPECT_EQ(f.anal.background(19, 4), colours::Window);
  EXPECT_EQ(f.anal.text(21, 4), "-1.567");
  for (int r = 19; r <= 21; ++r) EXPECT_EQ(f.anal.text(r, 6), "") << r;  // row 21: its heading is empty
  EXPECT_EQ(f.anal.text(10, 1), "Z");
}

TEST(SplitStatistics, ColumnsPastOneHundredAreLeftOut) {
  std::vector<std::string> headings(106, "C");
  std::vector<std::vector<std::string>> rows(4, std::vector<std::string>(106, "1.5"));
  for (auto& row : rows) row[104] = "2.5";
  TabFixture f(headings, rows);
  f.columns = {3, 4, 5};
  AnalysisView tab = f.tab();
  splitStatistics(tab);
  EXPECT_NEAR(f.anal.value(17, 100), 1.5, 1e-9);
  EXPECT_EQ(f.anal.text(17, 101), "");
}

}  // namespace
}  // namespace plumetra

// First sort, grid clicks, category scan, second sort and the category windows.

#include "analysis/categories.h"
#include "analysis/sorting.h"
#include "analysis_fixture.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using test::TabFixture;

TabFixture farms(bool sorted = true) {
  TabFixture f({"House", "Farm", "FC", "Mill", "Init. Order", ""},
               {{"1", "North", "1.62", "B", "1", ""},
                {"2", "South", "1.55", "A", "2", ""},
                {"3", "North", "1.58", "A", "3", ""},
                {"4", "East", "1.71", "C", "4", ""},
                {"5", "South", "1.60", "B", "5", ""}});
  f.markText(1);
  f.markText(3);
  f.columns = {2, 2, 2};
  f.state.FirstSortDone = sorted;
  for (int r = 1; r <= 21; ++r) f.anal.setText(r, 0, "stat");  // statistics rows stay put
  return f;
}

TEST(BubbleSort, FirstSortIsByFeedConversionAndKeepsTheStatisticsRows) {
  TabFixture f = farms(false);
  f.combo1.choose(1);
  AnalysisView tab = f.tab();
  f.dialogs.expectMessage("First Sort is always by Feed Conversion");
  BubbleSort(tab, f.dialogs);
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_TRUE(f.state.FirstSortDone);
  EXPECT_EQ(f.state.FirstSortColumn, 2);
  EXPECT_EQ(f.anal.rows(), 27);
  EXPECT_EQ(f.anal.text(21, 0), "stat");
  EXPECT_EQ(f.anal.text(22, 2), "1.55");
  EXPECT_EQ(f.anal.text(26, 2), "1.71");

  // A click on "Init. Order" (second-to-last column) leaves combo 1 and the order alone.
  f.combo1.choose(2);
  sortByAnalysisColumn(tab, 4, f.dialogs, f.window);
  EXPECT_EQ(f.combo1.index, 2);
  EXPECT_EQ(f.anal.text(22, 2), "1.55");
  EXPECT_EQ(f.anal.text(2, 1), "FC");  // the statistics were rebuilt
  EXPECT_EQ(f.state.GroupCount[4], 5);
  EXPECT_FALSE(f.window.visible);
}

TEST(BubbleSort, TextInRow22SortsEveryRowAsText) {
  TabFixture f({"House", "Code", "FC", "Init. Order", ""},
               {{"1", "x", "1.6", "1", ""}, {"2", "9", "1.6", "2", ""}, {"3", "10", "1.6", "3", ""}});
  f.columns = {2, 2, 2};
  f.state.FirstSortDone = true;
  f.combo1.choose(1);
  AnalysisView tab = f.tab();
  BubbleSort(tab, f.dialogs);
  EXPECT_EQ(f.anal.text(22, 1), "10");
  EXPECT_EQ(f.anal.text(23, 1), "9");
  EXPECT_EQ(f.anal.text(24, 1), "x");
}

TEST(CategoryScan, ThirtyTextsAcceptedThirtyOneRefused) {
  for (int distinct : {30, 31}) {
    SCOPED_TRACE(distinct);
    Grid g(FirstFlockRow + distinct + 2, 2);
    for (int i = 0; i < distinct + 2; ++i)
      g.setText(FirstFlockRow + i, 1, "F" + std::to_string(100 + std::min(i, distinct - 1)));
    ScriptedDialogs dialogs;
    if (distinct == 31)
      dialogs.expectMessage("There are more than 30 allowed Different Values in the Column chosen for sorting");
    const auto scan = CategoryScan(g, 1, dialogs);
    EXPECT_TRUE(dialogs.finished());
    ASSERT_EQ(scan.has_value(), distinct == 30);
    if (scan) {
      EXPECT_EQ(scan->size(), 30u);
      EXPECT_EQ(scan->back().rowCount, 3);
      EXPECT_EQ(scan->front().startRow, FirstFlockRow);
    }
  }
}

TEST(SecondSort, CategoryAveragesThenBlocksFromTheFirstFlockRowSortedWithinCategories) {
  TabFixture f = farms();
  for (int r = 18; r <= 21; ++r) f.anal.setText(r, 3, "Z"), f.anal.setText(r, 1, "Z");
  AnalysisView tab = f.tab();
  sortByAnalysisColumn(tab, 1, f.dialogs, f.window);  // East | North North | South South
  ASSERT_TRUE(f.window.visible);
  ASSERT_EQ(f.state.Categories.size(), 3u);
  const Grid& g2 = f.window.averages;
  EXPECT_EQ(g2.rows(), 13);
  EXPECT_EQ(g2.text(1, 0), "East  Average");
  EXPECT_EQ(g2.text(5, 0), "Std. Dev and  N =  2");
  EXPECT_NEAR(g2.value(4, 1), 1.60, 5e-4);      // North: 1.62 and 1.58
  EXPECT_NEAR(g2.value(5, 1), 0.028284, 5e-4);  // sqrt(0.0008)
  EXPECT_EQ(f.window.caption, "Averages and Standard Deviations of 2 Numerical Values ");

  f.combo3.choose(3);
  secondSortChosen(tab, f.dialogs);
  EXPECT_TRUE(f.state.SecondSortPending);
  startSecondSort(tab, f.dialogs, f.window);
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_EQ(f.anal.text(21, 3), "Z");
  EXPECT_EQ(f.anal.text(23, 3), "A");  // North: A (house 3) before B (house 1)
  EXPECT_EQ(f.anal.text(23, 0), "3");
  EXPECT_EQ(f.anal.text(25, 3), "A");  // South: A before B
  EXPECT_EQ(f.anal.text(26, 3), "B");
  EXPECT_FALSE(f.state.SecondSortPending);  // cleared by the window
  EXPECT_EQ(g2.rows(), 3 * 8 + 4);          // second-sort groups C, A, B, A, B follow the categories
  EXPECT_EQ(g2.text(10, 0), "C  Average");
}

TEST(TValues, MatrixVerdictsAndSmallDegreesOfFreedom) {
  // A (N 4): mean 0, sd 3; B (N 5) and C (N 1): mean 2.262, sd 0. A-B: t = 2.262 at df 9.
  CategoryWindow window;
  Grid& g2 = window.averages;
  g2.resize(3 * 3 + 4, 2);
  g2.setText(0, 1, "FC");
  const char* rows[][3] = {{"A  Average", "0", "3"}, {"B  Average", "2.262", "0"}, {"C  Average", "2.262", "0"}};
  for (int k = 1; k <= 3; ++k) {
    for (int c = 0; c < 2; ++c) g2.setText(3 * k - 2, c, rows[k - 1][c]);
    g2.setText(3 * k - 1, 1, rows[k - 1][2]);
  }
  const std::vector<Category> categories{{"A", 22, 4, 1}, {"B", 26, 5, 2}, {"C", 31, 1, 3}};
  TValueWindow tval;
  loadTValueWindow(window, 3, tval);
  EXPECT_EQ(tval.tValues.rows(), 6);
  ASSERT_EQ(tval.variable.items.size(), 1u);
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Pick a Variable first");
  EXPECT_FALSE(calculateTValues(tval, window, categories, dialogs));
  tval.variable.choose(0);
  EXPECT_TRUE(calculateTValues(tval, window, categories, dialogs));
  EXPECT_TRUE(dialogs.finished());
  const Grid& t = tval.tValues;
  EXPECT_EQ(t.text(1, 2), "2.262");
  EXPECT_EQ(t.text(2, 1), " < 0.05 Prob");
  EXPECT_EQ(t.text(1, 1), "*");
  EXPECT_EQ(t.text(2, 3), "");  // both spreads 0: no finite t
  EXPECT_EQ(t.text(3, 2), "");
  EXPECT_EQ(t.text(3, 1), "No Diff.");  // A and C: df 5, t = 2.262 / sqrt(9 / 5) = 1.686 < 2.015
}

}  // namespace
}  // namespace plumetra

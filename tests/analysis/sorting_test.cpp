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
  f.state.firstSortDone = sorted;
  for (int r = 1; r <= 21; ++r) f.anal.setText(r, 0, "stat");  // statistics rows stay put
  return f;
}

TEST(BubbleSort, FirstSortIsByFeedConversionKeepsTheStatisticsRowsAndSortsTextAsText) {
  TabFixture f = farms(false);
  f.firstSort.choose(1);
  AnalysisView tab = f.tab();
  f.dialogs.expectMessage("First Sort is always by Feed Conversion");
  bubbleSort(tab, f.dialogs);
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_TRUE(f.state.firstSortDone);
  EXPECT_EQ(f.state.firstSortColumn, 2);
  EXPECT_EQ(f.anal.text(21, 0), "stat");
  EXPECT_EQ(f.anal.text(22, 2), "1.55");
  EXPECT_EQ(f.anal.text(26, 2), "1.71");

  // A click on "Init. Order" (second-to-last column) leaves combo 1 and the order alone.
  f.firstSort.choose(2);
  sortByAnalysisColumn(tab, 4, f.dialogs, f.window);
  EXPECT_EQ(f.firstSort.index, 2);
  EXPECT_EQ(f.anal.text(22, 2), "1.55");
  EXPECT_EQ(f.anal.text(2, 1), "FC");  // the statistics were rebuilt
  EXPECT_FALSE(f.window.visible);

  // Text in row 22 sorts every row as text.
  TabFixture codes({"House", "Code", "FC", "Init. Order", ""},
                   {{"1", "x", "1.6", "1", ""}, {"2", "9", "1.6", "2", ""}, {"3", "10", "1.6", "3", ""}});
  codes.columns = {2, 2, 2};
  codes.state.firstSortDone = true;
  codes.firstSort.choose(1);
  AnalysisView codesTab = codes.tab();
  bubbleSort(codesTab, codes.dialogs);
  EXPECT_EQ(codes.anal.text(22, 1), "10");  // as numbers "x" (0) and 9 would come first
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
    const auto scan = categoryScan(g, 1, dialogs);
    EXPECT_TRUE(dialogs.finished());
    ASSERT_EQ(scan.has_value(), distinct == 30);
    if (scan) {
      EXPECT_EQ(scan->size(), 30u);
      EXPECT_EQ(scan->back().rowCount, 3);
    }
  }
}

TEST(SecondSort, CategoryAveragesThenBlocksFromTheFirstFlockRowSortedWithinCategories) {
  TabFixture f = farms();
  for (int r = 18; r <= 21; ++r) f.anal.setText(r, 3, "Z"), f.anal.setText(r, 1, "Z");
  AnalysisView tab = f.tab();
  sortByAnalysisColumn(tab, 1, f.dialogs, f.window);  // East | North North | South South
  ASSERT_TRUE(f.window.visible);
  const Grid& averages = f.window.averages;
  EXPECT_EQ(averages.text(1, 0), "East  Average");
  EXPECT_NEAR(averages.value(4, 1), 1.60, 5e-4);      // North: 1.62 and 1.58
  EXPECT_NEAR(averages.value(5, 1), 0.028284, 5e-4);  // sqrt(0.0008)
  EXPECT_EQ(f.window.caption, "Averages and Standard Deviations of 1 Numerical Values ");  // not Init. Order

  f.secondSort.choose(3);
  secondSortChosen(tab, f.dialogs);
  EXPECT_TRUE(f.state.secondSortPending && f.state.secondSortOffered);
  f.state.secondSortReady = true;
  startSecondSort(tab, f.dialogs, f.window);
  EXPECT_FALSE(f.state.secondSortReady);  // the button goes out once the sort starts
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_EQ(f.anal.text(21, 3), "Z");
  EXPECT_EQ(f.anal.text(23, 3), "A");  // North: A (house 3) before B (house 1)
  EXPECT_EQ(f.anal.text(25, 3), "A");  // South: A before B
  EXPECT_FALSE(f.state.secondSortPending);  // cleared by the window
  EXPECT_EQ(averages.rows(), 3 * 8 + 4);          // second-sort groups C, A, B, A, B follow the categories
  EXPECT_EQ(averages.text(10, 0), "East  C  Average");  // a second-sort group names both of its values
  EXPECT_EQ(averages.text(11, 1), "");  // a single flock has no standard deviation
}

// Farm A (N 3): 1.50 1.55 1.60; farm B (N 4): 1.58 1.62 1.66 1.70; farm C: one flock.
// Separate-variance t of A and B by Python 3 statistics.mean/variance:
// |1.55 - 1.64| / sqrt(0.0025/3 + 0.0026667/4) = 2.3237900, judged at df 3 + 4 - 2 = 5
// (critical values 2.015 and 2.571): "< 0.1". The form |M1 - M2| / sqrt((S1^2 + S2^2) / 7)
// would give 3.31 at df 7, wrongly "< 0.05".
TEST(TValues, SeparateVariancesAtNiPlusNjMinusTwo) {
  TabFixture f({"House", "Farm", "FC", "Init. Order", ""},
               {{"1", "A", "1.50", "1", ""}, {"2", "A", "1.55", "2", ""}, {"3", "A", "1.60", "3", ""},
                {"4", "B", "1.58", "4", ""}, {"5", "B", "1.62", "5", ""}, {"6", "B", "1.66", "6", ""},
                {"7", "B", "1.70", "7", ""}, {"8", "C", "1.58", "8", ""}});
  f.markText(1);
  f.columns = {2, 2, 2};
  f.state.firstSortDone = true;
  AnalysisView tab = f.tab();
  f.firstSort.choose(1);
  sortByAnalysisColumn(tab, 1, f.dialogs, f.window);
  // The category statistics leave the whole column's statistics in the cache alone.
  EXPECT_EQ(f.state.columnStats.at(2, 2, 1), 0.0);

  TValueWindow tval;
  loadTValueWindow(f.window, 3, tval);
  f.dialogs.expectMessage("Pick a Variable first");
  EXPECT_FALSE(calculateTValues(tval, f.window, f.state.categories, f.dialogs));
  tval.variable.choose(0);  // FC (House is text: column 0)
  EXPECT_TRUE(calculateTValues(tval, f.window, f.state.categories, f.dialogs));
  EXPECT_TRUE(f.dialogs.finished());
  const Grid& t = tval.tValues;
  EXPECT_EQ(t.text(1, 2), "2.324");
  EXPECT_EQ(t.text(2, 1), " < 0.1 Prob");
  EXPECT_EQ(t.text(1, 1), "*");
  EXPECT_EQ(t.text(1, 3), "");  // farm C has a single flock: no spread, no t
}

// The grid only shows the flocks: a number typed over a cell after the run moves with its row
// but changes no statistic, and the sorts keep every flock's numbers with it.
TEST(FlockRows, TypedCellsAndSortsChangeNoNumber) {
  TabFixture f = farms();
  f.state.splitPercent = {100, 40, 20, 40};
  f.firstSort.choose(2);
  AnalysisView tab = f.tab();
  sortByAnalysisColumn(tab, 2, f.dialogs, f.window);  // 1.55 1.58 1.60 1.62 1.71
  f.anal.setText(FirstFlockRow, 2, "9.99");            // over flock 2's 1.55
  sortByAnalysisColumn(tab, 1, f.dialogs, f.window);   // by farm, then by FC again
  sortByAnalysisColumn(tab, 2, f.dialogs, f.window);
  EXPECT_EQ(f.anal.text(FirstFlockRow, 2), "9.99");
  EXPECT_EQ(f.state.feedConversionSplit.flocks, (std::vector<int>{2, 3, 5, 1, 4}));
  EXPECT_NEAR(f.state.columnStats.at(2, 2, 1), (1.55 + 1.58 + 1.60 + 1.62 + 1.71) / 5, 1e-12);
  EXPECT_EQ(f.anal.text(11, 2), "1.565");  // Low: 1.55 and 1.58
}

}  // namespace
}  // namespace plumetra

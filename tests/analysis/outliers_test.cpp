// Outlier search and removal on feed-conversion columns built by hand.

#include "analysis/analysis_colours.h"
#include "analysis/correlations.h"
#include "analysis/outliers.h"
#include "analysis_fixture.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

namespace ac = analysis_colours;
using test::TabFixture;

std::vector<double> rising(int count, double start, double step) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(start + i * step);
  return v;
}

TEST(CountOutliers, GapsAgainstThreeTimesTheMeanStep) {
  auto v = rising(14, 1.46, 0.01);  // mean step 0.01, last gap 0.21
  v.push_back(1.80);
  EXPECT_EQ(countOutliers(v), 1);

  auto exact = rising(20, 100, 1);
  exact.back() = exact[18] + 3;  // a jump of exactly 3 x the mean step is no boundary
  EXPECT_EQ(countOutliers(exact), 0);
  exact.back() = exact[18] + 4;
  EXPECT_EQ(countOutliers(exact), 1);

  auto two = rising(20, 100, 1);
  two[18] = 130;
  two[19] = 140;  // gaps at k = 1 and k = 0: the scan from k = 10 stops at 1
  EXPECT_EQ(countOutliers(two), 2);

  auto early = rising(30, 100, 1);
  for (std::size_t i = 18; i < early.size(); ++i) early[i] += 50;  // jump 12th to 11th from end
  EXPECT_EQ(countOutliers(early), 0);

  EXPECT_EQ(countOutliers(rising(13, 1, 0.01)), 0);  // too few flocks
}

// Twenty flocks, the last three outliers; "Init. Order" gives flock i its own row i + 1 in the flock grid.
TabFixture outlierTable(const std::string& fcHeading = "FCR") {
  std::vector<double> fc = rising(17, 1.40, 0.01);
  fc.insert(fc.end(), {1.90, 1.95, 2.00});
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < fc.size(); ++i)
    rows.push_back({std::to_string(i + 1), "2.5", "42", std::to_string(fc[i]), " " + std::to_string(i + 1), ""});
  TabFixture f({"House", "LW", "Age", fcHeading, "Init. Order", ""}, rows);
  f.columns = {1, 2, 3};
  f.firstSort.choose(3);
  f.state.firstSortDone = true;
  return f;
}

TEST(outlierButton, SearchHighlightsBothGridsWhateverTheHeadingOnlyAfterTheFeedConversionSort) {
  TabFixture f = outlierTable("Feed Conv.");
  AnalysisView tab = f.tab();
  findOutliers(tab, f.dialogs);
  EXPECT_TRUE(f.dialogs.finished());
  EXPECT_TRUE(f.state.outliersOffered);
  EXPECT_EQ(f.state.outlierCount, 3);
  EXPECT_EQ(f.anal.background(41, 3), ac::Outlier);
  EXPECT_NE(f.anal.background(38, 3), ac::Outlier);
  EXPECT_EQ(f.flock.background(18, 0), ac::Outlier);
  EXPECT_EQ(f.state.analysisGridScroll, (GridScroll{22, 1}));

  // No search after another sort (too few flocks find none: see CountOutliers).
  TabFixture other = outlierTable();
  other.firstSort.choose(1);
  AnalysisView view = other.tab();
  findOutliers(view, other.dialogs);
  EXPECT_FALSE(other.state.outliersOffered);
  EXPECT_EQ(other.state.outlierCount, 0);
}

TEST(outlierButton, RemovalAnswersAndRemovedFlocksStayRemoved) {
  struct Case { bool yes; std::string answer; int removed; int left; };
  const Case cases[] = {{false, "", 0, 0}, {true, "0", 0, 0},  {true, "none", 0, 0},
                        {true, "-4", 0, 0}, {true, "2", 2, 1}, {true, "99", 0, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    TabFixture f = outlierTable();
    AnalysisView tab = f.tab();
    findOutliers(tab, f.dialogs);
    f.dialogs.expectYesNo("Found  3  Outliers  - Shall we Remove Some or All of them ?  Enter Zero to leave them.",
                          c.yes);
    if (c.yes) f.dialogs.expectInput("How Many Outliers do you want to remove?", c.answer);
    // More than were found is refused; the highlights stay for another answer.
    if (c.answer == "99") f.dialogs.expectMessage("Only 3 outliers were found; no more than that can be removed.");
    findOutliers(tab, f.dialogs);
    EXPECT_TRUE(f.dialogs.finished());
    EXPECT_EQ(f.anal.rows(), 42 - c.removed);
    EXPECT_EQ(f.state.outlierCount, c.left);  // the outliers still highlighted at the end
    EXPECT_EQ(f.anal.background(41 - c.removed, 3) == ac::Outlier, c.left > 0);
    if (c.removed == 2) {
      EXPECT_NEAR(f.anal.value(39, 3), 1.90, 1e-9);
      EXPECT_EQ(f.state.groupCount[4], 18);  // the statistics were rebuilt
      EXPECT_EQ(f.state.analysisGridScroll, GridScroll{});
    }
  }
}

// Column A is ten times the feed conversion for the 17 ordinary flocks but not for the three
// outliers. Over all 20 flocks the pair does not correlate perfectly; over the 17 that stay it
// has r = 1, and the column statistics are those of the 17 (feed conversion mean 1.40 + 0.08 =
// 1.48).
TEST(outlierButton, RemovalRecomputesCorrelationsFromTheFlocksThatStay) {
  std::vector<double> fc = rising(17, 1.40, 0.01);
  fc.insert(fc.end(), {1.90, 1.95, 2.00});
  const double outlierA[] = {5.0, 30.0, 7.0}, outlierOrder[] = {2.0, 9.0, 4.0};
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < fc.size(); ++i) {
    const double a = i < 17 ? 10.0 * fc[i] : outlierA[i - 17];
    const double order = i < 17 ? static_cast<double>(i + 1) : outlierOrder[i - 17];
    rows.push_back({std::to_string(i + 1), "2.5", "42", std::to_string(fc[i]), std::to_string(a),
                    std::to_string(order), ""});
  }
  TabFixture f({"House", "LW", "Age", "FCR", "A", "Init. Order", ""}, rows);
  f.columns = {1, 2, 3};
  f.firstSort.choose(3);
  f.state.firstSortDone = true;
  AnalysisView tab = f.tab();
  loadCorrelations(tab, 20, f.dialogs);
  findOutliers(tab, f.dialogs);
  removeOutliers(tab, 3, f.dialogs);
  EXPECT_NEAR(f.state.columnStats.at(3, 4, 0), 1.0, 1e-12);
  EXPECT_NEAR(f.state.columnStats.at(3, 1, 1), 1.48, 1e-12);
}

}  // namespace
}  // namespace plumetra

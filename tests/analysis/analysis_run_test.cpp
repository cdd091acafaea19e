// The analysis run: checks, flock-table preparation, the cost column, and whole runs on a
// small table with scripted dialogs.

#include "analysis/analysis_colours.h"
#include "analysis/analysis_batch.h"
#include "analysis/analysis_run.h"
#include "controls/number_format.h"
#include "files/free_format.h"
#include "controls/scripted_dialogs.h"
#include "workspace/analysis_grid.h"
#include "workspace/flock_sex.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace plumetra {
namespace {

namespace ac = analysis_colours;

// Flock grid columns: House, Farm, LW, Birds, Age, FCR, Feed1, Feed2, Feed3.
constexpr int FcCol = 5;

struct RunFixture {
  Workspace ws;
  ModelState model;
  AnalysisState st;
  testing::TestTempFolder folder{"plumetra_run"};
  std::filesystem::path dir = folder.path();

  explicit RunFixture(int flocks = 16) {
    Grid& g = ws.flockGrid;
    g.resize(flocks + 1, 9);
    const char* headings[] = {"House", "Farm", "LW", "Birds", "Age", "FCR", "Feed1", "Feed2", "Feed3"};
    for (int c = 0; c < 9; ++c) g.setText(0, c, headings[c]);
    for (int r = 1; r <= flocks; ++r) {
      // FCR falls with the row, so the sort reverses the order; flock 1 is an outlier at the top.
      const std::string cells[] = {std::to_string(r), r % 2 ? "North" : "South", std::to_string(2.2 + 0.02 * r),
                                   "20000", "38", std::to_string(r == 1 ? 2.40 : 1.80 - 0.01 * r), "0.5", "1.5", "2.0"};
      for (int c = 0; c < 9; ++c) g.setText(r, c, cells[c]);
      for (int item = 1; item <= 7; ++item) ws.flockData[item - 1][r] = g.value(r, item + 1);  // LW .. Feed3
    }
    ws.flockCount = flocks;
    for (int item = 0; item <= 7; ++item) {
      ws.flockCol[item] = static_cast<std::int16_t>(item == 0 ? 0 : item + 1);
      ws.flockIdSet[item] = true;
    }
    ws.nutrientIdSet = {false, true, true, true};
    // Energy, protein, methionine, met+cys, lysine, tryptophan, arginine, threonine.
    const double nutrients[3][8] = {{3000, 22, 0.5, 0.9, 1.3, 0.2, 1.3, 0.8},
                                    {3100, 20, 0.5, 0.9, 1.15, 0.2, 1.3, 0.8},
                                    {3200, 18, 0.5, 0.9, 1.0, 0.2, 1.3, 0.8}};
    for (int d = 1; d <= 3; ++d) {
      for (int n = NutEnergy; n <= NutThreonine; ++n) ws.diets.dietData[n][d] = nutrients[d - 1][n];
      for (int k = 3; k < NutrientVectorSize; ++k) ws.diets.enteredDiets[d][k] = 1.0;
      ws.diets.enteredDiets[d][0] = d == 1 ? 0.5 : d == 2 ? 1.5 : 2.0;
    }
    ws.diets.dietCount = 3;
    ws.chosenSex = MixedSex;
    ws.dataFileName = (dir / "flocks.csv").string();
    fillFarmOrder(ws);
    buildAnalysisGrid(ws);
  }

  // A full run: the first sort is always the feed conversion.
  bool run() {
    ScriptedDialogs dialogs;
    dialogs.expectMessage("First Sort is always by Feed Conversion");
    const bool completed = runAnalysis(ws, model, st, dialogs).has_value();
    for (const auto& failure : dialogs.failures()) ADD_FAILURE() << failure;
    return completed && dialogs.finished();
  }
};

TEST(analyseButton, ChecksStopTheRunWithTheirMessages) {
  const std::pair<const char*, void (*)(RunFixture&)> cases[] = {
      {"Set the FLock Sex", [](RunFixture& f) { f.ws.chosenSex = NoSexChosen; }},
      {"The Flock Split must add to 100 %", [](RunFixture& f) { f.ws.splitPercent = {33.3, 33.3, 33.3}; }},
      {"Each Flock Split percentage must lie between 0 and 100",
       [](RunFixture& f) { f.ws.splitPercent = {-10, 90, 20}; }},
      // Flocks 9-16 without a live weight are left out: 8 remain.
      {"At least 10 complete flocks are needed for the analysis; there are 8.",
       [](RunFixture& f) { for (int r = 9; r <= 16; ++r) f.ws.flockGrid.setText(r, 2, ""); }},
      // 4 % of 16 flocks: 0.64 rounds to 1 for the lowest group but down to 0 for the highest.
      {"The Flock Split leaves the High group without a flock (4 % of 16 flocks); give it a larger percentage.",
       [](RunFixture& f) { f.ws.splitPercent = {4, 92, 4}; }},
  };
  for (const auto& [message, spoil] : cases) {
    SCOPED_TRACE(message);
    RunFixture f;
    spoil(f);
    ScriptedDialogs dialogs;
    if (std::string(message).starts_with("At least 10"))
      dialogs.expectMessage("8 flocks left out: rows 9, 10, 11, 12, 13, 14, 15, 16 (no live weight)");
    dialogs.expectMessage(message);
    EXPECT_FALSE(runAnalysis(f.ws, f.model, f.st, dialogs));
    EXPECT_TRUE(dialogs.finished());
  }
}

TEST(PrepareFlockTable, HouseTotalsGramsTheFlockCountAveragesAndWeightingValues) {
  RunFixture f(0);
  auto& F = f.ws.flockData;
  // flock 1: 52 000 kg for 20 000 birds; 2: 2 600 g, no birds; 3: 2.6; 4: 2 600 with 20 000
  // birds; 5: weight 0 ends the count; 6: left from an earlier, longer file.
  const double weight[] = {0, 52000, 2600, 2.6, 2600, 0, 2.4};
  const double birds[] = {0, 20000, 0, 10000, 20000, 0, 0};
  for (int r = 1; r <= 6; ++r) F[0][r] = weight[r], F[1][r] = birds[r], F[3][r] = 1.7;
  f.ws.flockCount = 6;
  EXPECT_EQ(prepareFlockTable(f.ws, f.st), 4);
  EXPECT_DOUBLE_EQ(F[0][1], 2.6);
  EXPECT_DOUBLE_EQ(F[0][2], 2.6);
  EXPECT_DOUBLE_EQ(F[0][3], 2.6);  // a weight per bird among totals is not divided again
  EXPECT_DOUBLE_EQ(F[0][4], 0.13);

  F[0][5] = 2.5;  // now flock 6 is beyond flockCount 5
  f.ws.flockCount = 5;
  EXPECT_EQ(prepareFlockTable(f.ws, f.st), 5);

  F[0][1] = 2.0, F[0][2] = 2600;  // the first flock at 10 or less leaves every other weight alone
  f.ws.flockCount = 2;
  prepareFlockTable(f.ws, f.st);
  EXPECT_DOUBLE_EQ(F[0][2], 2600);

  // Averages and weighting values.
  F[0][1] = 2.0, F[1][1] = 10000, F[3][1] = 1.6;
  F[0][2] = 3.0, F[1][2] = 0, F[3][2] = 1.8;
  prepareFlockTable(f.ws, f.st);
  EXPECT_NEAR(f.st.averageLiveWeightKg, 2.5, 1e-12);
  EXPECT_NEAR(f.st.averageConversion, 1.7, 1e-12);
  // Expected FC 1.7 + 0.5 x 2.205 / 6 = 1.88375: d = -0.28375, sqrt(10000) / 0.28375 = 352.42.
  EXPECT_DOUBLE_EQ(F[20][1], 352.4);
  EXPECT_NEAR(F[20][2], 1.0 / 0.28375, 1e-9);  // no birds: |1 / d|

  F[0][1] = 2.0, F[3][1] = 1.6;  // a single flock is its own average: d = 0
  f.ws.flockCount = 1;
  prepareFlockTable(f.ws, f.st);
  EXPECT_EQ(F[20][1], 0.0);
}

// A weight column of house totals keeps showing its totals; the split table shows the weight per bird.
TEST(analyseButton, SplitTableShowsTheWeightPerBirdOfHouseTotals) {
  RunFixture f;
  f.ws.flockGrid.setText(0, 2, "Total LW (kg)");
  for (int r = 1; r <= 16; ++r) f.ws.flockGrid.setText(r, 2, std::to_string(20000 * (2.2 + 0.02 * r)));
  ASSERT_TRUE(f.run());
  const Grid& g = f.ws.analysisGrid;
  EXPECT_EQ(g.text(1, 5), "2.500");  // Low: flocks 14-16, 2.48 2.50 2.52 kg per bird
  EXPECT_EQ(g.text(11, 2), "50000");  // the column's own Low mean: a house total
}

// After a run and a sort the costs follow their flocks; a column holding another result keeps it.
TEST(CostCalcOK, CostPerBirdFromPricesPerTonneFollowsTheFlocks) {
  RunFixture f;
  ASSERT_TRUE(f.run());
  for (int d = 1; d <= 3; ++d) f.ws.diets.dietTable[d][ValFeedCost] = 400 - 20 * (d - 1);
  f.ws.flockData[4][1] = 1.0;  // flock 1 ate more starter (kg per bird, as imported)
  Grid& anal = f.ws.analysisGrid;
  const std::string heading = anal.text(0, 20);  // the column a cost column would take
  costCalcOK(f.ws, f.st.flockRows);
  EXPECT_EQ(anal.text(0, 20), heading);  // "Energy per bird" stays
  // Flock 1: 1.0 x 400 + 1.5 x 380 + 2 x 360 = 1690 per tonne; the others eat 0.5 of the starter: 1490.
  EXPECT_NEAR(f.ws.flockGrid.value(1, 9), 1.69, 1e-9);
  anal.setText(0, 21, "");  // a free column: the cost goes there
  costCalcOK(f.ws, f.st.flockRows);
  EXPECT_NEAR(anal.value(37, 21), 1.69, 1e-9);  // flock 1, last after the sort
  EXPECT_NEAR(anal.value(22, 21), 1.49, 1e-9);
}

TEST(analyseButton, WholeRunThenReSortOnlyAndPercentagesTypedAfterARun) {
  RunFixture f;
  ASSERT_TRUE(f.run());
  const Grid& g = f.ws.analysisGrid;
  EXPECT_NEAR(g.value(22, FcCol), 1.80 - 0.16, 1e-9);  // lowest FCR first
  ASSERT_EQ(static_cast<int>(f.ws.firstSortChoice.items.size()), g.cols() - 1);  // list index = grid column
  EXPECT_EQ(f.ws.firstSortChoice.items.back(), "Init. Order");
  EXPECT_EQ(g.background(37, FcCol), ac::Outlier);  // flock 1's 2.40, sorted to the end
  const auto list = readTextFile(f.dir / "flocks.lst");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->substr(0, 9), " 0 \r\n 2 \r");

  // A second click re-sorts only: the outlier button now offers the removal.
  const std::size_t comboItems = f.ws.firstSortChoice.items.size();
  ScriptedDialogs again;
  const char* oneOutlier = "Found  1  Outliers  - Shall we Remove Some or All of them ?  Enter Zero to leave them.";
  again.expectYesNo(oneOutlier, true).expectInput("How Many Outliers do you want to remove?", "1");
  ASSERT_TRUE(runAnalysis(f.ws, f.model, f.st, again));
  EXPECT_TRUE(again.finished());
  EXPECT_EQ(f.ws.firstSortChoice.items.size(), comboItems);
  EXPECT_EQ(g.rows(), 22 + 15);

  // A full run after a location was opened starts again from the flock grid: the removed flock
  // comes back, and every row's "Init. Order" points at its own flock.
  f.st.firstSortDone = false;
  ASSERT_TRUE(f.run());
  ASSERT_EQ(g.rows(), 22 + 16);
  const int order = g.cols() - 2;
  for (int row = 22; row < g.rows(); ++row) {
    const int flock = static_cast<int>(g.value(row, order));
    ASSERT_GE(flock, 1);
    EXPECT_EQ(g.text(row, FcCol), f.ws.flockGrid.text(flock, FcCol)) << row;
  }

  // Percentages typed after a run take effect on the next click.
  ASSERT_EQ(f.st.groupCount, (std::array<int, 5>{0, 3, 10, 3, 16}));
  const auto reRun = [&](double low, double middle, double high, const char* refusal) {
    f.ws.splitPercent = {low, middle, high};
    ScriptedDialogs dialogs;
    if (refusal)
      dialogs.expectMessage(refusal);
    else
      dialogs.expectYesNo(oneOutlier, false);
    const bool completed = runAnalysis(f.ws, f.model, f.st, dialogs).has_value();
    EXPECT_TRUE(dialogs.finished());
    return completed;
  };
  // 10/80/10 of 16: 1.6 rounds to 2 for the lowest group and down to 1 for the highest.
  EXPECT_TRUE(reRun(10, 80, 10, nullptr));
  EXPECT_EQ(f.st.groupCount, (std::array<int, 5>{0, 2, 13, 1, 16}));
  // A refused split leaves the last statistics as they were.
  EXPECT_FALSE(reRun(50, 60, 20, "The Flock Split must add to 100 %"));
  EXPECT_EQ(f.st.groupCount, (std::array<int, 5>{0, 2, 13, 1, 16}));
}

// What the summary shows of a group, and of the Low against High comparison of a column.
std::tuple<std::string, int, std::string, std::string> shown(const GroupLine& g) {
  return {g.name, g.flocks, g.weight, g.conversion};
}
std::tuple<std::string, std::string, std::string> shown(const GroupDifference& d) {
  return {d.difference, d.t, d.significance};
}

// The summary of a run of flocks 1-16 (flock 17 has no live weight and is left out). Sorted by FCR the low
// group is flocks 16, 15, 14 (FCR 1.64-1.66, LW 2.52-2.48), the high group flocks 3, 2, 1
// (FCR 1.77, 1.78, 2.40; LW 2.26-2.22). Separate-variance t by Python 3 statistics:
// FCR (1.65 - 1.98333) / sqrt(0.0001/3 + 0.130233/3) = -1.5992 (df 6: below 1.943);
// LW (2.50 - 2.24) / sqrt(0.0004/3 + 0.0004/3) = 15.9217 (above 2.447).
TEST(AnalysisSummary, GroupsLowAgainstHighOutliersAndLeftOutFlocks) {
  RunFixture f(17);
  f.ws.flockGrid.setText(17, 2, "");
  ScriptedDialogs dialogs;
  dialogs.expectMessage("1 flock left out: row 17 (no live weight)")
      .expectMessage("First Sort is always by Feed Conversion");
  const AnalysisOutcome outcome = runAnalysis(f.ws, f.model, f.st, AnalysisSettings{}, dialogs);
  ASSERT_TRUE(outcome.result);
  EXPECT_TRUE(dialogs.finished());
  // The result holds the split itself: the low group is houses 16, 15, 14, lowest FCR first,
  // and house 1 (FCR 2.40) is the outlier.
  const AnalysisResult& result = *outcome.result;
  EXPECT_EQ(result.split.sizes, (std::array<int, 4>{0, 3, 10, 3}));
  std::vector<std::string> low;
  for (const SplitFlock& flock : result.split.flocks)
    if (flock.group == 1) low.push_back(flock.key.house);
  EXPECT_EQ(low, (std::vector<std::string>{"16", "15", "14"}));
  EXPECT_EQ(result.outliers, std::vector<int>{result.split.flocks.back().flock});
  const AnalysisSummary& s = outcome.summary;
  EXPECT_EQ(s.sortHeading, "FCR");
  EXPECT_EQ(s.splitText, "20 / 60 / 20");
  ASSERT_EQ(s.groups.size(), 4u);
  EXPECT_EQ(shown(s.groups[0]), std::make_tuple("Low", 3, "2.500", "1.650"));
  EXPECT_EQ(shown(s.conversion), std::make_tuple("-0.333", "-1.599", "not significant"));
  EXPECT_EQ(shown(s.weight), std::make_tuple("0.260", "15.92", "p < 0.05"));
  ASSERT_EQ(s.outliers.size(), 1u);
  EXPECT_EQ(s.outliers[0].flock, "North, house 1");
  EXPECT_NEAR(readNumber(s.outliers[0].note), 2.40, 1e-9);
  ASSERT_EQ(s.leftOut.size(), 1u);
  EXPECT_EQ(std::tie(s.leftOut[0].flock, s.leftOut[0].note), std::make_tuple("North, house 17", "no live weight"));
}

TEST(AnalysisSummary, RemovalAboveTheOutliersFoundIsRefusedAndATextSortListsItsCategories) {
  RunFixture refused;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("First Sort is always by Feed Conversion")
      .expectMessage("Only 1 outlier was found; no more than that can be removed.");
  AnalysisSettings removeTwo;
  removeTwo.removeOutliers = 2;
  EXPECT_FALSE(runAnalysis(refused.ws, refused.model, refused.st, removeTwo, dialogs).result);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(refused.st.splitFlockCount, 16);

  RunFixture f;
  ScriptedDialogs quiet;
  quiet.expectMessage("First Sort is always by Feed Conversion");
  AnalysisSettings byFarm;
  byFarm.sortHeading = "Farm";
  const AnalysisOutcome outcome = runAnalysis(f.ws, f.model, f.st, byFarm, quiet);
  ASSERT_TRUE(outcome.result);
  const AnalysisSummary& s = outcome.summary;
  EXPECT_TRUE(s.textFirstSort);
  ASSERT_EQ(s.groups.size(), 2u);  // North (odd flocks) and South: the categories, not the split
  EXPECT_EQ(s.groups[0].name, "North");
  EXPECT_EQ(s.groups[0].flocks, 8);
  EXPECT_EQ(s.groups[1].flocks, 8);
  EXPECT_EQ(s.tValueVariable, "FCR");
}

TEST(analyseButton, ModelSkippedOnlyForLackOfDefaultsStillPredicts) {
  RunFixture f;
  f.ws.modelSkipped = true;  // the location box lost the focus before any growth parameters
  buildAnalysisGrid(f.ws);             // and the data came after: no prediction columns
  ASSERT_TRUE(f.run());
  EXPECT_EQ(f.ws.analysisGrid.text(0, 9), "Pred. WT.");
  EXPECT_FALSE(f.ws.analysisGrid.text(22, 9).empty());

  RunFixture noRate;
  noRate.model.inputs.growthParams[1][ParamB] = 0.9;  // parameters set, but no growth rate
  ASSERT_TRUE(noRate.run());
  EXPECT_EQ(noRate.ws.analysisGrid.cols(), 9);
  EXPECT_NEAR(noRate.ws.analysisGrid.value(17, FcCol), (1.80 * 15 - 0.01 * 135 + 2.40) / 16, 5e-4);
}

}  // namespace
}  // namespace plumetra

// The predicted and derived columns, from predictions and intakes worked out by hand.

#include "analysis/predicted_columns.h"
#include "tests/workspace/workspace_fixture.h"
#include "workspace/analysis_grid.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

TEST(PredictedColumns, PredictionsDifferencesIntakesAndInitialOrder) {
  // Flock grid: House, LW, Age, FCR (L = 3); predictions in 4..14, intakes from 15.
  Grid anal(30, 18);
  const char* headings[] = {"House", "LW", "Age", "FCR", "Pred. WT.", "Delta WT.", "Pred. Convix",
                            "Delta Convix", "Pred. Age", "Delta Age", "Fat Pad", "Pred. Carc.",
                            "Pred. Breast", "Pred. Leg & Thigh", "Performance"};
  for (int c = 0; c < 15; ++c) anal.setText(0, c, headings[c]);
  FlockTable table;
  auto& F = table.flockData;
  F[0][1] = 2.5, F[2][1] = 42, F[3][1] = 1.62, F[4][1] = 1.0, F[5][1] = 2.0;  // flock 1
  F[0][2] = 0.0, F[4][2] = 0.5;                                                // flock 2: no weight
  DietTables diets;
  diets.dietData[NutEnergy][1] = 3000, diets.dietData[NutEnergy][2] = 3100;
  diets.dietData[NutLysine][1] = 1.2, diets.dietData[NutLysine][2] = 1.1;
  FlockPredictionTable p{};
  p[1] = {0.00165, 2400, 40.5, 71.234, 0.1234, 0, 22.5, 28.75, 1.456};

  FlockRows rows(ColumnNumbers(2));
  addPredictedColumns(anal, 4, predictedColumnsAfter(3), table, 2, diets, p, rows);

  // 2.5 - 2.4; 0.00165 kg per g is 1.65; 1.62 - 1.65; fat pad estimate 6; 0.1 - (-0.03).
  const std::pair<int, const char*> flock1[] = {{4, "2.400"}, {5, "0.100"},  {6, "1.650"},  {7, "-0.030"},
                                                {8, "40.50"}, {9, "1.50"},   {10, "1.46"},  {11, "71.23"},
                                                {12, "22.5"}, {13, "28.75"}, {14, "0.13"}};
  for (const auto& [col, text] : flock1) EXPECT_EQ(anal.text(22, col), text) << col;
  EXPECT_NEAR(*rows.number(7, 1), 1.62 - 1.65, 1e-15);  // the statistics take the unrounded number
  EXPECT_EQ(rows.number(21, 2), 2.0);   // the initial order

  EXPECT_EQ(anal.text(0, 20), "Lysine Diet 4");
  EXPECT_NEAR(anal.value(22, 15), 9200.0 / 2.5, 1e-9);  // 1 x 3000 + 2 x 3100
  EXPECT_NEAR(anal.value(22, 16), 34.0 / 2.5, 1e-9);    // 12 g + 22 g
  EXPECT_NEAR(anal.value(22, 17), 12.0, 1e-9);
  EXPECT_NEAR(anal.value(22, 18), 22.0, 1e-9);
  EXPECT_EQ(anal.text(23, 15), "");  // no live weight: no per-weight values
  EXPECT_NEAR(anal.value(23, 17), 6.0, 1e-9);  // but the phase lysine is there

  EXPECT_EQ(anal.cols(), 23);  // "Pred. Leg & Thigh" + 8, then two more
  EXPECT_EQ(anal.text(23, 21), " 2");
}

// The analysis run finds the predicted columns through the item map that the analysis grid's
// build fills; each must be the column under its own heading.
TEST(PredictedColumns, ItemMapGivesEachPredictedColumnUnderItsHeading) {
  Workspace ws = testing::loadedWorkspace();
  testing::fillGrid(ws.flockGrid, "House\tLW\tAge\tFCR\nA\t2.5\t42\t1.6\n", 3, 5);
  ws.flockCount = 1;
  buildAnalysisGrid(ws);
  const PredictedColumns c = predictedColumnsOf(ws);
  const std::pair<int, const char*> headed[] = {
      {c.predWt, "Pred. WT."},     {c.deltaWt, "Delta WT."}, {c.predConvix, "Pred. Convix"},
      {c.deltaConvix, "Delta Convix"}, {c.predAge, "Pred. Age"}, {c.deltaAge, "Delta Age"},
      {c.fatPad, "Fat Pad"},       {c.carc, "Pred. Carc."},  {c.breast, "Pred. Breast"},
      {c.legThigh, "Pred. Leg & Thigh"}, {c.performance, "Performance"}};
  for (const auto& [col, heading] : headed) EXPECT_EQ(ws.analysisGrid.text(0, col), heading) << col;
}

TEST(PredictedColumns, FeedCostColumnKeepsEveryIntakeColumn) {
  Grid anal(24, 16);
  for (int c = 0; c < 16; ++c) anal.setText(0, c, "H" + std::to_string(c));  // Performance 14, Feed Cost 15
  FlockTable table;
  table.flockData[0][1] = 2.0;
  DietTables diets;
  FlockRows rows(ColumnNumbers(1));
  addPredictedColumns(anal, 4, predictedColumnsAfter(3), table, 1, diets, FlockPredictionTable{}, rows);
  EXPECT_EQ(anal.text(0, 16), "Energy per bird");
  EXPECT_EQ(anal.cols(), 24);
  EXPECT_EQ(anal.text(22, 22), " 1");
}

}  // namespace
}  // namespace plumetra

// ENTERvals, and a diet file opened into the diet grid.

#include "views/scripted_dialogs.h"
#include "workspace/diet_file.h"
#include "workspace/diet_grid.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace plumetra {
namespace {

namespace fs = std::filesystem;

const fs::path Fixtures = fs::path(PLUMETRA_TEST_DATA) / "diets";

TEST(DietGrid, EnterValsFillsTheModelAndAnalysisTables) {
  DietTables diets;
  diets.DietCount = 2;
  for (int d = 1; d <= 2; ++d) {
    for (int v = 0; v < DietValueCount; ++v) diets.DietTable[d][v] = 100 * d + v;
  }
  diets.DietData[NutFeedCost][1] = 0.4;  // the feed cost is not carried
  diets.DietTable[3][ValEnergy] = 3200;  // beyond DietCount
  Grid grid(9, 20);
  std::array<bool, 4> nutrientIdSet{};
  ENTERvals(diets, grid, nutrientIdSet);
  EXPECT_EQ(nutrientIdSet, (std::array<bool, 4>{false, true, true, true}));
  for (int d = 1; d <= 2; ++d) {
    for (int k = 0; k < NutrientVectorSize; ++k) EXPECT_EQ(diets.EnteredDiets[d][k], 100 * d + k + 1);
    // Energy, protein, methionine, met+cys, lysine, tryptophan, arginine, threonine.
    const int source[] = {2, 3, 11, 10, 6, 7, 4, 12};
    for (int n = 0; n < 8; ++n) EXPECT_EQ(diets.DietData[n][d], 100 * d + source[n]) << "nutrient " << n;
  }
  EXPECT_EQ(diets.DietData[NutFeedCost][1], 0.4);
  EXPECT_EQ(diets.DietData[NutEnergy][3], 0);
  EXPECT_EQ(grid.background(0, 5), colours::Matched);
  EXPECT_NE(grid.background(0, 4), colours::Matched);
}

TEST(DietGrid, OpenADietFileOrCancelOrReject) {
  auto ws = std::make_unique<Workspace>();
  ws->GridDiets.resize(10, 30);
  ws->GridDiets.setText(1, 0, "Starter crumble");  // column 0 gets nothing from a diet file
  ws->LastDir = "/start";
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("", "");  // cancelled
  EXPECT_FALSE(CommandDiet_Click(*ws, dialogs));
  EXPECT_EQ(ws->LastDir, "/start");
  dialogs.expectOpenFile("", (Fixtures / "too_few_lines_17.dts").string()).expectMessage("");
  EXPECT_FALSE(CommandDiet_Click(*ws, dialogs));
  EXPECT_EQ(ws->diets.DietCount, 0);
  EXPECT_EQ(ws->GridDiets.rows(), 10);
  EXPECT_FALSE(ws->NutrientIdSet[1]);

  dialogs.expectOpenFile("", (Fixtures / "three_diets_54_lines.dts").string());
  EXPECT_TRUE(CommandDiet_Click(*ws, dialogs));
  EXPECT_TRUE(dialogs.finished()) << testing::PrintToString(dialogs.failures());
  EXPECT_EQ(ws->LastDir, Fixtures);
  EXPECT_EQ(ws->diets.DietCount, 3);
  EXPECT_DOUBLE_EQ(ws->diets.EnteredDiets[3][1], 3125);
  EXPECT_TRUE(ws->NutrientIdSet[1] && ws->NutrientIdSet[2] && ws->NutrientIdSet[3]);
  const Grid& grid = ws->GridDiets;
  EXPECT_EQ(grid.rows(), 9);
  EXPECT_EQ(grid.cols(), 20);
  EXPECT_EQ(grid.text(0, 13), "MET_CYS");
  EXPECT_EQ(grid.text(1, 0), "Starter crumble");
  // By magnitude: 4 decimals, 1 above 999.9, 3 above 9.999.
  EXPECT_EQ(grid.text(1, 3), "0.3850");
  EXPECT_EQ(grid.text(1, 5), "2975.0");
  EXPECT_EQ(grid.text(1, 6), "22.500");
  EXPECT_EQ(grid.text(4, 5), "");
}

}  // namespace
}  // namespace plumetra

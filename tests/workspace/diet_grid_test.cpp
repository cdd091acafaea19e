// The diet grid of a diet file, ENTERvals, and the two ways a diet file is opened.

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

TEST(DietGrid, ShowsTheHeadingsAndDietsOfAFile) {
  DietTables diets;
  ScriptedDialogs dialogs;
  ASSERT_EQ(ReadDietFile(diets, Fixtures / "three_diets_54_lines.dts", dialogs), DietReadStatus::Read);
  Grid grid(10, 30);
  grid.setText(1, 0, "Starter crumble");  // column 0 gets nothing from a diet file
  ShowDiets(diets, grid);
  EXPECT_EQ(grid.rows(), 9);
  EXPECT_EQ(grid.cols(), 20);
  EXPECT_EQ(grid.text(0, 13), "MET_CYS");
  EXPECT_EQ(grid.text(1, 0), "Starter crumble");
  EXPECT_EQ(grid.text(2, 2), "day 10");
  // FormatDiet by magnitude: 4 decimals, 1 above 999.9, 3 above 9.999.
  EXPECT_EQ(grid.text(1, 3), "0.3850");
  EXPECT_EQ(grid.text(1, 5), "2975.0");
  EXPECT_EQ(grid.text(1, 6), "22.500");
  EXPECT_EQ(grid.text(4, 5), "");
}

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

std::unique_ptr<Workspace> workspaceIn(const fs::path& lastDir) {
  auto ws = std::make_unique<Workspace>();
  ws->GridDiets.resize(10, 30);
  ws->LastDir = lastDir;
  return ws;
}

TEST(DietGrid, OpenExistingDietFileOrCancelOrReject) {
  auto ws = workspaceIn("/start");
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("", "");  // cancelled
  EXPECT_FALSE(CommandDiet_Click(*ws, dialogs));
  EXPECT_EQ(ws->LastDir, "/start");
  dialogs.expectOpenFile("", (Fixtures / "too_few_lines_17.dts").string()).expectMessage("");
  EXPECT_FALSE(CommandDiet_Click(*ws, dialogs));
  EXPECT_EQ(ws->diets.DietCount, 0);
  EXPECT_NE(ws->GridDiets.background(0, 5), colours::Matched);
  EXPECT_FALSE(ws->NutrientIdSet[1]);

  dialogs.expectOpenFile("", (Fixtures / "three_diets_54_lines.dts").string());
  EXPECT_TRUE(CommandDiet_Click(*ws, dialogs));
  EXPECT_TRUE(dialogs.finished()) << testing::PrintToString(dialogs.failures());
  EXPECT_EQ(ws->LastDir, Fixtures);
  EXPECT_EQ(ws->diets.DietCount, 3);
  EXPECT_DOUBLE_EQ(ws->diets.EnteredDiets[3][1], 3125);
  EXPECT_DOUBLE_EQ(ws->diets.DietData[NutLysine][1], 1.32);
  EXPECT_TRUE(ws->NutrientIdSet[1] && ws->NutrientIdSet[2] && ws->NutrientIdSet[3]);
}

TEST(DietGrid, LocationDietFileIsOffered) {
  for (const bool yes : {false, true}) {
    auto ws = workspaceIn("/start");
    ws->LocationFile = Fixtures / "three_diets_54_lines";
    ScriptedDialogs dialogs;
    dialogs.expectYesNo("A Diet File Exists, Do you want to use those diets?", yes);
    EXPECT_EQ(OfferLocationDiets(*ws, dialogs), yes);
    EXPECT_TRUE(dialogs.finished()) << testing::PrintToString(dialogs.failures());
    EXPECT_EQ(ws->diets.DietCount, yes ? 3 : 0);
    EXPECT_EQ(ws->LastDir, yes ? Fixtures : fs::path("/start"));
  }
}

}  // namespace
}  // namespace plumetra

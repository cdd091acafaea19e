// Data ID matching: Record on both grids, Clear and Skip, and the text flags.

#include "workspace/matching.h"

#include <gtest/gtest.h>

#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::fillGrid;
using testing::loadedWorkspace;

constexpr int Kcal = 0, McalKg = 2;

// Header row and four flocks; column 2 ("Weight") has an empty third cell.
Workspace fourFlocks() {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin,
           "House\tBirds\tWeight\tStarter\tSixth\tTen\n"
           "A\t20000\t2.61\t2500\t900\t10\n"
           "B\t18000\t2.40\t2400\t800\n"
           "C\t19000\t\t2300\t700\n"
           "D\t17000\t2.55\t2200\t600\n",
           6, 7);
  ws.FlockCount = InputCount(ws.gridflockin);
  return ws;
}

void matchFlock(Workspace& ws, int item, int col, const UnitSettings& units = energyUnit(Kcal)) {
  ScriptedDialogs dialogs;
  ws.Cmb1.choose(item);
  ws.gridflockin.setCurrent(0, col);
  ASSERT_TRUE(DoubleClickMatch(ws, MatchSide::Flock, units, dialogs));
  EXPECT_TRUE(dialogs.finished());
}

TEST(Record, EmptyThirdCellStoresZeroAndEndsTheColumn) {
  Workspace ws = fourFlocks();
  ws.FlockData[0][4] = 9.9;  // left from an earlier file
  matchFlock(ws, ItemLiveWeight, 2);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][1], 2.61);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][2], 2.40);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][3], 0.0);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][4], 9.9);
  EXPECT_EQ(ws.Cmb1.items[1], "Live Weight per Bird * Weight");
  EXPECT_EQ(ws.Cmb1.index, 2);  // advanced
}

TEST(Record, FeedIntakesOneToFiveAboveTenAreGramsOnlyWithKcalPerKg) {
  struct Case {
    int item, energyChoice, col;
    double expected;  // flock 1
  };
  const Case cases[] = {
      {ItemFirstIntake, Kcal, 3, 2.5},       // 2500 g
      {ItemFirstIntake, Kcal, 5, 10.0},      // ten is not above ten
      {ItemFirstIntake, McalKg, 3, 2500.0},  // other energy unit: as it stands
      {ItemFirstIntake + 4, Kcal, 3, 2.5},   // fifth intake still rescaled
      {ItemSixthIntake, Kcal, 4, 900.0},     // sixth intake never
      {ItemBirds, Kcal, 1, 20000.0},         // not an intake
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("item " + std::to_string(c.item) + " energy " + std::to_string(c.energyChoice));
    Workspace ws = fourFlocks();
    matchFlock(ws, c.item, c.col, energyUnit(c.energyChoice));
    const int target = ws.FarmOrder[static_cast<size_t>(c.item)][1];
    EXPECT_DOUBLE_EQ(ws.FlockData[static_cast<size_t>(target)][1], c.expected);
  }
}

TEST(Record, NothingOnTheAnalysisTabOrForEndOrOutsideTheGrid) {
  Workspace ws = fourFlocks();
  ws.SelectedCol = 1;
  ws.SSTab1.current = AnalysisTab;
  EXPECT_FALSE(Record(ws, energyUnit(Kcal)));
  ws.SSTab1.current = FlockTab;
  ws.Cmb1.choose(ItemFlockEnd);
  EXPECT_FALSE(Record(ws, energyUnit(Kcal)));
  ws.Cmb1.choose(ItemBirds);
  ws.SelectedCol = 40;
  EXPECT_FALSE(Record(ws, energyUnit(Kcal)));
  EXPECT_FALSE(ws.FlockIdSet[ItemBirds]);
}

TEST(ClearAndSkip, ClearingAFlockItemKeepsItsValues) {
  Workspace ws = fourFlocks();
  matchFlock(ws, ItemBirds, 1);
  ws.Cmb1.choose(ItemBirds);
  ClearFlockItem(ws);
  EXPECT_DOUBLE_EQ(ws.FlockData[1][2], 18000.0);
  EXPECT_FALSE(isMatchedEntry(ws, MatchSide::Flock, ItemBirds));
  ws.Cmb1.choose(ItemFlockEnd);
  SkipItem(ws.Cmb1);
  EXPECT_EQ(ws.Cmb1.index, ItemFlockEnd);  // stays on the last entry
}

Workspace dietSheet(std::string_view tsv, int nutrient, int col) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.GridDiets, tsv, 8, 5);
  ws.SSTab1.current = DietTab;
  ws.Combo2.choose(nutrient);
  ws.GridDiets.setCurrent(0, col);
  return ws;
}

constexpr std::string_view DietTable =
    "Diet\tME\tLys\tEmpty\nStarter\t2975\t1.32\t\nGrower\t3080\t1.18\t\nFinisher\t3175\t1.05\t\n";

TEST(DietMatch, DoubleClickSetsDietCountFlagsAndDietData) {
  Workspace ws = dietSheet(DietTable, NutLysine, 2);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.diets.DietCount, 3);
  EXPECT_TRUE(ws.NutrientIdSet[3]);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutLysine][3], 1.05);
  EXPECT_EQ(ws.Combo2.index, NutTryptophan);

  // "Clear an Item" acts on the entry before the chosen one: the item just recorded.
  ClearDietItem(ws);
  EXPECT_EQ(ws.Combo2.items[NutLysine], "Lysine *");
  EXPECT_EQ(ws.GridDiets.background(0, 2), colours::ButtonFace);
}

TEST(DietMatch, FeedCostFromASheetPricesTheDietTableToo) {
  Workspace ws = dietSheet("Diet\tPrice\nStarter\t0,385\nGrower\t0.362\n", NutFeedCost, 1);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs));
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutFeedCost][1], 0.385);
  EXPECT_DOUBLE_EQ(ws.diets.DietTable[1][ValFeedCost], 0.385);
  EXPECT_DOUBLE_EQ(ws.diets.DietTable[2][ValFeedCost], 0.362);
}

TEST(DietMatch, EmptyColumnIsReportedAndStillMatched) {
  Workspace ws = dietSheet(DietTable, NutEnergy, 3);
  ws.diets.DietCount = 2;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("No Data Here, Try Again");
  DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.diets.DietCount, 2);  // no phase above 0: unchanged
  EXPECT_TRUE(ws.NutrientIdSet[1]);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutEnergy][1], 0.0);
}

TEST(FindNumeric, FewerThanTenFlocksMakeEveryColumnText) {
  Workspace ws = fourFlocks();
  FindNumeric(ws);
  for (int c = 1; c < 5; ++c) EXPECT_EQ(ws.NonNumeric[static_cast<size_t>(c)], -1) << c;
}

TEST(FindNumeric, TenNumericCellsMakeANumericColumnAndAreCounted) {
  Workspace ws = loadedWorkspace();
  std::string tsv = "Name\tWeight\tMixed\t\n";
  for (int r = 1; r <= 10; ++r)
    tsv += "F" + std::to_string(r) + "\t2." + std::to_string(r) + "\t" + (r == 7 ? "x" : "1") + "\n";
  fillGrid(ws.gridflockin, tsv, 12, 4);
  ws.NonNumeric[3] = 5;  // headerless column: not examined
  FindNumeric(ws);
  EXPECT_EQ(ws.NonNumeric[1], 0);
  EXPECT_EQ(ws.NonNumeric[2], -1);
  EXPECT_EQ(ws.NonNumeric[3], 5);
  // Entry 0 is both column 0's flag and the counter: column 0 turns it to -1, then come
  // 10 numeric cells of column 1 and 6 of column 2.
  EXPECT_EQ(ws.NonNumeric[0], 15);
}

}  // namespace
}  // namespace plumetra

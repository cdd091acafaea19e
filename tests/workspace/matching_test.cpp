// Data ID matching: the combos, Record on both grids, Clear and Skip, the flock count,
// the text flags and the sort lists.

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
constexpr std::string_view FourFlocks =
    "House\tBirds\tWeight\tStarter\tSixth\n"
    "A\t20000\t2.61\t2500\t900\n"
    "B\t18000\t2.40\t2400\t800\n"
    "C\t19000\t\t2300\t700\n"
    "D\t17000\t2.55\t2200\t600\n";

Workspace fourFlocks() {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin, FourFlocks, 6, 6);
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

TEST(Datafill, LoadsOnlyTheRealDataIdsAndChoosesTheFirstFlockItem) {
  const Workspace ws = loadedWorkspace();
  ASSERT_EQ(ws.Cmb1.items.size(), 13u);
  EXPECT_EQ(ws.Cmb1.items.front(), "HOUSE ID");
  EXPECT_EQ(ws.Cmb1.items.back(), "End");
  EXPECT_EQ(ws.Cmb1.index, 0);
  ASSERT_EQ(ws.Combo2.items.size(), 10u);
  EXPECT_EQ(ws.Combo2.items[3], "Met Plus Cys *");
  EXPECT_EQ(ws.Combo2.index, -1);
  EXPECT_EQ(ws.FileDialogTitle, "*****  Select a Location to Start  *****");
  EXPECT_EQ(ws.FarmOrder[7][1], 6);  // "Third Feed Intake *" lands in FlockData column 6
  EXPECT_EQ(ws.FarmOrder[7][2], 2);
  EXPECT_EQ(ws.FarmOrder[12][1], 10);
  EXPECT_EQ(DataIdList(0, 25), "");
}

TEST(Record, EmptyThirdCellStoresZeroAndEndsTheColumn) {
  Workspace ws = fourFlocks();
  ws.FlockData[0][4] = 9.9;  // left from an earlier file
  matchFlock(ws, ItemLiveWeight, 2);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][1], 2.61);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][2], 2.40);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][3], 0.0);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][4], 9.9);
  EXPECT_EQ(ws.FlockCol[1], 2);
  EXPECT_TRUE(ws.FlockIdSet[1]);
  EXPECT_EQ(ws.ItemHeader[1], "Weight");
  EXPECT_EQ(ws.FarmOrder[1][4], 2);
  EXPECT_EQ(ws.Cmb1.items[1], "Live Weight per Bird * Weight");
  EXPECT_EQ(ws.Cmb1.index, 2);  // advanced
  EXPECT_EQ(ws.gridflockin.background(0, 2), colours::Matched);
}

struct GramCase {
  int item;
  int energyChoice;
  int col;
  double expected;  // flock 1
};

TEST(Record, FeedIntakesOneToFiveAboveTenAreGramsOnlyWithKcalPerKg) {
  const GramCase cases[] = {
      {ItemFirstIntake, Kcal, 3, 2.5},       // 2500 g
      {ItemFirstIntake, McalKg, 3, 2500.0},  // other energy unit: as it stands
      {ItemFirstIntake + 4, Kcal, 3, 2.5},   // fifth intake still rescaled
      {ItemSixthIntake, Kcal, 4, 900.0},     // sixth intake never
      {ItemBirds, Kcal, 1, 20000.0},         // not an intake
  };
  for (const GramCase& c : cases) {
    Workspace ws = fourFlocks();
    matchFlock(ws, c.item, c.col, energyUnit(c.energyChoice));
    const int target = ws.FarmOrder[static_cast<size_t>(c.item)][1];
    EXPECT_DOUBLE_EQ(ws.FlockData[static_cast<size_t>(target)][1], c.expected)
        << "item " << c.item << " energy " << c.energyChoice;
  }
}

TEST(Record, TenIsNotAboveTen) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin, "H\tB\tF\nA\t1\t10\n", 3, 3);
  ws.FlockCount = 1;
  matchFlock(ws, ItemFirstIntake, 2);
  EXPECT_DOUBLE_EQ(ws.FlockData[4][1], 10.0);
}

TEST(Record, HouseIdKeepsItsColumnAndHeaderAndCopiesNothing) {
  Workspace ws = fourFlocks();
  ws.FlockData[1][1] = 7.0;
  matchFlock(ws, ItemHouseId, 0);
  EXPECT_EQ(ws.FlockCol[0], 0);
  EXPECT_EQ(ws.ItemHeader[0], "House");
  EXPECT_DOUBLE_EQ(ws.FlockData[1][1], 7.0);  // FarmOrder(0, 1) is column 1: untouched
  EXPECT_EQ(ws.FarmOrder[0][4], 0);
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
  EXPECT_EQ(ws.Cmb1.items[ItemBirds], "No. of Birds in House *");
  EXPECT_FALSE(ws.FlockIdSet[ItemBirds]);
}

TEST(ClearAndSkip, ClearingAFlockItemKeepsItsValues) {
  Workspace ws = fourFlocks();
  ws.Command5.enabled = false;
  matchFlock(ws, ItemBirds, 1);
  ws.Cmb1.choose(ItemBirds);
  ClearFlockItem(ws);
  EXPECT_EQ(ws.Cmb1.items[ItemBirds], "No. of Birds in House *");
  EXPECT_EQ(ws.gridflockin.background(0, 1), colours::ButtonFace);
  EXPECT_TRUE(ws.Command5.enabled);
  EXPECT_DOUBLE_EQ(ws.FlockData[1][2], 18000.0);
  EXPECT_TRUE(ws.FlockIdSet[ItemBirds]);
  EXPECT_FALSE(isMatchedEntry(ws, MatchSide::Flock, ItemBirds));

  SkipItem(ws.Cmb1);
  EXPECT_EQ(ws.Cmb1.index, ItemAge);
  ws.Cmb1.choose(ItemFlockEnd);
  SkipItem(ws.Cmb1);
  EXPECT_EQ(ws.Cmb1.index, ItemFlockEnd);  // stays on the last entry
}

constexpr std::string_view DietTable =
    "Diet\tME\tLys\tEmpty\n"
    "Starter\t2975\t1.32\t\n"
    "Grower\t3080\t1.18\t\n"
    "Finisher\t3175\t1.05\t\n";

TEST(DietMatch, DoubleClickSetsDietCountFlagsAndDietData) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.GridDiets, DietTable, 8, 5);
  ws.SSTab1.current = DietTab;
  ws.Combo2.choose(NutLysine);
  ws.GridDiets.setCurrent(0, 2);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.diets.DietCount, 3);
  EXPECT_TRUE(ws.NutrientIdSet[3]);
  EXPECT_FALSE(ws.NutrientIdSet[1]);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutLysine][1], 1.32);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutLysine][3], 1.05);
  EXPECT_EQ(ws.Combo2.items[NutLysine], "Lysine * Lys");
  EXPECT_EQ(ws.Combo2.index, NutTryptophan);

  // "Clear an Item" acts on the entry before the chosen one: the item just recorded.
  ClearDietItem(ws);
  EXPECT_EQ(ws.Combo2.items[NutLysine], "Lysine *");
  EXPECT_EQ(ws.GridDiets.background(0, 2), colours::ButtonFace);
}

TEST(DietMatch, FeedCostFromASheetPricesTheDietTableToo) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.GridDiets, "Diet\tPrice\nStarter\t0,385\nGrower\t0.362\n", 8, 5);
  ws.SSTab1.current = DietTab;
  ws.Combo2.choose(NutFeedCost);
  ws.GridDiets.setCurrent(0, 1);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs));
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutFeedCost][1], 0.385);
  EXPECT_DOUBLE_EQ(ws.diets.DietTable[1][ValFeedCost], 0.385);
  EXPECT_DOUBLE_EQ(ws.diets.DietTable[2][ValFeedCost], 0.362);
}

TEST(DietMatch, EmptyColumnIsReportedAndStillMatched) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.GridDiets, DietTable, 8, 5);
  ws.diets.DietCount = 2;
  ws.Combo2.choose(NutEnergy);
  ws.GridDiets.setCurrent(0, 3);
  ScriptedDialogs dialogs;
  dialogs.expectMessage("No Data Here, Try Again");
  DoubleClickMatch(ws, MatchSide::Diet, energyUnit(Kcal), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.diets.DietCount, 2);  // no phase above 0: unchanged
  EXPECT_TRUE(ws.NutrientIdSet[1]);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutEnergy][1], 0.0);
}

TEST(InputCount, CountsRowsUntilTheSecondColumnIsEmpty) {
  Grid grid;
  fillGrid(grid, "H\tB\nA\t1\nB\t2\nC\t\nD\t4\n", 6, 2);
  EXPECT_EQ(InputCount(grid), 2);
  EXPECT_EQ(InputCount(Grid()), 0);
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
    tsv +=
        "F" + std::to_string(r) + "\t2." + std::to_string(r) + "\t" + (r == 7 ? "x" : "1") + "\n";
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

TEST(FillCombos, HeadingsUntilTheFirstEmptyOneThenThePredictionCaptions) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin, "House\tWeight\t\tLate\n", 2, 4);
  ws.Combo1.add("old entry");
  FillCombos(ws);
  const std::vector<std::string> expected = {
      "House",      "Weight",    "Pred. WT.", "Delta WT.",   "Pred. Convix", "Delta Convix",
      "Pred. Age",  "Delta Age", "Fat Pad",   "Pred. Carc.", "Pred. Breast", "Pred. Leg & Thigh",
      "Performance"};
  EXPECT_EQ(ws.Combo1.items, expected);
  EXPECT_EQ(ws.Combo3.items, expected);
}

}  // namespace
}  // namespace plumetra

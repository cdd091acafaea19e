// Matching by headings and by a Data ID list, checked against matching by hand.

#include "workspace/auto_match.h"

#include <gtest/gtest.h>

#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::fillGrid;
using testing::loadedWorkspace;

Workspace tables() {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin,
           "Farm\tHouse\tBirds Placed\tAge\tAvg Weight\tConvix\tWithdrawal\tStarter\tGrower\t"
           "Finisher\tDensity\n"
           "Pine\t1\t35548\t43\t2.618\t1.690\t0.706\t396\t1.510\t1.812\t20.3\n"
           "Pine\t2\t19567\t36\t2.121\t1.533\t0.000\t417\t1.108\t1.726\t18.6\n"
           "Oak\t1\t16525\t37\t2.239\t1.556\t0.441\t348\t1.189\t1.506\t17.7\n",
           5, 12);
  fillGrid(ws.GridDiets,
           "Diet\tME\tCP\tMet\tM+C\tLys\tTrp\tArg\tThr\tPrice\n"
           "Starter\t2975\t23\t0.62\t0.98\t1.32\t0.24\t1.42\t0.88\t0.385\n"
           "Grower\t3080\t21\t0.56\t0.9\t1.18\t0.22\t1.27\t0.79\t0.362\n",
           8, 11);
  ws.FlockCount = InputCount(ws.gridflockin);
  return ws;
}

TEST(AutoMatch, GivesTheSameTablesAsMatchingByHand) {
  const UnitSettings units = energyUnit(0);
  Workspace byHeadings = tables();
  ScriptedDialogs quiet;
  const AutoMatchReport report = autoMatch(byHeadings, units, quiet);
  EXPECT_TRUE(quiet.finished());
  EXPECT_TRUE(report.unmatchedRequired.empty());
  EXPECT_EQ(report.matched.size(), 19u);

  // By hand: choose each item and double-click its column, in the Data ID order.
  Workspace byHand = tables();
  const std::pair<int, int> flockPairs[] = {{0, 1}, {1, 4}, {2, 2}, {3, 3}, {4, 5},
                                            {5, 7}, {6, 8}, {7, 9}, {8, 6}, {11, 10}};
  for (auto [item, col] : flockPairs) {
    byHand.Cmb1.choose(item);
    byHand.gridflockin.setCurrent(0, col);
    DoubleClickMatch(byHand, MatchSide::Flock, units, quiet);
  }
  byHand.SSTab1.current = DietTab;
  for (int nutrient = 0; nutrient < 9; ++nutrient) {
    byHand.Combo2.choose(nutrient);
    byHand.GridDiets.setCurrent(0, nutrient + 1);
    DoubleClickMatch(byHand, MatchSide::Diet, units, quiet);
  }
  EXPECT_EQ(byHeadings.FlockData, byHand.FlockData);
  EXPECT_EQ(byHeadings.FlockCol, byHand.FlockCol);
  EXPECT_EQ(byHeadings.FlockIdSet, byHand.FlockIdSet);
  EXPECT_EQ(byHeadings.NutrientIdSet, byHand.NutrientIdSet);
  EXPECT_EQ(byHeadings.diets.DietData, byHand.diets.DietData);
  EXPECT_EQ(byHeadings.Cmb1.items, byHand.Cmb1.items);
  EXPECT_EQ(byHeadings.diets.DietCount, 2);
  EXPECT_DOUBLE_EQ(byHeadings.FlockData[4][1], 0.396);  // starter in grams, Kcal/Kg
  EXPECT_DOUBLE_EQ(byHeadings.FlockData[7][1], 0.706);  // withdrawal is the fourth intake
  EXPECT_EQ(byHeadings.SSTab1.current, FlockTab);
}

TEST(AutoMatch, ReportsRequiredItemsThatStayUnmatched) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin, "House\tWeight\tFCR\nA\t2.5\t1.6\n", 3, 4);
  ws.FlockCount = 1;
  ScriptedDialogs quiet;
  const std::vector<std::string> missing = {
      "No. of Birds in House *", "Age at Slaughter *", "First Feed Intake *", "Second Feed Intake *",
      "Feed Energy *",           "Met Plus Cys *",     "Lysine *"};
  EXPECT_EQ(autoMatch(ws, energyUnit(0), quiet).unmatchedRequired, missing);
}

TEST(AutoMatch, LeavesItemsAndColumnsAlreadyMatched) {
  Workspace ws = tables();
  ScriptedDialogs quiet;
  ws.Cmb1.choose(ItemLiveWeight);
  ws.gridflockin.setCurrent(0, 3);  // "Age" matched as the weight by hand
  DoubleClickMatch(ws, MatchSide::Flock, energyUnit(0), quiet);
  autoMatch(ws, energyUnit(0), quiet);
  EXPECT_EQ(ws.FlockCol[ItemLiveWeight], 3);
  EXPECT_FALSE(ws.FlockIdSet[ItemAge]);
  EXPECT_EQ(ws.FlockCol[ItemFeedConversion], 5);
}

TEST(MatchMap, ParsesAndMatchesLikeADoubleClick) {
  const MatchMap map = parseMatchMap(" Live Weight per Bird *=Avg Weight ; Lysine *=Lys;");
  ASSERT_EQ(map.entries.size(), 2u);
  EXPECT_EQ(map.entries[0].dataId, "Live Weight per Bird *");
  EXPECT_EQ(map.entries[0].heading, "Avg Weight");
  for (const char* bad : {"Lysine *", "=Lys"}) EXPECT_FALSE(parseMatchMap(bad).problem.empty());

  Workspace ws = tables();
  ScriptedDialogs quiet;
  const auto made = applyMatchMap(ws, map.entries, energyUnit(0), quiet);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->size(), 2u);
  EXPECT_DOUBLE_EQ(ws.FlockData[0][2], 2.121);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutLysine][2], 1.18);
}

TEST(MatchMap, UnknownDataIdOrHeadingMatchesNothing) {
  for (const char* text :
       {"Live Weight=Avg Weight;Lysine *=Lys", "Lysine *=Lys;Age at Slaughter *=Days", "End=Age"}) {
    SCOPED_TRACE(text);
    Workspace ws = tables();
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(applyMatchMap(ws, parseMatchMap(text).entries, energyUnit(0), dialogs));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_FALSE(ws.NutrientIdSet[3]);
    EXPECT_EQ(ws.Combo2.items[NutLysine], "Lysine *");
  }
}

}  // namespace
}  // namespace plumetra

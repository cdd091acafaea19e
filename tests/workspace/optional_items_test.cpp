// The optional flock items (Mortality %, Birds Sold, Flock Sex): matched by heading, by --map and
// by hand, remembered in the Data ID list beside the fixed lines, and the sexes their cells name.

#include "workspace/optional_items.h"

#include <gtest/gtest.h>

#include "files/free_format.h"
#include "workspace/auto_match.h"
#include "workspace/flock_sex.h"
#include "workspace/list_file.h"
#include "workspace/livability_columns.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::fillGrid;
using testing::TempFolder;

constexpr int Mortality = entryOf(OptionalItem::Mortality);
constexpr int BirdsSold = entryOf(OptionalItem::BirdsSold);
constexpr int FlockSex = entryOf(OptionalItem::FlockSex);

// Columns: 0 House, 1 Weight, 2 Placed, 3 Age, 4 FCR, 5 Starter, 6 Grower, 7 Mort, 8 Sold, 9 Gender.
Workspace producerTable() {
  Workspace ws = testing::loadedWorkspace();
  fillGrid(ws.flockGrid,
           "House\tAvg Weight\tBirds Placed\tAge\tFCR\tStarter\tGrower\tMort %\tBirds Sold\tGender\n"
           "H1\t2.5\t20000\t42\t1.6\t0.5\t1.4\t3.5\t19300\tM\n"
           "H2\t2.4\t19000\t40\t1.7\t0.5\t1.3\t4.0\t18240\tpullets\n"
           "H3\t2.3\t18000\t41\t1.65\t0.45\t1.3\t2.0\t17640\tStraight-run\n",
           5, 10);
  ws.flockCount = 3;
  return ws;
}

TEST(OptionalItems, AutoMatchLeavesASexHeadingOverNumbersAndAShareOfMortality) {
  Workspace ws = testing::loadedWorkspace();
  fillGrid(ws.flockGrid,
           "House\tAvg Weight\tBirds\tAge\tFCR\tStarter\tGrower\tMortality\tSex ratio\tSex\n"
           "H1\t2.5\t20000\t42\t1.6\t0.5\t1.4\t0.035\tM\t1\n"
           "H2\t2.4\t19000\t40\t1.7\t0.5\t1.3\t0.040\tF\t2\n",
           4, 10);
  ws.flockCount = 2;
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "Mortality % was left unmatched: the column \"Mortality\" holds only numbers below 1, a share rather than a "
      "percentage; give the mortality in percent (3.2 for 3.2 %).");
  autoMatch(ws, energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  EXPECT_LT(matchedFlockColumn(ws, Mortality), 0);
  EXPECT_LT(matchedFlockColumn(ws, FlockSex), 0);
}

// A flock whose cell names no sex has the chosen one, and the user is told which flocks those are
// (without a Flock Sex column every flock has the chosen sex: the producer files' tests).
TEST(OptionalItems, MapMatchesThemByTheirDataIdsEachFlockHasItsCellsSexAndClearForgetsThem) {
  Workspace ws = producerTable();
  ws.flockGrid.setText(3, 9, "broilers");
  ws.flockGrid.setText(1, 9, "");
  ScriptedDialogs dialogs;
  const MatchMap map = parseMatchMap("Birds Sold=Birds Sold; Flock Sex=Gender");
  ASSERT_TRUE(applyMatchMap(ws, map.entries, energyUnit(0), dialogs));
  EXPECT_EQ(matchedFlockColumn(ws, BirdsSold), 8);
  EXPECT_EQ(matchedFlockColumn(ws, FlockSex), 9);
  const FlockSexes sexes = flockSexesOf(ws, MaleSex);
  EXPECT_EQ(sexes.sexOf, (std::vector<int>{MaleSex, MaleSex, FemaleSex, MaleSex}));
  EXPECT_EQ(unknownSexMessage(sexes, MaleSex),
            "2 flocks name no sex Plumetra knows (a blank for flock 1, \"broilers\" for flock 3): they grow as "
            "Males, the flock sex chosen. Write M, F or X (Males, Females or Mixed) in the \"Flock Sex\" column.");
  // Only birds sold is matched: the mortality column is not taken by its heading.
  const LivabilityColumns livability = livabilityColumnsOf(ws);
  EXPECT_EQ(livability.mortality, -1);
  EXPECT_DOUBLE_EQ(livabilityPercent(ws.flockGrid, 2, livability, 19000), 96.0);  // 18,240 / 19,000

  ws.flockDataIds.choose(BirdsSold);
  clearFlockItem(ws);
  EXPECT_EQ(matchedFlockColumn(ws, BirdsSold), -1);
  EXPECT_EQ(ws.flockDataIds.items[BirdsSold], "Birds Sold");
  EXPECT_EQ(ws.flockGrid.background(0, 8), colours::ButtonFace);
  EXPECT_EQ(livabilityColumnsOf(ws).mortality, 7);  // none matched: found by heading again
}

// Auto-match finds the optional items beside the birds placed. In the list the fixed twelve lines
// stay as the previous release reads them; the optional items follow as labelled lines, and a
// fresh workspace replays all of them.
TEST(OptionalItems, AutoMatchFindsThemTheListRoundTripsThemAfterItsTwelveLinesAndBadOnesAreRefused) {
  TempFolder folder("lst_optional");
  Workspace ws = producerTable();
  ws.lastDir = folder.path();
  ws.dataFileName = "flocks.csv";
  ScriptedDialogs quiet;
  autoMatch(ws, energyUnit(0), quiet);
  EXPECT_TRUE(quiet.finished()) << ::testing::PrintToString(quiet.shown());
  EXPECT_EQ(ws.flockDataIds.items[Mortality], "Mortality % Mort %");
  // Matched mortality comes before birds sold: 100 - 3.5.
  EXPECT_DOUBLE_EQ(livabilityPercent(ws.flockGrid, 1, livabilityColumnsOf(ws), 20000), 96.5);
  ASSERT_TRUE(writeListFile(ws, quiet));
  EXPECT_EQ(readTextFile(folder.path() / "flocks.lst").value_or(""),
            " 0 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n"
            "\"Mortality %\", 7 \r\n\"Birds Sold\", 8 \r\n\"Flock Sex\", 9 \r\n");

  Workspace fresh = producerTable();
  EXPECT_EQ(testing::replayAccepted(fresh, folder.path() / "flocks.lst"), ListReplay::Replayed);
  EXPECT_EQ(fresh.flockDataIds.items, ws.flockDataIds.items);
  EXPECT_EQ(fresh.optionalColumns.columns, ws.optionalColumns.columns);
  EXPECT_EQ(fresh.flockCol, ws.flockCol);

  // An item of a later release is passed over; a column past the grid refuses the list.
  const std::string fixed = "-1 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n";
  testing::writeFile(folder.path() / "later.lst", fixed + "\"Hatchery\", 3 \r\n\"Flock Sex\", 9 \r\n");
  testing::writeFile(folder.path() / "bad.lst", fixed + "\"Flock Sex\", 12 \r\n");

  Workspace later = producerTable();
  EXPECT_EQ(testing::replayAccepted(later, folder.path() / "later.lst"), ListReplay::Replayed);
  EXPECT_EQ(matchedFlockColumn(later, FlockSex), 9);
  EXPECT_EQ(later.flockCol[ItemFeedConversion], 4);

  Workspace bad = producerTable();
  ScriptedDialogs refused;
  refused.expectYesNo(testing::ListQuestion, true).expectMessage("");
  EXPECT_EQ(replayListFile(bad, energyUnit(0), refused, folder.path() / "bad.lst"), ListReplay::Rejected);
  EXPECT_TRUE(refused.finished()) << ::testing::PrintToString(refused.failures());
  EXPECT_EQ(matchedFlockColumn(bad, FlockSex), -1);
}

TEST(FlockSex, CellsNameTheSexAsProducersWriteIt) {
  for (const char* male : {"M", "m", " Male ", "MALES", "Cockerels", "cock"}) EXPECT_EQ(sexOfText(male), MaleSex) << male;
  for (const char* female : {"F", "female", "Females", "Pullets", "hens"}) EXPECT_EQ(sexOfText(female), FemaleSex) << female;
  for (const char* mixed : {"X", "Mixed", "As-Hatched", "as hatched", "AH", "Straight run", "straight-run", "unsexed"})
    EXPECT_EQ(sexOfText(mixed), MixedSex) << mixed;
  for (const char* unknown : {"", "Broilers", "MF2", "1", "Ross 308"}) EXPECT_FALSE(sexOfText(unknown)) << unknown;

  for (const char* heading : {"Sex", "Flock sex (M/F/X)", "GENDER"}) EXPECT_TRUE(namesFlockSex(heading)) << heading;
  for (const char* heading : {"Sex ratio", "Sexing cost", "Essex farm"}) EXPECT_FALSE(namesFlockSex(heading)) << heading;
}

TEST(FlockSex, AGroupTakesItsFlocksMajoritySex) {
  SplitFlocks split;
  split.sexColumn = true;
  const auto add = [&](int group, std::optional<int> sex) {
    SplitFlock f;
    f.group = group;
    f.sex = sex;
    split.flocks.push_back(f);
  };
  add(1, MaleSex), add(1, MaleSex), add(1, FemaleSex);
  add(2, FemaleSex), add(2, std::nullopt), add(2, std::nullopt);  // unknown: the chosen sex
  add(3, MaleSex), add(3, FemaleSex);                                // a tie: males before females
  EXPECT_EQ(groupMajoritySex(split, 1, FemaleSex), MaleSex);
  EXPECT_EQ(groupMajoritySex(split, 2, MixedSex), MixedSex);
  EXPECT_EQ(groupMajoritySex(split, 2, FemaleSex), FemaleSex);
  EXPECT_EQ(groupMajoritySex(split, 3, MixedSex), MaleSex);
  EXPECT_EQ(groupMajoritySex(split, AllGroups, MixedSex), MaleSex);  // 3 M, 2 F, 2 X
}

TEST(LivabilityColumns, PercentCellsReadAsPercentAndFeedOrWeightDeliveredIsNoBirdsSold) {
  EXPECT_EQ(percentCell("3,2"), 3.2);  // "3.2%" and "4.5 %" below
  EXPECT_FALSE(percentCell("3.2%%"));
  EXPECT_FALSE(percentCell("n/a"));

  Grid g;
  fillGrid(g, "House\tBirds\tMortality\n1\t20000\t3.2%\n2\t20000\t4.5 %\n", 3, 3);
  const LivabilityColumns found = findLivabilityColumns(g, 1);
  ASSERT_EQ(found.mortality, 2);
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 1, found, 20000), 96.8);
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 2, found, 20000), 95.5);
  g.setText(0, 2, "Mortality (birds)");  // a count of dead birds is no percentage
  EXPECT_EQ(findLivabilityColumns(g, 1).mortality, -1);
  // With a percent sign in the heading, numbers below 1 are small percentages (without one they
  // are a share, left unmatched as auto-match tells above).
  fillGrid(g, "House\tMortality %\n1\t0.8\n2\t0.9\n", 3, 2);
  EXPECT_EQ(findLivabilityColumns(g, -1).mortality, 1);

  // Feed or weight delivered is no birds sold.
  fillGrid(g, "House\tBirds Placed\tFeed delivered (t)\tLive weight sold (kg)\tBirds processed\n"
              "1\t20000\t75\t48000\t19400\n", 2, 5);
  const LivabilityColumns sold = findLivabilityColumns(g, 1);
  EXPECT_EQ(sold.birdsSold, 4);
  EXPECT_EQ(findLivabilityColumns(g, 4).birdsSold, -1);  // the column matched as the birds placed
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 1, sold, 20000), 97.0);  // 19,400 / 20,000
  EXPECT_LT(livabilityPercent(g, 1, sold, 0), 0);      // no birds placed: unknown
  EXPECT_LT(livabilityPercent(g, 1, sold, 15000), 0);  // more sold than placed
}

}  // namespace
}  // namespace plumetra

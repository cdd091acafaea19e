// Producers' column headings (English and US usage, as seen in farm records and integrator
// reports) and the flock Data ID each names, or why it names none.

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>

#include "workspace/auto_match.h"
#include "workspace/heading_keys.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

constexpr int None = -1;

struct Heading {
  const char* text;
  int item;
};

const Heading Headings[] = {
    // House or flock
    {"House", ItemHouseId}, {"House No.", ItemHouseId}, {"Shed", ItemHouseId},
    {"Flock ID", ItemHouseId}, {"Batch No", ItemHouseId}, {"Barn", ItemHouseId},
    // Live weight, units in the heading
    {"Live Weight", ItemLiveWeight}, {"Live wt", ItemLiveWeight}, {"Catch weight", ItemLiveWeight},
    {"Final weight", ItemLiveWeight}, {"Avg Wt (lb)", ItemLiveWeight}, {"Mean BW (g)", ItemLiveWeight},
    {"Average Weight kg", ItemLiveWeight}, {"Avg. Live Weight (kg)", ItemLiveWeight},
    {"Slaughter weight", ItemLiveWeight}, {"Body Wt", ItemLiveWeight}, {"ABW", ItemLiveWeight},
    {"Weight per bird", ItemLiveWeight},
    // Birds: placed or housed (preferred) and sold or slaughtered
    {"Head placed", ItemBirds}, {"Birds housed", ItemBirds}, {"Birds placed", ItemBirds},
    {"Chicks placed", ItemBirds}, {"No. of birds", ItemBirds}, {"Birds sold", ItemBirds},
    {"Birds slaughtered", ItemBirds}, {"Birds In", ItemBirds},
    // Age
    {"Days to market", ItemAge}, {"Clearance age", ItemAge}, {"Age at processing", ItemAge},
    {"Age (days)", ItemAge}, {"Kill age", ItemAge}, {"Market Age", ItemAge}, {"Grow-out days", ItemAge},
    // Feed conversion
    {"F:G", ItemFeedConversion}, {"Feed/Gain", ItemFeedConversion}, {"Feed:Gain", ItemFeedConversion},
    {"Feed conversion rate", ItemFeedConversion}, {"FCR", ItemFeedConversion},
    {"FCR (kg/kg)", ItemFeedConversion}, {"Feed to gain", ItemFeedConversion},
    {"Conversion ratio", ItemFeedConversion},
    {"FCR adj.", None}, {"Adjusted FCR", None}, {"Corrected FCR", None}, {"CFCR", None},
    // Density: birds per area, never the bird count; kilograms per area is not density
    {"Birds per m2", ItemDensity}, {"Birds/m\xC2\xB2", ItemDensity}, {"No. of birds per m2", ItemDensity},
    {"Stocking density", ItemDensity}, {"Birds/sq ft", ItemDensity}, {"Density (birds/m2)", ItemDensity},
    {"Stocking density kg/m2", None}, {"Stocking density (kg/m\xC2\xB2)", None}, {"kg/m2", None},
    // Not Data IDs
    {"Mortality %", None}, {"Placement Date", None}, {"Farm", None}, {"Sex", None}, {"EPEF", None},
    {"Total feed (kg)", None}, {"Hatchery", None}, {"Notes", None},
};

TEST(HeadingVocabulary, EachHeadingNamesItsItemOrNone) {
  static_assert(std::size(Headings) >= 60);
  for (const Heading& h : Headings) {
    SCOPED_TRACE(h.text);
    const std::optional<int> item = itemForHeading(MatchSide::Flock, h.text);
    EXPECT_EQ(item.value_or(None), h.item);
  }
}

TEST(HeadingVocabulary, UnitsInTheHeadingGiveKilograms) {
  EXPECT_DOUBLE_EQ(kilogramsPerHeadingUnit("Avg Wt (lb)"), 1 / 2.205);
  EXPECT_DOUBLE_EQ(kilogramsPerHeadingUnit("Mean BW (g)"), 0.001);
  EXPECT_DOUBLE_EQ(kilogramsPerHeadingUnit("Live weight kg"), 1.0);
  EXPECT_DOUBLE_EQ(kilogramsPerHeadingUnit("Live weight"), 1.0);
}

TEST(HeadingVocabulary, HouseTotalsSayWhatTheyAreATotalOf) {
  const auto total = houseTotalOf("Total Live Weight (kg)");
  ASSERT_TRUE(total);
  EXPECT_EQ(total->item, ItemLiveWeight);
  EXPECT_DOUBLE_EQ(total->kilogramsPerUnit, 1.0);
  EXPECT_DOUBLE_EQ(houseTotalOf("Live weight delivered (t)")->kilogramsPerUnit, 1000.0);
  const auto starter = houseTotalOf("Starter delivered (t)");
  ASSERT_TRUE(starter);
  EXPECT_FALSE(starter->item);
  EXPECT_EQ(starter->phaseRank, feedPhaseRank("Starter"));
  EXPECT_DOUBLE_EQ(starter->kilogramsPerUnit, 1000.0);
  EXPECT_EQ(houseTotalOf("Grower total (lb)")->phaseRank, feedPhaseRank("Grower"));
  EXPECT_DOUBLE_EQ(houseTotalOf("Grower total (lb)")->kilogramsPerUnit, 1 / 2.205);
  // A total of the whole feed is no phase's, a sum of averages no total, a ton of no stated kind
  // no unit, and amounts per bird or bird counts no house totals.
  for (const char* none : {"Total feed (kg)", "Feed Delivered (t)", "Sum of Avg Weight", "Total Live Weight (tons)",
                           "Live Weight", "Starter", "Total birds", "Total feed per bird (kg)"})
    EXPECT_FALSE(houseTotalOf(none)) << none;
}

TEST(HeadingVocabulary, FeedPhasesComeInTheirFeedingOrder) {
  // Written out of order on purpose; the ranks must put them back.
  const char* order[] = {"Pre-starter", "Crumbs", "Starter pellets", "Grower 1", "Grower II", "Finisher",
                         "Withdrawal"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    SCOPED_TRACE(order[i]);
    ASSERT_TRUE(feedPhaseRank(order[i - 1]) && feedPhaseRank(order[i]));
    EXPECT_LT(*feedPhaseRank(order[i - 1]), *feedPhaseRank(order[i]));
  }
  EXPECT_EQ(feedPhaseRank("1st feed"), feedPhaseRank("First feed intake"));
  EXPECT_EQ(feedPhaseRank("Grower 1/2"), feedPhaseRank("Grower 1"));
  EXPECT_FALSE(feedPhaseRank("Feed cost"));
}

TEST(HeadingVocabulary, AutoMatchPrefersBirdsPlacedAndReportsWhatItLeftAlone) {
  Workspace ws = testing::loadedWorkspace();
  testing::fillGrid(ws.flockGrid,
                    "Shed\tBirds sold\tHead placed\tCatch weight\tDays to market\tFCR adj.\tF:G\t"
                    "Stocking density kg/m2\tBirds/m\xC2\xB2\tGrower II\tCrumbs\tStarter pellets\tPre-starter\n"
                    "1\t19500\t20000\t2.5\t38\t1.55\t1.62\t38\t17\t2.1\t0.4\t0.9\t0.1\n",
                    3, 14);
  ws.flockCount = 1;
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "\"FCR adj.\" was left unmatched: an adjusted (corrected) feed conversion is not the feed conversion "
      "the flock achieved; \"Feed Conversion\" needs the achieved one.\n"
      "\"Stocking density kg/m2\" was left unmatched: it gives kilograms of bird per area; \"Flock Density "
      "/sqm\" needs birds per area.");
  const AutoMatchReport report = autoMatch(ws, testing::energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(report.notes.size(), 2u);
  EXPECT_EQ(ws.flockCol[ItemBirds], 2);            // placed, not sold
  EXPECT_EQ(ws.flockCol[ItemFeedConversion], 6);   // F:G, not the adjusted one
  EXPECT_EQ(ws.flockCol[ItemDensity], 8);
  EXPECT_EQ(ws.flockCol[ItemFirstIntake], 12);     // pre-starter
  EXPECT_EQ(ws.flockCol[ItemFirstIntake + 1], 10);  // crumbs
  EXPECT_EQ(ws.flockCol[ItemFirstIntake + 2], 11);  // starter pellets
  EXPECT_EQ(ws.flockCol[ItemFirstIntake + 3], 9);   // grower II
  EXPECT_EQ(report.unmatchedRequired, (std::vector<std::string>{"Feed Energy *", "Met Plus Cys *", "Lysine *"}));
}

// The heading table: 226 headings of 16 layouts (integrators, farm software, ERP exports and
// trials of the UK, US, EU, Latin America and Australia), each with what it names.
struct TableScore {
  int named = 0, found = 0;
  std::vector<std::string> wrong, missed;
};

TableScore scoreHeadingTable() {
  TableScore score;
  std::ifstream in(std::string(PLUMETRA_TEST_DATA) + "/headings/heading_table.tsv");
  EXPECT_TRUE(in) << "heading table missing";
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    const std::string heading = line.substr(tab1 + 1, tab2 - tab1 - 1), names = line.substr(tab2 + 1);
    const std::optional<int> item = itemForHeading(MatchSide::Flock, heading);
    const bool phase = !item && feedPhaseRank(heading);
    const auto wanted = std::find(FlockDataIds.begin(), FlockDataIds.end(), names);
    const bool right = names == "phase" ? phase : (wanted != FlockDataIds.end() && item == wanted - FlockDataIds.begin());
    if (names != "-") ++score.named;
    if (right) {
      ++score.found;
    } else if (item || phase) {
      score.wrong.push_back(heading);
    } else if (names != "-") {
      score.missed.push_back(heading);
    }
  }
  return score;
}

TEST(HeadingVocabulary, HeadingTableHasNoWrongMatchAndFindsNineInTen) {
  const TableScore score = scoreHeadingTable();
  ASSERT_GE(score.named, 140);
  for (const std::string& h : score.wrong) ADD_FAILURE() << "wrong match: " << h;
  std::string missed;
  for (const std::string& h : score.missed) missed += " \"" + h + "\"";
  std::cout << "heading table: " << score.found << " of " << score.named << " named headings found; missed:" << missed
            << "\n";
  EXPECT_GE(score.found * 10, score.named * 9);
}

}  // namespace
}  // namespace plumetra

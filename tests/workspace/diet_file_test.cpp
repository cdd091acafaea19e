// The ".dts" reader and writer against hand-written fixtures in tests/data/diets, a diet file
// opened into the diet grid, a new diet table starting the diet matching afresh, and the
// currency and amount of feed a cost heading names.
#include "controls/scripted_dialogs.h"
#include "files/free_format.h"
#include "workspace/diet_file.h"
#include "workspace/diet_grid.h"
#include "workspace/diet_table.h"
#include "workspace/feed_pricing.h"
#include "workspace/flock_import.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"
#include "workspace_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace plumetra {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) { return fs::path(PLUMETRA_TEST_DATA) / "diets" / name; }

// The hand-written Starter diet (diet 1 of three_diets_54_lines.dts), values 0-15.
constexpr std::array<double, DietValueCount> Starter = {
    0.385, 0.45, 2975, 22.5, 1.45, 0.55, 1.32, 0.24, 1.65, 0.95, 0.98, 0.62, 0.88, 1.75, 0.9, 1.0};

TEST(DietFileRead, WholeDietsFollowTheLineCount) {
  struct Case {
    const char* file;
    int countBefore, diets;
  };
  // 54 lines hold 3 diets, 53 only 2; a count of 0 takes the diets read, a count set is kept;
  // a name without extension gets ".dts".
  for (const Case c : {Case{"three_diets_54_lines.dts", 0, 3}, Case{"three_diets_53_lines.dts", 0, 2},
                       Case{"three_diets_54_lines", 5, 5}}) {
    SCOPED_TRACE(c.file);
    DietTables diets;
    diets.dietCount = c.countBefore;
    diets.dietTable[3][2] = -1;  // a diet the 53-line file must leave alone
    ScriptedDialogs dialogs;
    ASSERT_EQ(readDietFile(diets, fixture(c.file), dialogs), DietReadStatus::Read);
    EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
    EXPECT_EQ(diets.dietCount, c.diets);
    for (int v = 0; v < DietValueCount; ++v) EXPECT_DOUBLE_EQ(diets.dietTable[1][v], Starter[v]) << v;
    EXPECT_EQ(diets.dietText[1][1], "Starter");
    EXPECT_EQ(diets.dietText[2][2], "day 10");
    EXPECT_DOUBLE_EQ(diets.dietTable[3][ValEnergy], c.diets == 2 ? -1 : 3125);
    EXPECT_EQ(diets.dietFile, fixture(c.file).replace_extension(".dts"));
  }
}

TEST(DietFileRead, DecimalCommaAndCommaInText) {
  DietTables diets;
  ScriptedDialogs dialogs;
  ASSERT_EQ(readDietFile(diets, fixture("decimal_comma.dts"), dialogs), DietReadStatus::Read);
  EXPECT_DOUBLE_EQ(diets.dietTable[1][ValFeedCost], 0.385);
  EXPECT_DOUBLE_EQ(diets.dietTable[1][ValEnergy], 2975.5);
  // "1,234.5": only the first comma changes, so the number ends at the period after it.
  EXPECT_DOUBLE_EQ(diets.dietTable[1][ValLysine], 1.234);

  // A comma in the diet type neither ends the text nor shifts the entries after it.
  DietTables typed;
  ASSERT_EQ(readDietFile(typed, fixture("diet_type_with_comma.dts"), dialogs), DietReadStatus::Read);
  EXPECT_EQ(typed.dietText[1][1], "Starter, crumbles");
  EXPECT_EQ(typed.dietText[1][2], "");
  EXPECT_DOUBLE_EQ(typed.dietTable[1][ValValine], Starter[ValValine]);
}

TEST(DietFileRead, LabelThenValueOnTwoLinesReadsLikeTabLines) {
  DietTables tabs, twoLines;
  ScriptedDialogs dialogs;
  ASSERT_EQ(readDietFile(tabs, fixture("three_diets_54_lines.dts"), dialogs), DietReadStatus::Read);
  ASSERT_EQ(readDietFile(twoLines, fixture("label_then_value_lines.dts"), dialogs), DietReadStatus::Read);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  EXPECT_EQ(twoLines.dietCount, 3);  // 108 lines promise 6 diets; the file holds 3
  EXPECT_EQ(twoLines.dietTable, tabs.dietTable);
  EXPECT_EQ(twoLines.dietText, tabs.dietText);
  EXPECT_EQ(twoLines.dietFieldNames, tabs.dietFieldNames);
}

TEST(DietFileRead, MoreThanFiveDietsAreCutWithAMessage) {
  DietTables diets;
  diets.dietText[6][1] = "untouched";
  ScriptedDialogs dialogs;
  dialogs.expectMessage("The diet file six_diets.dts holds more than 5 diets; only the first 5 were read.");
  ASSERT_EQ(readDietFile(diets, fixture("six_diets.dts"), dialogs), DietReadStatus::Read);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  EXPECT_DOUBLE_EQ(diets.dietTable[5][ValEnergy], 3050);
  EXPECT_EQ(diets.dietText[6][1], "untouched");
}

TEST(DietFileRead, MissingOrBadFilesChangeNothing) {
  struct Case {
    const char* file;
    const char* message;  // nullptr: missing, told nothing
  };
  const Case cases[] = {
      {"no_such_file.dts", nullptr},
      {"too_few_lines_17.dts",
       "The diet file too_few_lines_17.dts holds no complete diet (a diet takes 18 lines); "
       "the diets are unchanged."},
      {"label_then_value_cut_in_diet_2.dts",
       "The diet file label_then_value_cut_in_diet_2.dts ends inside diet 2; the diets are unchanged."},
      {"not_text.dts", "The diet file not_text.dts is not a text file; the diets are unchanged."},
      {"text_only_36_lines.dts",
       "The diet file text_only_36_lines.dts holds no numbers in diet 1; the diets are unchanged."},
      {"energy_1e100_in_diet_2.dts",
       "The diet file energy_1e100_in_diet_2.dts holds a value that cannot be right on line 23: energy \"1e100\" "
       "is outside 1000 to 5000 kcal/kg; the diets are unchanged."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DietTables diets;
    diets.dietCount = 1;
    diets.dietTable[1][ValEnergy] = 3000;
    diets.dietText[1][1] = "Kept";
    diets.dietFile = "kept.dts";
    const DietTables before = diets;
    ScriptedDialogs dialogs;
    if (c.message) dialogs.expectMessage(c.message);
    EXPECT_EQ(readDietFile(diets, fixture(c.file), dialogs),
              c.message ? DietReadStatus::Rejected : DietReadStatus::Missing);
    EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
    EXPECT_EQ(diets.dietTable, before.dietTable);
    EXPECT_EQ(diets.dietText, before.dietText);
    EXPECT_EQ(diets.dietCount, 1);
    EXPECT_EQ(diets.dietFile, before.dietFile);
  }
}

TEST(DietFileWrite, LabelsTextsAndTheFeedWeightInTheChosenUnit) {
  // Kilograms, Pounds, grams.
  const std::pair<int, const char*> cases[] = {{0, " 1 "}, {1, " 2.205 "}, {2, " 1000 "}};
  for (const auto& [weightChoice, weight] : cases) {
    SCOPED_TRACE(weightChoice);
    DietTables diets;
    diets.dietText[1] = {"", "Starter, crumbles", "day 0"};
    diets.dietData[NutFeedCost][1] = 0.385;  // the nine nutrients of the analysis
    diets.dietData[NutEnergy][1] = 2975.5;
    diets.dietTable[1][ValValine] = 0.9;  // the diet table's others
    const std::array<double, 2> allotment = {0, 1.0};  // 1 kg of phase 1
    UnitSettings units;
    units.weightChoice = weightChoice;
    const std::string text = dietFileText(diets, 1, allotment, units);
    EXPECT_TRUE(text.starts_with("Diet Type\tStarter, crumbles\r\nDiet Change\tday 0\r\nFeed Cost\t0.385\r\n"
                                 "Feed Weight\t" + std::string(weight) + "\r\nEnergy\t2975.5\r\nProtein\t0\r\n"))
        << text;
    EXPECT_TRUE(text.ends_with("\r\nValine\t0.9\r\n")) << text;
  }
}

TEST(DietFileWrite, DietsFromASheetKeepTheirCostAndMatchedNutrients) {
  Workspace ws = testing::loadedWorkspace();
  testing::fillGrid(ws.dietGrid, "Diet\tME\tLys\tPrice\nStarter\t2975\t1.32\t0,385\nGrower\t3080\t1.18\t0.362\n", 8, 5);
  ScriptedDialogs quiet;
  selectTab(ws, DietTab);
  for (auto [nutrient, col] : {std::pair{NutEnergy, 1}, {NutLysine, 2}, {NutFeedCost, 3}}) {
    ws.dietDataIds.choose(nutrient);
    ws.dietGrid.setCurrent(0, col);
    doubleClickMatch(ws, MatchSide::Diet, UnitSettings{}, quiet);
  }
  // The price, decimal comma and all, prices the diet table too.
  EXPECT_DOUBLE_EQ(ws.diets.dietTable[1][ValFeedCost], 0.385);
  const std::array<double, 3> allotment = {0, 0.5, 1.5};
  const DietFileParse parsed = parseDietFile(dietFileText(ws.diets, 2, allotment, UnitSettings{}));
  ASSERT_TRUE(parsed.diets) << parsed.problem;
  EXPECT_DOUBLE_EQ(parsed.diets->values[2][ValEnergy], 3080);
  EXPECT_DOUBLE_EQ(parsed.diets->values[2][ValLysine], 1.18);
  EXPECT_DOUBLE_EQ(parsed.diets->values[2][ValFeedCost], 0.362);
  EXPECT_DOUBLE_EQ(parsed.diets->values[2][ValFeedWeight], 1.5);
}

TEST(DietGrid, OpenADietFileAndWriteItBackWithItsCostAndEveryAminoAcid) {
  auto ws = std::make_unique<Workspace>();
  ws->dietGrid.resize(10, 30);
  ws->dietGrid.setText(1, 0, "Starter crumble");  // column 0 gets nothing from a diet file
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("", fixture("three_diets_54_lines.dts").string());
  EXPECT_TRUE(openDietFile(*ws, dialogs));
  EXPECT_FALSE(ws->diets.dietsFromFile);  // opened directly, not as a location's diets
  EXPECT_EQ(ws->lastDir, fixture("x").parent_path());
  EXPECT_EQ(ws->diets.dietCount, 3);
  EXPECT_DOUBLE_EQ(ws->diets.enteredDiets[3][1], 3125);
  // Diet 1's "MET_CYS" and "Methionine" lines (0.98 and 0.62) feed every prediction: each
  // keeps its own nutrient.
  EXPECT_DOUBLE_EQ(ws->diets.dietData[NutMetCys][1], 0.98);
  EXPECT_DOUBLE_EQ(ws->diets.dietData[NutMethionine][1], 0.62);
  EXPECT_TRUE(ws->nutrientIdSet[1] && ws->nutrientIdSet[2] && ws->nutrientIdSet[3]);
  EXPECT_EQ(ws->dietGrid.text(1, 0), "Starter crumble");
  EXPECT_EQ(ws->dietGrid.text(1, 3), "0.3850");  // as diet values show (the controls' tests hold the rule)

  // Whichever way the diets came in, the diet file written keeps every value they have.
  const std::array<double, 4> allotment = {0, 0.45, 1.2, 1.8};  // the fixture's feed weights
  const testing::TempFolder scratch("diet_trip");
  std::string error;
  ASSERT_TRUE(writeDietFile(ws->diets, 3, allotment, UnitSettings{}, scratch.path(), "trip", &error)) << error;
  DietTables back;
  ASSERT_EQ(readDietFile(back, scratch / "trip", dialogs), DietReadStatus::Read);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  EXPECT_EQ(back.dietCount, 3);
  EXPECT_EQ(back.dietText, ws->diets.dietText);
  EXPECT_EQ(back.dietTable, ws->diets.dietTable);
  EXPECT_GT(back.dietTable[1][ValFeedCost], 0);
  EXPECT_GT(back.dietTable[1][ValValine], 0);
  EXPECT_EQ(back.dietFile, scratch / "trip.dts");
}

TEST(FeedPricing, HeadingsNameCurrencyAndUnit) {
  struct Case {
    const char* heading;
    const char* currency;
    std::optional<int> unit;
  };
  const Case cases[] = {
      {"Feed Cost", "", std::nullopt},
      {"Price (EUR/t)", "EUR", 1},
      {"Feed Cost \xE2\x82\xAC/tonne", "EUR", 1},
      {"\xC2\xA3 per tonne", "GBP", 1},
      {"Cost per kg", "", 0},
      {"Price A$/t", "AUD", 1},
      {"Price US$/cwt", "USD", 4},
      {"Cost ($/short ton)", "$", 3},
      {"Price per 100 lb", "", 4},
      {"usd/lb", "USD", 2},
      {"R$/kg", "BRL", 0},
      // A bare ton is a short ton in one country and a tonne in another: not decided.
      {"$/ton", "$", std::nullopt},
      {"Price per metric ton", "", 1},
  };
  for (const Case& c : cases) {
    const FeedPricing p = pricingOfHeading(c.heading);
    EXPECT_EQ(p.currency, c.currency) << c.heading;
    EXPECT_EQ(p.unit, c.unit) << c.heading;
  }
}

TEST(FeedPricing, GivenWinsOverTheHeadingWhichFillsTheGapsAndTheSettingsUnitIsGivenUnlessPerKg) {
  DietTables diets;
  diets.dietFieldNames[ValFeedCost] = "Price (GBP/t)";
  diets.pricing.unit = 3;
  diets.pricing.unitSource = "--cost-unit";
  const FeedPricing p = pricingInForce(diets);
  EXPECT_EQ(p.unit, 3);
  EXPECT_EQ(p.unitSource, "--cost-unit");
  EXPECT_EQ(p.currency, "GBP");
  // Kilograms per unit: 1 lb = 0.45359237 kg, a short ton 2000 lb.
  EXPECT_DOUBLE_EQ(kilogramsPerCostUnit(3), 907.18474);
  EXPECT_DOUBLE_EQ(kilogramsPerCostUnit(4), 45.359237);

  // The settings' unit outlives a new diet table.
  UnitSettings units;
  EXPECT_FALSE(pricingOfSettings(units, "the settings").unit);  // 0 may be a unit nobody chose
  units.costChoice = 1;
  Workspace ws;
  ws.diets.pricing = pricingOfSettings(units, "the settings");
  forgetDietMatches(ws);
  EXPECT_EQ(pricingInForce(ws.diets).unit, 1);
  EXPECT_EQ(pricingInForce(ws.diets).unitSource, "the settings");
}

// A new diet table (another workbook sheet, a diet text file) starts the diet matching afresh:
// nothing matched on the table before stays in the diets the analysis grows.
Sheet dietSheet(const std::string& energyHeading, double firstEnergy) {
  Sheet sheet;
  sheet.rows = {{std::string("Diet"), energyHeading, std::string("Lysine")},
                {std::string("Starter"), firstEnergy, 1.3},
                {std::string("Grower"), firstEnergy + 100, 1.15}};
  return sheet;
}

struct NewDietTable : ::testing::Test {
  Workspace ws = testing::loadedWorkspace();
  ScriptedDialogs dialogs;

  void SetUp() override {
    auto book = std::make_shared<testing::SheetsInMemory>();
    book->sheets = {{"Diets A", dietSheet("Energy", 3000)}, {"Diets B", dietSheet("ME kcal", 2900)}};
    ws.workbook = book;
    for (const auto& [name, sheet] : book->sheets) ws.dietSheetChoice.add(name);
    selectTab(ws, DietTab);
  }
  void loadSheet(int index) {
    ws.dietSheetChoice.choose(index);
    ASSERT_TRUE(loadDietSheet(ws, dialogs));
    selectTab(ws, DietTab);
  }
  // Matches the diet grid's column to the nutrient, as a double-click on its heading does.
  void match(int nutrient, int col) {
    ws.dietDataIds.choose(nutrient);
    ws.dietGrid.setCurrent(0, col);
    ASSERT_TRUE(doubleClickMatch(ws, MatchSide::Diet, UnitSettings{}, dialogs));
  }
};

TEST_F(NewDietTable, AnotherSheetOrADietTextFileForgetsTheDietsMatchedBefore) {
  loadSheet(0);
  EXPECT_TRUE(dialogs.shown().empty());  // a first sheet clears nothing and says nothing
  match(NutEnergy, 1);
  match(NutLysine, 2);

  loadSheet(1);
  // Nothing of sheet A is left to be grown: values, diet count and the essential-nutrient flags.
  EXPECT_EQ(ws.diets.dietData[NutEnergy][2], 0);
  EXPECT_EQ(ws.diets.dietData[NutLysine][1], 0);
  EXPECT_EQ(ws.diets.dietCount, 0);
  EXPECT_FALSE(ws.nutrientIdSet[1] || ws.nutrientIdSet[2] || ws.nutrientIdSet[3]);
  EXPECT_FALSE(isMatchedEntry(ws, MatchSide::Diet, NutEnergy));
  EXPECT_EQ(dialogs.shown().back(),
            "The diet items matched before were cleared: match them again on the sheet \"Diets B\".");

  match(NutEnergy, 1);
  EXPECT_EQ(ws.diets.dietData[NutEnergy][1], 2900);
  EXPECT_EQ(ws.diets.dietData[NutLysine][1], 0);  // not matched on this sheet

  testing::TempFolder folder("diet_table");
  const auto file = folder / "diets.csv";
  testing::writeFile(file, "Diet,Energy\r\nStarter,3050\r\n");
  ASSERT_TRUE(loadDietTextFile(ws, dialogs, file));
  EXPECT_EQ(ws.diets.dietData[NutEnergy][1], 0);
  EXPECT_FALSE(ws.nutrientIdSet[1]);
  EXPECT_EQ(ws.dietGrid.text(1, 1), "3050");
  EXPECT_EQ(dialogs.shown().back(), "The diet items matched before were cleared: match them again on diets.csv.");
}

}  // namespace
}  // namespace plumetra

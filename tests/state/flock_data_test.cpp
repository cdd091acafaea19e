// Producers' flock tables from tests/data/flocks (see its README) loaded, matched by headings
// and analysed as the command line does: the flocks analysed, the values analysed and what the
// user is told. Nothing of an earlier file may reach a later analysis. The start-up state, and the
// example files loaded with lists, maps, diet sheets and diet files, or refused.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "../workspace/workspace_fixture.h"
#include "controls/batch_dialogs.h"
#include "tests/support/analysed_file.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

const fs::path Flocks = fs::path(PLUMETRA_TEST_DATA) / "flocks";

class FlockDataTest : public ::testing::Test {
 protected:
  FlockDataTest() { restart(); }

  // A freshly started program, as after closing and opening it again.
  void restart() {
    state = std::make_unique<AppState>();
    ScriptedDialogs quiet;
    startUp(*state, PLUMETRA_SOURCE_DIR, quiet);
  }

  LoadInputsReport load(const char* fixture, bool autoMatch = true) {
    LoadInputsOptions options = testing::fileInputs(Flocks / fixture);
    options.autoMatch = autoMatch;
    return loadInputs(*state, options, dialogs);
  }
  bool analyse(const std::string& sortHeading = {}) {
    const AnalysisSettings settings = testing::mixedFlocks(sortHeading);
    state->analysisResult = runAnalysis(ws(), state->model, state->analysis, settings, dialogs).result;
    return state->analysisResult.has_value();
  }
  Workspace& ws() { return state->workspace; }
  double averageWeight() const { return state->analysis.averageLiveWeightKg; }
  bool told(const std::string& text) const { return log.str().find(text) != std::string::npos; }

  std::unique_ptr<AppState> state;
  std::ostringstream log;
  BatchDialogs dialogs{log};
};

// The fourteen flocks of every fixture are the first fourteen of examples/flocks.csv; their
// weights add up to 2.618 + 2.121 + 2.239 + 2.458 + 2.286 + 1.866 + 2.283 + 1.892 + 2.046
// + 1.914 + 2.140 + 2.605 + 2.655 + 2.693 = 31.816 kg. A flock without a usable value is left
// out and named; a blank cell of an item the analysis does not need leaves out nothing.
TEST_F(FlockDataTest, FlocksWithoutAUsableValueAreLeftOutAndNamed) {
  const struct {
    const char* fixture;
    const char* toldLeftOut;  // empty: none left out
    int flocks;
    double averageWeight;
  } cases[] = {
      // (31.816 - 2.458 - 2.046) / 12
      {"blank_weight.csv", "2 flocks left out: rows 4, 9 (no live weight)", 12, 2.276},
      // (31.816 - 2.239 - 2.605) / 12
      {"text_age_zero_weight.csv", "2 flocks left out: row 3 (live weight is 0), row 12 (age is text)", 12, 2.248},
      {"blank_second_column.csv", "", 14, 2.273},  // 31.816 / 14
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    restart();
    log.str("");
    ASSERT_TRUE(load(c.fixture).ok);
    ASSERT_TRUE(analyse());
    EXPECT_TRUE(*c.toldLeftOut ? told(c.toldLeftOut) : !told("left out")) << log.str();
    EXPECT_EQ(ws().flockCount, c.flocks);
    EXPECT_NEAR(averageWeight(), c.averageWeight, 5e-4);
  }
}

TEST_F(FlockDataTest, ImplausibleValuesLeaveOutTheirFlocksNamingTheItemAndTheValue) {
  const LoadInputsReport report = load("absurd_values.csv");
  ASSERT_TRUE(report.ok);
  std::vector<std::pair<int, std::string>> leftOut;
  for (const LeftOutFlock& f : report.leftOut) leftOut.emplace_back(f.row, f.reason);
  EXPECT_EQ(leftOut, (std::vector<std::pair<int, std::string>>{
                         {2, "live weight 1e100 is outside 0.1 to 10 kg"},
                         {5, "age 1e-320 is outside 1 to 100 days"},
                         {8, "feed conversion 1e308 is outside 0.5 to 5"},
                         {10, "first feed intake 1e100 is outside 0 to 20 kg per bird"},
                         {13, "density 9999 is outside 1 to 80 birds/m²"}}));
  // Nine flocks are left, fewer than an analysis takes: it says so and works nothing out.
  EXPECT_FALSE(analyse());
  EXPECT_TRUE(told("At least 10 complete flocks are needed for the analysis; there are 9.")) << log.str();
}

TEST_F(FlockDataTest, ATotalsRowAndANotesRowAreLeftOutNotTheWidthOfTheTable) {
  ASSERT_TRUE(load("totals_row.csv").ok);
  EXPECT_EQ(ws().flockGrid.cols(), 13 + 1);
  EXPECT_EQ(ws().flockGrid.text(14, 12), "17.1");  // the last flock keeps its density
  ASSERT_TRUE(analyse());
  EXPECT_TRUE(told("2 flocks left out: row 15 (a summary row: Total), row 16 (no live weight)")) << log.str();
  EXPECT_EQ(ws().flockCount, 14);
  EXPECT_NEAR(averageWeight(), 2.273, 5e-4);  // 31.816 / 14
}

TEST_F(FlockDataTest, UnclearNumbersAreReportedAndTheirFlocksLeftOut) {
  ASSERT_TRUE(load("unclear_weights.txt").ok);
  EXPECT_TRUE(told("Row 1 of column \"Avg Weight\": \"2,618\" could be a whole number")) << log.str();
  analyse();
  ASSERT_EQ(ws().leftOutFlocks.size(), 14u);
  EXPECT_EQ(ws().leftOutFlocks[0].reason, "live weight \"2,618\" is unclear");
}

TEST_F(FlockDataTest, NamesBeyondAsciiStayIntactInGridsSortsAndCategories) {
  const std::vector<std::string> farms = {"Müller", "Ødegård", "Hof Süd", "Élevage Brûlé"};
  for (const char* fixture : {"utf8_names.csv", "windows1252_names.csv"}) {
    SCOPED_TRACE(fixture);
    restart();
    ASSERT_TRUE(load(fixture).ok);
    const Grid& g = ws().flockGrid;
    EXPECT_EQ(g.text(0, 0), "Ökonomie-Farm");  // the byte-order mark only is dropped
    EXPECT_EQ(g.text(3, 6), "2.239");  // nothing shifted left
    ASSERT_TRUE(analyse("Ökonomie-Farm"));
    std::vector<std::string> names;
    for (const Category& c : state->analysis.categories) names.push_back(c.name);
    for (const std::string& name : farms)
      EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
}

TEST_F(FlockDataTest, ASecondShorterFileLeavesNothingOfTheFirstAndMatchesSurviveOnlyByTheirHeading) {
  ASSERT_TRUE(load("first_file_longer.csv").ok);
  const auto matchedColumns = ws().flockCol;
  ASSERT_TRUE(analyse());
  ASSERT_TRUE(load("second_file_shorter.csv").ok);
  EXPECT_EQ(ws().flockGrid.rows(), 12 + 2);
  EXPECT_EQ(currentAnalysis(*state), nullptr);  // nothing of the first file's run is shown
  ASSERT_TRUE(analyse());  // a full run again, not a re-sort of the first file's results
  EXPECT_EQ(ws().flockCount, 12);
  EXPECT_EQ(ws().analysisGrid.rows(), FirstFlockRow + 12);
  EXPECT_DOUBLE_EQ(ws().flockData[0][12], 2.12);
  EXPECT_DOUBLE_EQ(ws().flockData[0][13], 0.0);  // the first file's flock 13 is gone
  EXPECT_NEAR(averageWeight(), 2.065, 5e-4);  // (2.01 + 2.12) / 2, the weights rise by 0.01

  ASSERT_TRUE(load("renamed_heading.csv", false).ok);
  EXPECT_TRUE(told("Live Weight per Bird * (was \"Avg Weight\")")) << log.str();
  EXPECT_FALSE(ws().flockIdSet[ItemLiveWeight]);
  EXPECT_DOUBLE_EQ(ws().flockData[0][1], 0.0);  // no weight under an item it was not matched to
  for (int item : {ItemBirds, ItemAge, ItemFeedConversion, ItemFirstIntake, ItemDensity})
    EXPECT_EQ(ws().flockCol[static_cast<std::size_t>(item)], matchedColumns[static_cast<std::size_t>(item)]) << item;
  EXPECT_DOUBLE_EQ(ws().flockData[1][1], 35548);  // birds copied from the new file
}

TEST_F(FlockDataTest, ADuplicatedHeadingIsRefusedNamingBothColumns) {
  LoadInputsOptions options;
  options.flocks = Flocks / "duplicate_headings.csv";
  options.listFile = fs::path();
  options.map = parseMatchMap("Live Weight per Bird *=Avg Weight").entries;
  EXPECT_FALSE(loadInputs(*state, options, dialogs).ok);
  EXPECT_TRUE(told("The heading \"Avg Weight\" heads columns G and N")) << log.str();
  EXPECT_FALSE(ws().flockIdSet[ItemLiveWeight]);

  options.map.clear();
  options.autoMatch = true;
  ASSERT_TRUE(loadInputs(*state, options, dialogs).ok);
  EXPECT_FALSE(ws().flockIdSet[ItemLiveWeight]);
  EXPECT_TRUE(ws().flockIdSet[ItemBirds]);
}

TEST(startUp, NoSexChosenNoSortDoneAndTheBreedsLoaded) {
  auto state = std::make_unique<AppState>();
  state->analysis.firstSortDone = true;
  ScriptedDialogs dialogs;
  startUp(*state, PLUMETRA_SOURCE_DIR, dialogs);
  EXPECT_EQ(state->workspace.chosenSex, NoSexChosen);  // the analysis asks for a sex until one is chosen
  EXPECT_FALSE(state->analysis.firstSortDone);
  EXPECT_GT(state->model.settings.breedCount, 0);  // the breed list is loaded (built-in when no file)
}

// A started window and a copy of the example files in a folder of their own.
class LoadInputsTest : public ::testing::Test {
 protected:
  LoadInputsTest() {
    for (const char* f : {"flocks.csv", "flocks.xlsx", "diets.csv", "diets.dts"})
      fs::copy_file(fs::path(PLUMETRA_SOURCE_DIR) / "examples" / f, file(f));
    ScriptedDialogs quiet;
    startUp(*state, PLUMETRA_SOURCE_DIR, quiet);
  }
  fs::path file(const char* name) const { return dir.path() / name; }
  LoadInputsOptions flocks(const char* name) const {
    LoadInputsOptions options;
    options.flocks = file(name);
    return options;
  }

  testing::TempFolder dir{std::string("li_") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  ScriptedDialogs dialogs;
};

TEST_F(LoadInputsTest, CsvTablesMatchedByHeadings) {
  testing::writeFile(file("flocks.lst"), " 0 \r\n");
  LoadInputsOptions options = flocks("flocks.csv");
  options.listFile = fs::path();  // none offered
  options.diets = file("diets.csv");
  options.autoMatch = true;
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(report.ok);
  EXPECT_EQ(report.flockCount, 216);
  EXPECT_EQ(report.matches.size(), 10u + 2u + 9u);  // no fifth or sixth feed intake; Mortality %, Flock Sex
  const Workspace& ws = state->workspace;
  EXPECT_DOUBLE_EQ(ws.flockData[0][1], 2.618);  // first flock of examples/flocks.csv
  EXPECT_DOUBLE_EQ(ws.flockData[7][1], 0.706);  // its withdrawal feed
  EXPECT_DOUBLE_EQ(ws.diets.dietData[NutFeedCost][4], 0.335);
}

TEST_F(LoadInputsTest, WorkbookWithTheDietSheetOfTheSameWorkbookAndAMap) {
  LoadInputsOptions options = flocks("flocks.xlsx");
  options.dietSheet = "Diets";
  options.map = parseMatchMap("Live Weight per Bird *=Avg Weight;Lysine *=Lys").entries;
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  ASSERT_TRUE(report.ok);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(report.sheets, (std::vector<std::string>{"Flocks", "Diets"}));
  EXPECT_EQ(state->workspace.flockCol[ItemLiveWeight], 6);
  EXPECT_DOUBLE_EQ(state->workspace.diets.dietData[NutLysine][2], 1.18);
}

TEST_F(LoadInputsTest, ListFileAndDietFile) {
  testing::writeFile(file("mine.lst"),
                     " 1 \r\n 6 \r\n 4 \r\n 5 \r\n 7 \r\n 8 \r\n 9 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n");
  testing::writeFile(file("flocks.lst"), " 0 \r\n");  // not offered: another was given
  LoadInputsOptions options = flocks("flocks.csv");
  options.listFile = file("mine.lst");
  options.diets = file("diets.dts");
  dialogs.expectYesNo(testing::ListQuestion, true);
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  ASSERT_TRUE(report.ok);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(report.matches.size(), 7u);
  EXPECT_DOUBLE_EQ(state->workspace.flockData[3][1], 1.690);
  EXPECT_TRUE(report.dietsFromFile);
  EXPECT_TRUE(state->workspace.nutrientIdSet[1]);
}

TEST_F(LoadInputsTest, FaultsAreToldAndEndTheLoad) {
  testing::writeFile(file("bad.dts"), "not\ta\r\ndiet\r\n");
  std::vector<std::pair<const char*, LoadInputsOptions>> cases = {
      {"missing flocks", flocks("none.csv")},
      {"no such sheet", flocks("flocks.xlsx")},
      {"diet sheet without a workbook", flocks("flocks.csv")},
      {"unknown Data ID", flocks("flocks.csv")},
      {"diet file is no diet file", flocks("flocks.csv")}};
  cases[1].second.sheet = "Nope";
  cases[2].second.dietSheet = "Diets";
  cases[3].second.map = parseMatchMap("Weight=Avg Weight").entries;
  cases[4].second.diets = file("bad.dts");
  for (const auto& [what, options] : cases) {
    SCOPED_TRACE(what);
    auto fresh = std::make_unique<AppState>();
    ScriptedDialogs quiet, told;
    startUp(*fresh, PLUMETRA_SOURCE_DIR, quiet);
    EXPECT_FALSE(loadInputs(*fresh, options, told).ok);
    EXPECT_FALSE(told.shown().empty());
  }
}

}  // namespace
}  // namespace plumetra

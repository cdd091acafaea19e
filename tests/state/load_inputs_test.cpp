// The start-up state, and the inputs of an analysis loaded from files and matched, as the
// command line does.

#include "state/load_inputs.h"

#include <gtest/gtest.h>

#include <memory>

#include "../workspace/workspace_fixture.h"
#include "state/startup.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

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
  EXPECT_TRUE(report.unmatchedRequired.empty());
  EXPECT_EQ(report.matches.size(), 10u + 2u + 9u);  // no fifth or sixth feed intake; Mortality %, Flock Sex
  const Workspace& ws = state->workspace;
  EXPECT_DOUBLE_EQ(ws.flockData[0][1], 2.618);  // first flock of examples/flocks.csv
  EXPECT_DOUBLE_EQ(ws.flockData[7][1], 0.706);  // its withdrawal feed
  EXPECT_DOUBLE_EQ(ws.diets.dietData[NutFeedCost][4], 0.335);
  EXPECT_EQ(ws.analysisGrid.rows(), 216 + 24);
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
  EXPECT_EQ(report.unmatchedRequired.size(), 7u);
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

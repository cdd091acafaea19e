// Loading and matching the inputs of an analysis from files, as the command line does.

#include "state/load_inputs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "state/startup.h"
#include "views/scripted_dialogs.h"
#include "workspace/matching.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

const fs::path Examples = fs::path(PLUMETRA_SOURCE_DIR) / "examples";
constexpr char Question[] =
    "A list file  of Data ID exists for this flock set, use these selections?";

// A copy of the example files in a folder of their own (no ".lst" beside them).
class ExampleCopy {
 public:
  explicit ExampleCopy(const std::string& name)
      : dir_(fs::temp_directory_path() / ("plumetra_li_" + name)) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const char* f : {"flocks.csv", "flocks.xlsx", "diets.csv", "diets.dts"})
      fs::copy_file(Examples / f, dir_ / f);
  }
  ~ExampleCopy() { fs::remove_all(dir_); }
  fs::path operator/(const char* name) const { return dir_ / name; }

 private:
  fs::path dir_;
};

std::unique_ptr<AppState> started() {
  auto state = std::make_unique<AppState>();
  ScriptedDialogs quiet;
  FormLoad(*state, PLUMETRA_SOURCE_DIR, quiet);
  return state;
}

TEST(LoadInputs, CsvTablesMatchedByHeadings) {
  ExampleCopy files("csv_auto");
  auto state = started();
  LoadInputsOptions options;
  options.flocks = files / "flocks.csv";
  options.diets = files / "diets.csv";
  options.autoMatch = true;
  ScriptedDialogs dialogs;
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(report.ok);
  EXPECT_EQ(report.flockCount, 216);
  EXPECT_TRUE(report.unmatchedRequired.empty());
  EXPECT_EQ(report.matches.size(), 10u + 9u);  // no fifth or sixth feed intake
  const Workspace& ws = state->workspace;
  EXPECT_DOUBLE_EQ(ws.FlockData[0][1], 2.618);  // first flock of examples/flocks.csv
  EXPECT_DOUBLE_EQ(ws.FlockData[7][1], 0.706);  // its withdrawal feed
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutEnergy][1], 2975);
  EXPECT_DOUBLE_EQ(ws.diets.DietData[NutFeedCost][4], 0.335);
  EXPECT_EQ(ws.diets.DietCount, 4);
  EXPECT_EQ(ws.Gridanal.rows(), 216 + 24);
}

TEST(LoadInputs, WorkbookWithTheDietSheetOfTheSameWorkbookAndAMap) {
  ExampleCopy files("xlsx_map");
  auto state = started();
  LoadInputsOptions options;
  options.flocks = files / "flocks.xlsx";
  options.dietSheet = "Diets";
  options.map = parseMatchMap("Live Weight per Bird *=Avg Weight;Lysine *=Lys").entries;
  ScriptedDialogs dialogs;
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  ASSERT_TRUE(report.ok);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(report.sheets, (std::vector<std::string>{"Flocks", "Diets"}));
  EXPECT_EQ(state->workspace.FlockCol[ItemLiveWeight], 6);
  EXPECT_DOUBLE_EQ(state->workspace.diets.DietData[NutLysine][2], 1.18);
  EXPECT_EQ(report.matches.size(), 2u);
  EXPECT_EQ(report.unmatchedRequired.size(), 7u);
}

TEST(LoadInputs, ListFileReplayedFromAGivenFileOrNotOffered) {
  ExampleCopy files("lst");
  std::ofstream(files / "mine.lst", std::ios::binary)
      << " 1 \r\n 6 \r\n 4 \r\n 5 \r\n 7 \r\n 8 \r\n 9 \r\n-1 \r\n";
  std::ofstream(files / "flocks.lst", std::ios::binary) << " 0 \r\n";
  {
    auto state = started();
    LoadInputsOptions options;
    options.flocks = files / "flocks.csv";
    options.listFile = files / "mine.lst";
    ScriptedDialogs dialogs;
    dialogs.expectYesNo(Question, true);
    const LoadInputsReport report = loadInputs(*state, options, dialogs);
    ASSERT_TRUE(report.ok);
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(report.matches.size(), 7u);
    EXPECT_DOUBLE_EQ(state->workspace.FlockData[3][1], 1.690);
  }
  {
    auto state = started();
    LoadInputsOptions options;
    options.flocks = files / "flocks.csv";
    options.listFile = fs::path();  // none offered: the load goes on to the analysis grid
    ScriptedDialogs dialogs;
    ASSERT_TRUE(loadInputs(*state, options, dialogs).ok);
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(state->workspace.Gridanal.rows(), 216 + 24);
  }
}

TEST(LoadInputs, DietFileEntersTheEssentialNutrients) {
  ExampleCopy files("dts");
  auto state = started();
  LoadInputsOptions options;
  options.flocks = files / "flocks.csv";
  options.diets = files / "diets.dts";
  ScriptedDialogs dialogs;
  const LoadInputsReport report = loadInputs(*state, options, dialogs);
  ASSERT_TRUE(report.ok);
  EXPECT_TRUE(report.dietsFromFile);
  EXPECT_EQ(report.unmatchedRequired.size(), 6u);  // the six flock items
  EXPECT_TRUE(state->workspace.NutrientIdSet[1]);
}

TEST(LoadInputs, FaultsAreToldAndEndTheLoad) {
  ExampleCopy files("faults");
  struct Case {
    const char* what;
    LoadInputsOptions options;
  };
  std::vector<Case> cases(5);
  cases[0] = {"missing flocks", {}};
  cases[0].options.flocks = files / "none.csv";
  cases[1] = {"no such sheet", {}};
  cases[1].options.flocks = files / "flocks.xlsx";
  cases[1].options.sheet = "Nope";
  cases[2] = {"diet sheet without a workbook", {}};
  cases[2].options.flocks = files / "flocks.csv";
  cases[2].options.dietSheet = "Diets";
  cases[3] = {"unknown Data ID", {}};
  cases[3].options.flocks = files / "flocks.csv";
  cases[3].options.map = parseMatchMap("Weight=Avg Weight").entries;
  cases[4] = {"diet file is no diet file", {}};
  cases[4].options.flocks = files / "flocks.csv";
  std::ofstream(files / "bad.dts", std::ios::binary) << "not\ta\r\ndiet\r\n";
  cases[4].options.diets = files / "bad.dts";
  for (Case& c : cases) {
    auto state = started();
    ScriptedDialogs dialogs;
    const LoadInputsReport report = loadInputs(*state, c.options, dialogs);
    EXPECT_FALSE(report.ok) << c.what;
    EXPECT_FALSE(dialogs.shown().empty()) << c.what;
  }
}

}  // namespace
}  // namespace plumetra

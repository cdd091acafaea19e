// Sheets of a workbook into the flock and diet grids: headings, number text, empty cells,
// bounds, faults; and the real example workbooks made by LibreOffice.

#include "workspace/workbook_import.h"

#include <gtest/gtest.h>

#include <map>

#include "workspace/flock_import.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::loadedWorkspace;

// A workbook held in memory, as a reader would give it.
class MemoryWorkbook final : public WorkbookReader {
 public:
  std::map<std::string, Sheet> sheets;
  std::vector<std::string> sheetNames() const override {
    std::vector<std::string> names;
    for (const auto& [name, sheet] : sheets) names.push_back(name);
    return names;
  }
  Result<Sheet> readSheet(const std::string& name) const override {
    const auto found = sheets.find(name);
    if (found == sheets.end()) return {WorkbookError{"no such sheet"}};
    return {found->second};
  }
};

Workspace withWorkbook(std::shared_ptr<MemoryWorkbook> book, const std::string& sheet, int tab) {
  Workspace ws = loadedWorkspace();
  ws.workbook = book;
  for (const auto& name : book->sheetNames()) {
    ws.ComboFlock.add(name);
    ws.ComboDiet.add(name);
  }
  const auto names = book->sheetNames();
  const int index = static_cast<int>(std::find(names.begin(), names.end(), sheet) - names.begin());
  (tab == FlockTab ? ws.ComboFlock : ws.ComboDiet).choose(index);
  ws.SSTab1.current = tab;
  return ws;
}

TEST(ReadExcelSheet, HeadingsNumbersAndEmptyCells) {
  auto book = std::make_shared<MemoryWorkbook>();
  book->sheets["Flocks 2024"].rows = {
      {std::string("House"), 2019.0, SheetCell{}, std::string("Note")},
      {std::string("A"), 2.618345, 45.12345, std::string("ok")},
      {std::string("B"), 0.0, 1234.56, SheetCell{}},
  };
  Workspace ws = withWorkbook(book, "Flocks 2024", FlockTab);
  ws.gridflockin = Grid(5, 6);
  ws.gridflockin.setText(2, 3, "earlier");
  ScriptedDialogs dialogs;
  ASSERT_TRUE(ReadExcelSheet(ws, dialogs));
  EXPECT_TRUE(dialogs.finished());
  const Grid& g = ws.gridflockin;
  EXPECT_EQ(g.cols(), 5);
  EXPECT_EQ(g.rows(), 4);
  EXPECT_EQ(g.text(0, 1), "2019");
  EXPECT_EQ(g.text(0, 2), "F3");  // a column without a heading
  EXPECT_EQ(g.text(1, 1), "2.618");
  EXPECT_EQ(g.text(1, 2), "45.12");
  EXPECT_EQ(g.text(2, 1), "0");
  EXPECT_EQ(g.text(2, 2), "1235");
  EXPECT_EQ(g.text(2, 3), "earlier");  // an empty cell leaves the grid cell as it was
  EXPECT_EQ(ws.TargetGrid, GridId::Flock);
}

TEST(ReadExcelSheet, DietSheetGoesToTheDietGridCutToEightRows) {
  auto book = std::make_shared<MemoryWorkbook>();
  Sheet& sheet = book->sheets["Diets"];
  sheet.rows.push_back({std::string("Diet"), std::string("ME")});
  for (int d = 1; d <= 9; ++d)
    sheet.rows.push_back({std::string("D") + std::to_string(d), 3000.0 + d});
  Workspace ws = withWorkbook(book, "Diets", DietTab);
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The sheet \"Diets\" holds 9 diets; the first 7 were read and the last 2 were left out.");
  ASSERT_TRUE(ReadExcelSheet(ws, dialogs));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.GridDiets.rows(), 8);
  EXPECT_EQ(ws.GridDiets.text(7, 1), "3007");
  EXPECT_EQ(ws.TargetGrid, GridId::Diet);
}

TEST(ReadExcelSheet, MoreThan499FlocksAreCut) {
  auto book = std::make_shared<MemoryWorkbook>();
  Sheet& sheet = book->sheets["Big"];
  sheet.rows.push_back({std::string("House"), std::string("Birds")});
  for (int r = 1; r <= 600; ++r) sheet.rows.push_back({std::string("H"), 1000.0 + r});
  Workspace ws = withWorkbook(book, "Big", FlockTab);
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The sheet \"Big\" holds 600 flocks; the first 499 were read and the last 101 were left "
      "out.");
  ASSERT_TRUE(ReadExcelSheet(ws, dialogs));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.gridflockin.rows(), 501);
  EXPECT_EQ(ws.gridflockin.text(499, 1), "1499");
}

TEST(ReadExcelSheet, UnreadableOrEmptySheetsLeaveTheGrid) {
  auto book = std::make_shared<MemoryWorkbook>();
  book->sheets["Empty"].rows = {};
  book->sheets["Headings only"].rows = {{std::string("House")}};
  for (const char* name : {"Empty", "Headings only", "Missing"}) {
    Workspace ws = withWorkbook(book, "Empty", FlockTab);
    ws.ComboFlock.text = name;
    ws.gridflockin = Grid(3, 3);
    ws.gridflockin.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(ReadExcelSheet(ws, dialogs)) << name;
    EXPECT_TRUE(dialogs.finished()) << name;
    EXPECT_EQ(ws.gridflockin.text(1, 1), "kept") << name;
  }
}

TEST(ChooseWorkbook, CancelAsksToClickAgain) {
  Workspace ws = loadedWorkspace();
  ws.ComboFlock.add("old");
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("", "").expectMessage("Click again to choose a Name");
  ChooseWorkbook(ws, dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_TRUE(ws.ComboFlock.items.empty());
  EXPECT_EQ(ws.ComboFlock.text, "Select Flock Sheet");
  EXPECT_FALSE(ws.CommandStart.visible);
}

TEST(ChooseWorkbook, NotAWorkbookIsReported) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("", std::string(PLUMETRA_SOURCE_DIR) + "/examples/flocks.csv")
      .expectMessage("");
  ChooseWorkbook(ws, dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_FALSE(ws.workbook);
  EXPECT_EQ(ws.WorkbookCount, 0);
}

// The example workbooks were made by LibreOffice from examples/flocks.csv and diets.csv.
TEST(ExampleWorkbooks, BothFormatsListTheSheetsAndLoadTheFlocks) {
  for (const char* name : {"flocks.xlsx", "flocks.xls"}) {
    Workspace ws = loadedWorkspace();
    ScriptedDialogs dialogs;
    // A copy of its own: no ".lst" file stands beside it.
    testing::TempFolder folder(std::string("example_") + name);
    const std::filesystem::path file = folder.path() / name;
    std::filesystem::copy_file(std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples" / name, file);
    ASSERT_TRUE(OpenWorkbookFile(ws, file, dialogs)) << name;
    EXPECT_EQ(ws.TextExcel.text, name);
    EXPECT_EQ(ws.ComboFlock.items, ws.ComboDiet.items);
    const auto flocks = std::find(ws.ComboFlock.items.begin(), ws.ComboFlock.items.end(), "Flocks");
    ASSERT_NE(flocks, ws.ComboFlock.items.end()) << name;
    ws.ComboFlock.choose(static_cast<int>(flocks - ws.ComboFlock.items.begin()));
    EXPECT_TRUE(LoadFlockSheet(ws, energyUnit(0), dialogs));
    EXPECT_TRUE(dialogs.finished()) << name;
    EXPECT_EQ(ws.gridflockin.text(0, 6), "Avg Weight");
    EXPECT_EQ(ws.gridflockin.text(1, 6), "2.618");
    EXPECT_GT(ws.FlockCount, 50);
    EXPECT_EQ(ws.Gridanal.rows(), ws.FlockCount + 24);
  }
}

TEST(WorkbookCounter, TheSecondWorkbookColoursTheAnalysisButton) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  const std::filesystem::path file =
      std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples/flocks.xlsx";
  OpenWorkbookFile(ws, file, dialogs);
  EXPECT_EQ(ws.Command13.background, colours::ButtonFace);
  OpenWorkbookFile(ws, file, dialogs);
  EXPECT_EQ(ws.WorkbookCount, 2);
  EXPECT_EQ(ws.Command13.background, (Rgb{128, 255, 128}));
}

}  // namespace
}  // namespace plumetra

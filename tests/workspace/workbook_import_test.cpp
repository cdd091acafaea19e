// Sheets of a workbook into the flock and diet grids: headings, number text, empty cells,
// bounds, faults; and the real example workbooks made by LibreOffice.

#include "workspace/workbook_import.h"

#include <gtest/gtest.h>

#include "workspace/flock_import.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::loadedWorkspace;

const std::filesystem::path Examples = std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples";

// A workbook of one sheet held in memory, as a reader would give it.
struct MemoryWorkbook final : WorkbookReader {
  std::string name;
  Sheet sheet;
  std::vector<std::string> sheetNames() const override { return {name}; }
  Result<Sheet> readSheet(const std::string& wanted) const override {
    if (wanted != name) return {WorkbookError{"no such sheet"}};
    return {sheet};
  }
};

// A workspace with `sheet`, the only sheet of its workbook, chosen on `tab`.
Workspace withSheet(const std::string& name, Sheet sheet, int tab) {
  auto book = std::make_shared<MemoryWorkbook>();
  book->name = name;
  book->sheet = std::move(sheet);
  Workspace ws = loadedWorkspace();
  ws.workbook = book;
  ws.ComboFlock.add(name);
  ws.ComboDiet.add(name);
  (tab == FlockTab ? ws.ComboFlock : ws.ComboDiet).choose(0);
  ws.SSTab1.current = tab;
  return ws;
}

Sheet numbered(const char* heading, int rows) {
  Sheet sheet;
  sheet.rows.push_back({std::string(heading), std::string("Value")});
  for (int r = 1; r <= rows; ++r) sheet.rows.push_back({std::string("H"), 3000.0 + r});
  return sheet;
}

TEST(ReadExcelSheet, HeadingsNumbersAndEmptyCells) {
  Sheet sheet;
  sheet.rows = {
      {std::string("House"), 2019.0, SheetCell{}, std::string("Note")},
      {std::string("A"), 2.618345, 45.12345, std::string("ok")},
      {std::string("B"), 0.0, 1234.56, SheetCell{}},
  };
  Workspace ws = withSheet("Flocks 2024", sheet, FlockTab);
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

TEST(ReadExcelSheet, MoreThanSevenDietsOr499FlocksAreCut) {
  Workspace diets = withSheet("Diets", numbered("Diet", 9), DietTab);
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The sheet \"Diets\" holds 9 diets; the first 7 were read and the last 2 were left out.");
  ASSERT_TRUE(ReadExcelSheet(diets, dialogs));
  EXPECT_EQ(diets.GridDiets.rows(), 8);
  EXPECT_EQ(diets.GridDiets.text(7, 1), "3007");
  EXPECT_EQ(diets.TargetGrid, GridId::Diet);

  Workspace flocks = withSheet("Big", numbered("House", 600), FlockTab);
  dialogs.expectMessage(
      "The sheet \"Big\" holds 600 flocks; the first 499 were read and the last 101 were left "
      "out.");
  ASSERT_TRUE(ReadExcelSheet(flocks, dialogs));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(flocks.gridflockin.rows(), 501);
  EXPECT_EQ(flocks.gridflockin.text(499, 1), "3499");
}

TEST(ReadExcelSheet, UnreadableOrEmptySheetsLeaveTheGrid) {
  Sheet headingsOnly;
  headingsOnly.rows = {{std::string("House")}};
  struct Case {
    const char* name;
    const char* chosen;
    Sheet sheet;
  };
  const Case cases[] = {
      {"Empty", "Empty", Sheet{}}, {"Head", "Head", headingsOnly}, {"Empty", "Missing", Sheet{}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    Workspace ws = withSheet(c.name, c.sheet, FlockTab);
    ws.ComboFlock.text = c.chosen;
    ws.gridflockin = Grid(3, 3);
    ws.gridflockin.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(ReadExcelSheet(ws, dialogs));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.gridflockin.text(1, 1), "kept");
  }
}

// The example workbooks were made by LibreOffice from examples/flocks.csv and diets.csv.
TEST(ExampleWorkbooks, BothFormatsListTheSheetsAndLoadTheFlocks) {
  for (const char* name : {"flocks.xlsx", "flocks.xls"}) {
    SCOPED_TRACE(name);
    Workspace ws = loadedWorkspace();
    ScriptedDialogs dialogs;
    // A copy of its own: no ".lst" file stands beside it.
    testing::TempFolder folder(std::string("example_") + name);
    const std::filesystem::path file = folder.path() / name;
    std::filesystem::copy_file(Examples / name, file);
    ASSERT_TRUE(OpenWorkbookFile(ws, file, dialogs));
    EXPECT_EQ(ws.TextExcel.text, name);
    EXPECT_EQ(ws.ComboFlock.items, ws.ComboDiet.items);
    const auto flocks = std::find(ws.ComboFlock.items.begin(), ws.ComboFlock.items.end(), "Flocks");
    ASSERT_NE(flocks, ws.ComboFlock.items.end());
    ws.ComboFlock.choose(static_cast<int>(flocks - ws.ComboFlock.items.begin()));
    EXPECT_TRUE(LoadFlockSheet(ws, energyUnit(0), dialogs));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.gridflockin.text(0, 6), "Avg Weight");
    EXPECT_EQ(ws.gridflockin.text(1, 6), "2.618");
    EXPECT_GT(ws.FlockCount, 50);
    EXPECT_EQ(ws.Gridanal.rows(), ws.FlockCount + 24);
    // The second workbook opened colours the analysis button.
    EXPECT_EQ(ws.Command13.background, colours::ButtonFace);
    OpenWorkbookFile(ws, file, dialogs);
    EXPECT_EQ(ws.WorkbookCount, 2);
    EXPECT_EQ(ws.Command13.background, (Rgb{128, 255, 128}));
  }
}

}  // namespace
}  // namespace plumetra

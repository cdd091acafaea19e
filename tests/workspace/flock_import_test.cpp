// Flock tables from the clipboard, from text files (comma-separated: byte-order mark and junk,
// stop lines, trimming, no quote handling, the width of the last line, the bounds of the grid)
// and from workbook sheets (the real example workbooks too), and the analysis grid built.

#include "workspace/flock_import.h"

#include <gtest/gtest.h>

#include "workspace/comma_file.h"
#include "workspace/list_file.h"
#include "workspace/analysis_grid.h"
#include "workspace/workbook_import.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::loadedWorkspace;
using testing::TempFolder;
using testing::writeFile;

std::string flockRows(int flocks, char sep) {
  std::string text = std::string("House") + sep + "Birds" + sep + "Weight\n";
  for (int r = 1; r <= flocks; ++r)
    text += "H" + std::to_string(r) + sep + "2000" + std::to_string(r) + sep + "2.61\n";
  return text;
}

TEST(Paste, LastNonEmptyRow37GivesThirtySevenFlocksAndThirtyNineRows) {
  Workspace ws = loadedWorkspace();
  ws.flockGrid.setCurrent(0, 0);
  ScriptedDialogs dialogs;
  Paste(ws, flockRows(37, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 37);
  EXPECT_EQ(ws.flockGrid.rows(), 39);
  EXPECT_EQ(ws.flockGrid.cols(), 4);
  EXPECT_EQ(ws.analysisGrid.rows(), 37 + 24);  // buildAnalysisGrid ran
}

TEST(Paste, RowsBeyond399FlocksOr100ColumnsAreLeftOut) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The table has 451 rows; the first 400 were pasted and the last 51 were left out.");
  Paste(ws, flockRows(450, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 399);
  EXPECT_EQ(ws.flockGrid.text(399, 0), "H399");

  Workspace wide = loadedWorkspace();
  std::string line;
  for (int c = 0; c < 150; ++c) line += (c ? "\t" : "") + std::string("c") + std::to_string(c);
  dialogs.expectMessage("");
  Paste(wide, line + "\n" + line + "\n", dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(wide.flockGrid.cols(), MaxGridColumns);
  EXPECT_EQ(wide.flockGrid.text(1, 100), "c100");
}

TEST(FlockTextFile, LoadsCountsReplaysTheListBuildsTheAnalysisGridAndCutsAt499) {
  TempFolder folder("csv_load");
  const auto csv = folder.path() / "farm.data.csv";
  writeFile(csv, flockRows(5, ','));
  writeFile(folder.path() / "farm.data.lst", " 0 \r\n 2 \r\n 1 \r\n-1 \r\n");
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo("A list file  of Data ID exists for this flock set, use these selections?", true);
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, csv));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 5);
  EXPECT_EQ(ws.dataFileBox.text, csv.string());
  EXPECT_DOUBLE_EQ(ws.FlockData[0][3], 2.61);   // live weight from column 2
  EXPECT_DOUBLE_EQ(ws.FlockData[1][5], 20005);  // birds from column 1
  EXPECT_EQ(ws.analysisGrid.rows(), 5 + 24);

  writeFile(folder.path() / "many.csv", flockRows(520, ','));
  dialogs.expectMessage("Only the first 499 flocks were read; 21 further lines were left out.");
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "many.csv"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 499);
}

TEST(FlockTextFile, BadFilesAreReportedAndChangeNothing) {
  TempFolder folder("bad_text");
  writeFile(folder.path() / "empty.csv", "");
  writeFile(folder.path() / "binary.csv", std::string("PK\x03\x04\0\0junk,junk,junk", 18));
  writeFile(folder.path() / "short.csv", "a,b\n1,2\n");
  for (const char* name : {"missing.csv", "empty.csv", "binary.csv", "short.csv"}) {
    SCOPED_TRACE(name);
    Workspace ws = loadedWorkspace();
    ws.flockGrid = Grid(3, 2);
    ws.flockGrid.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / name));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.flockGrid.text(1, 1), "kept");
    EXPECT_TRUE(ws.flockSheetChoice.items.empty());
  }
}

TEST(SortCommas, CellsOfAFile) {
  struct Case {
    const char* text;
    int row, col;
    const char* cell;
    int linesRead, cols;
  };
  const Case cases[] = {
      // A byte-order mark is dropped from the first heading.
      {"\xEF\xBB\xBFHouse,Birds,Weight\r\nA1,20000,2.61\r\n", 0, 0, "House", 2, 3},
      // Junk up to the last high character among the first six is dropped; later ones stay.
      {"ab\x90\x91xHouse,Birds\nA1,20000,2.5\n", 0, 0, "xHouse", 2, 3},
      {"House,Bi\x90rds,Weight\n", 0, 1, "Bi\x90rds", 1, 3},
      // Blanks are trimmed; quotes mean nothing; the last line decides the width.
      {"Name , Farm,Birds\n alpha , beta ,c\n", 1, 1, "beta", 2, 3},
      {"Name,Farm,Birds\n\"Pine, Valley\",x,1\n", 1, 1, "Valley\"", 2, 4},
      {"House,Birds,Weight,Age\nA1,20000,2.61,42\nA2,19000.00\n", 1, 3, "", 3, 2},
      // A run of commas stops the file; so does a line of fewer than 9 characters.
      {"House,Birds,Weight\nA1,20000,2.61\n,,,,,,,,\nA2,19000,2.40\n", 1, 0, "A1", 2, 3},
      {"House,Birds,Weight\nA1,2,2.6\nA2,19000,2.40\n", 0, 0, "House", 1, 3},
      // ... but not a run after the first 20 characters.
      {"House,Birds,Weight,Age,Notes,,,,,,\nA1,20000,2.61,42,x\n", 1, 4, "x", 2, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Grid grid(500, 200);
    const auto read = SortCommas(c.text, grid);
    EXPECT_EQ(grid.text(c.row, c.col), c.cell);
    EXPECT_EQ(read.linesRead, c.linesRead);
    EXPECT_EQ(grid.cols(), c.cols);
    EXPECT_EQ(grid.rows(), c.linesRead + 1);
  }
}

TEST(SortCommas, FieldsAfterTheHundredthCommaAreLeftOutWithANote) {
  std::string line = "Heading0";
  for (int i = 1; i <= 120; ++i) line += ",h" + std::to_string(i);
  Grid grid(500, 200);
  const auto read = SortCommas(line + "\n", grid);
  EXPECT_EQ(grid.cols(), 101);
  EXPECT_EQ(grid.text(0, 100), "h100");
  EXPECT_EQ(read.linesCut, 1);
  EXPECT_EQ(read.notes.size(), 1u);
}

// A flock grid as a load leaves it: heading row, `flocks` rows, one empty row and column.
Workspace withFlocks(int flocks) {
  Workspace ws = loadedWorkspace();
  ws.flockGrid = Grid(flocks + 2, 5);
  const char* headings[] = {"House", "Weight", "Birds", "FCR"};
  for (int c = 0; c < 4; ++c) ws.flockGrid.setText(0, c, headings[c]);
  for (int r = 1; r <= flocks; ++r) {
    ws.flockGrid.setText(r, 0, "H" + std::to_string(r));
    ws.flockGrid.setText(r, 1, "2.5");
  }
  ws.FlockCount = flocks;
  return ws;
}

TEST(buildAnalysisGrid, ThirtyNineFlocksRunFromRow22To60InSixtyThreeRows) {
  Workspace ws = withFlocks(39);
  buildAnalysisGrid(ws);
  const Grid& g = ws.analysisGrid;
  EXPECT_EQ(g.rows(), 63);
  EXPECT_EQ(g.text(22, 0), "H1");
  EXPECT_EQ(g.text(60, 0), "H39");
  EXPECT_EQ(g.text(61, 0), "");
  EXPECT_EQ(g.text(FlockHeaderRow, 3), "FCR");  // the heading row copied with the flocks
  EXPECT_EQ(g.cols(), 5 + 18);
}

TEST(buildAnalysisGrid, PredictionColumnsFollowTheLastHeadedColumnAndOldResultsGo) {
  Workspace ws = withFlocks(3);
  ws.NonNumeric[4] = -1;
  ws.NonNumeric[16] = -1;
  ws.NonNumeric[17] = -1;
  ws.analysisGrid = Grid(80, 40);
  ws.analysisGrid.setText(70, 30, "old result");
  buildAnalysisGrid(ws);
  const Grid& g = ws.analysisGrid;
  EXPECT_EQ(g.text(0, 4), "Pred. WT.");
  EXPECT_EQ(g.text(0, 14), "Performance");
  EXPECT_EQ(ws.FarmOrder[35][4], 14);
  EXPECT_EQ(ws.FlockCol[14], 8);
  EXPECT_EQ(ws.ItemHeader[36], "Performance");
  EXPECT_EQ(ws.NonNumeric[4], 0);  // the 13 columns from the flock grid's last column (4)
  EXPECT_EQ(ws.NonNumeric[16], 0);
  EXPECT_EQ(ws.NonNumeric[17], -1);
  EXPECT_EQ(g.text(26, 30), "");
}

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
  ws.flockSheetChoice.add(name);
  ws.dietSheetChoice.add(name);
  (tab == FlockTab ? ws.flockSheetChoice : ws.dietSheetChoice).choose(0);
  ws.tabs.current = tab;
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
  ws.flockGrid = Grid(5, 6);
  ws.flockGrid.setText(2, 3, "earlier");
  ScriptedDialogs dialogs;
  ASSERT_TRUE(ReadExcelSheet(ws, dialogs));
  EXPECT_TRUE(dialogs.finished());
  const Grid& g = ws.flockGrid;
  EXPECT_EQ(g.cols(), 5);
  EXPECT_EQ(g.rows(), 4);
  EXPECT_EQ(g.text(0, 1), "2019");
  EXPECT_EQ(g.text(0, 2), "F3");  // a column without a heading
  EXPECT_EQ(g.text(1, 1), "2.618");
  EXPECT_EQ(g.text(1, 2), "45.12");
  EXPECT_EQ(g.text(2, 1), "0");
  EXPECT_EQ(g.text(2, 2), "1235");
  EXPECT_EQ(g.text(2, 3), "earlier");  // an empty cell leaves the grid cell as it was
}

TEST(ReadExcelSheet, MoreThanSevenDietsAreCut) {
  Workspace diets = withSheet("Diets", numbered("Diet", 9), DietTab);
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The sheet \"Diets\" holds 9 diets; the first 7 were read and the last 2 were left out.");
  ASSERT_TRUE(ReadExcelSheet(diets, dialogs));
  EXPECT_EQ(diets.dietGrid.rows(), 8);
  EXPECT_EQ(diets.dietGrid.text(7, 1), "3007");
  EXPECT_EQ(diets.TargetGrid, GridId::Diet);
  EXPECT_TRUE(dialogs.finished());
}

// The example workbooks were made by LibreOffice from examples/flocks.csv and diets.csv.
TEST(ExampleWorkbooks, BothFormatsListTheSheetsAndLoadTheFlocks) {
  for (const char* name : {"flocks.xlsx", "flocks.xls"}) {
    SCOPED_TRACE(name);
    Workspace ws = loadedWorkspace();
    ScriptedDialogs dialogs;
    // A copy of its own: no ".lst" file stands beside it.
    TempFolder folder(std::string("example_") + name);
    const std::filesystem::path file = folder.path() / name;
    std::filesystem::copy_file(Examples / name, file);
    ASSERT_TRUE(OpenWorkbookFile(ws, file, dialogs));
    EXPECT_EQ(ws.dataFileBox.text, name);
    const auto flocks = std::find(ws.flockSheetChoice.items.begin(), ws.flockSheetChoice.items.end(), "Flocks");
    ASSERT_NE(flocks, ws.flockSheetChoice.items.end());
    ws.flockSheetChoice.choose(static_cast<int>(flocks - ws.flockSheetChoice.items.begin()));
    EXPECT_TRUE(LoadFlockSheet(ws, energyUnit(0), dialogs));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.flockGrid.text(0, 6), "Avg Weight");
    EXPECT_EQ(ws.flockGrid.text(1, 6), "2.618");
    EXPECT_GT(ws.FlockCount, 50);
    EXPECT_EQ(ws.analysisGrid.rows(), ws.FlockCount + 24);
    // The second workbook opened colours the analysis button.
    EXPECT_EQ(ws.analyseButton.background, colours::ButtonFace);
    OpenWorkbookFile(ws, file, dialogs);
    EXPECT_EQ(ws.WorkbookCount, 2);
    EXPECT_EQ(ws.analyseButton.background, (Rgb{128, 255, 128}));
  }
}

}  // namespace
}  // namespace plumetra

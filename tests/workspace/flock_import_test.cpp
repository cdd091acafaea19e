// Flock tables from the clipboard (whether a block starts with its headings), from text files and
// from workbook sheets (the real example workbooks too), the bounds of the grid, and the analysis
// grid built; a data file opened by its path (dropped or recent), by the kind its extension names.

#include "workspace/flock_import.h"

#include <gtest/gtest.h>

#include "files/free_format.h"
#include "files/workbook.h"
#include "workspace/analysis_grid.h"
#include "workspace/auto_match.h"
#include "workspace/data_file_open.h"
#include "workspace/flock_sheet.h"
#include "workspace/list_file.h"
#include "workspace/workbook_import.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::fillGrid;
using testing::loadedWorkspace;
using testing::TempFolder;
using testing::writeFile;

std::string flockRows(int flocks, char sep) {
  std::string text = std::string("House") + sep + "Birds" + sep + "Weight\n";
  for (int r = 1; r <= flocks; ++r)
    text += "H" + std::to_string(r) + sep + "2000" + std::to_string(r) + sep + "2.61\n";
  return text;
}

TEST(Paste, RowsBeyond399FlocksOr100ColumnsAreLeftOut) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The table has 451 rows; the first 400 were pasted and the last 51 were left out.");
  pasteClipboard(ws, flockRows(450, '\t'), energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.flockCount, 399);

  Workspace wide = loadedWorkspace();
  std::string line;
  for (int c = 0; c < 150; ++c) line += (c ? "\t" : "") + std::string("c") + std::to_string(c);
  dialogs.expectMessage("");
  pasteClipboard(wide, line + "\n" + line + "\n", energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(wide.flockGrid.cols(), MaxGridColumns);
  EXPECT_EQ(wide.flockGrid.text(1, 100), "c100");
}

// Six flocks pasted at the top-left cell, their birds matched; pasted over somewhere else, then
// replaced by a table pasted at the top-left cell.
TEST(Paste, AnywhereElseItChangesOnlyTheCellsItCoversAtTheTopLeftCellItReplacesTheTableAfterAsking) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  ws.flockGrid.setCurrent(0, 0);
  pasteClipboard(ws, flockRows(6, '\t'), energyUnit(0), dialogs);
  ws.flockDataIds.choose(ItemBirds);
  ws.flockGrid.setCurrent(0, 1);
  doubleClickMatch(ws, MatchSide::Flock, energyUnit(0), dialogs);

  ws.flockGrid.setCurrent(2, 1);  // the bird counts from flock 2 on, and one row below the last flock
  pasteClipboard(ws, "111\n222\n333\n333\n333\n333\n", energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.flockGrid.text(1, 1), "20001");  // above the paste: as it was
  EXPECT_EQ(ws.flockGrid.text(2, 1), "111");
  EXPECT_EQ(ws.flockGrid.text(2, 0), "H2");     // beside it: as it was
  EXPECT_EQ(ws.flockGrid.text(7, 1), "333");    // a new row 7
  EXPECT_EQ(ws.flockCount, 7);
  EXPECT_DOUBLE_EQ(ws.flockData[1][2], 111);  // the matched column copied again
  EXPECT_EQ(ws.analysisGrid.text(FlockHeaderRow + 2, 1), "111");

  const int dataSet = ws.dataSetNumber;
  ws.flockGrid.setCurrent(0, 0);
  dialogs.expectYesNo("", false);
  pasteClipboard(ws, "House\tBirds\tWeight\nX1\t100\t1.5\n", energyUnit(0), dialogs);
  EXPECT_EQ(ws.flockCount, 7);  // No: nothing changed
  EXPECT_EQ(ws.flockGrid.text(6, 0), "H6");

  dialogs.expectYesNo("", true);
  pasteClipboard(ws, "House\tBirds\tWeight\nX1\t100\t1.5\nX2\t200\t1.7\n", energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.flockCount, 2);
  EXPECT_EQ(ws.flockGrid.rows(), 4);  // the flocks, the headings and an empty row: no row of the seven is left
  EXPECT_EQ(ws.flockGrid.cols(), 4);
  EXPECT_EQ(ws.analysisGrid.rows(), 2 + 24);
  EXPECT_EQ(ws.dataSetNumber, dataSet + 1);  // a new data set: nothing of a run on the old one shows
  // "Birds" heads a column of the new table too: the match stays, with the new numbers.
  EXPECT_TRUE(ws.flockIdSet[ItemBirds]);
  EXPECT_DOUBLE_EQ(ws.flockData[1][2], 200);
  EXPECT_DOUBLE_EQ(ws.flockData[1][3], 0.0);
}

// A spreadsheet's clipboard: headings over numbers start a table; a block of data rows, a
// heading line alone or a first line with a number do not.
TEST(PastedHeadings, AHeadingLineOverNumbersStartsATable) {
  EXPECT_TRUE(startsWithHeadings("Farm\tHouse\tAge\r\nNorth\t1\t42\r\n"));
  EXPECT_TRUE(startsWithHeadings("Farm\tHouse\tAge\n\nNorth\t\t42"));
  EXPECT_FALSE(startsWithHeadings("North\t1\t42\nSouth\t2\t41\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\tAge\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\t2024\nNorth\t1\t42\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\nNorth\t1\n"));  // two headings read as data
  EXPECT_FALSE(startsWithHeadings(""));
}

TEST(FlockTextFile, LoadsCountsReplaysTheListBuildsTheAnalysisGridCutsAt499AndReadsNaNAsEmpty) {
  TempFolder folder("csv_load");
  const auto csv = folder.path() / "farm.data.csv";
  writeFile(csv, flockRows(5, ','));
  // House ID column 0, live weight column 2, birds column 1, the other items not matched.
  writeFile(folder.path() / "farm.data.lst",
            " 0 \r\n 2 \r\n 1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n");
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(testing::ListQuestion, true);
  ASSERT_TRUE(loadFlockTextFile(ws, energyUnit(0), dialogs, csv));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.flockCount, 5);
  EXPECT_EQ(ws.dataFileName, csv.string());
  EXPECT_DOUBLE_EQ(ws.flockData[0][3], 2.61);   // live weight from column 2
  EXPECT_DOUBLE_EQ(ws.flockData[1][5], 20005);  // birds from column 1
  EXPECT_EQ(ws.analysisGrid.rows(), 5 + 24);

  writeFile(folder.path() / "many.csv", flockRows(520, ','));
  dialogs.expectMessage("The file holds more than 499 flocks; the first 499 were read.");
  ASSERT_TRUE(loadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "many.csv"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.flockCount, 499);

  // "NaN" is how some programs write a missing value: it reads as an empty cell, never as text a
  // written file would carry.
  ws = loadedWorkspace();
  writeFile(folder.path() / "nan.csv", "House,Weight,Note\n1,NaN,Nancy\n2,2.5,-inf x\n3, inf ,\n");
  dialogs.expectMessage("2 cells hold \"NaN\" or \"inf\" (no number); read as empty.");
  ASSERT_TRUE(loadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "nan.csv"));
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  EXPECT_EQ(ws.flockGrid.text(1, 1), "");
  EXPECT_EQ(ws.flockGrid.text(1, 2), "Nancy");
  EXPECT_EQ(ws.flockGrid.text(2, 2), "-inf x");  // not a number alone: the user's text
}

TEST(FlockTextFile, BadFilesAreReportedAndChangeNothing) {
  TempFolder folder("bad_text");
  writeFile(folder.path() / "empty.csv", "");
  writeFile(folder.path() / "binary.csv", std::string("PK\x03\x04\0\0junk,junk,junk", 18));
  writeFile(folder.path() / "headings_only.csv", "House,Birds,Weight\n,,\n");
  writeFile(folder.path() / "huge.csv", "House,Birds,Weight\n");
  std::filesystem::resize_file(folder.path() / "huge.csv", MaxTextFileBytes + 1);  // sparse: no disk taken
  for (const char* name : {"missing.csv", "empty.csv", "binary.csv", "headings_only.csv", "huge.csv"}) {
    SCOPED_TRACE(name);
    Workspace ws = loadedWorkspace();
    ws.flockGrid = Grid(3, 2);
    ws.flockGrid.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(loadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / name));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.flockGrid.text(1, 1), "kept");
    EXPECT_TRUE(ws.flockSheetChoice.items.empty());
  }
}

// Thirty-nine flocks run from row 22 to 60 of sixty-three; the prediction columns follow the last
// headed column.
TEST(buildAnalysisGrid, FlocksFromRow22AndPredictionColumnsAfterTheLastHeadedOneAndOldResultsGo) {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.flockGrid, flockRows(39, '\t'), 41, 5);  // as a load leaves it: one empty row and column
  ws.flockGrid.setText(0, 3, "FCR");
  ws.flockCount = 39;
  ws.nonNumeric[4] = -1;
  ws.nonNumeric[16] = -1;
  ws.nonNumeric[17] = -1;
  ws.analysisGrid = Grid(80, 40);
  ws.analysisGrid.setText(62, 20, "old result");
  buildAnalysisGrid(ws);
  const Grid& g = ws.analysisGrid;
  EXPECT_EQ(g.rows(), 63);
  EXPECT_EQ(g.text(22, 0), "H1");
  EXPECT_EQ(g.text(60, 0), "H39");
  EXPECT_EQ(g.text(FlockHeaderRow, 3), "FCR");  // the heading row copied with the flocks
  EXPECT_EQ(g.cols(), 5 + 18);
  EXPECT_EQ(g.text(0, 4), "Pred. WT.");
  EXPECT_EQ(g.text(0, 14), "Performance");
  EXPECT_EQ(ws.nonNumeric[4], 0);  // the 13 columns from the flock grid's last column (4)
  EXPECT_EQ(ws.nonNumeric[16], 0);
  EXPECT_EQ(ws.nonNumeric[17], -1);
  EXPECT_EQ(g.text(62, 20), "");
}

// A workspace with `sheet`, the only sheet of its workbook, chosen on `tab`.
Workspace withSheet(const std::string& name, Sheet sheet, int tab) {
  auto book = std::make_shared<testing::SheetsInMemory>();
  book->sheets = {{name, std::move(sheet)}};
  Workspace ws = loadedWorkspace();
  ws.workbook = book;
  ws.flockSheetChoice.add(name);
  ws.dietSheetChoice.add(name);
  (tab == FlockTab ? ws.flockSheetChoice : ws.dietSheetChoice).choose(0);
  ws.shownTab = tab;
  return ws;
}

TEST(ReadExcelSheet, HeadingsNumbersAndEmptyCellsAndNoMoreThanSevenDiets) {
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
  ASSERT_TRUE(readExcelSheet(ws, energyUnit(0), dialogs));
  EXPECT_TRUE(dialogs.finished());
  // A column without a heading is named by its place; numbers show as the grid shows them; an
  // empty cell is empty, nothing of the earlier grid stays; one empty row and column follow.
  EXPECT_EQ(gridToTsv(ws.flockGrid),
            "House\t2019\tF3\tNote\t\r\n"
            "A\t2.618\t45.12\tok\t\r\n"
            "B\t0\t1235\t\t\r\n"
            "\t\t\t\t\r\n");

  // More than seven diets are cut.
  Sheet nine;
  nine.rows.push_back({std::string("Diet"), std::string("Value")});
  for (int r = 1; r <= 9; ++r) nine.rows.push_back({std::string("H"), 3000.0 + r});
  Workspace diets = withSheet("Diets", nine, DietTab);
  dialogs.expectMessage(
      "The sheet \"Diets\" holds 9 diets; the first 7 were read and the last 2 were left out.");
  ASSERT_TRUE(readExcelSheet(diets, energyUnit(0), dialogs));
  EXPECT_EQ(diets.dietGrid.rows(), 8);
  EXPECT_EQ(diets.dietGrid.text(7, 1), "3007");
  EXPECT_EQ(diets.targetGrid, GridId::Diet);
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
    std::filesystem::copy_file(std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples" / name, file);
    ASSERT_TRUE(openWorkbookFile(ws, file, dialogs));
    EXPECT_EQ(ws.dataFileName, name);
    const auto flocks = std::find(ws.flockSheetChoice.items.begin(), ws.flockSheetChoice.items.end(), "Flocks");
    ASSERT_NE(flocks, ws.flockSheetChoice.items.end());
    ws.flockSheetChoice.choose(static_cast<int>(flocks - ws.flockSheetChoice.items.begin()));
    EXPECT_TRUE(loadFlockSheet(ws, energyUnit(0), dialogs));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.flockGrid.text(1, 6), "2.618");  // the first flock's average weight
    EXPECT_GT(ws.flockCount, 50);
    openWorkbookFile(ws, file, dialogs);
    EXPECT_EQ(ws.workbookCount, 2);
  }
}

TEST(DataFileOpen, KindFollowsTheExtensionATextTableLoadsTheFlocksAndOtherFilesAreRefused) {
  EXPECT_EQ(dataFileKind("a/Flocks.XLSX"), DataFileKind::FlockWorkbook);
  EXPECT_EQ(dataFileKind("flocks.xls"), DataFileKind::FlockWorkbook);
  EXPECT_EQ(dataFileKind("flocks.Csv"), DataFileKind::FlockText);
  EXPECT_EQ(dataFileKind("flocks.txt"), DataFileKind::FlockText);
  EXPECT_EQ(dataFileKind("North.dts"), DataFileKind::DietFile);
  EXPECT_EQ(dataFileKind("North.clb"), DataFileKind::Unknown);
  EXPECT_EQ(dataFileKind("flocks"), DataFileKind::Unknown);

  const testing::TempFolder made("open");
  const std::filesystem::path& folder = made.path();
  testing::writeFile(folder / "farm.csv",
                     "Farm,House,Age,Avg Weight\nNorth,1,42,2.61\nNorth,2,40,2.44\nSouth,1,44,2.80\n");
  Workspace ws = loadedWorkspace();
  ws.shownTab = DietTab;
  ScriptedDialogs dialogs;
  EXPECT_TRUE(openDataFile(ws, {}, folder / "farm.csv", dialogs));
  EXPECT_EQ(ws.flockCount, 3);
  EXPECT_EQ(ws.shownTab, FlockTab);
  EXPECT_EQ(ws.lastDir, folder);

  ScriptedDialogs refused;
  refused.expectMessage("Plumetra opens flock data (.xls, .xlsx, .csv, .txt) and diet files (.dts); farm.pdf is none of these.");
  EXPECT_FALSE(openDataFile(ws, {}, folder / "farm.pdf", refused));
  EXPECT_TRUE(refused.finished());
  EXPECT_EQ(ws.flockCount, 3);
}

TEST(DataFileOpen, MatchSummaryListsMatchesAndWhatIsLeft) {
  AutoMatchReport report;
  report.matched.push_back({MatchSide::Flock, ItemAge, 3, "Age"});
  report.matched.push_back({MatchSide::Flock, ItemLiveWeight, 4, "Avg Wt (lb)"});
  report.missing = {{"Lysine *", {"Lys (SID)", "Lysine dig."}}};
  EXPECT_EQ(autoMatchSummary(report),
            "Matched by headings:\n  " + std::string(dataIdList(0, ItemAge)) + "  <-  Age\n  " +
                std::string(dataIdList(0, ItemLiveWeight)) +
                "  <-  Avg Wt (lb)  (pounds, converted to kg)\nStill to match by double-click:\n"
                "  Lysine *  (closest headings: \"Lys (SID)\", \"Lysine dig.\")");
  EXPECT_EQ(autoMatchSummary({}), "No Data ID was matched by its heading.\nAll required Data IDs are matched.");
}

}  // namespace
}  // namespace plumetra

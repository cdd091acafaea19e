// Flock tables from the clipboard and from text files, and the loading step.

#include "workspace/flock_import.h"

#include <gtest/gtest.h>

#include "workspace/list_file.h"
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
  ws.gridflockin.setCurrent(0, 0);
  ScriptedDialogs dialogs;
  Paste(ws, flockRows(37, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 37);
  EXPECT_EQ(ws.gridflockin.rows(), 39);
  EXPECT_EQ(ws.gridflockin.cols(), 4);
  EXPECT_EQ(ws.Gridanal.rows(), 37 + 24);  // NEWgrid ran
  EXPECT_EQ(ws.Gridanal.text(22, 0), "H1");
}

TEST(Paste, RowsBeyond399FlocksOr100ColumnsAreLeftOut) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The table has 451 rows; the first 400 were pasted and the last 51 were left out.");
  Paste(ws, flockRows(450, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 399);
  EXPECT_EQ(ws.gridflockin.text(399, 0), "H399");

  Workspace wide = loadedWorkspace();
  std::string line;
  for (int c = 0; c < 150; ++c) line += (c ? "\t" : "") + std::string("c") + std::to_string(c);
  dialogs.expectMessage("");
  Paste(wide, line + "\n" + line + "\n", dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(wide.gridflockin.cols(), MaxGridColumns);
  EXPECT_EQ(wide.gridflockin.text(1, 100), "c100");
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
  EXPECT_EQ(ws.TextExcel.text, csv.string());
  EXPECT_DOUBLE_EQ(ws.FlockData[0][3], 2.61);   // live weight from column 2
  EXPECT_DOUBLE_EQ(ws.FlockData[1][5], 20005);  // birds from column 1
  EXPECT_EQ(ws.Gridanal.rows(), 5 + 24);

  // Tab-separated text is read like a paste.
  writeFile(folder.path() / "f.tsv", flockRows(4, '\t'));
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "f.tsv"));
  EXPECT_EQ(ws.FlockCount, 4);
  EXPECT_EQ(ws.Gridanal.text(25, 0), "H4");

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
    ws.gridflockin = Grid(3, 2);
    ws.gridflockin.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / name));
    EXPECT_TRUE(dialogs.finished());
    EXPECT_EQ(ws.gridflockin.text(1, 1), "kept");
    EXPECT_TRUE(ws.ComboFlock.items.empty());
  }
}

}  // namespace
}  // namespace plumetra

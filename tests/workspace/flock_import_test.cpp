// Flock tables from the clipboard and from text files, and the loading step.

#include "workspace/flock_import.h"

#include <gtest/gtest.h>

#include <fstream>

#include "workspace/list_file.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::loadedWorkspace;
using testing::TempFolder;

constexpr char Question[] =
    "A list file  of Data ID exists for this flock set, use these selections?";

std::string flockRows(int flocks, char sep) {
  std::string text = std::string("House") + sep + "Birds" + sep + "Weight\n";
  for (int r = 1; r <= flocks; ++r)
    text += "H" + std::to_string(r) + sep + "2000" + std::to_string(r) + sep + "2.61\n";
  return text;
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
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
  EXPECT_EQ(ws.gridflockin.fixedRows(), 0);
  EXPECT_EQ(ws.Gridanal.rows(), 37 + 24);  // NEWgrid ran
  EXPECT_EQ(ws.Gridanal.text(22, 0), "H1");
}

TEST(Paste, RowsBeyond399FlocksAreLeftOutWithAMessage) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectMessage(
      "The table has 451 rows; the first 400 were pasted and the last 51 were left out.");
  Paste(ws, flockRows(450, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 399);
  EXPECT_EQ(ws.gridflockin.text(399, 0), "H399");
}

TEST(Paste, OnTheDietGridNothingIsResizedAndWhatDoesNotFitIsReported) {
  Workspace ws = loadedWorkspace();
  ws.GridDiets = Grid(10, 30);
  ws.ActiveGrid = GridId::Diet;
  ScriptedDialogs dialogs;
  dialogs.expectMessage("");
  Paste(ws, flockRows(12, '\t'), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.GridDiets.rows(), 10);
  EXPECT_EQ(ws.GridDiets.text(9, 0), "H9");
}

TEST(Paste, ColumnsBeyond100AreCut) {
  Workspace ws = loadedWorkspace();
  std::string line;
  for (int c = 0; c < 150; ++c) line += (c ? "\t" : "") + std::string("c") + std::to_string(c);
  ScriptedDialogs dialogs;
  dialogs.expectMessage("");
  Paste(ws, line + "\n" + line + "\n", dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.gridflockin.cols(), MaxGridColumns);
  EXPECT_EQ(ws.gridflockin.text(1, 100), "c100");
}

TEST(FlockTextFile, CsvLoadsCountsReplaysTheListAndBuildsTheAnalysisGrid) {
  TempFolder folder("csv_load");
  writeFile(folder.path() / "farm.data.csv", flockRows(5, ','));
  writeFile(folder.path() / "farm.data.lst", " 0 \r\n 2 \r\n 1 \r\n-1 \r\n");
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(Question, true);
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "farm.data.csv"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 5);
  EXPECT_EQ(ws.gridflockin.rows(), 7);
  EXPECT_EQ(ws.TextExcel.text, (folder.path() / "farm.data.csv").string());
  EXPECT_EQ(ws.LastDir, folder.path());
  EXPECT_EQ(ws.ComboFlock.chosen(), (folder.path() / "farm.data.csv").string());
  EXPECT_DOUBLE_EQ(ws.FlockData[0][3], 2.61);   // live weight from column 2
  EXPECT_DOUBLE_EQ(ws.FlockData[1][5], 20005);  // birds from column 1
  EXPECT_EQ(ws.Gridanal.rows(), 5 + 24);
}

TEST(FlockTextFile, AnsweringNoLeavesTheAnalysisGridUnbuilt) {
  TempFolder folder("csv_no");
  writeFile(folder.path() / "f.csv", flockRows(3, ','));
  writeFile(folder.path() / "f.lst", " 0 \r\n");
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(Question, false);
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "f.csv"));
  EXPECT_EQ(ws.FlockCount, 3);
  EXPECT_EQ(ws.Gridanal.rows(), 0);
}

TEST(FlockTextFile, TabSeparatedTextIsReadLikeAPaste) {
  TempFolder folder("tsv_load");
  writeFile(folder.path() / "f.tsv", flockRows(4, '\t'));
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "f.tsv"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 4);
  EXPECT_EQ(ws.gridflockin.text(4, 1), "20004");
  EXPECT_EQ(ws.Gridanal.text(25, 0), "H4");
}

TEST(FlockTextFile, BadFilesAreReportedAndChangeNothing) {
  TempFolder folder("bad_text");
  writeFile(folder.path() / "empty.csv", "");
  writeFile(folder.path() / "binary.csv", std::string("PK\x03\x04\0\0junk,junk,junk", 18));
  writeFile(folder.path() / "short.csv", "a,b\n1,2\n");
  const char* names[] = {"missing.csv", "empty.csv", "binary.csv", "short.csv"};
  for (const char* name : names) {
    Workspace ws = loadedWorkspace();
    ws.gridflockin = Grid(3, 2);
    ws.gridflockin.setText(1, 1, "kept");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("");
    EXPECT_FALSE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / name)) << name;
    EXPECT_TRUE(dialogs.finished()) << name;
    EXPECT_EQ(ws.gridflockin.rows(), 3) << name;
    EXPECT_EQ(ws.gridflockin.text(1, 1), "kept") << name;
    EXPECT_TRUE(ws.ComboFlock.items.empty()) << name;
  }
}

TEST(FlockTextFile, MoreThan499FlocksAreCutWithAMessage) {
  TempFolder folder("csv_many");
  writeFile(folder.path() / "many.csv", flockRows(520, ','));
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Only the first 499 flocks were read; 21 further lines were left out.");
  ASSERT_TRUE(LoadFlockTextFile(ws, energyUnit(0), dialogs, folder.path() / "many.csv"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FlockCount, 499);
}

TEST(CSVFlock, CancelledDialogStopsSilently) {
  Workspace ws = loadedWorkspace();
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile("Comma Separated File", "");
  CSVFlock(ws, energyUnit(0), dialogs);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.FileDialogTitle, "Comma Separated File");
  EXPECT_TRUE(ws.ComboFlock.items.empty());
}

}  // namespace
}  // namespace plumetra

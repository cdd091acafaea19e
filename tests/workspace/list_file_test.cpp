// The ".lst" file: its name, its bytes, and the replay onto the flock items.

#include "workspace/list_file.h"

#include <gtest/gtest.h>

#include "views/free_format.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::energyUnit;
using testing::fillGrid;
using testing::loadedWorkspace;
using testing::TempFolder;
using testing::writeFile;

constexpr char Question[] =
    "A list file  of Data ID exists for this flock set, use these selections?";

Workspace sixColumns() {
  Workspace ws = loadedWorkspace();
  fillGrid(ws.gridflockin,
           "House\tWeight\tBirds\tAge\tFCR\tF1\tF2\n"
           "A\t2.6\t20000\t42\t1.7\t0.4\t1.5\n"
           "B\t2.4\t19000\t40\t1.6\t0.5\t1.4\n",
           4, 8);
  ws.FlockCount = 2;
  return ws;
}

TEST(ListReplay, ANeverMatchedItemReplaysAsColumnZero) {
  TempFolder folder("lst_zero");
  Workspace ws = sixColumns();
  ws.LastDir = folder.path();
  ws.TextExcel.text = "flocks.xlsx";  // the extension, whatever its length, becomes ".lst"
  ws.FlockCol = {0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0};  // Third to Sixth intake never matched
  ScriptedDialogs quiet;
  ASSERT_TRUE(WriteListFile(ws, quiet));
  EXPECT_EQ(readTextFile(folder.path() / "flocks.lst").value_or(""),
            " 0 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");

  Workspace fresh = sixColumns();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(Question, true);
  EXPECT_EQ(ReplayListFile(fresh, energyUnit(0), dialogs, folder.path() / "flocks.lst"),
            ListReplay::Replayed);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_DOUBLE_EQ(fresh.FlockData[1][2], 19000.0);
  EXPECT_EQ(fresh.FlockCol[ItemFirstIntake + 3], 0);  // "Fourth Feed Intake" on column 0
  EXPECT_TRUE(fresh.FlockIdSet[ItemFirstIntake + 3]);
  EXPECT_EQ(fresh.Cmb1.items[ItemFirstIntake + 3], "Fourth Feed Intake House");
  EXPECT_EQ(fresh.Cmb1.index, ItemSixthIntake);  // ten items recorded, HOUSE ID to Fifth
}

TEST(ListReplay, ANegativeColumnEndsTheReplayAndNoAsksOnlyOnce) {
  TempFolder folder("lst_negative");
  writeFile(folder.path() / "f.lst", " 0 \r\n 2 \r\n-1 \r\n 9 \r\n");
  Workspace ws = sixColumns();
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(Question, false).expectYesNo(Question, true);
  EXPECT_EQ(ReplayListFile(ws, energyUnit(0), dialogs, folder.path() / "f.lst"), ListReplay::Declined);
  EXPECT_FALSE(ws.FlockIdSet[1]);
  EXPECT_EQ(ReplayListFile(ws, energyUnit(0), dialogs, folder.path() / "none.lst"), ListReplay::NoFile);
  ReplayListFile(ws, energyUnit(0), dialogs, folder.path() / "f.lst");
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(ws.Cmb1.index, ItemBirds);
  EXPECT_TRUE(ws.FlockIdSet[2]);
  EXPECT_FALSE(ws.FlockIdSet[3]);
}

TEST(ListReplay, GarbageShortOrOutOfRangeFilesReplayNothing) {
  const std::string files[] = {
      "this is not a list\r\n",
      " 1 \r\n 2 \r\n 3 \r\n",                                                     // too few lines
      " 1 \r\n 2.5 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n",  // not whole
      " 1 \r\n 2 \r\n 3 \r\n 40 \r\n 5 \r\n 6 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n",   // no column 40
  };
  TempFolder folder("lst_bad");
  for (const std::string& text : files) {
    SCOPED_TRACE(text);
    writeFile(folder.path() / "f.lst", text);
    Workspace ws = sixColumns();
    ScriptedDialogs dialogs;
    dialogs.expectYesNo(Question, true).expectMessage("");
    EXPECT_EQ(ReplayListFile(ws, energyUnit(0), dialogs, folder.path() / "f.lst"),
              ListReplay::Rejected);
    EXPECT_TRUE(dialogs.finished());
    EXPECT_FALSE(ws.FlockIdSet[1]);
    EXPECT_DOUBLE_EQ(ws.FlockData[0][1], 0.0);
  }
}

}  // namespace
}  // namespace plumetra

// Opening a data file by its path (dropped or recent): the kind by extension, the route it
// takes, and the report of the matching by headings.

#include "workspace/data_file_open.h"

#include <gtest/gtest.h>

#include "workspace/auto_match.h"
#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::loadedWorkspace;

TEST(DataFileOpen, KindFollowsTheExtensionInAnyCase) {
  EXPECT_EQ(dataFileKind("a/Flocks.XLSX"), DataFileKind::FlockWorkbook);
  EXPECT_EQ(dataFileKind("flocks.xls"), DataFileKind::FlockWorkbook);
  EXPECT_EQ(dataFileKind("flocks.Csv"), DataFileKind::FlockText);
  EXPECT_EQ(dataFileKind("flocks.txt"), DataFileKind::FlockText);
  EXPECT_EQ(dataFileKind("North.dts"), DataFileKind::DietFile);
  EXPECT_EQ(dataFileKind("North.clb"), DataFileKind::Unknown);
  EXPECT_EQ(dataFileKind("flocks"), DataFileKind::Unknown);
}

TEST(DataFileOpen, TextTableLoadsTheFlocksAndOtherFilesAreRefused) {
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

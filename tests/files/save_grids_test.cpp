#include "files/save_grids.h"

#include "files/free_format.h"
#include "controls/scripted_dialogs.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using testing::gridOf;
using testing::Rows;
using testing::ScratchFolder;

Grid smallTable(const std::string& firstHeading) {
  return gridOf({{firstHeading, "Live Wt", "Farm"}, {"1", "2.45", "North"}, {"2", "2.61", "South"}});
}

Rows readBack(const std::filesystem::path& file) { return testing::cellStrings(testing::readOnlySheet(file)); }

// Records the save request and answers with a fixed path; everything else is cancelled.
class SaveRequestDialogs final : public Dialogs {
 public:
  explicit SaveRequestDialogs(std::filesystem::path answer) : answer_(std::move(answer)) {}
  void message(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::filesystem::path> openFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& r) override {
    request = r;
    return answer_;
  }
  void busy(bool) override {}
  bool progress(const std::string&, double) override { return true; }

  FileDialogRequest request;

 private:
  std::filesystem::path answer_;
};

TEST(SaveDialog, ProposesTheLocationNameWithTheExtensionOfTheTickedKind) {
  ScratchFolder folder;
  SaveDialog dialog = OpenSaveDialog();
  const Grid grid = smallTable("No");
  const SaveSources sources{grid, grid, grid, 1};

  for (const bool text : {false, true}) {
    tickAsText(dialog, text);
    SaveRequestDialogs cancelled{{}};
    EXPECT_FALSE(SaveDialog_OK(dialog, sources, "/data/Farm One", folder.path(), cancelled));
    EXPECT_EQ(cancelled.request.fileName, text ? "/data/Farm One.txt" : "/data/Farm One.xls");
    EXPECT_EQ(cancelled.request.filter, text ? "*.txt" : "*.xls");
    EXPECT_EQ(cancelled.request.initialFolder, folder.path());
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveDialog, WritesTheFlockGridIntoLastDirUnderTheChosenTitleAsAWorkbook) {
  ScratchFolder folder;
  std::filesystem::create_directories(folder / "elsewhere");
  const Grid analysis = smallTable("Analysis"), flock = smallTable("House"), diet = smallTable("Diet");
  SaveDialog dialog = OpenSaveDialog();
  dialog.dataSet.choose(static_cast<int>(SaveEntry::FlockData));
  tickAsWorkbook(dialog, true);

  ScriptedDialogs dialogs;
  const std::filesystem::path expected = folder / "Flocks.xlsx";
  dialogs.expectSaveFile("Select Data to Save", (folder / "elsewhere" / "Flocks.xls").string())
      .expectMessage(SavedAsText(expected));
  const auto written = SaveDialog_OK(dialog, {analysis, flock, diet, 1}, "Farm", folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, expected);
  EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere" / "Flocks.xlsx"));
  EXPECT_EQ(readBack(expected).at(0).at(0), "text:House");
}

TEST(SaveDialog, SortedTableSavesTheHeadingsAndTheFlockRowsAsText) {
  ScratchFolder folder;
  // Row 2 is a statistics row and is left out; the flock rows start at row 4.
  const Grid analysis = gridOf({{"Row", "Convix"}, {"", ""}, {"", "Average"}, {"", ""}, {"7", "1.55"}, {"3", "1.61"}});
  const Grid other;
  SaveDialog dialog = OpenSaveDialog();
  dialog.dataSet.choose(static_cast<int>(SaveEntry::SortedTable));
  tickAsText(dialog, true);

  ScriptedDialogs dialogs;
  dialogs.expectSaveFile("", (folder / "Sorted.txt").string());
  const auto written = SaveDialog_OK(dialog, {analysis, other, other, 4}, "Farm", folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("Row\tConvix\r\n7\t1.55\r\n3\t1.61\r\n"));
}

TEST(SaveToExcel, AsksForTheNameAndWritesTheWorkbookIntoLastDirOverAnOldFile) {
  ScratchFolder folder;
  testing::writeBytes(folder / "SortedFile.xlsx", "old bytes");
  ScriptedDialogs dialogs;
  dialogs.expectInput("File Name ?", "SortedFile.xls").expectMessage(SavedAsText(folder / "SortedFile.xlsx"));
  const auto written = SaveToExcel(smallTable("House"), folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readBack(*written).at(1).at(2), "text:North");
}

TEST(SaveToExcel, AnEmptyOrCancelledAnswerSavesNothing) {
  ScratchFolder folder;
  for (const bool cancelled : {false, true}) {
    ScriptedDialogs dialogs;
    if (!cancelled) dialogs.expectInput("File Name ?", "");
    EXPECT_FALSE(SaveToExcel(smallTable("House"), folder.path(), dialogs));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveCorrelations, ProposesTheLocationNameAndWritesTheMatrixAsText) {
  ScratchFolder folder;
  const Grid matrix = gridOf({{"", "Live Wt"}, {"Live Wt", ""}});
  SaveRequestDialogs dialogs(folder / "corr.txt");
  const auto written = SaveCorrelations(matrix, "North", folder.path(), dialogs);
  EXPECT_EQ(dialogs.request.title, "File To Save Correlations");
  EXPECT_EQ(dialogs.request.fileName, "North Corr.txt");
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("\tLive Wt\r\nLive Wt\t\r\n"));
}

}  // namespace
}  // namespace plumetra

// Saving grids: the save dialog's choices, the file it writes (read back through the
// workbook reader or as text), the popup's "Save to Excel" and the correlation file.

#include "views/save_grids.h"

#include "views/free_format.h"
#include "views/scripted_dialogs.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using testing::ScratchFolder;
using Rows = std::vector<std::vector<std::string>>;

Grid gridOf(const Rows& texts) {
  Grid grid(static_cast<int>(texts.size()), static_cast<int>(texts.front().size()));
  for (size_t r = 0; r < texts.size(); ++r)
    for (size_t c = 0; c < texts[r].size(); ++c) grid.setText(static_cast<int>(r), static_cast<int>(c), texts[r][c]);
  return grid;
}

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
  std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> openFile(const FileDialogRequest&) override { return std::nullopt; }
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

TEST(SaveDialog, OpensWithNoDataSetChosenAndTheBoxesExcludeEachOther) {
  SaveDialog dialog = OpenSaveDialog();
  EXPECT_EQ(dialog.Combo1.index, -1);
  TickCheck1(dialog, true);
  TickCheck2(dialog, true);
  EXPECT_TRUE(dialog.Check2.checked);
  EXPECT_FALSE(dialog.Check1.checked);
  TickCheck2(dialog, false);
  EXPECT_FALSE(dialog.Check1.checked);
  EXPECT_FALSE(dialog.Check2.checked);
}

TEST(SaveDialog, ProposesTheLocationNameWithTheExtensionOfTheTickedKind) {
  ScratchFolder folder;
  SaveDialog dialog = OpenSaveDialog();
  const Grid grid = smallTable("No");
  const SaveSources sources{grid, grid, grid, 1};

  SaveRequestDialogs asWorkbook{{}};
  SaveDialog_OK(dialog, sources, "/data/Farm One", folder.path(), asWorkbook);
  EXPECT_EQ(asWorkbook.request.fileName, "/data/Farm One.xls");
  EXPECT_EQ(asWorkbook.request.filter, "*.xls");
  EXPECT_EQ(asWorkbook.request.initialFolder, folder.path());

  TickCheck1(dialog, true);
  SaveRequestDialogs asText{{}};
  EXPECT_FALSE(SaveDialog_OK(dialog, sources, "/data/Farm One", folder.path(), asText));
  EXPECT_EQ(asText.request.fileName, "/data/Farm One.txt");
  EXPECT_EQ(asText.request.filter, "*.txt");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveDialog, WritesTheFlockGridIntoLastDirUnderTheChosenTitleAsAWorkbook) {
  ScratchFolder folder;
  std::filesystem::create_directories(folder / "elsewhere");
  const Grid analysis = smallTable("Analysis"), flock = smallTable("House"), diet = smallTable("Diet");
  SaveDialog dialog = OpenSaveDialog();
  dialog.Combo1.choose(static_cast<int>(SaveEntry::FlockData));
  TickCheck2(dialog, true);

  ScriptedDialogs dialogs;
  const std::filesystem::path expected = folder / "Flocks.xlsx";
  dialogs.expectSaveFile("Select Data to Save", (folder / "elsewhere" / "Flocks.xls").string())
      .expectMessage(SavedAsText(expected));
  const auto written = SaveDialog_OK(dialog, {analysis, flock, diet, 1}, "Farm", folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, expected);
  EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere" / "Flocks.xlsx"));
  EXPECT_EQ(readBack(expected), (Rows{{"text:House", "text:Live Wt", "text:Farm"},
                                      {"number:1", "number:2.45", "text:North"},
                                      {"number:2", "number:2.61", "text:South"}}));
}

TEST(SaveDialog, SortedTableSavesTheHeadingsAndTheFlockRowsAsText) {
  ScratchFolder folder;
  // Row 2 is a statistics row and is left out; the flock rows start at row 4.
  const Grid analysis = gridOf({{"Row", "Convix"}, {"", ""}, {"", "Average"}, {"", ""}, {"7", "1.55"}, {"3", "1.61"}});
  const Grid other;
  SaveDialog dialog = OpenSaveDialog();
  dialog.Combo1.choose(static_cast<int>(SaveEntry::SortedTable));
  TickCheck1(dialog, true);

  ScriptedDialogs dialogs;
  dialogs.expectSaveFile("", (folder / "Sorted.txt").string());
  const auto written = SaveDialog_OK(dialog, {analysis, other, other, 4}, "Farm", folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("Row\tConvix\r\n7\t1.55\r\n3\t1.61\r\n"));
}

TEST(SaveDialog, WithNoDataSetChosenSavesTheDialogsOwnGrid) {
  ScratchFolder folder;
  const Grid other = smallTable("Main");
  SaveDialog dialog = OpenSaveDialog();
  dialog.GridCopy = gridOf({{"Copy", ""}});
  TickCheck1(dialog, true);
  ScriptedDialogs dialogs;
  dialogs.expectSaveFile("", (folder / "own.txt").string());
  const auto written = SaveDialog_OK(dialog, {other, other, other, 1}, "Farm", folder.path(), dialogs);
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("Copy\t\r\n"));
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

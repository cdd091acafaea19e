// The grids saved as text or workbooks through the save dialogs, and the names of stored sets:
// plain names pass as they stand, anything else is refused, and a name taken from a file is made
// plain.

#include "files/save_grids.h"

#include "controls/scripted_dialogs.h"
#include "files/file_name.h"
#include "files/free_format.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(SaveDialog, ProposesTheLocationNameWithTheExtensionOfTheTickedKindOnceADataSetIsChosen) {
  ScratchFolder folder;
  SaveDialog dialog = openSaveDialog();
  const Grid grid = smallTable("No");
  const SaveSources sources{grid, grid, grid, 1};
  ScriptedDialogs unchosen;
  unchosen.expectMessage("Choose the data to save under \"Select a Data Set\" first; nothing was saved.");
  EXPECT_FALSE(saveChosenData(dialog, sources, "Farm", folder.path(), unchosen));
  EXPECT_TRUE(unchosen.finished()) << ::testing::PrintToString(unchosen.failures());
  dialog.dataSet.choose(static_cast<int>(SaveEntry::DietInformation));

  for (const bool text : {false, true}) {
    tickAsText(dialog, text);
    SaveRequestDialogs cancelled{{}};
    EXPECT_FALSE(saveChosenData(dialog, sources, "/data/Farm One", folder.path(), cancelled));
    EXPECT_EQ(cancelled.request.fileName, text ? "/data/Farm One.txt" : "/data/Farm One.xls");
    EXPECT_EQ(cancelled.request.filter, text ? "*.txt" : "*.xls");
    EXPECT_EQ(cancelled.request.initialFolder, folder.path());
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveDialog, WritesIntoTheChosenFolderAndAsksBeforeReplacingTheChangedName) {
  ScratchFolder folder;
  std::filesystem::create_directories(folder / "elsewhere");
  const std::filesystem::path changed = folder / "elsewhere" / "Flocks.xlsx";
  testing::writeBytes(changed, "a workbook of the user's own");
  const Grid analysis = smallTable("Analysis"), flock = smallTable("House"), diet = smallTable("Diet");
  SaveDialog dialog = openSaveDialog();
  dialog.dataSet.choose(static_cast<int>(SaveEntry::FlockData));
  tickAsWorkbook(dialog, true);
  const std::string question =
      "The data are saved as " + changed.string() + ", and a file of that name exists. Replace it?";

  ScriptedDialogs no;  // typed "Flocks.xls": the other file is kept
  no.expectSaveFile("Select Data to Save", (folder / "elsewhere" / "Flocks.xls").string()).expectYesNo(question, false);
  EXPECT_FALSE(saveChosenData(dialog, {analysis, flock, diet, 1}, "Farm", folder.path(), no));
  EXPECT_TRUE(no.finished()) << ::testing::PrintToString(no.failures());
  EXPECT_EQ(readTextFile(changed), std::optional<std::string>("a workbook of the user's own"));

  ScriptedDialogs yes;
  yes.expectSaveFile("", (folder / "elsewhere" / "Flocks.xls").string())
      .expectYesNo(question, true)
      .expectMessage(savedAsText(changed));
  const auto written = saveChosenData(dialog, {analysis, flock, diet, 1}, "Farm", folder.path(), yes);
  EXPECT_TRUE(yes.finished()) << ::testing::PrintToString(yes.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, changed);
  EXPECT_EQ(readBack(changed).at(0).at(0), "text:House");
}

TEST(SaveDialog, SortedTableSavesTheHeadingsAndTheFlockRowsAsText) {
  ScratchFolder folder;
  // Row 2 is a statistics row and is left out; the flock rows start at row 4.
  const Grid analysis = gridOf({{"Row", "Convix"}, {"", ""}, {"", "Average"}, {"", ""}, {"7", "1.55"}, {"3", "1.61"}});
  const Grid other;
  SaveDialog dialog = openSaveDialog();
  dialog.dataSet.choose(static_cast<int>(SaveEntry::SortedTable));
  tickAsText(dialog, true);

  ScriptedDialogs dialogs;
  dialogs.expectSaveFile("", (folder / "Sorted.txt").string());
  const auto written = saveChosenData(dialog, {analysis, other, other, 4}, "Farm", folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("Row\tConvix\r\n7\t1.55\r\n3\t1.61\r\n"));
}

// A No to the question keeps the old file: the save dialog's test.
TEST(SaveToExcel, AsksForTheNameAndWritesTheWorkbookIntoLastDirOverAnOldFileWhenAllowed) {
  ScratchFolder folder;
  for (const bool cancelled : {false, true}) {  // an empty or cancelled answer saves nothing
    ScriptedDialogs dialogs;
    if (!cancelled) dialogs.expectInput("File Name ?", "");
    EXPECT_FALSE(saveGridToExcel(smallTable("House"), folder.path(), dialogs));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  testing::writeBytes(folder / "SortedFile.xlsx", "old bytes");
  const std::string question = "The data are saved as " + (folder / "SortedFile.xlsx").string() +
                               ", and a file of that name exists. Replace it?";
  ScriptedDialogs dialogs;
  dialogs.expectInput("File Name ?", "SortedFile.xls")
      .expectYesNo(question, true)
      .expectMessage(savedAsText(folder / "SortedFile.xlsx"));
  const auto written = saveGridToExcel(smallTable("House"), folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readBack(*written).at(1).at(2), "text:North");
}

TEST(SaveCorrelations, ProposesTheLocationNameAndWritesTheMatrixAsText) {
  ScratchFolder folder;
  const Grid matrix = gridOf({{"", "Live Wt"}, {"Live Wt", ""}});
  SaveRequestDialogs dialogs(folder / "corr.txt");
  const auto written = saveCorrelations(matrix, "North", folder.path(), dialogs);
  EXPECT_EQ(dialogs.request.title, "File To Save Correlations");
  EXPECT_EQ(dialogs.request.fileName, "North Corr.txt");
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("\tLive Wt\r\nLive Wt\t\r\n"));
}

TEST(PlainFileName, LettersDigitsSpaceDashUnderscoreAndPointOnlyAndANameFromAFileIsMadePlain) {
  for (const std::string& name : std::vector<std::string>{"Farm", "Farm 2024-05_b.v2", "\xC3\x98""deg\xC3\xA5rd", std::string(100, 'x')})
    EXPECT_TRUE(isPlainFileName(name)) << name;
  for (const std::string& name : std::vector<std::string>{"", "-rf", ".hidden", "..", "a/b", "a\\b", "Farm\nTop", "Farm\tTop", "\x1b[2J",
                                 "Farm\xE2\x80\xAE", "bad\xC3", "\xC3\x97", std::string(101, 'x'), std::string("a\0b", 3)})
    EXPECT_FALSE(isPlainFileName(name)) << name;

  // A name taken from a file is made plain the same way.
  EXPECT_EQ(plainFileName("Farm 2024", "Flocks"), "Farm 2024");
  EXPECT_EQ(plainFileName("-Farm\x1b[1m", "Flocks"), "_Farm__1m");
  EXPECT_EQ(plainFileName(".hidden", "Flocks"), "_hidden");
  EXPECT_EQ(plainFileName("Farm\xE2\x80\xAE", "Flocks"), "Farm_");  // one mark for the three bytes
  EXPECT_EQ(plainFileName(std::string(300, 'y'), "Flocks"), std::string(100, 'y'));
  EXPECT_EQ(plainFileName("\n\t", "Flocks"), "Flocks");
  for (const std::string& name : std::vector<std::string>{"-Farm\x1b[1m", "\xC3", ".", std::string("a\0b", 3)}) EXPECT_TRUE(isPlainFileName(plainFileName(name, "F")));
}

}  // namespace
}  // namespace plumetra

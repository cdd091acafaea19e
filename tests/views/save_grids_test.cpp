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

// A 3-column table: headings, then two rows.
Grid smallTable(const std::string& firstHeading) {
  Grid grid(3, 3);
  grid.setText(0, 0, firstHeading);
  grid.setText(0, 1, "Live Wt");
  grid.setText(0, 2, "Farm");
  grid.setText(1, 0, "1");
  grid.setText(1, 1, "2.45");
  grid.setText(1, 2, "North");
  grid.setText(2, 0, "2");
  grid.setText(2, 1, "2.61");
  grid.setText(2, 2, "South");
  return grid;
}

// Records the save request and answers with a fixed path.
class SaveRequestDialogs final : public Dialogs {
 public:
  explicit SaveRequestDialogs(std::filesystem::path answer) : answer_(std::move(answer)) {}
  void message(const std::string& text, const std::string&) override { messages.push_back(text); }
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
  std::vector<std::string> messages;

 private:
  std::filesystem::path answer_;
};

std::vector<std::vector<std::string>> readBack(const std::filesystem::path& file, const std::string& sheet) {
  auto workbook = openWorkbook(file);
  EXPECT_TRUE(workbook.ok()) << (workbook.ok() ? "" : workbook.error());
  if (!workbook.ok()) return {};
  auto read = workbook.get()->readSheet(sheet);
  EXPECT_TRUE(read.ok());
  if (!read.ok()) return {};
  std::vector<std::vector<std::string>> cells;
  for (const SheetRow& row : read.get().rows) {
    cells.emplace_back();
    for (const SheetCell& cell : row) {
      if (const auto* text = std::get_if<std::string>(&cell)) cells.back().push_back(*text);
      else if (const auto* number = std::get_if<double>(&cell)) cells.back().push_back(std::to_string(*number));
      else cells.back().emplace_back();
    }
  }
  return cells;
}

TEST(SaveDialog, OpensWithTheFourDataSetsAndTheBoxesExcludeEachOther) {
  SaveDialog dialog = OpenSaveDialog();
  EXPECT_EQ(dialog.caption, "Select Data to Save");
  EXPECT_EQ(dialog.Combo1.items, (std::vector<std::string>{"Analysis Results With Data", "Sorted Table",
                                                            "Flock Data", "Diet Information"}));
  EXPECT_EQ(dialog.Combo1.index, -1);

  TickCheck1(dialog, true);
  EXPECT_TRUE(dialog.Check1.checked);
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
  const Grid analysis = smallTable("Analysis");
  const Grid flock = smallTable("House");
  const Grid diet = smallTable("Diet");
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

  const auto cells = readBack(expected, "Flock Data");
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0], (std::vector<std::string>{"House", "Live Wt", "Farm"}));
  EXPECT_EQ(cells[2][2], "South");
  EXPECT_DOUBLE_EQ(std::stod(cells[1][1]), 2.45);
}

TEST(SaveDialog, SortedTableSavesTheHeadingsAndTheFlockRowsAsText) {
  ScratchFolder folder;
  Grid analysis(6, 2);
  analysis.setText(0, 0, "Row");
  analysis.setText(0, 1, "Convix");
  analysis.setText(2, 1, "Average");  // a statistics row: left out
  analysis.setText(4, 0, "7");
  analysis.setText(4, 1, "1.55");
  analysis.setText(5, 0, "3");
  analysis.setText(5, 1, "1.61");
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
  dialog.GridCopy = Grid(1, 2);
  dialog.GridCopy.setText(0, 0, "Copy");
  TickCheck1(dialog, true);
  ScriptedDialogs dialogs;
  dialogs.expectSaveFile("", (folder / "own.txt").string());
  const auto written = SaveDialog_OK(dialog, {other, other, other, 1}, "Farm", folder.path(), dialogs);
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("Copy\t\r\n"));
}

TEST(SaveToExcel, AsksForTheNameAndWritesTheWorkbookIntoLastDir) {
  ScratchFolder folder;
  const Grid target = smallTable("House");
  ScriptedDialogs dialogs;
  dialogs.expectInput("File Name ?", "SortedFile.xls").expectMessage(SavedAsText(folder / "SortedFile.xlsx"));
  const auto written = SaveToExcel(target, folder.path(), dialogs);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  ASSERT_TRUE(written);
  EXPECT_EQ(readBack(*written, "SortedFile").at(1).at(2), "North");
}

TEST(SaveToExcel, AnEmptyOrCancelledAnswerSavesNothing) {
  ScratchFolder folder;
  const Grid target = smallTable("House");
  for (const std::string answer : {"", "cancel"}) {
    ScriptedDialogs dialogs;
    if (answer.empty()) dialogs.expectInput("File Name ?", "");
    EXPECT_FALSE(SaveToExcel(target, folder.path(), dialogs));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveToExcel, AnExistingFileIsOverwritten) {
  ScratchFolder folder;
  testing::writeBytes(folder / "Book.xlsx", "old bytes");
  ScriptedDialogs dialogs;
  dialogs.expectInput("", "Book.xlsx");
  ASSERT_TRUE(SaveToExcel(smallTable("New"), folder.path(), dialogs));
  EXPECT_EQ(readBack(folder / "Book.xlsx", "Book").at(0).at(0), "New");
}

TEST(SaveCorrelations, ProposesTheLocationNameAndWritesTheMatrixAsText) {
  ScratchFolder folder;
  Grid matrix(2, 2);
  matrix.setText(0, 1, "Live Wt");
  matrix.setText(1, 0, "Live Wt");
  SaveRequestDialogs dialogs(folder / "corr.txt");
  const auto written = SaveCorrelations(matrix, "North", folder.path(), dialogs);
  EXPECT_EQ(dialogs.request.title, "File To Save Correlations");
  EXPECT_EQ(dialogs.request.fileName, "North Corr.txt");
  ASSERT_TRUE(written);
  EXPECT_EQ(readTextFile(*written), std::optional<std::string>("\tLive Wt\r\nLive Wt\t\r\n"));
}

}  // namespace
}  // namespace plumetra

#include "files/zip_package.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>


namespace plumetra {
namespace {

using testing::Rows;

Grid flockGrid() {
  return testing::gridOf({{"House", "Birds", "Weight", "Code"},
                          {"North 1", "25000", "2.345", "007"},
                          {"North 2", "-3.5", "1,5", ""},
                          {"", "1E3", "12 birds", "0.5"}});
}

TEST(XlsxWriter, GridReadsBackAsTheSameTextsAndNumbers) {
  testing::ScratchFolder folder;
  Grid grid = flockGrid();
  grid.resize(4, 5);
  grid.setText(0, 4, "Caf\xE9 Nord");        // not UTF-8 (an old Windows CSV file): taken as Latin-1
  grid.setText(1, 4, "Gewicht \xC3\xBC");   // valid UTF-8 stays as it is
  auto written = writeXlsx(folder / "flocks.xlsx", {{"Flock Data", &grid}});
  ASSERT_TRUE(written.ok()) << written.error();
  EXPECT_EQ(written.get(), folder / "flocks.xlsx");
  EXPECT_EQ(testing::cellStrings(testing::readOnlySheet(written.get())),
            (Rows{{"text:House", "text:Birds", "text:Weight", "text:Code", "text:Caf\xC3\xA9 Nord"},
                  {"text:North 1", "number:25000", "number:2.345", "text:007", "text:Gewicht \xC3\xBC"},
                  {"text:North 2", "number:-3.5", "number:1.5", "empty", "empty"},
                  {"empty", "number:1000", "text:12 birds", "number:0.5", "empty"}}));
}

TEST(XlsxWriter, XlsNameIsWrittenAsXlsxOverTheOldFileAndNoTemporaryFileStays) {
  testing::ScratchFolder folder;
  const Grid grid = flockGrid();
  testing::writeBytes(folder / "SortedFile.xlsx", "old contents");
  for (const char* asked : {"SortedFile.xls", "SortedFile.XLS", "SortedFile"}) {
    auto written = writeXlsx(folder / asked, {{"Sorted", &grid}});
    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(written.get(), folder / "SortedFile.xlsx") << asked;
  }
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"SortedFile.xlsx"});
}

TEST(XlsxWriter, KeepsSetBackgroundsAndColumnWidths) {
  testing::ScratchFolder folder;
  Grid grid = flockGrid();
  grid.setBackground(1, 1, colours::Matched);
  grid.setBackground(2, 3, Rgb{0, 128, 255});
  grid.setColWidth(2, 1500);  // 100 pixels
  auto written = writeXlsx(folder / "colours.xlsx", {{"Data", &grid}});
  ASSERT_TRUE(written.ok()) << written.error();

  auto package = ZipPackage::open(written.get());
  ASSERT_TRUE(package);
  const std::string styles = package->read("xl/styles.xml").bytes;
  EXPECT_NE(styles.find("FFFF7C00"), std::string::npos);
  EXPECT_NE(styles.find("FF0080FF"), std::string::npos);

  pugi::xml_document sheet;
  ASSERT_TRUE(sheet.load_string(package->read("xl/worksheets/sheet1.xml").bytes.c_str()));
  // An empty cell (D3) keeps its colour; the heading band's own grey (A1) is not written.
  for (const auto& [ref, styled] : {std::pair{"B2", true}, {"D3", true}, {"A2", false}, {"A1", false}}) {
    const pugi::xml_node cell = sheet.select_node((std::string("//c[@r='") + ref + "']").c_str()).node();
    EXPECT_EQ(std::string(cell.attribute("s").value()).empty(), !styled) << ref;
  }
  // The file stores a column of 100 pixels of the default font (7-pixel digits, 5 pixels of
  // padding) as (13.57 characters * 7 + 5) / 7 = 100 / 7, truncated to 1/256.
  const pugi::xml_node column = sheet.select_node("//col[@min='3']").node();
  EXPECT_NEAR(column.attribute("width").as_double(), 100.0 / 7, 1.0 / 256);
}

TEST(TsvWriter, WritesTabsAndCrLfAndTheFilePastesBackIntoTheSameGrid) {
  testing::ScratchFolder folder;
  const Grid grid = flockGrid();
  auto written = writeTsv(folder / "flocks.txt", grid);
  ASSERT_TRUE(written.ok()) << written.error();
  Grid pasted(grid.rows(), grid.cols());
  pasted.setCurrent(0, 0);
  pasted.paste(testing::readBytes(written.get()));
  EXPECT_EQ(gridToTsv(pasted), gridToTsv(grid));

  Grid withBreaks = flockGrid();
  withBreaks.setText(3, 2, "two\twords\r\nand a line");
  EXPECT_EQ(gridToTsv(withBreaks),
            "House\tBirds\tWeight\tCode\r\n"
            "North 1\t25000\t2.345\t007\r\n"
            "North 2\t-3.5\t1,5\t\r\n"
            "\t1E3\ttwo words  and a line\t0.5\r\n");
}

}  // namespace
}  // namespace plumetra

// The writers read back: workbooks and tab-separated text keep the grid's texts, numbers,
// colours and widths; the SVG chart is well-formed XML whatever the data, its points placed on
// the axes' scale.

#include "files/svg_chart.h"
#include "files/zip_package.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>

namespace plumetra {
namespace {

using testing::Rows;

Grid flockGrid() {
  return testing::gridOf({{"House", "Birds", "Weight", "Code"},
                          {"North 1", "25000", "2.345", "007"},
                          {"North 2", "-3.5", "1,5", ""},
                          {"", "1E3", "12 birds", "0.5"}});
}

TEST(XlsxWriter, GridReadsBackAsTheSameTextsAndNumbersWithItsSetBackgroundsAndColumnWidths) {
  testing::ScratchFolder folder;
  Grid grid = flockGrid();
  grid.resize(4, 5);
  grid.setText(0, 4, "Caf\xE9 Nord");        // not UTF-8 (an old Windows CSV file): taken as Latin-1
  grid.setText(1, 4, "Gewicht \xC3\xBC");   // valid UTF-8 stays as it is
  grid.setBackground(1, 1, colours::Matched);
  grid.setBackground(2, 3, Rgb{0, 128, 255});
  grid.setColWidth(2, 1500);  // 100 pixels
  auto written = writeXlsx(folder / "flocks.xlsx", {{"Flock Data", &grid}});
  ASSERT_TRUE(written.ok()) << written.error();
  EXPECT_EQ(testing::cellStrings(testing::readOnlySheet(written.get())),
            (Rows{{"text:House", "text:Birds", "text:Weight", "text:Code", "text:Caf\xC3\xA9 Nord"},
                  {"text:North 1", "number:25000", "number:2.345", "text:007", "text:Gewicht \xC3\xBC"},
                  {"text:North 2", "number:-3.5", "number:1.5", "empty", "empty"},
                  {"empty", "number:1000", "text:12 birds", "number:0.5", "empty"}}));

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

TEST(SvgChart, TicksAndEscapes) {
  // 0..10 in about 6 ticks: raw step 2 -> 0, 2, ..., 10; 1.4..2.05 -> step 0.1 (raw 0.13).
  EXPECT_EQ(niceTicks(0, 10, 6), (std::vector<double>{0, 2, 4, 6, 8, 10}));
  const std::vector<double> fine = niceTicks(1.4, 2.05, 6);
  ASSERT_FALSE(fine.empty());
  EXPECT_NEAR(fine.front(), 1.4, 1e-12);
  EXPECT_NEAR(fine[1] - fine[0], 0.2, 1e-12);  // raw 0.13 rounds up to 0.2
  EXPECT_TRUE(niceTicks(1, 1, 6).empty());
  EXPECT_EQ(escapeXml("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
}

TEST(SvgChart, WellFormedAndScaled) {
  SvgChartSpec spec{"FCR <by> weight & age", "x", "y", {}, 400, 300};
  spec.lines.push_back({"points", {0, 5, 10, NAN}, {0, 5, 10, 3}, SeriesStyle::Points, "#123456", false});
  spec.lines.push_back({"1:1", {0, 10}, {0, 10}, SeriesStyle::Line, "#000", true});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(svgChart(spec).c_str()));
  const pugi::xml_node svg = doc.child("svg");
  EXPECT_STREQ(svg.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  EXPECT_EQ(std::string(svg.child("text").text().get()), "FCR <by> weight & age");
  // Three finite points plus one legend mark; the NaN point is left out.
  int circles = 0;
  double firstX = -1, lastX = -1;
  for (pugi::xml_node c : svg.children("circle")) {
    if (++circles == 1) firstX = c.attribute("cx").as_double();
    if (circles == 3) lastX = c.attribute("cx").as_double();
  }
  EXPECT_EQ(circles, 4);
  // The plot runs from x = 64 to 400 - 16 = 384 (320 px) over 0..10 widened by 3 % either side,
  // -0.3..10.3: 0 sits at 64 + 0.3 / 10.6 x 320 = 73.06, 10 at 64 + 10.3 / 10.6 x 320 = 374.94.
  EXPECT_NEAR(firstX, 73.06, 0.05);
  EXPECT_NEAR(lastX, 374.94, 0.05);
  EXPECT_TRUE(svg.find_child_by_attribute("polyline", "stroke-dasharray", "6 4"));
}

TEST(SvgChart, NoDataStillWellFormed) {
  SvgChartSpec spec{"Empty", "x", "y", {}, 300, 200};
  spec.lines.push_back({"nothing", {NAN}, {1}, SeriesStyle::Line, "#000", false});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(svgChart(spec).c_str()));
  EXPECT_NE(svgChart(spec).find("No data"), std::string::npos);
  // One value: the axis is widened around it instead of dividing by a zero range.
  SvgChartSpec single{"One", "x", "y", {{"p", {2}, {3}, SeriesStyle::Points, "#000", false}}, 300, 200};
  EXPECT_EQ(svgChart(single).find("nan"), std::string::npos);
}

}  // namespace
}  // namespace plumetra

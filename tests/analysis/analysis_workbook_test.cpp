// Numbers that look like numbers, and the analysis workbook: numeric cells as numbers with
// the grid's decimals, bold frozen headings, widths that fit them, and the colour legend.

#include "analysis/analysis_legend.h"
#include "analysis/split_statistics.h"
#include "analysis_fixture.h"
#include "controls/number_format.h"
#include "files/workbook.h"
#include "files/zip_package.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace plumetra {
namespace {

using test::TabFixture;

TEST(NumberTexts, NoBareOrTrailingPointAndWholeSheetNumbersStayWhole) {
  const std::pair<std::pair<double, const char*>, const char*> cases[] = {
      {{5, "0.##"}, "5"},          {{0.004, "##.#"}, "0"},      {{0.5, "##.##0"}, "0.500"},
      {{-0.5, "#0.##0"}, "-0.500"}, {{2.345, "0.##"}, "2.35"},  {{0.01, "##.##"}, "0.01"},
      {{1234.0, "####.0"}, "1234.0"}};
  for (const auto& [in, expected] : cases) EXPECT_EQ(formatPlain(in.first, in.second), expected) << in.second;
  // House 3 and age 36 from a workbook are whole; a weight keeps formatNum's decimals.
  const std::pair<double, const char*> sheetCases[] = {{3, "3"}, {36, "36"}, {2.5, "2.500"}, {0, "0"}};
  for (const auto& [value, expected] : sheetCases)
    EXPECT_EQ(formatSheetNumber(value), expected) << value;
}

// Twelve flocks through the split statistics, then the workbook as the analyze command writes it.
TEST(AnalysisWorkbook, NumbersWithTheirDecimalsBoldFrozenHeadingsAndALegend) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 12; ++i)
    rows.push_back({"Farm " + std::to_string(i % 3), std::to_string(i), std::to_string(2.0 + 0.05 * i),
                    std::to_string(1.50 + 0.01 * i * i), std::to_string(i), ""});
  TabFixture f({"Farm", "House", "Live Weight per Bird", "Convix", "Init. Order", ""}, rows);
  f.columns = {2, 1, 3};
  AnalysisView tab = f.tab();
  splitStatistics(tab);
  const Grid legend = analysisLegend();

  const testing::TestTempFolder folder("plumetra_analysis_book");
  const auto written = writeXlsx(folder / "analysis.xlsx",
                                 {{"Analysis Results", &f.anal, {1, 2, true, true}}, {"Legend", &legend, {1, 0, true, false}}});
  ASSERT_TRUE(written.ok()) << written.error();

  // Read back with the program's own reader: every cell that reads as a number is a number.
  const auto book = openWorkbook(written.get());
  ASSERT_TRUE(book.ok());
  const auto sheet = book.get()->readSheet("Analysis Results");
  ASSERT_TRUE(sheet.ok());
  int numbers = 0;
  for (int r = 0; r < f.anal.rows(); ++r)
    for (int c = 0; c < f.anal.cols(); ++c) {
      if (!f.anal.isNumber(r, c)) continue;
      ++numbers;
      const SheetCell& cell = sheet.get().rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      ASSERT_TRUE(std::holds_alternative<double>(cell)) << r << "," << c << " " << f.anal.text(r, c);
      EXPECT_NEAR(std::get<double>(cell), f.anal.value(r, c), 1e-12);
    }
  EXPECT_GT(numbers, 60);

  auto package = ZipPackage::open(written.get());
  ASSERT_TRUE(package);
  const std::string styles = package->read("xl/styles.xml").bytes;
  const std::string cells = package->read("xl/worksheets/sheet1.xml").bytes;
  EXPECT_NE(cells.find("xSplit=\"2\" ySplit=\"1\""), std::string::npos);
  EXPECT_NE(cells.find("state=\"frozen\""), std::string::npos);
  EXPECT_NE(styles.find("<b/>"), std::string::npos);
  // Every number carries a style, and the style's number format shows the grid's decimals:
  // "Live Weight per Bird" (20 characters) is at least 20 x 8 + 12 pixels wide.
  pugi::xml_document styleXml, sheetXml;
  ASSERT_TRUE(styleXml.load_string(styles.c_str()) && sheetXml.load_string(cells.c_str()));
  const auto codeAt = [&](const std::string& ref) -> std::string {
    const pugi::xml_node cell = sheetXml.select_node(("//c[@r='" + ref + "']").c_str()).node();
    if (!cell.attribute("s")) return "none";
    const std::string xf = "//cellXfs/xf[" + std::to_string(cell.attribute("s").as_int() + 1) + "]";
    const std::string id = styleXml.select_node(xf.c_str()).node().attribute("numFmtId").value();
    if (id == "0") return "General";
    return styleXml.select_node(("//numFmt[@numFmtId='" + id + "']").c_str()).node().attribute("formatCode").value();
  };
  // Row 23 (flock 1 sorted as written): house "1", weight "2.050000", and the means of row 12.
  EXPECT_EQ(codeAt("B23"), "0");
  EXPECT_EQ(codeAt("C23"), "0.000000");
  EXPECT_EQ(codeAt("D12"), "0.000");
  const double width = sheetXml.select_node("//col[@min='3']").node().attribute("width").as_double();
  EXPECT_GE(width * 7 + 5, 20 * 8 + 12 - 7);

  // The legend names the group and significance colours.
  const std::string legendCells = package->read("xl/worksheets/sheet2.xml").bytes;
  EXPECT_FALSE(legendCells.empty());
  for (const char* fill : {"FF97FFFF", "FFA2F4BE", "FFFF80C0", "FFFFFFA8", "FFCDAE00", "FFDB7093"})
    EXPECT_NE(styles.find(fill), std::string::npos) << fill;
}

}  // namespace
}  // namespace plumetra

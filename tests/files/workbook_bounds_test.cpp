// .xlsx files built to exhaust memory or time: each is refused, before the memory is taken,
// with a message naming the bound it passes.

#include "files/workbook.h"
#include "files/xlsx_limits.h"
#include "workbook_test_support.h"

namespace plumetra {
namespace {

using testing::MinimalXlsx;

std::string readError(const MinimalXlsx& book) {
  testing::ScratchFolder folder;
  testing::writeZip(folder / "book.xlsx", testing::minimalXlsxParts(book));
  auto opened = openWorkbook(folder / "book.xlsx");
  if (!opened.ok()) return opened.error();
  auto sheet = opened.get()->readSheet("Data");
  return sheet.ok() ? "read" : sheet.error();
}

std::string repeated(std::string_view item, std::size_t times) {
  std::string out;
  out.reserve(item.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += item;
  return out;
}

void expectRefusal(const MinimalXlsx& book, const std::string& limit) {
  const std::string error = readError(book);
  EXPECT_NE(error.find(" is larger than this program can read: " + limit + "."), std::string::npos) << error;
}

TEST(WorkbookBounds, InflatedPartsOverTheLimitAreRefused) {
  // 65 MB of rows; the package stays small.
  expectRefusal({.sheetData = repeated("<row></row>", 65 * 1024 * 1024 / 11 + 1)},
                "its parts unpack to more than 64 MB");
  // Shared strings of 42 MB and a sheet of 40 MB: each within the bound, not both.
  expectRefusal({.sheetData = repeated("<row></row>", 40 * 1024 * 1024 / 11),
                 .sharedStrings = repeated("<si><t>" + std::string(30000, 'x') + "</t></si>", 40 * 35)},
                "its parts unpack to more than 64 MB");
}

TEST(WorkbookBounds, PartsThatWouldTakeTooMuchMemoryToParseAreRefused) {
  // 2 million empty elements in 8 MB would take about 256 MB parsed.
  expectRefusal({.sheetData = repeated("<a/>", 2'000'000)}, "a part would take more than 192 MB of memory to read");
}

TEST(WorkbookBounds, SharedStringsBeyondTheirCountOrLengthAreRefused) {
  expectRefusal({.sheetData = "<row/>", .sharedStrings = repeated("<si/>", xlsx::MaxSharedStrings + 1)},
                "it holds more than 1000000 shared strings");
  // 32767 characters of three bytes each are within the bound; one more character is not.
  const std::string euro = "\xE2\x82\xAC";
  EXPECT_EQ(readError({.sheetData = "<row/>", .sharedStrings = "<si><t>" + repeated(euro, 32767) + "</t></si>"}),
            "read");
  expectRefusal({.sheetData = "<row/>", .sharedStrings = "<si><t>" + repeated(euro, 32768) + "</t></si>"},
                "a shared string is longer than 32767 characters");
}

TEST(WorkbookBounds, OneLongTextInManyCellsIsRefusedOnceTheSheetHoldsTooMuchText) {
  // 30000 bytes in 2300 cells is 69 MB.
  std::string rows;
  for (int row = 1; row <= 100; ++row) {
    rows += "<row>" + repeated(R"(<c t="s"><v>0</v></c>)", 23) + "</row>";
  }
  expectRefusal({.sheetData = rows, .sharedStrings = "<si><t>" + std::string(30000, 'x') + "</t></si>"},
                "sheet \"Data\" holds more than 64 MB of text");
}

// A shared-string index that a double would take ("nan" slipped past the range checks and
// crashed) reads as an empty cell.
TEST(WorkbookBounds, SharedStringIndexMustBeDigits) {
  testing::ScratchFolder folder;
  std::string cells;
  for (const char* index : {"0", " 1 ", "nan", "inf", "-0", "1e0", "0x1", "2", "18446744073709551616"})
    cells += std::string(R"(<c t="s"><v>)") + index + "</v></c>";
  testing::writeZip(folder / "index.xlsx",
                    testing::minimalXlsxParts({.sheetData = "<row>" + cells + "</row>",
                                               .sharedStrings = "<si><t>a</t></si><si><t>b</t></si>"}));
  EXPECT_EQ(testing::cellStrings(testing::readOnlySheet(folder / "index.xlsx")),
            (testing::Rows{{"text:a", "text:b"}}));
}

}  // namespace
}  // namespace plumetra

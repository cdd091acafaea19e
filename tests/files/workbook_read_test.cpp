// Workbooks saved by LibreOffice Calc as .xlsx and .xls (tests/data/README.md) read whole;
// files that are no readable workbook get their message; .xlsx files built to exhaust memory or
// time are refused, before the memory is taken, with a message naming the bound they pass.

#include "files/workbook.h"
#include "files/xlsx_limits.h"
#include "files/zip_package.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using testing::MinimalXlsx;
using testing::cellStrings;
using testing::fixture;
using testing::repeated;
using testing::Rows;

// The cells as typed into the source spreadsheet (flock_two_sheets.fods).
Rows expectedFlockRows(bool formulasKept) {
  Rows rows = {{"text:House", "text:Birds", "text:Weight", "text:Change", "text:Code", "text:Placed",
                "text:Total Weight", "text:Label"}};
  rows.push_back({"text:North 1", "number:25000", "number:2.345", "number:-3.5", "text:007", "text:2024-03-15",
                  formulasKept ? "number:58625" : "empty", formulasKept ? "text:North 1-007" : "empty"});
  rows.push_back({"text:North 2", "number:24000", "empty", "number:-0.25", "text:012", "text:2024-03-16 13:45",
                  formulasKept ? "number:48000" : "empty", "empty"});
  rows.push_back({"text:South", "number:0", "number:1234.5678", "empty", "number:7", "empty", "empty", "text:end"});
  return rows;
}

const Rows DietRows = {{"text:Diet", "text:Energy", "text:Protein"},
                       {"text:Starter", "number:3000", "number:22.5"},
                       {"text:Grower", "number:3100", "number:20"}};

// Each file is read under the other format's extension too: the reader follows the content.
TEST(RealWorkbook, ReadsBothSheetsOfTheXlsxAndXlsSavedByCalc) {
  testing::ScratchFolder folder;
  std::filesystem::copy_file(fixture("flock_two_sheets.xlsx"), folder / "really_xlsx.xls");
  std::filesystem::copy_file(fixture("flock_two_sheets.xls"), folder / "really_xls.xlsx");
  for (const auto& [path, xlsx] : {std::pair{fixture("flock_two_sheets.xlsx"), true},
                                   {fixture("flock_two_sheets.xls"), false},
                                   {folder / "really_xlsx.xls", true},
                                   {folder / "really_xls.xlsx", false}}) {
    SCOPED_TRACE(path);
    auto book = openWorkbook(path);
    ASSERT_TRUE(book.ok()) << book.error();
    EXPECT_EQ(book.get()->sheetNames(), (std::vector<std::string>{"Flock Data 2024", "Diets"}));
    auto flock = book.get()->readSheet("Flock Data 2024");
    ASSERT_TRUE(flock.ok()) << flock.error();
    EXPECT_EQ(cellStrings(flock.get()), expectedFlockRows(xlsx));  // .xls keeps no formula values
    auto diets = book.get()->readSheet("Diets");
    ASSERT_TRUE(diets.ok()) << diets.error();
    EXPECT_EQ(cellStrings(diets.get()), DietRows);
    EXPECT_TRUE(diets.get().warnings.empty());
    auto unknown = book.get()->readSheet("Flock Data");
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error(), "The workbook has no sheet named \"Flock Data\".");
    if (xlsx) continue;
    // The .xls flags its column of formulas because their values are lost.
    ASSERT_EQ(flock.get().warnings.size(), 1u);
    EXPECT_NE(flock.get().warnings[0].find("\"Total Weight\""), std::string::npos);
  }
}

TEST(PasswordProtection, IsReportedForBothFormats) {
  // password_protected.xls: saved by Calc with a password (BIFF8 with FILEPASS);
  // password_protected_xlsx_container.xlsx: the OLE container an encrypted .xlsx comes in.
  for (const char* file : {"password_protected.xls", "password_protected_xlsx_container.xlsx"}) {
    auto book = openWorkbook(fixture(file));
    ASSERT_FALSE(book.ok()) << file;
    EXPECT_EQ(book.error().rfind("This workbook is protected by a password", 0), 0u) << book.error();
    EXPECT_NE(book.error().find(file), std::string::npos) << book.error();
  }
}

std::string openError(const std::filesystem::path& path) {
  auto book = openWorkbook(path);
  return book.ok() ? "opened" : book.error();
}

TEST(WorkbookBadInput, EachUnreadableFileGetsItsMessage) {
  testing::ScratchFolder folder;
  const std::string calcXlsx = testing::readBytes(fixture("flock_two_sheets.xlsx"));
  const std::string calcXls = testing::readBytes(fixture("flock_two_sheets.xls"));
  testing::writeBytes(folder / "empty.xls", "");
  testing::writeBytes(folder / "binary.xls", std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10) + std::string(500, '\x90'));
  testing::writeBytes(folder / "text.xlsx", "House,Birds\r\nNorth,25000\r\n");
  testing::writeBytes(folder / "truncated.xlsx", calcXlsx.substr(0, calcXlsx.size() / 2));
  testing::writeBytes(folder / "truncated.xls", calcXls.substr(0, 3000));
  testing::writeBytes(folder / "signature_only.xls", calcXls.substr(0, 8));
  testing::writeZip(folder / "photos.xlsx", {{"holiday/readme.txt", "not a workbook"}});
  std::filesystem::create_directories(folder / "folder.xlsx");

  const std::string notReadable = " is not a workbook this program can read.";
  const struct {
    std::string file, opening, ending;
  } cases[] = {
      {"missing.xlsx", "The file ", " could not be found."},
      {"folder.xlsx", "The path ", " is a folder or a device, not a file that can be opened."},
      {"empty.xls", "The file ", " is empty."},
      {"truncated.xlsx", "The workbook ", " is damaged or incomplete and cannot be read."},
      {"binary.xls", "The file ", notReadable},    {"text.xlsx", "The file ", notReadable},
      {"truncated.xls", "The file ", notReadable}, {"signature_only.xls", "The file ", notReadable},
      {"photos.xlsx", "The file ", notReadable},
  };
  for (const auto& c : cases)
    EXPECT_EQ(openError(folder / c.file), c.opening + (folder / c.file).string() + c.ending) << c.file;
  EXPECT_EQ(openError("/dev/null"), "The path /dev/null is a folder or a device, not a file that can be opened.");
  // FreeXL opens a damaged file and an encrypted one alike; only the encrypted one holds a
  // FILEPASS record, so the damaged one is not taken for password protected.
  const std::filesystem::path damaged = fixture("damaged_sector_bytes.xls");
  EXPECT_EQ(openError(damaged), "The workbook " + damaged.string() + " is damaged or incomplete and cannot be read.");
}

// What reading sheet "Data" of the package built from `book` gives: "read", the sheet's error,
// or the workbook's error after "not opened: ".
std::string readError(const MinimalXlsx& book) {
  testing::ScratchFolder folder;
  testing::writeZip(folder / "book.xlsx", testing::minimalXlsxParts(book));
  auto opened = openWorkbook(folder / "book.xlsx");
  if (!opened.ok()) return "not opened: " + opened.error();
  auto sheet = opened.get()->readSheet("Data");
  return sheet.ok() ? "read" : sheet.error();
}

// A damaged sheet part or a cell reference outside any spreadsheet fails only when read.
TEST(WorkbookBadInput, BadSheetPartIsAnErrorWhenThatSheetIsRead) {
  std::vector<MinimalXlsx> books = {{.worksheet = R"(<worksheet><sheetData><row r="1"><c r="A1"><v>1)"}};
  for (const std::string reference : {"ZZZZ99999999", "A0", "XFE1", "A1048577", "1A", ""})
    books.push_back({.sheetData = R"(<row r="1"><c r=")" + reference + R"("><v>1</v></c></row>)"});
  for (const MinimalXlsx& book : books) {
    SCOPED_TRACE(book.worksheet + book.sheetData);
    const std::string error = readError(book);
    EXPECT_NE(error, "read");
    EXPECT_FALSE(error.starts_with("not opened")) << error;
    if (!book.worksheet.empty()) {
      EXPECT_NE(error.find("is damaged or incomplete"), std::string::npos) << error;
    }
  }
}

TEST(WorkbookLimits, HugeDeclaredDimensionAllocatesOnlyWhatTheCellsNeed) {
  testing::ScratchFolder folder;
  testing::writeZip(folder / "huge_dimension.xlsx",
                    testing::minimalXlsxParts({.sheetData = R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1"><v>2</v></c></row>)",
                                               .dimension = R"(<dimension ref="A1:XFD1048576"/>)"}));
  const Sheet sheet = testing::readOnlySheet(folder / "huge_dimension.xlsx");
  EXPECT_EQ(testing::cellStrings(sheet), (testing::Rows{{"number:1", "number:2"}}));
  EXPECT_TRUE(sheet.warnings.empty());
}

TEST(WorkbookLimits, RowsAndColumnsBeyondTheLimitsAreCutWithWarnings) {
  testing::ScratchFolder folder;
  MinimalXlsx book;
  book.sheetData = R"(<row r="1"><c r="A1"><v>1</v></c><c r="IV1"><v>256</v></c><c r="IW1"><v>257</v></c>)"
                   R"(<c r="XFD1"><v>16384</v></c></row>)"
                   R"(<row r="5000"><c r="A5000"><v>5000</v></c></row>)"
                   R"(<row r="5001"><c r="A5001"><v>5001</v></c></row>)"
                   R"(<row r="1048576"><c r="A1048576"><v>1</v></c></row>)";
  testing::writeZip(folder / "large.xlsx", testing::minimalXlsxParts(book));
  const Sheet sheet = testing::readOnlySheet(folder / "large.xlsx");
  ASSERT_EQ(sheet.rows.size(), static_cast<size_t>(MaxSheetRows));
  ASSERT_EQ(sheet.rows[0].size(), static_cast<size_t>(MaxSheetCols));
  EXPECT_EQ(std::get<double>(sheet.rows[0][255]), 256);
  EXPECT_EQ(std::get<double>(sheet.rows[4999][0]), 5000);
  EXPECT_EQ(sheet.warnings, (std::vector<std::string>{
                                "Sheet \"Data\" has 1048576 rows; only the first 5000 were read.",
                                "Sheet \"Data\" has 16384 columns; only the first 256 were read."}));
}

TEST(WorkbookLimits, PackagePartsLargerThanTheLimitAreNotUnpacked) {
  testing::ScratchFolder folder;
  const std::string big(5000, 'x');
  testing::writeZip(folder / "parts.zip", {{"big.xml", big}, {"small.xml", "<a/>"}});
  auto package = ZipPackage::open(folder / "parts.zip");
  ASSERT_TRUE(package);
  EXPECT_EQ(package->read("big.xml", 4999).status, PartStatus::TooLarge);
  EXPECT_EQ(package->read("/BIG.xml", 5000).bytes, big);
  EXPECT_EQ(package->read("missing.xml").status, PartStatus::Missing);
}

// A percent-formatted cell reads as the percentage it shows; the same number without the format
// stays as it stands.
TEST(WorkbookRead, PercentFormattedCellsReadAsTheirPercent) {
  const auto rows = testing::readOnlySheet(fixture("mortality_percent_format.xlsx")).rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_DOUBLE_EQ(std::get<double>(rows[1][1]), 3.2);
  EXPECT_DOUBLE_EQ(std::get<double>(rows[2][1]), 4.5);
  EXPECT_DOUBLE_EQ(std::get<double>(rows[1][2]), 0.032);
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

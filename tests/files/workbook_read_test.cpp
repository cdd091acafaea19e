// One two-sheet workbook saved by LibreOffice Calc as .xlsx and as .xls (tests/data/README.md).

#include "files/workbook.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using testing::cellStrings;
using testing::fixture;
using testing::Rows;

// The cells as typed into the source spreadsheet (flock_two_sheets.fods).
const Rows FlockHeadings = {
    {"text:House", "text:Birds", "text:Weight", "text:Change", "text:Code", "text:Placed", "text:Total Weight",
     "text:Label"}};

Rows expectedFlockRows(bool formulasKept) {
  Rows rows = FlockHeadings;
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
    EXPECT_NE(flock.get().warnings[0].find("save the workbook as .xlsx or CSV"), std::string::npos);
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

}  // namespace
}  // namespace plumetra

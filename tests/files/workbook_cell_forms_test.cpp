// The forms a cell takes in an .xlsx package, date serials and number formats as read from
// workbooks, and the sheet names written to them.

#include "files/date_text.h"
#include "files/workbook.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

using testing::Rows;
using testing::MinimalXlsx;

// Style 0 general, 1 built-in 14 (date), 2 built-in 22 (date and time), 3 a custom date
// with escaped separators, 4 a custom number format whose "d" is quoted text,
// 5 a colour in brackets before a number, 6 built-in 4 (#,##0.00), 7 custom time "[h]:mm".
const std::string DateStyles =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<numFmts count="4"><numFmt numFmtId="164" formatCode="dd\.mm\.yyyy"/>)"
    R"(<numFmt numFmtId="165" formatCode="0.0&quot; days&quot;"/>)"
    R"(<numFmt numFmtId="166" formatCode="[Red]0.00"/><numFmt numFmtId="167" formatCode="[h]:mm"/></numFmts>)"
    R"(<cellXfs count="8"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="22"/><xf numFmtId="164"/>)"
    R"(<xf numFmtId="165"/><xf numFmtId="166"/><xf numFmtId="4"/><xf numFmtId="167"/></cellXfs></styleSheet>)";

TEST(XlsxVariants, EachFormReadsAsItsCells) {
  const std::string five = R"(<row r="1"><c r="A1"><v>5</v></c></row>)";
  const struct {
    const char* name;
    MinimalXlsx book;
    Rows expected;
  } cases[] = {
      {"relative target", {.sheetData = five}, {{"number:5"}}},
      {"absolute target", {.sheetData = five, .sheetTarget = "/xl/worksheets/sheet1.xml"}, {{"number:5"}}},
      {"dotted target", {.sheetData = five, .sheetTarget = "./worksheets/../worksheets/sheet1.xml"}, {{"number:5"}}},
      {"cells and rows without references follow the previous one",
       {.sheetData = R"(<row><c><v>1</v></c><c><v>2</v></c><c r="E1"><v>5</v></c><c><v>6</v></c></row>)"
                     R"(<row r="3"><c r="B3"><v>32</v></c><c><v>33</v></c></row><row><c><v>41</v></c></row>)"},
       {{"number:1", "number:2", "empty", "empty", "number:5", "number:6"},
        {"empty", "empty", "empty", "empty", "empty", "empty"},
        {"empty", "number:32", "number:33", "empty", "empty", "empty"},
        {"number:41", "empty", "empty", "empty", "empty", "empty"}}},
      {"rich text runs joined, phonetic runs skipped, escapes decoded, index out of range empty",
       {.sheetData = R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>)"
                     R"(<c r="C1" t="s"><v>2</v></c><c r="D1" t="s"><v>3</v></c><c r="E1" t="s"><v>4</v></c>)"
                     R"(<c r="F1" t="s"><v>99</v></c></row>)",
        .sharedStrings = R"(<si><t>plain</t></si>)"
                         R"(<si><r><rPr><b/></rPr><t>Bold</t></r><r><t xml:space="preserve"> part</t></r></si>)"
                         R"(<si><t>東京</t><rPh sb="0" eb="2"><t>トウキョウ</t></rPh><phoneticPr fontId="1"/></si>)"
                         R"(<si><t xml:space="preserve"> </t></si>)"
                         R"(<si><t>line_x000D__x000A_break and _x005F_x0041_</t></si>)"},
       {{"text:plain", "text:Bold part", "text:東京", "text: ", "text:line\r\nbreak and _x0041_"}}},
      {"formula results, booleans, errors, inline texts",
       {.sheetData = R"(<row r="1"><c r="A1"><f>1+1</f><v>2</v></c><c r="B1" t="str"><f>"a"&amp;"b"</f><v>ab</v></c>)"
                     R"(<c r="C1" t="b"><v>1</v></c><c r="D1" t="b"><v>0</v></c>)"
                     R"(<c r="E1" t="e"><f>1/0</f><v>#DIV/0!</v></c><c r="F1" t="inlineStr"><is><t>007</t></is></c>)"
                     R"(<c r="G1"><f>NOW()</f></c><c r="H1" s="0"/><c r="I1"><v>1.5E3</v></c></row>)"},
       {{"number:2", "text:ab", "text:TRUE", "text:FALSE", "text:#DIV/0!", "text:007", "empty", "empty",
         "number:1500"}}},
      // 45366 is 2024-03-15; .5729166667 of a day is 13:45; 0.75 alone is 18:00.
      {"date styles",
       {.sheetData = R"(<row r="1"><c r="A1" s="0"><v>45366</v></c><c r="B1" s="1"><v>45366</v></c>)"
                     R"(<c r="C1" s="2"><v>45367.5729166667</v></c><c r="D1" s="3"><v>45366</v></c>)"
                     R"(<c r="E1" s="4"><v>3.5</v></c><c r="F1" s="5"><v>2.25</v></c>)"
                     R"(<c r="G1" s="6"><v>1234.5</v></c><c r="H1" s="7"><v>0.75</v></c></row>)",
        .styles = DateStyles},
       {{"number:45366", "text:2024-03-15", "text:2024-03-16 13:45", "text:2024-03-15", "number:3.5",
         "number:2.25", "number:1234.5", "text:18:00"}}},
      {"prefixed element names",
       {.worksheet = R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                     R"(<x:sheetData><x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>Farm</x:t></x:is></x:c>)"
                     R"(</x:row></x:sheetData></x:worksheet>)"},
       {{"text:Farm"}}},
      // 43904 days after 1904-01-01 is 2024-03-15 (1462 days fewer than the 1900 count).
      {"1904 date system",
       {.sheetData = R"(<row r="1"><c r="A1" s="1"><v>43904</v></c><c r="B1" s="1"><v>0</v></c></row>)",
        .styles = DateStyles,
        .workbookPr = R"(<workbookPr date1904="1"/>)"},
       {{"text:2024-03-15", "text:1904-01-01"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScratchFolder folder;
    testing::writeZip(folder / "book.xlsx", testing::minimalXlsxParts(c.book));
    EXPECT_EQ(testing::cellStrings(testing::readOnlySheet(folder / "book.xlsx")), c.expected);
  }
}

TEST(SerialDateText, CountsDaysTheWayExcelDoes) {
  // Serial numbers as Excel and Calc show them (Format Cells > Date); the 1904 count and a time of
  // day come through the date styles above.
  const struct {
    double serial;
    bool date1904;
    std::optional<std::string> text;
  } cases[] = {
      {1, false, "1900-01-01"},       {59, false, "1900-02-28"},
      {60, false, "1900-02-29"},       // Excel's day that never was
      {61, false, "1900-03-01"},       {36526, false, "2000-01-01"},
      {45366, false, "2024-03-15"},   {45366.5, false, "2024-03-15 12:00"},
      {45366 + 13.0 / 24 + 45.0 / 1440 + 30.0 / 86400, false, "2024-03-15 13:45:30"},
      {45366.999999, false, "2024-03-16"},  // rounds to midnight of the next day
      {0.75, false, "18:00"},         {2958465, false, "9999-12-31"},
      {2958466, false, std::nullopt}, {-1, false, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(serialDateText(c.serial, c.date1904), c.text) << c.serial;
}

TEST(DateFormats, TokensCountOnlyOutsideQuotesBracketsAndEscapes) {
  const struct {
    const char* code;
    bool isDate;
  } cases[] = {
      {"yyyy-mm-dd", true},      {"dd\\.mm\\.yyyy", true},  {"[$-409]mmmm d, yyyy", true},
      {"h:mm AM/PM", true},      {"[h]:mm:ss", true},       {"mm:ss", true},
      {"General", false},        {"0.00", false},           {"#,##0", false},
      {"0.0\" days\"", false},   {"[Red]0.00", false},      {"0.00E+00", false},
      {"\\d0", false},           {"_)#,##0_)", false},      {"@", false},
      {"*-0", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isDateFormatCode(c.code), c.isDate) << c.code;
}

TEST(SheetNames, AreMadeValidAndUnique) {
  const std::vector<std::string> taken{"Flock Data", "Sheet"};
  const struct {
    std::string wanted;
    std::string name;
  } cases[] = {
      {"Analysis Results", "Analysis Results"}, {"a[1]:b*c?d/e\\f", "a_1__b_c_d_e_f"},
      {"A name that is much longer than thirty-one", "A name that is much longer than"},
      {"'Quoted'", "_Quoted_"}, {"", "Sheet (2)"}, {"   ", "Sheet (2)"},
      {"flock data", "flock data (2)"}, {"Flock Data", "Flock Data (2)"},
      {"Données über Ställe und Küken 2024", "Données über Ställe und Küken 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(validSheetName(c.wanted, taken), c.name) << c.wanted;
  EXPECT_EQ(validSheetName("x", {"x", "x (2)"}), "x (3)");
  EXPECT_EQ(validSheetName(std::string(31, 'a'), {std::string(31, 'a')}), std::string(27, 'a') + " (2)");
}

}  // namespace
}  // namespace plumetra

// Date serials and number formats read from workbooks, and the sheet names written to them.

#include "files/date_text.h"
#include "files/workbook.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

TEST(SerialDateText, CountsDaysTheWayExcelDoes) {
  // Serial numbers as Excel and Calc show them (Format Cells > Date).
  const struct {
    double serial;
    bool date1904;
    std::optional<std::string> text;
  } cases[] = {
      {1, false, "1900-01-01"},       {59, false, "1900-02-28"},
      {60, false, "1900-02-29"},       // Excel's day that never was
      {61, false, "1900-03-01"},       {36526, false, "2000-01-01"},
      {45366, false, "2024-03-15"},   {45366.5, false, "2024-03-15 12:00"},
      {45367.5729166667, false, "2024-03-16 13:45"},
      {45366 + 13.0 / 24 + 45.0 / 1440 + 30.0 / 86400, false, "2024-03-15 13:45:30"},
      {45366.999999, false, "2024-03-16"},  // rounds to midnight of the next day
      {0.75, false, "18:00"},         {2958465, false, "9999-12-31"},
      {2958466, false, std::nullopt}, {-1, false, std::nullopt},
      {0, true, "1904-01-01"},        {43904, true, "2024-03-15"},
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

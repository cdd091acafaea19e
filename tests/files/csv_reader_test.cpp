// Delimited text read by RFC 4180 through libcsv, decoded as UTF-8 or Windows-1252, with its
// numbers made plain. Expected tables are written out by hand from the input text.

#include "files/csv_reader.h"

#include <gtest/gtest.h>

#include "files/text_encoding.h"
#include "workbook_test_support.h"

namespace plumetra {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvReader, LineEndingsCrLfLfAndCrReadTheSame) {
  const Rows expected = {{"House", "Weight"}, {"A1", "2.61"}, {"A2", "2.40"}};
  for (const char* text : {"House,Weight\r\nA1,2.61\r\nA2,2.40\r\n", "House,Weight\nA1,2.61\nA2,2.40",
                           "House,Weight\rA1,2.61\rA2,2.40\r"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(readCsv(text).rows, expected);
  }
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsDoubledQuotesAndLineBreaks) {
  const CsvTable t = readCsv(
      "Farm,Note,Birds\r\n"
      "\"Pine Valley, North\",\"said \"\"wet\"\"\",20000\r\n"
      "\"Cedar\r\nRidge\", plain ,19000\r\n"
      ",,\r\n"  // a row of empty fields is no row
      "Oak,,18000\r\n");
  const Rows expected = {{"Farm", "Note", "Birds"},
                         {"Pine Valley, North", "said \"wet\"", "20000"},
                         {"Cedar\r\nRidge", "plain", "19000"},
                         {"Oak", "", "18000"}};
  EXPECT_EQ(t.rows, expected);
  EXPECT_TRUE(t.notes.empty());
}

TEST(CsvReader, TheSeparatorComesFromTheHeadingLine) {
  EXPECT_EQ(detectSeparator("House;Weight;Age\n1,5;2\n"), ';');
  EXPECT_EQ(detectSeparator("House\tWeight, kg\tAge\n"), '\t');
  EXPECT_EQ(detectSeparator("\"Weight; kg\",Age\n"), ',');  // quoted separators do not count
  EXPECT_EQ(detectSeparator("Weight\n2.5\n"), ',');
  EXPECT_EQ(detectSeparator("A,B;C\n"), ',');
  EXPECT_EQ(readCsv("A,B;C\n1,2;3\n").notes.size(), 1u);  // a doubtful choice is noted
}

TEST(CsvReader, DecimalCommasAndDigitGroupingBecomePlainNumbers) {
  // "20.001" is grouping here because "1.019.500" groups by points in the same column.
  const CsvTable semicolon = readCsv("W;FCR;Birds;Cost\n2,65;1,690;20.001;1.234,5\n2,4;1,7;1.019.500;980\n");
  EXPECT_EQ(semicolon.rows[1], (std::vector<std::string>{"2.65", "1.690", "20001", "1234.5"}));
  EXPECT_EQ(semicolon.rows[2], (std::vector<std::string>{"2.4", "1.7", "1019500", "980"}));

  const CsvTable comma = readCsv("Birds,Weight,Id\n\"1,234,567\",2.61,007\n\"20,001\",2.55,-3\n19850,\"2,650\",x1\n");
  EXPECT_EQ(comma.rows[1], (std::vector<std::string>{"1234567", "2.61", "007"}));
  EXPECT_EQ(comma.rows[2], (std::vector<std::string>{"20001", "2.55", "-3"}));
  EXPECT_EQ(comma.rows[3], (std::vector<std::string>{"19850", "2.650", "x1"}));  // by size: 2.65
  EXPECT_TRUE(comma.unclear.empty());
}

TEST(CsvReader, ANumberNeitherItsColumnNorTheFileSettlesIsLeftAndReported) {
  // Tab-separated (no decimal mark implied by the separator), every weight "d,ddd".
  const CsvTable t = readCsv("House\tWeight\n1\t2,618\n2\t2,121\n");
  EXPECT_EQ(t.unclear.size(), 2u);
  EXPECT_EQ(t.rows[1][1], "2,618");
  EXPECT_EQ(t.notes.size(), 2u);  // their wording: the state tests
  // Decimal commas elsewhere in the column settle it; so does a semicolon file.
  EXPECT_EQ(readCsv("W\tX\n2,618\t1\n2,5\t1\n").rows[1][0], "2.618");
  EXPECT_EQ(readCsv("W;X\n2,618;1\n").rows[1][0], "2.618");
}

// A table is read only as far as its bounds: fields past the last column are counted, not kept,
// and the reading stops at the first row past the last one kept.
TEST(CsvReader, ReadsOnlyToItsBounds) {
  const CsvTable wide = readCsv("A,B,C,D\n1,2,3,4\n5,6,,\n", ',', {.rows = 10, .cols = 2});
  EXPECT_EQ(wide.rows, (Rows{{"A", "B"}, {"1", "2"}, {"5", "6"}}));
  EXPECT_TRUE(wide.moreColumns);
  EXPECT_FALSE(wide.moreRows);
  // Blank fields past the bound are no text left out.
  EXPECT_FALSE(readCsv("A,B,,\n1,2, ,\n", ',', {.rows = 10, .cols = 2}).moreColumns);

  const CsvTable tall = readCsv("A\n1\n\n2\n3\n4\n", ',', {.rows = 3, .cols = 5});
  EXPECT_EQ(tall.rows, (Rows{{"A"}, {"1"}, {"2"}}));  // the blank line is no row
  EXPECT_TRUE(tall.moreRows);
  EXPECT_FALSE(readCsv("A\n1\n2\n\n", ',', {.rows = 3, .cols = 5}).moreRows);

  // A row longer than the piece the parser is fed at a time, cut to its first columns.
  std::string huge = "A,B\n1,2";
  for (int i = 0; i < 200'000; ++i) huge += ",x";
  const CsvTable cut = readCsv(huge + "\n3,4\n", ',', {.rows = 10, .cols = 2});
  EXPECT_EQ(cut.rows, (Rows{{"A", "B"}, {"1", "2"}, {"3", "4"}}));
  EXPECT_TRUE(cut.moreColumns);

  // A cell longer than a spreadsheet's is cut at a whole character ("é" is two bytes) and noted.
  const CsvTable longCell = readCsv("A\n\"x" + testing::repeated("\xC3\xA9", 20'000) + "\"\n");
  EXPECT_EQ(longCell.rows[1][0].size(), MaxCsvCellBytes);
  EXPECT_EQ(longCell.notes, std::vector<std::string>{"A cell holds more than 32767 characters; only its first 32767 were read."});
}

TEST(TextEncoding, AByteOrderMarkIsDroppedOnlyAtTheStart) {
  const CsvTable t = readCsv("\xEF\xBB\xBFHouse,Farm\n1,\xC3\x98""deg\xC3\xA5rd\n");
  EXPECT_EQ(t.rows, (Rows{{"House", "Farm"}, {"1", "\xC3\x98""deg\xC3\xA5rd"}}));  // Ødegård, its first letter kept
  EXPECT_FALSE(t.fromWindows1252);
  std::string converted;
  EXPECT_EQ(decodedView("a\xEF\xBB\xBF", converted), "a\xEF\xBB\xBF");  // a mark inside the text stays
}

TEST(TextEncoding, TextThatIsNotUtf8IsReadAsWindows1252) {
  // "Müller;Hof Süd;€ 5" as Windows-1252 bytes.
  std::string converted;
  bool fromWindows1252 = false;
  const std::string_view text = decodedView("M\xFCller;Hof S\xFC""d;\x80 5", converted, &fromWindows1252);
  EXPECT_TRUE(fromWindows1252);
  EXPECT_EQ(text, "M\xC3\xBCller;Hof S\xC3\xBC""d;\xE2\x82\xAC 5");
  EXPECT_FALSE(isValidUtf8("\xC3"));          // cut short
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_TRUE(isValidUtf8("\xF0\x9F\x90\x94"));
}

}  // namespace
}  // namespace plumetra

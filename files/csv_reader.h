#pragma once
// Delimited text tables (comma-, semicolon- or tab-separated) read by RFC 4180 with libcsv:
// quoted fields may hold separators, doubled quotes and line breaks; CR LF, LF and CR end a
// row alike. The text is decoded first (files/text_encoding.h). Numbers are written back with
// a decimal point and no digit grouping; a number that could be either ("2,650": 2650 with
// grouping, or 2.65 with a decimal comma) is settled by the other values of its column, and
// when they do not settle it the cell is left as written and listed as unclear.

#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

struct UnclearNumber {
  int row = 0, col = 0;  // table row (0 the headings) and column
  std::string text;
};

struct CsvTable {
  std::vector<std::vector<std::string>> rows;  // row 0 the headings; rows of empty fields left out
  char separator = ',';
  bool fromWindows1252 = false;
  std::vector<UnclearNumber> unclear;
  std::vector<std::string> notes;  // what the user should know: unclear numbers, separator doubts
  std::string problem;             // set when the text could not be parsed at all
};

// Reads `bytes`; `separator` 0 detects comma, semicolon or tab from the heading line.
CsvTable readCsv(std::string_view bytes, char separator = 0);

// The separator the heading line uses most (outside quotes); comma when none appears.
char detectSeparator(std::string_view text, bool* ambiguous = nullptr);

}  // namespace plumetra

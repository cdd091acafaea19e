#pragma once
// Delimited text tables (comma-, semicolon- or tab-separated) read by RFC 4180 with libcsv:
// quoted fields may hold separators, doubled quotes and line breaks; CR LF, LF and CR end a
// row alike. The text is decoded first (files/text_encoding.h). Numbers are written back with
// a decimal point and no digit grouping; a number that could be either ("2,650": 2650 with
// grouping, or 2.65 with a decimal comma) is settled by the other values of its column, and
// when they do not settle it the cell is left as written and listed as unclear.
// A table is read only as far as its bounds: the reading stops at the first row past them, and
// fields past the last column are counted, never kept, so a wide or long file costs no more
// than the table it yields.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

struct UnclearNumber {
  int row = 0, col = 0;  // table row (0 the headings) and column
  std::string text;
};

// The longest cell text kept, as a spreadsheet cell holds at most; longer cells are cut, noted.
inline constexpr std::size_t MaxCsvCellBytes = 32767;

// The rows (headings included) and columns a reader keeps.
struct CsvBounds {
  std::size_t rows = std::numeric_limits<std::size_t>::max();
  std::size_t cols = std::numeric_limits<std::size_t>::max();
};

struct CsvTable {
  std::vector<std::vector<std::string>> rows;  // row 0 the headings; rows of empty fields left out
  char separator = ',';
  bool fromWindows1252 = false;
  bool moreRows = false;     // the file holds a row past the bound; reading stopped there
  bool moreColumns = false;  // a field past the last column held text; it was left out
  std::vector<UnclearNumber> unclear;
  std::vector<std::string> notes;  // what the user should know: unclear numbers, separator doubts
  std::string problem;             // set when the text could not be parsed at all
};

// Reads `bytes`; `separator` 0 detects comma, semicolon or tab from the heading line. A first
// line "sep=;" (as Excel writes it) names the separator and is no row.
CsvTable readCsv(std::string_view bytes, char separator = 0, CsvBounds bounds = {});

// The separator the heading line uses most (outside quotes); comma when none appears.
char detectSeparator(std::string_view text, bool* ambiguous = nullptr);

}  // namespace plumetra

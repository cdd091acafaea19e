#pragma once
// A table from a text file (comma-, semicolon- or tab-separated, see files/csv_reader.h) put
// into a fresh grid: row 0 the headings, one row per line of data.

#include <string>
#include <string_view>
#include <vector>

#include "controls/grid.h"
#include "files/csv_reader.h"

namespace plumetra {

struct TextTableRead {
  Grid grid;
  std::vector<UnclearNumber> unclear;  // grid row and column of each unclear number
  std::vector<std::string> notes;      // what could not be settled or read, in the user's words
  bool hasData = false;                // a heading row and at least one row below it
  bool moreRows = false;               // the file holds rows past the last one kept
  bool moreColumns = false;            // text stood past the last column kept
};

// `separator` 0 detects it from the heading line. At most `maxRows` rows (the heading row
// included) and `maxCols` columns are kept; the grid is as wide as the widest row, plus one
// empty row and column.
TextTableRead readTextTable(std::string_view bytes, char separator, int maxRows, int maxCols);

}  // namespace plumetra

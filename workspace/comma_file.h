#pragma once
// Comma-separated flock files read into a grid, line by line, the first line into row 0.
// Commas always separate (quotes have no meaning); blanks around a field are trimmed.

#include <string>
#include <string_view>
#include <vector>

#include "controls/grid.h"

namespace plumetra {

inline constexpr int MaxCommasPerLine = 100;

struct CommaFileRead {
  int linesRead = 0;               // lines put into the grid, the heading line included
  int linesLeftOut = 0;            // lines beyond the grid's last row, before a stop line
  int linesCut = 0;                // lines whose fields beyond the 100th comma were left out
  std::vector<std::string> notes;  // what was cut, in the user's words
};

// Reads `contents` into `grid`, which must already have its room (rows and columns); lines
// beyond its last row are counted and left out. Reading stops at the end, at a line shorter
// than 10 characters or at one whose first 20 characters hold ",,,,,". Characters above
// code 135 among the first 6 of a line (a byte-order mark) are dropped with all before them.
// Each line sets the column count to its number of fields, so the last line decides the
// width; at the end the grid has one row more than the lines read.
CommaFileRead SortCommas(std::string_view contents, Grid& grid);

}  // namespace plumetra

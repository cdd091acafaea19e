#pragma once
// Collects the cells of one sheet as a reader finds them, in any order, keeping the sheet
// within the program's limits (MaxSheetRows x MaxSheetCols) and noting what was cut.

#include "files/workbook.h"

#include <string>

namespace plumetra {

class SheetBuilder {
 public:
  // Row and column count from 0. Empty values are ignored; cells beyond the limits are
  // counted, not stored.
  void set(int row, int col, SheetCell value);
  // The rectangular sheet, rows padded to the widest row, with a warning for each limit hit.
  Sheet finish(const std::string& sheetName) &&;

 private:
  std::vector<SheetRow> rows_;
  int cols_ = 0;
  int lastRowBeyond_ = -1;  // highest row index seen beyond MaxSheetRows
  int lastColBeyond_ = -1;
};

}  // namespace plumetra

#pragma once
// Collects the cells of one sheet as a reader finds them, in any order, keeping the sheet
// within the program's limits (MaxSheetRows x MaxSheetCols) and noting what was cut.

#include "files/workbook.h"

#include <string>

namespace plumetra {

class SheetBuilder {
 public:
  // Whether a cell at (row, col) would be stored; row and column count from 0.
  static bool within(int row, int col) { return row >= 0 && col >= 0 && row < MaxSheetRows && col < MaxSheetCols; }
  // Empty values are ignored; cells beyond the limits are counted, not stored. Text beyond
  // MaxSheetTextBytes in all is not stored either, and makes overText() true.
  void set(int row, int col, SheetCell value);
  // A non-empty cell beyond the limits, noted for the warnings without making its value.
  void noteBeyond(int row, int col);
  bool overText() const { return overText_; }
  // The cells the finished sheet will hold, rows padded to the widest.
  std::size_t cellCount() const { return rows_.size() * static_cast<std::size_t>(cols_); }
  // The rectangular sheet, rows padded to the widest row, with a warning for each limit hit.
  Sheet finish(const std::string& sheetName) &&;

 private:
  std::vector<SheetRow> rows_;
  int cols_ = 0;
  int lastRowBeyond_ = -1;  // highest row index seen beyond MaxSheetRows
  int lastColBeyond_ = -1;
  std::size_t textBytes_ = 0;
  bool overText_ = false;
};

}  // namespace plumetra

#include "files/sheet_builder.h"

#include <algorithm>
#include <utility>

namespace plumetra {

void SheetBuilder::noteBeyond(int row, int col) {
  if (row >= MaxSheetRows) lastRowBeyond_ = std::max(lastRowBeyond_, row);
  if (col >= MaxSheetCols) lastColBeyond_ = std::max(lastColBeyond_, col);
}

void SheetBuilder::set(int row, int col, SheetCell value) {
  if (std::holds_alternative<std::monostate>(value) || row < 0 || col < 0) return;
  if (!within(row, col)) {
    noteBeyond(row, col);
    return;
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    textBytes_ += text->size();
    if (textBytes_ > MaxSheetTextBytes) overText_ = true;
    if (overText_) return;
  }
  if (static_cast<int>(rows_.size()) <= row) rows_.resize(static_cast<size_t>(row) + 1);
  SheetRow& cells = rows_[static_cast<size_t>(row)];
  if (static_cast<int>(cells.size()) <= col) cells.resize(static_cast<size_t>(col) + 1);
  cells[static_cast<size_t>(col)] = std::move(value);
  cols_ = std::max(cols_, col + 1);
}

Sheet SheetBuilder::finish(const std::string& sheetName) && {
  Sheet sheet;
  for (SheetRow& row : rows_) row.resize(static_cast<size_t>(cols_));
  sheet.rows = std::move(rows_);
  if (lastRowBeyond_ >= 0)
    sheet.warnings.push_back("Sheet \"" + sheetName + "\" has " + std::to_string(lastRowBeyond_ + 1) +
                             " rows; only the first " + std::to_string(MaxSheetRows) + " were read.");
  if (lastColBeyond_ >= 0)
    sheet.warnings.push_back("Sheet \"" + sheetName + "\" has " + std::to_string(lastColBeyond_ + 1) +
                             " columns; only the first " + std::to_string(MaxSheetCols) + " were read.");
  return sheet;
}

}  // namespace plumetra

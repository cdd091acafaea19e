#include "controls/grid.h"

#include "controls/number_format.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <utility>

namespace plumetra {

namespace {

const std::string EmptyText;

CellRange normalized(const CellRange& r) {
  return {std::min(r.row1, r.row2), std::min(r.col1, r.col2), std::max(r.row1, r.row2),
          std::max(r.col1, r.col2)};
}

// Splits text at line ends (CR LF, LF or CR); a line end at the very end adds no line.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

}  // namespace

Grid::Grid(int rows, int cols) { resize(rows, cols); }

void Grid::setRows(int rows) { resize(rows, cols_); }
void Grid::setCols(int cols) { resize(rows_, cols); }

void Grid::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  if (rows == rows_ && cols == cols_) return;
  if (cols > stride_) {
    relayout(cols, rows);
  } else {
    // Columns given up are emptied, so that widening again shows empty cells.
    for (int r = 0; r < std::min(rows, rows_); ++r)
      for (int c = cols; c < cols_; ++c) cell(r, c) = Cell{};
  }
  // Rows come and go at the end; the others stay put.
  cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(stride_));
  rows_ = rows;
  cols_ = cols;
  colWidths_.resize(static_cast<size_t>(cols), 0);
  rowHeights_.resize(static_cast<size_t>(rows), 0);
  // The current cell and the selection stay inside the grid.
  row_ = std::clamp(row_, 0, std::max(rows_ - 1, 0));
  col_ = std::clamp(col_, 0, std::max(cols_ - 1, 0));
  selection_ = {row_, col_,
                std::clamp(selection_.row2, 0, std::max(rows_ - 1, 0)),
                std::clamp(selection_.col2, 0, std::max(cols_ - 1, 0))};
  touch();
}

void Grid::reserve(int rows, int cols) {
  rows = std::max(rows, 0);
  if (cols > stride_)
    relayout(cols, rows);
  else
    cells_.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(stride_));
}

void Grid::relayout(int stride, int rowRoom) {
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>(std::max(rowRoom, rows_)) * static_cast<std::size_t>(stride));
  cells.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(stride));
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < cols_; ++c) cells[static_cast<std::size_t>(r) * stride + c] = std::move(cell(r, c));
  cells_ = std::move(cells);
  stride_ = stride;
}

const std::string& Grid::text(int row, int col) const {
  return inside(row, col) ? cell(row, col).text : EmptyText;
}

void Grid::setText(int row, int col, std::string text) {
  if (!inside(row, col)) return;
  cell(row, col).text = std::move(text);
  touch();
}

double Grid::value(int row, int col) const { return readNumber(text(row, col)); }

bool Grid::isNumber(int row, int col) const { return readsAsNumber(text(row, col)); }

Rgb Grid::background(int row, int col) const {
  if (inside(row, col) && cell(row, col).background) return *cell(row, col).background;
  return row < fixedRows_ || col < fixedCols_ ? colours::ButtonFace : colours::Window;
}

void Grid::setBackground(int row, int col, Rgb colour) {
  if (!inside(row, col)) return;
  cell(row, col).background = colour;
  touch();
}

void Grid::setBackground(const CellRange& range, Rgb colour) {
  const CellRange r = normalized(range);
  for (int row = std::max(r.row1, 0); row <= std::min(r.row2, rows_ - 1); ++row)
    for (int col = std::max(r.col1, 0); col <= std::min(r.col2, cols_ - 1); ++col)
      cell(row, col).background = colour;
  touch();
}

void Grid::clearBackgrounds() {
  for (Cell& c : cells_) c.background.reset();
  touch();
}

int Grid::colWidth(int col) const {
  return col >= 0 && col < cols_ ? colWidths_[static_cast<size_t>(col)] : 0;
}

void Grid::setColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) return;
  colWidths_[static_cast<size_t>(col)] = std::max(twips, 0);
  touch();
}

int Grid::rowHeight(int row) const {
  return row >= 0 && row < rows_ ? rowHeights_[static_cast<size_t>(row)] : 0;
}

void Grid::setRowHeight(int row, int twips) {
  if (row < 0 || row >= rows_) return;
  rowHeights_[static_cast<size_t>(row)] = std::max(twips, 0);
  touch();
}

void Grid::setCurrent(int row, int col) {
  if (!inside(row, col)) return;
  row_ = row;
  col_ = col;
  selection_ = {row, col, row, col};
  touch();
}

void Grid::select(const CellRange& range) {
  if (!inside(range.row1, range.col1)) return;
  row_ = range.row1;
  col_ = range.col1;
  selection_ = {range.row1, range.col1, std::clamp(range.row2, 0, rows_ - 1),
                std::clamp(range.col2, 0, cols_ - 1)};
  touch();
}

void Grid::sortRows(int row1, int row2, int col, SortOrder order) {
  if (row1 > row2) std::swap(row1, row2);
  row1 = std::max(row1, 0);
  row2 = std::min(row2, rows_ - 1);
  if (row1 >= row2 || col < 0 || col >= cols_) return;

  std::vector<int> rowsInOrder(static_cast<size_t>(row2 - row1 + 1));
  std::iota(rowsInOrder.begin(), rowsInOrder.end(), row1);
  if (order == SortOrder::NumericAscending) {
    std::vector<double> keys(static_cast<size_t>(rows_));
    for (int r = row1; r <= row2; ++r) keys[static_cast<size_t>(r)] = value(r, col);
    std::stable_sort(rowsInOrder.begin(), rowsInOrder.end(), [&](int a, int b) {
      return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
    });
  } else {
    std::stable_sort(rowsInOrder.begin(), rowsInOrder.end(),
                     [&](int a, int b) { return text(a, col) < text(b, col); });
  }

  arrangeRows(row1, rowsInOrder);
}

void Grid::arrangeRows(int row1, std::span<const int> rows) {
  const int n = static_cast<int>(rows.size());
  if (row1 < 0 || n == 0 || row1 + n > rows_) return;
  std::vector<bool> listed(static_cast<size_t>(n));
  for (int r : rows) {
    if (r < row1 || r >= row1 + n || listed[static_cast<size_t>(r - row1)]) return;
    listed[static_cast<size_t>(r - row1)] = true;
  }
  // The rows move out to a block and back in their new order; no text is copied.
  const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(row1, 0));
  const auto last = cells_.begin() + static_cast<std::ptrdiff_t>(index(row1 + n, 0));
  std::vector<Cell> block(std::make_move_iterator(first), std::make_move_iterator(last));
  for (int i = 0; i < n; ++i) {
    const int from = rows[static_cast<size_t>(i)] - row1;
    for (int c = 0; c < cols_; ++c)
      cell(row1 + i, c) = std::move(block[static_cast<size_t>(from) * stride_ + c]);
  }
  touch();
}

std::string Grid::copySelection() const {
  if (rows_ == 0 || cols_ == 0) return {};
  const CellRange r = normalized(selection_);
  std::string out;
  for (int row = r.row1; row <= r.row2; ++row) {
    if (row > r.row1) out += "\r\n";
    for (int col = r.col1; col <= r.col2; ++col) {
      if (col > r.col1) out += '\t';
      out += text(row, col);
    }
  }
  return out;
}

void Grid::paste(std::string_view text) {
  const std::vector<std::string_view> lines = splitLines(text);
  for (int i = 0; i < static_cast<int>(lines.size()) && row_ + i < rows_; ++i) {
    std::string_view line = lines[static_cast<size_t>(i)];
    for (int col = col_; col < cols_; ++col) {
      const std::size_t tab = line.find('\t');
      cell(row_ + i, col).text = std::string(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
  }
  touch();
}

void Grid::clearSelection() {
  if (rows_ == 0 || cols_ == 0) return;
  const CellRange r = normalized(selection_);
  for (int row = r.row1; row <= r.row2; ++row)
    for (int col = r.col1; col <= r.col2; ++col) cell(row, col).text.clear();
  touch();
}

void Grid::clear() {
  for (Cell& c : cells_) c.text.clear();
  touch();
}

}  // namespace plumetra

#pragma once
// A table of text cells: the state behind every grid window of the program.
// Rows and columns count from 0; fixed rows/columns are the heading band at the top/left.

#include "controls/colour.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plumetra {

struct CellRange {
  int row1 = 0, col1 = 0, row2 = 0, col2 = 0;  // inclusive corners, any order
};

enum class SortOrder { NumericAscending, TextAscending };

class Grid {
 public:
  Grid() = default;
  Grid(int rows, int cols);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // Resizing keeps the content of the cells that stay.
  void setRows(int rows);
  void setCols(int cols);
  void resize(int rows, int cols);
  // Room for this many rows and columns, so that growing up to them moves no cell: a grid
  // that is widened step by step (the analysis grid) is laid out once. Never shrinks.
  void reserve(int rows, int cols);

  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  void setFixedRows(int n) { fixedRows_ = n; }
  void setFixedCols(int n) { fixedCols_ = n; }

  // Cells outside the grid read as empty and ignore writes.
  const std::string& text(int row, int col) const;
  void setText(int row, int col, std::string text);
  // The number the cell's text reads as (readNumber), 0 when none.
  double value(int row, int col) const;
  // True when the cell's text reads as a number (see readsAsNumber).
  bool isNumber(int row, int col) const;

  // A cell without a colour of its own shows button face in the fixed band, else window.
  Rgb background(int row, int col) const;
  void setBackground(int row, int col, Rgb colour);
  void setBackground(const CellRange& range, Rgb colour);
  void clearBackgrounds();

  // Sizes in twips (15 twips = 1 pixel at 96 dpi); 0 means the view's default.
  int colWidth(int col) const;
  void setColWidth(int col, int twips);
  int rowHeight(int row) const;
  void setRowHeight(int row, int twips);

  int row() const { return row_; }
  int col() const { return col_; }
  void setCurrent(int row, int col);

  // The selection always includes the current cell as one corner: select() makes
  // (row1, col1) the current cell and clamps the far corner into the grid; a range whose
  // first corner lies outside is ignored, as is setCurrent() outside the grid.
  CellRange selection() const { return selection_; }
  void select(const CellRange& range);

  // Stable ascending sort of rows row1..row2 by one column; other rows stay where they are.
  // Whole rows move, backgrounds included. Numeric order compares value() (text and empty
  // cells count as 0); text order compares the bytes, so "10" comes before "9".
  void sortRows(int row1, int row2, int col, SortOrder order);
  // Rows row1 .. row1 + n - 1 take the rows listed (each row of that block once), in that
  // order; whole rows move, backgrounds included. A list that is not such a reordering is ignored.
  void arrangeRows(int row1, std::span<const int> rows);

  // The selection as tab-separated text: cells by TAB, rows by CR LF (none after the last).
  std::string copySelection() const;
  // Tab-separated text placed with its top-left at the current cell; lines may end in
  // LF, CR LF or CR, and a line end at the very end adds no row. Cells that would fall
  // outside the grid are dropped. Quotes are not special.
  void paste(std::string_view text);
  void clearSelection();
  void clear();  // every cell's text, keeping the size

  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string tip) { toolTip_ = std::move(tip); }
  bool redraw() const { return redraw_; }
  void setRedraw(bool on) { redraw_ = on; }

  // Bumped on every change, so a view can tell when to refresh.
  unsigned long revision() const { return revision_; }

 private:
  struct Cell {
    std::string text;
    std::optional<Rgb> background;
  };
  bool inside(int row, int col) const { return row >= 0 && col >= 0 && row < rows_ && col < cols_; }
  std::size_t index(int row, int col) const { return static_cast<std::size_t>(row) * stride_ + col; }
  Cell& cell(int row, int col) { return cells_[index(row, col)]; }
  const Cell& cell(int row, int col) const { return cells_[index(row, col)]; }
  // Lays the cells out stride columns apart, keeping room for `rowRoom` rows.
  void relayout(int stride, int rowRoom);
  void touch() { ++revision_; }

  int rows_ = 0, cols_ = 0;
  // Cells are stored a row after another, stride_ >= cols_ apart; the cells past cols_ are
  // always empty, so widening within the stride only has to show them.
  int stride_ = 0;
  int fixedRows_ = 1, fixedCols_ = 1;
  std::vector<Cell> cells_;
  std::vector<int> colWidths_, rowHeights_;
  int row_ = 0, col_ = 0;
  CellRange selection_;
  std::string toolTip_;
  bool redraw_ = true;
  unsigned long revision_ = 0;
};

}  // namespace plumetra

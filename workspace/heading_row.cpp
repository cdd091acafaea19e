#include "workspace/heading_row.h"

#include <algorithm>

#include "workspace/heading_keys.h"

namespace plumetra {

namespace {

constexpr int SearchedRows = 10;

struct RowCounts {
  int filled = 0, numbers = 0;
};

RowCounts countsOf(const Grid& grid, int row) {
  RowCounts counts;
  for (int c = 0; c < grid.cols(); ++c) {
    if (grid.text(row, c).find_first_not_of(" \t") == std::string::npos) continue;
    ++counts.filled;
    if (grid.isNumber(row, c)) ++counts.numbers;
  }
  return counts;
}

bool readsAsHeadings(const Grid& grid, int row) {
  const RowCounts counts = countsOf(grid, row);
  if (counts.filled < 2 || counts.numbers > 0) return false;
  for (int below = row + 1; below <= row + 2 && below < grid.rows(); ++below)
    if (countsOf(grid, below).numbers >= 2) return true;
  return false;
}

// Group titles over the headings: a text row with no title in the first column and fewer
// titles than headings.
bool holdsGroupTitles(const Grid& grid, int row, int headingRow) {
  const RowCounts counts = countsOf(grid, row);
  return counts.filled > 0 && counts.numbers == 0 && grid.text(row, 0).empty() &&
         counts.filled < countsOf(grid, headingRow).filled;
}

}  // namespace

int headingRowOf(const Grid& grid) {
  if (readsAsHeadings(grid, 0)) return 0;
  for (int r = 1; r < std::min(grid.rows(), SearchedRows); ++r)
    if (readsAsHeadings(grid, r)) return r;
  return 0;
}

LiftedHeadings liftHeadings(Grid& grid) {
  const int headingRow = headingRowOf(grid);
  if (headingRow == 0) return {};
  std::string done = "The headings were read from row " + std::to_string(headingRow + 1) + " of the table";
  if (holdsGroupTitles(grid, headingRow - 1, headingRow)) {
    std::string group;
    for (int c = 0; c < grid.cols(); ++c) {
      // A merged title saved to text stands over its first column only; it reaches as far as the
      // headings that name no item by themselves ("Grower" under "Feed intake", not "Density").
      if (!grid.text(headingRow - 1, c).empty())
        group = grid.text(headingRow - 1, c);
      else if (grid.text(headingRow, c).empty() || itemForHeading(MatchSide::Flock, grid.text(headingRow, c)))
        group.clear();
      if (!group.empty()) grid.setText(headingRow, c, group + " " + grid.text(headingRow, c));
    }
    done += ", joined with the group titles above them";
  }
  Grid lifted(grid.rows() - headingRow, grid.cols());
  for (int r = headingRow; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c) lifted.setText(r - headingRow, c, grid.text(r, c));
  lifted.setFixedRows(grid.fixedRows());
  lifted.setFixedCols(grid.fixedCols());
  grid = std::move(lifted);
  return {headingRow, done + "; the " + std::to_string(headingRow) + (headingRow == 1 ? " row" : " rows") +
                         " above them were left out as titles."};
}

}  // namespace plumetra

#include "controls/grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plumetra {
namespace {

using Column = std::vector<std::string>;

// A heading row, then the given texts in column 0 and "rowN" in column 1.
Grid columnGrid(const Column& texts) {
  Grid grid(static_cast<int>(texts.size()) + 1, 2);
  grid.setText(0, 0, "Value");
  for (int r = 0; r < static_cast<int>(texts.size()); ++r) {
    grid.setText(r + 1, 0, texts[static_cast<size_t>(r)]);
    grid.setText(r + 1, 1, "row" + std::to_string(r + 1));
  }
  return grid;
}

Column column(const Grid& grid, int col) {
  Column out;
  for (int r = 0; r < grid.rows(); ++r) out.push_back(grid.text(r, col));
  return out;
}

TEST(Grid, ResizeKeepsTheCellsThatStayAndTheCurrentCellInsideWhateverRoomWasReserved) {
  Grid grid(5, 5);
  grid.setText(1, 1, "kept");
  grid.setText(3, 3, "dropped");
  grid.select(CellRange{4, 4, 2, 2});
  grid.resize(3, 3);
  EXPECT_EQ(std::pair(grid.row(), grid.col()), std::pair(2, 2));
  grid.resize(4, 4);
  EXPECT_EQ(grid.text(3, 3), "");
  EXPECT_EQ(grid.text(1, 1), "kept");

  // Reserved room changes no cell, and narrowed columns come back empty.
  Grid roomy;
  roomy.reserve(4, 6);
  roomy.resize(3, 3);
  roomy.setText(2, 2, "corner");
  roomy.setBackground(2, 2, colours::Matched);
  roomy.resize(4, 5);  // within the room
  roomy.setText(3, 4, "new");
  roomy.resize(4, 2);  // narrowed, then widened past the room
  roomy.resize(4, 8);
  EXPECT_EQ(roomy.text(2, 2), "");
  EXPECT_EQ(roomy.background(2, 2), colours::Window);
  EXPECT_EQ(roomy.text(3, 4), "");
  roomy.setText(1, 1, "kept");
  roomy.setText(3, 7, "last");
  roomy.sortRows(1, 3, 0, SortOrder::TextAscending);
  roomy.resize(5, 9);
  EXPECT_EQ(column(roomy, 1), (Column{"", "kept", "", "", ""}));
  EXPECT_EQ(column(roomy, 7), (Column{"", "", "", "last", ""}));
}


// The rows after a sort, named by where they stood ("row2" stood in row 2).
TEST(GridSort, NumericOrTextStableWithinTheChosenBlockAndHarmlessOutOfRange) {
  const struct {
    Column values;
    int first, last, col;
    SortOrder order;
    Column rows;
  } cases[] = {
      // Text and empty count as zero; equal keys keep their order.
      {{"5", "abc", "", "-1", "0", "5"}, 1, 6, 0, SortOrder::NumericAscending,
       {"", "row4", "row2", "row3", "row5", "row1", "row6"}},
      // The block's rows given in either order.
      {{"4", "3", "2", "1"}, 3, 2, 0, SortOrder::NumericAscending, {"", "row1", "row3", "row2", "row4"}},
      {{"9", "10", "2"}, 1, 3, 0, SortOrder::NumericAscending, {"", "row3", "row1", "row2"}},
      {{"9", "10", "2"}, 1, 3, 0, SortOrder::TextAscending, {"", "row2", "row3", "row1"}},
      {{"9", "10", "2"}, 1, 99, 0, SortOrder::NumericAscending, {"", "row3", "row1", "row2"}},
      {{"9", "10", "2"}, 1, 3, 7, SortOrder::NumericAscending, {"", "row1", "row2", "row3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.values[0] + " " + std::to_string(c.last) + " " + std::to_string(c.col));
    Grid grid = columnGrid(c.values);
    grid.setBackground(3, 1, colours::Matched);
    grid.sortRows(c.first, c.last, c.col, c.order);
    EXPECT_EQ(column(grid, 1), c.rows);
    for (int r = 1; r < grid.rows(); ++r)  // a background moves with its row
      EXPECT_EQ(grid.background(r, 1) == colours::Matched, grid.text(r, 1) == "row3") << r;
  }
}

TEST(GridClipboard, CopyPasteRoundTripKeepsEmptyCellsAndDropsWhatFallsOutside) {
  Grid source(3, 3);
  source.setText(0, 0, "Farm");
  source.setText(0, 2, "FCR");
  source.setText(1, 1, "2,5");
  source.setText(2, 0, "B");
  source.select(CellRange{0, 0, 2, 2});
  const std::string text = source.copySelection();
  EXPECT_EQ(text, "Farm\t\tFCR\r\n\t2,5\t\r\nB\t\t");

  Grid target(5, 5);
  target.setCurrent(1, 1);
  target.paste(text + "\r\n");  // a trailing line break adds no row
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(target.text(r + 1, c + 1), source.text(r, c));
  EXPECT_EQ(target.text(4, 1), "");

  Grid small(3, 3);
  small.setText(2, 2, "d");
  small.setCurrent(1, 1);
  small.paste("1\t2\t3\n4\r\n5\t6\r\n");
  EXPECT_EQ(column(small, 1), (Column{"", "1", "4"}));
  EXPECT_EQ(column(small, 2), (Column{"", "2", "d"}));  // a short line leaves the rest
  EXPECT_EQ(small.rows(), 3);                           // the third line and column fall outside
}

}  // namespace
}  // namespace plumetra

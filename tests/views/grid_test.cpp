#include "views/grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plumetra {
namespace {

// A grid with one heading row and one column of the given texts below it.
Grid columnGrid(const std::vector<std::string>& texts) {
  Grid grid(static_cast<int>(texts.size()) + 1, 2);
  grid.setText(0, 0, "Value");
  for (int r = 0; r < static_cast<int>(texts.size()); ++r) {
    grid.setText(r + 1, 0, texts[static_cast<size_t>(r)]);
    grid.setText(r + 1, 1, "row" + std::to_string(r + 1));
  }
  return grid;
}

std::vector<std::string> column(const Grid& grid, int col) {
  std::vector<std::string> out;
  for (int r = 0; r < grid.rows(); ++r) out.push_back(grid.text(r, col));
  return out;
}

TEST(Grid, ResizeKeepsTheCellsThatStayAndTheCurrentCellInside) {
  Grid grid(5, 5);
  grid.setText(1, 1, "kept");
  grid.setText(3, 3, "dropped");
  grid.setBackground(1, 1, colours::Matched);
  grid.select(CellRange{4, 4, 2, 2});
  grid.resize(3, 3);
  EXPECT_EQ(grid.row(), 2);
  EXPECT_EQ(grid.col(), 2);
  grid.setText(2, 2, "z");
  EXPECT_EQ(grid.copySelection(), "z");
  grid.resize(4, 4);
  EXPECT_EQ(grid.text(3, 3), "");
  EXPECT_EQ(grid.text(1, 1), "kept");
  EXPECT_EQ(grid.background(1, 1), colours::Matched);
}

TEST(Grid, OutsideCellsReadEmptyAndIgnoreWrites) {
  Grid grid(2, 2);
  grid.setText(5, 0, "x");
  grid.setText(-1, 0, "x");
  EXPECT_EQ(grid.text(5, 0), "");
  EXPECT_EQ(grid.value(-1, -1), 0.0);
  EXPECT_EQ(grid.colWidth(9), 0);
}

TEST(Grid, ValueAndIsNumberFollowTheReadingRules) {
  const struct {
    const char* text;
    double value;
    bool isNumber;
  } cases[] = {{"1,5", 1.5, true}, {"12 kg", 12, false}, {"", 0, false}, {" -2.5 ", -2.5, true}};
  Grid grid(1, 1);
  for (const auto& c : cases) {
    grid.setText(0, 0, c.text);
    EXPECT_DOUBLE_EQ(grid.value(0, 0), c.value) << c.text;
    EXPECT_EQ(grid.isNumber(0, 0), c.isNumber) << c.text;
  }
}

TEST(GridSort, NumericSortCountsTextAndEmptyAsZeroAndIsStable) {
  Grid grid = columnGrid({"5", "abc", "", "-1", "0", "5"});
  grid.sortRows(1, 6, 0, SortOrder::NumericAscending);
  EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"Value", "-1", "abc", "", "0", "5", "5"}));
  // Equal keys keep their order: rows 2, 3, 5 were the zeros, rows 1 and 6 the fives.
  EXPECT_EQ(column(grid, 1),
            (std::vector<std::string>{"", "row4", "row2", "row3", "row5", "row1", "row6"}));
}

TEST(GridSort, OnlyTheChosenBlockMovesWithItsBackgrounds) {
  Grid grid = columnGrid({"4", "3", "2", "1"});
  grid.setBackground(3, 1, colours::Matched);  // row3, value 2
  grid.sortRows(3, 2, 0, SortOrder::NumericAscending);  // rows given in either order
  EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"Value", "4", "2", "3", "1"}));
  EXPECT_EQ(grid.text(2, 1), "row3");
  EXPECT_EQ(grid.background(2, 1), colours::Matched);
  EXPECT_EQ(grid.background(3, 1), colours::Window);
}

TEST(GridSort, NumericAndTextOrdersDifferAndOutOfRangeRequestsAreHarmless) {
  Grid numeric = columnGrid({"9", "10", "2"});
  numeric.sortRows(1, 3, 0, SortOrder::NumericAscending);
  EXPECT_EQ(column(numeric, 0), (std::vector<std::string>{"Value", "2", "9", "10"}));
  Grid text = columnGrid({"9", "10", "2"});
  text.sortRows(1, 3, 0, SortOrder::TextAscending);
  EXPECT_EQ(column(text, 0), (std::vector<std::string>{"Value", "10", "2", "9"}));

  Grid grid = columnGrid({"2", "1"});
  grid.sortRows(1, 99, 0, SortOrder::NumericAscending);
  EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"Value", "1", "2"}));
  grid.sortRows(1, 2, 7, SortOrder::NumericAscending);
  EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"Value", "1", "2"}));
}

TEST(GridClipboard, CopyJoinsByTabAndCrLfPasteAcceptsLfAndDropsWhatFallsOutside) {
  Grid grid(3, 3);
  grid.setText(1, 1, "a");
  grid.setText(1, 2, "b");
  grid.setText(2, 2, "d");
  grid.select(CellRange{2, 2, 1, 1});
  EXPECT_EQ(grid.row(), 2);
  EXPECT_EQ(grid.copySelection(), "a\tb\r\n\td");

  grid.setCurrent(1, 1);
  grid.paste("1\t2\t3\n4\r\n5\t6\r\n");
  EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"", "1", "4"}));
  EXPECT_EQ(column(grid, 2), (std::vector<std::string>{"", "2", "d"}));  // a short line leaves the rest
  EXPECT_EQ(grid.rows(), 3);  // the third line and column fall outside
}

TEST(GridClipboard, CopyPasteRoundTripKeepsEmptyCells) {
  Grid source(3, 3);
  source.setText(0, 0, "Farm");
  source.setText(0, 2, "FCR");
  source.setText(1, 1, "2,5");
  source.setText(2, 0, "B");
  source.select(CellRange{0, 0, 2, 2});
  const std::string text = source.copySelection();

  Grid target(5, 5);
  target.setCurrent(1, 1);
  target.paste(text + "\r\n");  // a trailing line break adds no row
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(target.text(r + 1, c + 1), source.text(r, c));
  EXPECT_EQ(target.text(4, 1), "");
  // Clearing empties only the selection.
  target.select(CellRange{2, 1, 3, 2});
  target.clearSelection();
  EXPECT_EQ(target.text(2, 2), "");
  EXPECT_EQ(target.text(3, 1), "");
  EXPECT_EQ(target.text(1, 1), "Farm");
  EXPECT_EQ(target.text(1, 3), "FCR");
}

}  // namespace
}  // namespace plumetra

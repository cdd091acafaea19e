// Comma-separated flock files: byte-order mark and junk, stop lines, trimming, no quote
// handling, the width of the last line, and the bounds of the grid.

#include "workspace/comma_file.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

TEST(SortCommas, CellsOfAFile) {
  struct Case {
    const char* text;
    int row, col;
    const char* cell;
    int linesRead, cols;
  };
  const Case cases[] = {
      // A byte-order mark is dropped from the first heading.
      {"\xEF\xBB\xBFHouse,Birds,Weight\r\nA1,20000,2.61\r\n", 0, 0, "House", 2, 3},
      // Junk up to the last high character among the first six is dropped; later ones stay.
      {"ab\x90\x91xHouse,Birds\nA1,20000,2.5\n", 0, 0, "xHouse", 2, 3},
      {"House,Bi\x90rds,Weight\n", 0, 1, "Bi\x90rds", 1, 3},
      // Blanks are trimmed; quotes mean nothing; the last line decides the width.
      {"Name , Farm,Birds\n alpha , beta ,c\n", 1, 1, "beta", 2, 3},
      {"Name,Farm,Birds\n\"Pine, Valley\",x,1\n", 1, 1, "Valley\"", 2, 4},
      {"House,Birds,Weight,Age\nA1,20000,2.61,42\nA2,19000.00\n", 1, 3, "", 3, 2},
      // A run of commas stops the file; so does a line of fewer than 9 characters.
      {"House,Birds,Weight\nA1,20000,2.61\n,,,,,,,,\nA2,19000,2.40\n", 1, 0, "A1", 2, 3},
      {"House,Birds,Weight\nA1,2,2.6\nA2,19000,2.40\n", 0, 0, "House", 1, 3},
      // ... but not a run after the first 20 characters.
      {"House,Birds,Weight,Age,Notes,,,,,,\nA1,20000,2.61,42,x\n", 1, 4, "x", 2, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Grid grid(500, 200);
    const auto read = SortCommas(c.text, grid);
    EXPECT_EQ(grid.text(c.row, c.col), c.cell);
    EXPECT_EQ(read.linesRead, c.linesRead);
    EXPECT_EQ(grid.cols(), c.cols);
    EXPECT_EQ(grid.rows(), c.linesRead + 1);
  }
}

TEST(SortCommas, FieldsAfterTheHundredthCommaAreLeftOutWithANote) {
  std::string line = "Heading0";
  for (int i = 1; i <= 120; ++i) line += ",h" + std::to_string(i);
  Grid grid(500, 200);
  const auto read = SortCommas(line + "\n", grid);
  EXPECT_EQ(grid.cols(), 101);
  EXPECT_EQ(grid.text(0, 100), "h100");
  EXPECT_EQ(read.linesCut, 1);
  EXPECT_EQ(read.notes.size(), 1u);
}

TEST(SortCommas, LinesBeyondTheGridAreCountedNotWritten) {
  std::string text = "House,Birds,Weight\n";
  for (int r = 1; r <= 12; ++r) text += "A" + std::to_string(r) + ",20000,2.61\n";
  Grid grid(10, 200);
  const auto read = SortCommas(text, grid);
  EXPECT_EQ(read.linesRead, 10);
  EXPECT_EQ(read.linesLeftOut, 3);
  EXPECT_EQ(grid.rows(), 11);
  EXPECT_EQ(grid.text(9, 0), "A9");
  EXPECT_EQ(read.notes, std::vector<std::string>{
                            "Only the first 9 flocks were read; 3 further lines were left out."});
}

}  // namespace
}  // namespace plumetra

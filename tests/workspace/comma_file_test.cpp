// Comma-separated flock files: byte-order mark and junk, stop lines, trimming, no quote
// handling, the width of the last line, and the bounds of the grid.

#include "workspace/comma_file.h"

#include <gtest/gtest.h>

namespace plumetra {
namespace {

Grid roomy() { return Grid(500, 200); }

TEST(SortCommas, ByteOrderMarkIsDroppedFromTheFirstHeading) {
  Grid grid = roomy();
  const auto read = SortCommas("\xEF\xBB\xBFHouse,Birds,Weight\r\nA1,20000,2.61\r\n", grid);
  EXPECT_EQ(read.linesRead, 2);
  EXPECT_EQ(grid.text(0, 0), "House");
  EXPECT_EQ(grid.text(1, 2), "2.61");
  EXPECT_EQ(grid.rows(), 3);
  EXPECT_EQ(grid.cols(), 3);
}

TEST(SortCommas, JunkUpToTheLastHighCharacterAmongTheFirstSixIsDropped) {
  Grid grid = roomy();
  SortCommas("ab\x90\x91xHouse,Birds\nA1,20000,2.5\n", grid);
  EXPECT_EQ(grid.text(0, 0), "xHouse");
  Grid later = roomy();
  SortCommas("House,Bi\x90rds,Weight\n", later);  // beyond the first six: kept
  EXPECT_EQ(later.text(0, 1), "Bi\x90rds");
}

TEST(SortCommas, FieldsAreTrimmedOfBlanksAndQuotesMeanNothing) {
  Grid grid = roomy();
  SortCommas("Name , Farm,Birds\n alpha , beta ,c\n\"Pine, Valley\",x,1\n", grid);
  EXPECT_EQ(grid.text(1, 0), "alpha");
  EXPECT_EQ(grid.text(1, 1), "beta");
  EXPECT_EQ(grid.text(1, 2), "c");
  EXPECT_EQ(grid.text(2, 0), "\"Pine");
  EXPECT_EQ(grid.text(2, 1), "Valley\"");
  EXPECT_EQ(grid.cols(), 4);  // the last line has four fields
}

TEST(SortCommas, StopsAtACommaRunAndAtAShortLine) {
  Grid commas = roomy();
  const auto a = SortCommas("House,Birds,Weight\nA1,20000,2.61\n,,,,,,,,\nA2,19000,2.40\n", commas);
  EXPECT_EQ(a.linesRead, 2);
  EXPECT_EQ(commas.rows(), 3);
  Grid shortLine = roomy();
  const auto b = SortCommas("House,Birds,Weight\nA1,2,2.6\nA2,19000,2.40\n", shortLine);
  EXPECT_EQ(b.linesRead, 1);  // "A1,2,2.6" has 8 characters
  Grid late = roomy();
  const auto c = SortCommas("House,Birds,Weight,Age,Notes,,,,,,\nA1,20000,2.61,42,x\n", late);
  EXPECT_EQ(c.linesRead, 2);  // the run of commas is after the first 20 characters
}

TEST(SortCommas, TheLastLineDecidesTheWidth) {
  Grid grid = roomy();
  SortCommas("House,Birds,Weight,Age\nA1,20000,2.61,42\nA2,19000.00\n", grid);
  EXPECT_EQ(grid.cols(), 2);
  EXPECT_EQ(grid.text(1, 3), "");
}

TEST(SortCommas, FieldsAfterTheHundredthCommaAreLeftOutWithANote) {
  std::string line = "Heading0";
  for (int i = 1; i <= 120; ++i) line += ",h" + std::to_string(i);
  Grid grid = roomy();
  const auto read = SortCommas(line + "\n", grid);
  EXPECT_EQ(grid.cols(), 101);
  EXPECT_EQ(grid.text(0, 100), "h100");
  EXPECT_EQ(read.linesCut, 1);
  ASSERT_EQ(read.notes.size(), 1u);
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
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0], "Only the first 9 flocks were read; 3 further lines were left out.");
}

}  // namespace
}  // namespace plumetra

// Whether a pasted block starts with its headings.

#include "workspace/flock_sheet.h"

#include <gtest/gtest.h>


namespace plumetra {
namespace {

// A spreadsheet's clipboard: headings over numbers start a table; a block of data rows, a
// heading line alone or a first line with a number do not.
TEST(PastedHeadings, AHeadingLineOverNumbersStartsATable) {
  EXPECT_TRUE(startsWithHeadings("Farm\tHouse\tAge\r\nNorth\t1\t42\r\n"));
  EXPECT_TRUE(startsWithHeadings("Farm\tHouse\tAge\n\nNorth\t\t42"));
  EXPECT_FALSE(startsWithHeadings("North\t1\t42\nSouth\t2\t41\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\tAge\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\t2024\nNorth\t1\t42\n"));
  EXPECT_FALSE(startsWithHeadings("Farm\tHouse\nNorth\t1\n"));  // two headings read as data
  EXPECT_FALSE(startsWithHeadings(""));
}

}  // namespace
}  // namespace plumetra

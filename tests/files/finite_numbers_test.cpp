// No writer puts a non-finite number in a file: each refuses the whole file with a message and
// leaves what stood there before.

#include "files/finite_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "controls/grid.h"
#include "files/atomic_write.h"
#include "files/free_format.h"
#include "files/workbook.h"
#include "workbook_test_support.h"

namespace plumetra {
namespace {

TEST(FiniteNumbers, PrintedNonFiniteNumbersAreFoundAsWholeWords) {
  for (const char* text : {"nan", " -nan \r\n", "1\tinf\t2", "x,-inf", "\"Infinity\"", "NaN", "+INF", "nan(0x8000)"})
    EXPECT_TRUE(nonFiniteNumberIn(text)) << text;
  for (const char* text : {"", "Nancy", "Infection", "info", "banana", "1e308", "inflow 3", "Naninf", "Nan", "Inf"})
    EXPECT_FALSE(nonFiniteNumberIn(text)) << text;
  EXPECT_EQ(nonFiniteNumberIn(" 1.5 , -nan , 2 "), "-nan");
}

TEST(FiniteNumbers, EveryWriterRefusesANonFiniteNumberAndKeepsTheOldFile) {
  testing::ScratchFolder folder;
  const auto kept = [&](const std::string& name) {
    testing::writeBytes(folder / name, "old");
    return folder / name;
  };
  std::string error;
  FreeFormatWriter out;
  out.number(1.5).number(std::numeric_limits<double>::quiet_NaN()).endLine();
  EXPECT_FALSE(writeFileAtomically(kept("values.txt"), out.contents(), &error));
  EXPECT_NE(error.find("not a finite number"), std::string::npos) << error;
  EXPECT_EQ(testing::readBytes(folder / "values.txt"), "old");

  Grid grid(2, 2);
  grid.setText(1, 1, "inf");
  const auto tsv = writeTsv(kept("table.tsv"), grid);
  ASSERT_FALSE(tsv.ok());
  EXPECT_NE(tsv.error().find("\"inf\""), std::string::npos) << tsv.error();
  EXPECT_EQ(testing::readBytes(folder / "table.tsv"), "old");

  for (const char* cell : {"-nan", "Infinity"}) {
    grid.setText(1, 1, cell);
    const auto book = writeXlsx(kept("book.xlsx"), {{"Data", &grid}});
    EXPECT_FALSE(book.ok()) << cell;
    EXPECT_EQ(testing::readBytes(folder / "book.xlsx"), "old");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);  // no temporary file left
}

}  // namespace
}  // namespace plumetra

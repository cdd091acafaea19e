// The free-format writer and reader, files replaced whole, and no writer putting a non-finite
// number in a file: each refuses the whole file with a message and leaves what stood there before.

#include "files/free_format.h"

#include "controls/grid.h"
#include "files/atomic_write.h"
#include "files/finite_numbers.h"
#include "files/workbook.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace plumetra {
namespace {

namespace fs = std::filesystem;

TEST(FreeFormatWriter, ExactBytes) {
  const struct {
    const char* name;
    std::function<void(FreeFormatWriter&)> write;
    std::string bytes;
  } cases[] = {
      {"file name, blanks to column 15, TAB", [](FreeFormatWriter& w) { w.text("FarmTop.clb").zone().tab().endLine(); },
       "FarmTop.clb   \t\r\n"},
      {"numbers carry blanks",
       [](FreeFormatWriter& w) { w.number(1).endLine().number(-2.5).endLine().number(0.5).tab().number(1e-5).endLine(); },
       " 1 \r\n-2.5 \r\n 0.5 \t 1E-05 \r\n"},
      // 15 characters pass the zone at column 15, so the number starts at column 29.
      {"quoted label past a zone", [](FreeFormatWriter& w) { w.quoted("Energy Choice").zone().number(0).endLine(); },
       "\"Energy Choice\"" + std::string(13, ' ') + " 0 \r\n"},
      {"zone at a zone start moves a whole zone",
       [](FreeFormatWriter& w) { w.zone().text("x").endLine().text("12345678901234").zone().text("y"); },
       std::string(14, ' ') + "x\r\n12345678901234" + std::string(14, ' ') + "y"},
      {"zone counts characters, not bytes",
       [](FreeFormatWriter& w) { w.text("Gewicht \xC3\xA4").zone().text("|"); },
       "Gewicht \xC3\xA4" + std::string(5, ' ') + "|"},
  };
  for (const auto& c : cases) {
    FreeFormatWriter w;
    c.write(w);
    EXPECT_EQ(w.contents(), c.bytes) << c.name;
  }
}

TEST(FreeFormatReader, FieldsEndAtCommaOrLineEndAndTabsStayInsideUnlessQuoted) {
  FreeFormatReader r("\xEF\xBB\xBF" "a, b ,\"c, d\"\r\nFeed Cost\t 0,35\r\nDiet Type\t\n\tEnergy\rx\t1\r\n\"0,5\"\r\n");
  for (const char* expected : {"a", "b", "c, d", "Feed Cost\t 0", "35", "Diet Type\t", "Energy"})
    EXPECT_EQ(r.field(), expected);  // a comma always ends an unquoted field; leading TABs are skipped
  EXPECT_EQ(r.line(), "x\t1");
  EXPECT_EQ(r.numberField(), 0.5);  // a decimal comma survives in quotes
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.field().has_value());
  EXPECT_FALSE(r.line().has_value());
}

TEST(FreeFormatReader, NumbersSplitAtBlanksTabsAndCommas) {
  FreeFormatReader r("\t 1\t25 \r\n\r\n3,,x, 7\r\n");
  std::vector<double> numbers;
  while (auto n = r.numberField()) numbers.push_back(*n);
  EXPECT_EQ(numbers, (std::vector<double>{1, 25, 3, 0, 0, 7}));
}

// hasField answers as field() would, without reading: blanks and TABs alone are no field.
TEST(FreeFormatReader, HasFieldWhileSomethingButBlanksIsLeft) {
  FreeFormatReader r("a, \t");
  EXPECT_TRUE(r.hasField());
  EXPECT_EQ(r.field(), "a");
  EXPECT_FALSE(r.hasField());
  EXPECT_EQ(r.field(), std::nullopt);
  EXPECT_TRUE(FreeFormatReader(" \r\n").hasField());  // an empty line is an empty field
}

TEST(FreeFormatRoundTrip, WriterOutputReadsBack) {
  FreeFormatWriter w;
  w.text("FarmTop.clb").zone().tab().endLine();
  w.quoted("Amino Acid Values are Total (0) or Avail (1)").tab().number(0).endLine();
  w.tab().number(42.5).endLine();
  w.quoted("Change wt, kg").tab().number(0.25).tab().number(1.5).tab().text(" ").endLine();
  w.quoted("Energy Choice").zone().number(-3).endLine();
  w.number(1e-5).tab().number(123456789012345678.0).endLine();

  FreeFormatReader r(w.contents());
  EXPECT_EQ(r.line(), "FarmTop.clb   \t");
  EXPECT_EQ(r.field(), "Amino Acid Values are Total (0) or Avail (1)");
  EXPECT_EQ(r.numberField(), 0.0);
  EXPECT_EQ(r.numberField(), 42.5);
  EXPECT_EQ(r.field(), "Change wt, kg");
  EXPECT_EQ(r.numberField(), 0.25);
  EXPECT_EQ(r.numberField(), 1.5);
  EXPECT_EQ(r.field(), "Energy Choice");
  EXPECT_EQ(r.numberField(), -3.0);
  EXPECT_EQ(r.numberField(), 1e-5);
  EXPECT_EQ(r.numberField(), 1.23456789012346e17);  // 15 significant digits
  EXPECT_FALSE(r.numberField().has_value());
}

std::size_t fileCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A write replaces the file whole and leaves no temporary file, even for a long name. With a
// folder in the file's place the write fails, says why and leaves the folder (a read-only folder
// is no test here: the tests run as root, who may write into it).
TEST(AtomicWrite, ReplacesWholeAndAFailureKeepsWhatWasThere) {
  testing::ScratchFolder folder;
  const fs::path file = folder / (std::string(240, 'n') + ".clb");  // the temporary name must stay short
  ASSERT_TRUE(writeFileAtomically(file, "old\r\n"));
  ASSERT_TRUE(writeFileAtomically(file, "new\r\n"));
  EXPECT_EQ(readTextFile(file), "new\r\n");
  EXPECT_EQ(fileCount(folder.path()), 1u);

  std::string error;
  fs::create_directories(folder / "Top.clb" / "inside");
  EXPECT_FALSE(writeFileAtomically(folder / "Top.clb", "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(folder / "Top.clb" / "inside"));
  EXPECT_EQ(fileCount(folder.path()), 2u);
}

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

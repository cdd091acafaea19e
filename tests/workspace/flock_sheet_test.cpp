// Which sheet a workbook opens on: the first whose first row reads as headings over a row with
// a number, past notes and cover sheets; the first sheet when none does. Whether a pasted block
// starts with its headings.

#include "workspace/flock_sheet.h"

#include <gtest/gtest.h>

#include <map>

namespace plumetra {
namespace {

// A workbook held in memory: its sheets in order, each a list of rows.
class MemoryWorkbook final : public WorkbookReader {
 public:
  MemoryWorkbook& add(std::string name, std::vector<SheetRow> rows) {
    names_.push_back(name);
    sheets_[name] = Sheet{std::move(rows), {}};
    return *this;
  }
  std::vector<std::string> sheetNames() const override { return names_; }
  Result<Sheet> readSheet(const std::string& name) const override {
    const auto sheet = sheets_.find(name);
    if (sheet == sheets_.end()) return {WorkbookError{"no sheet " + name}};
    return {sheet->second};
  }

 private:
  std::vector<std::string> names_;
  std::map<std::string, Sheet> sheets_;
};

const std::string Farm = "Farm", Age = "Age", Weight = "Avg Weight", Note = "Made on the farm office PC";

TEST(FlockSheet, TheSheetWithHeadingsOverNumbersIsChosenPastNotesAndCovers) {
  MemoryWorkbook workbook;
  workbook.add("Notes", {{Note}, {std::string("see the next sheet")}})
      .add("Cover", {{Farm, Age, Weight}})                           // headings, but no data row
      .add("Totals", {{std::string("2024"), 216.0, 2.61}, {1.0, 2.0, 3.0}})  // a number in the first row
      .add("Flocks", {{Farm, Age, Weight}, {std::string("North"), 42.0, 2.61}});
  EXPECT_EQ(flockSheetIndex(workbook), 3);
}

TEST(FlockSheet, TheFirstSheetWhenNoneHoldsAFlockTable) {
  MemoryWorkbook notes;
  notes.add("Notes", {{Note}}).add("More", {{Note, Note}, {Note, Note}});
  EXPECT_EQ(flockSheetIndex(notes), 0);
  EXPECT_EQ(flockSheetIndex(MemoryWorkbook{}), 0);
}

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

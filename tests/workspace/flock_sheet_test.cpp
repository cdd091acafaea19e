// Which sheet a workbook opens on: the first whose first row reads as headings over a row with
// a number, past notes and cover sheets; the first sheet when none does.

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

}  // namespace
}  // namespace plumetra

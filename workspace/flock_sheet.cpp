#include "workspace/flock_sheet.h"

#include <algorithm>

namespace plumetra {

namespace {

constexpr int LeastHeadings = 3;

bool readsAsHeadings(const SheetRow& row) {
  const auto texts = std::count_if(row.begin(), row.end(),
                                   [](const SheetCell& cell) { return std::holds_alternative<std::string>(cell); });
  const bool numbers =
      std::any_of(row.begin(), row.end(), [](const SheetCell& cell) { return std::holds_alternative<double>(cell); });
  return texts >= LeastHeadings && !numbers;
}

bool holdsNumber(const SheetRow& row) {
  return std::any_of(row.begin(), row.end(), [](const SheetCell& cell) { return std::holds_alternative<double>(cell); });
}

}  // namespace

int flockSheetIndex(const WorkbookReader& workbook) {
  const std::vector<std::string> names = workbook.sheetNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const Result<Sheet> sheet = workbook.readSheet(names[i]);
    if (!sheet.ok() || sheet.get().rows.size() < 2) continue;
    const auto& rows = sheet.get().rows;
    if (readsAsHeadings(rows.front()) && std::any_of(rows.begin() + 1, rows.end(), holdsNumber))
      return static_cast<int>(i);
  }
  return 0;
}

}  // namespace plumetra

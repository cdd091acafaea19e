#include "workspace/flock_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/number_format.h"

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

// A line's cells: number cells as numbers, any other non-empty cell as text.
SheetRow cellsOf(std::string_view line) {
  SheetRow row;
  for (size_t start = 0; start <= line.size();) {
    const size_t end = std::min(line.find('\t', start), line.size());
    std::string text(line.substr(start, end - start));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (readsAsNumber(text))
      row.emplace_back(readNumber(text));
    else if (!text.empty())
      row.emplace_back(std::move(text));
    start = end + 1;
  }
  return row;
}

}  // namespace

bool startsWithHeadings(std::string_view tabText) {
  const size_t firstEnd = std::min(tabText.find('\n'), tabText.size());
  if (!readsAsHeadings(cellsOf(tabText.substr(0, firstEnd)))) return false;
  for (size_t start = firstEnd + 1; start < tabText.size();) {
    const size_t end = std::min(tabText.find('\n', start), tabText.size());
    if (holdsNumber(cellsOf(tabText.substr(start, end - start)))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace plumetra

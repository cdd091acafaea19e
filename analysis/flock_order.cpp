#include "analysis/flock_order.h"

#include <algorithm>
#include <numeric>

#include "analysis/analysis_state.h"
#include "controls/number_format.h"

namespace plumetra {

FlockRows::FlockRows(ColumnNumbers numbers)
    : numbers_(std::move(numbers)),
      shown_(static_cast<std::size_t>(numbers_.flocks())),
      rowOf_(static_cast<std::size_t>(numbers_.flocks())),
      placed_(true) {
  std::iota(shown_.begin(), shown_.end(), 1);
  std::iota(rowOf_.begin(), rowOf_.end(), FirstFlockRow);
}

int FlockRows::flockAt(int row) const {
  const int i = row - FirstFlockRow;
  if (!placed_) return i >= 0 ? i + 1 : 0;
  return i >= 0 && i < static_cast<int>(shown_.size()) ? shown_[static_cast<std::size_t>(i)] : 0;
}

int FlockRows::rowOf(int flock) const {
  if (!placed_) return flock >= 1 ? LastStatisticsRow + flock : -1;
  return flock >= 1 && flock <= static_cast<int>(rowOf_.size()) ? rowOf_[static_cast<std::size_t>(flock - 1)] : -1;
}

std::vector<int> FlockRows::flocksShown(int count) const {
  std::vector<int> flocks;
  for (int i = 0; i < count; ++i) flocks.push_back(flockAt(FirstFlockRow + i));
  return flocks;
}

std::vector<double> FlockRows::knownNumbers(int col, int first, int last) const {
  std::vector<double> values;
  if (last >= first) values.reserve(static_cast<std::size_t>(last - first + 1));
  for (int r = first; r <= last; ++r)
    if (const auto v = numberAt(r, col)) values.push_back(*v);
  return values;
}

bool FlockRows::anyKnown(int col, int first, int last) const {
  for (int r = first; r <= last; ++r)
    if (numberAt(r, col)) return true;
  return false;
}

void FlockRows::write(Grid& grid, int col, int flock, double value, const std::string& shown) {
  const int row = rowOf(flock);
  if (row < 0) return;
  grid.setText(row, col, shown);
  numbers_.set(col, flock, value);
}

void FlockRows::write(Grid& grid, int col, int flock, const std::string& text) {
  const int row = rowOf(flock);
  if (row < 0) return;
  grid.setText(row, col, text);
  numbers_.set(col, flock, readsAsNumber(text) ? std::optional(readNumber(text)) : std::nullopt);
}

void FlockRows::keepRows(int count) {
  if (!placed_ || count < 0 || count >= static_cast<int>(shown_.size())) return;
  for (std::size_t i = static_cast<std::size_t>(count); i < shown_.size(); ++i)
    if (shown_[i] >= 1) rowOf_[static_cast<std::size_t>(shown_[i] - 1)] = -1;
  shown_.resize(static_cast<std::size_t>(count));
}

void FlockRows::sortRows(Grid& grid, int row1, int row2, int col, SortOrder order,
                         const std::function<bool(int, int)>& tieBreak) {
  row1 = std::max(row1, FirstFlockRow);
  row2 = std::min(row2, grid.rows() - 1);
  if (row1 >= row2 || col < 0 || col >= grid.cols()) return;
  if (!placed_) *this = FlockRows(ColumnNumbers(grid.rows() - FirstFlockRow));

  std::vector<int> rows(static_cast<std::size_t>(row2 - row1 + 1));
  std::iota(rows.begin(), rows.end(), row1);
  if (order == SortOrder::NumericAscending) {
    std::vector<double> keys;
    for (int r : rows) keys.push_back(numberAt(r, col).value_or(0.0));
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
      const double keyA = keys[static_cast<std::size_t>(a - row1)], keyB = keys[static_cast<std::size_t>(b - row1)];
      if (keyA != keyB) return keyA < keyB;
      return tieBreak && tieBreak(a, b);
    });
  } else {
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return grid.text(a, col) < grid.text(b, col); });
  }
  grid.arrangeRows(row1, rows);

  if (shown_.size() < static_cast<std::size_t>(row2 - FirstFlockRow + 1))
    shown_.resize(static_cast<std::size_t>(row2 - FirstFlockRow + 1), 0);
  std::vector<int> moved;
  for (int r : rows) moved.push_back(flockAt(r));
  for (std::size_t i = 0; i < moved.size(); ++i) {
    const int row = row1 + static_cast<int>(i);
    shown_[static_cast<std::size_t>(row - FirstFlockRow)] = moved[i];
    if (moved[i] >= 1) rowOf_[static_cast<std::size_t>(moved[i] - 1)] = row;
  }
}

}  // namespace plumetra

#include "workspace/column_numbers.h"

#include <algorithm>

#include "controls/number_format.h"
#include "workspace/flock_selection.h"
#include "workspace/workspace_state.h"

namespace plumetra {

std::optional<double> ColumnNumbers::at(int col, int flock) const {
  if (col < 0 || static_cast<std::size_t>(col) >= byColumn_.size() || flock < 1 || flock > flocks_) return std::nullopt;
  return byColumn_[static_cast<std::size_t>(col)][static_cast<std::size_t>(flock - 1)];
}

void ColumnNumbers::set(int col, int flock, std::optional<double> number) {
  if (col < 0 || flock < 1 || flock > flocks_) return;
  if (static_cast<std::size_t>(col) >= byColumn_.size())
    byColumn_.resize(static_cast<std::size_t>(col) + 1, std::vector<std::optional<double>>(static_cast<std::size_t>(flocks_)));
  byColumn_[static_cast<std::size_t>(col)][static_cast<std::size_t>(flock - 1)] = number;
}

ColumnNumbers flockGridNumbers(const Workspace& ws) {
  const Grid& grid = ws.flockGrid;
  ColumnNumbers numbers(std::max(ws.flockCount, 0));
  for (int flock = 1; flock <= numbers.flocks(); ++flock) {
    const int row = flockGridRow(ws, flock);
    for (int c = 0; c < grid.cols(); ++c)
      if (const std::string& text = grid.text(row, c); readsAsNumber(text)) numbers.set(c, flock, readNumber(text));
  }
  return numbers;
}

}  // namespace plumetra

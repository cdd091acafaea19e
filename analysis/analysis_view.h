#pragma once
// The controls and column facts the sorts, the split statistics and the outlier search work
// on: the analysis grid, the flock grid, the sort lists and the matched columns.

#include "analysis/analysis_state.h"
#include "analysis/flock_order.h"
#include "controls/controls.h"
#include "controls/grid.h"

#include <cstdint>
#include <span>

namespace plumetra {

// Grid columns of the matched live weight, age and feed conversion (flockCol 1, 3, 4).
struct SplitColumns {
  int liveWeight = 0;
  int age = 0;
  int feedConversion = 0;
};

struct AnalysisView {
  Grid& analysisGrid;
  Grid& flockGrid;
  Combo& firstSortChoice;  // first sort: list index = grid column
  Combo& secondSortChoice;  // second sort
  std::span<const std::int16_t> nonNumeric;  // -1 text column, 0 numeric
  SplitColumns columns;
  AnalysisState& state;
  // Flock-grid row of analysed flock r (entry 0 unused); empty while flock r is row r.
  std::span<const int> flockGridRows = {};

  int flockGridRow(int flock) const {
    return flock >= 1 && static_cast<std::size_t>(flock) < flockGridRows.size()
               ? flockGridRows[static_cast<std::size_t>(flock)]
               : flock;
  }

  // Text columns, and columns beyond the flags, take no part in the statistics.
  bool isText(int col) const {
    return col < 0 || col > MaxStatColumn || static_cast<std::size_t>(col) >= nonNumeric.size() ||
           nonNumeric[static_cast<std::size_t>(col)] != 0;
  }
  // The flocks' places in the data file: a view of its row order, so never averaged or
  // correlated (a shuffled file would change them).
  bool isOrderColumn(int col) const { return analysisGrid.text(0, col) == InitOrderHeading; }
};

}  // namespace plumetra

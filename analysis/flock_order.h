#pragma once
// The analysis run numbers each flock row of the analysis grid in its "Init. Order" column, so
// that a row is tied to its flock whatever the grid's sort.

#include <vector>

#include "controls/grid.h"

namespace plumetra {

inline constexpr char InitOrderHeading[] = "Init. Order";

// The analysed flock number of flock rows 22 .. 21 + rows, in grid order. Before a run has
// numbered the rows (or when the model did not run and the column is gone) row r + 21 holds
// flock r.
std::vector<int> flocksInGridOrder(const Grid& analysisGrid, int rows);

}  // namespace plumetra

#pragma once
// A producer's table whose headings do not stand in its first row: title lines above them
// ("Flock report 2024", "Exported from ..."), or a row of group titles over the headings
// ("Feed intake (kg/bird)" merged over "Starter", "Grower", ...).

#include <string>

#include "controls/grid.h"

namespace plumetra {

// The first row, among the first ten, that reads as headings over numeric rows: two or more
// filled cells and none a number, with a row holding two or more numbers below it (a units row
// may stand between). 0 when no row does.
int headingRowOf(const Grid& grid);

// Moves the headings to row 0: the rows above the heading row go, and a row of group titles
// just above it (none in the first column) is joined into the headings under each title, as
// far as the headings that name no Data ID by themselves ("Feed intake (kg/bird) Starter"). Says how many rows went and, for the user, what was done
// ("" when row 0 holds the headings).
struct LiftedHeadings {
  int rowsLeftOut = 0;
  std::string message;
};
LiftedHeadings liftHeadings(Grid& grid);

}  // namespace plumetra

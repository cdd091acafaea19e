#pragma once
// The flocks an analysis can use. Rows that are not flocks (a units row, summary rows, a
// second copy of a flock) are left out and named (workspace/summary_rows.h). A flock whose matched numeric cell is blank, zero, negative,
// text, an unclear number or outside the item's plausible range (workspace/plausible_ranges.h)
// is left out on its own; every other flock is analysed. Feed
// intakes after the second may be blank or zero (a phase the flock was not fed).

#include <string>
#include <vector>

#include "controls/dialogs.h"
#include "workspace/left_out_flock.h"
#include "workspace/summary_rows.h"
#include "workspace/units.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct FlockSelection {
  std::vector<int> rows;  // flock-grid rows of the complete flocks, in grid order
  std::vector<LeftOutFlock> leftOut;  // in row order
  std::vector<RowPair> nearRepeats;   // told, not merged
};

// Checks every flock row of the flock grid against the matched numeric items; `units` says
// how its weights read in kilograms.
FlockSelection selectCompleteFlocks(const Workspace& ws, const UnitSettings& units);

// "Rows 5 and 40 have the same farm, house ... but other numbers; both are analysed."; empty when none.
std::string nearRepeatMessage(const std::vector<RowPair>& pairs);

// "3 flocks left out: rows 12, 31 (no live weight), row 40 (age is text)"; empty when none.
std::string leftOutMessage(const std::vector<LeftOutFlock>& leftOut);

// The complete flocks become the analysed data set: flockData rows 1..n and the analysis grid
// hold them in grid order (analysedRows maps them back to the flock grid), flockCount is n,
// and the left-out flocks are kept in leftOutFlocks and told through `dialogs`. Returns n.
int takeCompleteFlocks(Workspace& ws, const UnitSettings& units, Dialogs& dialogs);

// Flock-grid row of analysed flock `flock` (the row itself while no selection was taken).
int flockGridRow(const Workspace& ws, int flock);

}  // namespace plumetra

#pragma once
// The typed records of the feed-conversion split (workspace/split_flock.h) made from the
// analysis: the flocks of each group as the last sort by feed conversion left them, their keys
// and values from the flock table, and their predictions at full precision.

#include "analysis/analysis_state.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

SplitFlocks splitFlocksOf(const Workspace& ws, const AnalysisState& st);

// The leftmost flock-grid column whose heading names a date ("Placement Date"), -1 when none.
int dateColumnOf(const Grid& flockGrid);

// The key of analysed flock `flock`: the farm is the leftmost text column that is not the
// house; the date comes from `dateColumn` (none when below 0).
FlockKey flockKeyOf(const Workspace& ws, int flock, int dateColumn);
// The farm and house of the flock table's row `flockGridRow` (no date), analysed or not.
FlockKey flockKeyAtRow(const Workspace& ws, int flockGridRow);

}  // namespace plumetra

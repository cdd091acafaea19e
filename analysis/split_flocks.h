#pragma once
// The typed records of the feed-conversion split (workspace/split_flock.h) made from the
// analysis: the flocks of each group as the last sort by feed conversion left them, their keys
// and values from the flock table, and their predictions at full precision.

#include "analysis/analysis_state.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

SplitFlocks splitFlocksOf(const Workspace& ws, const AnalysisState& st);

}  // namespace plumetra

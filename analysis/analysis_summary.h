#pragma once
// The summary of an analysis for a producer: the groups with their means, Low against High
// with its significance, the outliers by farm, house and value, and the flocks left out.

#include "analysis/analysis_batch.h"

namespace plumetra {

// The outliers the search highlighted at the end of the grid, highest feed conversion last.
std::vector<FlockNote> outlierNotes(const Workspace& ws, const AnalysisState& st);

// Flocks of the flock table that the run left out: from the first flock without a live
// weight on (that flock ends the flock list). Asked right after the run, before any removal.
std::vector<FlockNote> leftOutFlocks(const Workspace& ws, const AnalysisState& st);

// Groups (or categories after a text sort), Low against High and the sort, from the grid as
// it stands; the outlier and left-out notes are the caller's.
void summariseGroups(const Workspace& ws, const AnalysisState& st, AnalysisSummary& summary);

}  // namespace plumetra

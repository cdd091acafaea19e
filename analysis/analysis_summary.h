#pragma once
// The summary of an analysis for a producer: the groups with their means, Low against High
// with its significance, the outliers by farm, house and value, and the flocks left out.

#include "analysis/analysis_batch.h"

namespace plumetra {

// The outliers the search highlighted at the end of the grid, highest feed conversion last.
std::vector<FlockNote> outlierNotes(const Workspace& ws, const AnalysisResult& result);

// The flocks of the flock table the run left out (a blank, zero or text cell in a matched
// item), named by farm and house, with the reason.
std::vector<FlockNote> leftOutFlocks(const Workspace& ws);

// Groups (or categories after a text sort) as the grid's view groups the flocks, each with its
// flocks' recorded values (kg per bird, days) from the result, Low against High and the sort;
// the outlier and left-out notes are the caller's.
void summariseGroups(const Workspace& ws, const AnalysisState& st, const AnalysisResult& result,
                     AnalysisSummary& summary);

}  // namespace plumetra

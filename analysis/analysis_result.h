#pragma once
// What an analysis run found, as a value: the feed-conversion split with every flock's key,
// recorded values and prediction, and the outliers still in it. It is taken when the run ends
// (and again after an outlier removal); sorts that follow change the grid only, so every command
// after the run reads this value and never the grid.

#include <array>
#include <vector>

#include "analysis/analysis_state.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct AnalysisResult {
  int dataSetNumber = 0;               // the workspace's data set the run analysed
  std::array<double, 4> splitPercent{};  // 1-3 the groups' shares as typed for the run, 0 their sum
  SplitFlocks split;
  // The outliers of the search still in the split, as SplitFlock::flock numbers, highest feed
  // conversion last.
  std::vector<int> outliers;
};

AnalysisResult analysisResultOf(const Workspace& ws, const AnalysisState& st);

}  // namespace plumetra

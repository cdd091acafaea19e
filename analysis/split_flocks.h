#pragma once
// The flocks of the current split in analysis-grid order, with their group and their recorded
// values as the analysis prepared them (per-bird live weight in kg, birds, age, feed
// conversion, feed intakes): what the metrics, the model-fit table and the report read.

#include <array>
#include <string>
#include <vector>

#include "analysis/analysis_state.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct SplitFlock {
  int flock = 0;    // row of FlockData
  int gridRow = 0;  // row of the analysis grid
  int group = 0;    // 1 low, 2 middle, 3 high
  std::string house;
  double liveWeight = 0, birds = 0, age = 0, feedConversion = 0;
  std::array<double, 7> intake{};  // kg per bird of diet phases 1-6
};

struct SplitFlocks {
  std::vector<SplitFlock> flocks;
  std::array<int, 4> sizes{};  // 1-3 the groups
};

// The flocks of rows 22 .. 21 + N of the analysis grid (N the groups' sizes together). A row
// is tied to its flock by the "Init. Order" column the run numbers; before that (or with the
// model skipped) row r + 21 holds flock r.
SplitFlocks splitFlocksOf(const Workspace& ws, const AnalysisState& st);

}  // namespace plumetra

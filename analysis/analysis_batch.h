#pragma once
// The analysis run as a command line (or another command) drives it: the flock sex and the
// split put in the main window's boxes, the run, an optional outlier removal, and an optional
// first and second sort by column heading.

#include "analysis/analysis_run.h"

#include <array>
#include <optional>
#include <string>

namespace plumetra {

struct AnalysisSettings {
  std::optional<int> sex;                      // 0 mixed, 1 males, 2 females; none: as it stands
  std::array<double, 3> split{20.0, 60.0, 20.0};  // lowest-values, middle and high-values boxes
  std::optional<int> removeOutliers;           // flocks to take out when outliers are found
  std::string sortHeading;                     // first sort after the run (a column heading)
  std::string secondSortHeading;               // second sort (needs a text first sort)
};

struct AnalysisSummary {
  // Per group (low, middle, high): live weight, age and feed conversion as the summary shows.
  std::array<std::array<std::string, 3>, 3> groupMeans;
  std::array<int, 5> groupCount{};  // 1-3 the groups, 4 all flocks
  int outliersFound = 0;
  int outliersRemoved = 0;
  bool textFirstSort = false;  // categories and t values were built
};

struct AnalysisOutcome {
  AnalysisRunEnd end = AnalysisRunEnd::Stopped;
  std::string problem;  // a sort heading that names no column, and the like
  AnalysisSummary summary;
};

// Runs the analysis on the loaded and matched workspace.
AnalysisOutcome runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                            const AnalysisSettings& settings, Dialogs& dialogs);

}  // namespace plumetra

#pragma once
// The analysis run as a command line (or another command) drives it: the flock sex and the
// split as given, the run, an optional outlier removal, an optional
// first and second sort by column heading, and a summary a producer reads without a manual.

#include "analysis/analysis_run.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plumetra {

struct AnalysisSettings {
  std::optional<int> sex;                      // 0 mixed, 1 males, 2 females; none: as it stands
  std::array<double, 3> split{20.0, 60.0, 20.0};  // percent of the flocks in the Low, Middle and High groups
  std::optional<int> removeOutliers;           // flocks to take out when outliers are found
  std::string sortHeading;                     // first sort after the run (a column heading)
  std::string secondSortHeading;               // second sort (needs a text first sort)
};

// One group of the split, or one category of a text sort: its flocks and mean live weight,
// age and feed conversion, as the grid shows numbers.
struct GroupLine {
  std::string name;
  int flocks = 0;
  std::string weight, age, conversion;
};

// The lowest group against the highest for one column: the difference of the means (lowest
// minus highest), the t statistic and its significance ("p < 0.05", "p < 0.1",
// "not significant"); t and significance are empty when the groups have no spread.
struct GroupDifference {
  std::string lowMean, highMean, difference, t, significance;
};

// A flock named by its farm and house (or its place in the flock table) with a note: an
// outlier's feed conversion, or why a flock was left out.
struct FlockNote {
  std::string flock;
  std::string note;
};

struct AnalysisSummary {
  std::string sortHeading;         // the heading of the column the flocks were sorted by
  bool sortedByConversion = true;  // the first sort is the matched feed-conversion column
  bool textFirstSort = false;      // categories and t values were built
  std::string splitText;           // "20 / 60 / 20"
  std::vector<GroupLine> groups;   // Low, Middle, High and All; or the categories of a text sort
  GroupDifference conversion, weight;  // Low against High (numeric sorts only)
  int outliersFound = 0;
  int outliersRemoved = 0;
  std::vector<FlockNote> outliers;  // as found, before any removal
  std::vector<FlockNote> leftOut;   // flocks of the data that the analysis did not use
  std::string tValueVariable;       // the variable compared between the categories
};

struct AnalysisOutcome {
  std::optional<AnalysisResult> result;  // none when the run stopped
  std::string problem;  // a sort heading that names no column, and the like
  AnalysisSummary summary;
};

// Runs the analysis on the loaded and matched workspace.
AnalysisOutcome runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                            const AnalysisSettings& settings, Dialogs& dialogs);

}  // namespace plumetra

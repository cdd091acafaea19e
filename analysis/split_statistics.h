#pragma once
// The split statistics table in rows 1-21 of the analysis grid: the three flock groups of the
// current sort, their means and standard deviations for every numeric column, a summary of
// live weight, age and feed conversion, and t statistics between the groups.

#include "analysis/analysis_view.h"
#include "analysis/mean_sd.h"
#include "controls/colour.h"
#include "workspace/split_flock.h"

#include <array>
#include <optional>
#include <string>

namespace plumetra {

struct GroupSizes {
  int first = 0, middle = 0, last = 0, all = 0;
};

// First group: flocks x percent(1) / 100 rounded half to even; last group: x percent(3) / 100
// rounded down; the middle takes the rest. Sizes are kept within 0..flocks.
GroupSizes splitGroupSizes(int flocks, const std::array<double, 4>& splitPercent);

// The pairs of groups compared in rows 19-21: first & middle, middle & last, first & last.
inline constexpr std::array<std::array<int, 2>, 3> GroupPairs{{{1, 2}, {2, 3}, {1, 3}}};
inline constexpr int FirstTRow = 19;

// The two-sample t statistic with separate variances, first minus second group:
// (Ma - Mb) / sqrt(Sa^2/Na + Sb^2/Nb). None when a group has no standard deviation (fewer
// than two flocks) or neither group has any spread.
std::optional<double> separateVarianceT(double meanA, std::optional<double> sdA, int nA, double meanB,
                                        std::optional<double> sdB, int nB);

// Statistics of one column per group (entries 0-2) and over all flocks (entry 3), from the
// flock rows in their current order; all empty when no flock row of the column holds a number.
using GroupStats = std::array<std::optional<MeanSdResult>, 4>;
GroupStats splitColumnStatistics(const FlockRows& rows, int col, const GroupSizes& sizes);

// The same statistics of one recorded value of the split's typed flocks.
GroupStats splitFlockStatistics(const SplitFlocks& split, double SplitFlock::*value);

// How |t| stands against the critical values at df (strictly above them).
enum class Significance { None = 0, Level10 = 1, Level05 = 2 };
Significance significanceOf(double t, int df);
// Its colour: gold above the 0.05 value, rose above the 0.10 value, else the button face.
Rgb significanceColour(double t, int df);

// "Low & Middle  (1.66 / 1.98)": a pair's caption with its critical values at 0.10 and 0.05.
std::string pairCaption(int pair, int df);

// Rebuilds the whole table from the current row order; sets the grid's rows to N + 22. The
// t cells of rows 19-21 are cleared first (row 21 gets its column headings back), so no value
// of an earlier sort stays.
void splitStatistics(AnalysisView& tab);

}  // namespace plumetra

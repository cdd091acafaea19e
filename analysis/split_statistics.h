#pragma once
// The split statistics table in rows 1-21 of the analysis grid: the three flock groups of the
// current sort, their means and standard deviations for every numeric column, a summary of
// live weight, age and feed conversion, and t statistics between the groups.

#include "analysis/analysis_view.h"

#include <array>

namespace plumetra {

struct GroupSizes {
  int first = 0, middle = 0, last = 0, all = 0;
};

// First group: flocks x percent(1) / 100 rounded half to even; last group: x percent(3) / 100
// rounded down; the middle takes the rest. Sizes are kept within 0..flocks.
GroupSizes splitGroupSizes(int flocks, const std::array<double, 4>& splitPercent);

// Rebuilds the whole table from the current row order; sets the grid's rows to N + 22.
void SplitStatistics(AnalysisView& tab);

// The colours of the group rows and the summary block.
void ColourSplitTable(AnalysisView& tab);
// Critical values in columns 3-4 of rows 19-21 and the significance colours of the t values.
void MarkTValues(AnalysisView& tab);

}  // namespace plumetra

#pragma once
// The calibration results window LowerCostWindowState: the lower-cost search's results of the
// three groups, their split-weighted average, the saving per 100,000 birds and the best
// feed amounts (results), under an explanation (explanation).
//
// results (12 rows, 7 columns): row 0 the target weight in kg and the column captions with
// their units; rows 1-3 the groups Low (stored as Top), Middle, High (stored as Bottom); row 5
// the weighted average; row 6 the saving per 100,000 birds (in column 3); row 8 the phase
// captions of the phases fed; rows 9-11 the best feed amounts of the three groups, kg per bird. Numbers have a
// fixed count of decimals and a leading zero.

#include <array>
#include <string>

#include "calibration/lower_cost_search.h"
#include "controls/clipboard.h"
#include "controls/controls.h"
#include "controls/grid.h"
#include "workspace/flock_table.h"

namespace plumetra {

inline constexpr int LowerCostRows = 12;
// The group captions, then a column per feed phase (the five cost columns fit in them).
inline constexpr int LowerCostCols = FeedPhases + 1;
static_assert(LowerCostCols > 5, "the lower-cost window has room for its five cost columns");
inline constexpr int ExplanationHeight = 2000;  // twips
inline constexpr int AverageRow = 5;
inline constexpr int SavingRow = 6;
inline constexpr int PhaseCaptionRow = 8;
inline constexpr int FirstFeedRow = 9;

struct LowerCostWindowState {
  Grid results{LowerCostRows, LowerCostCols};
  Label explanation;
  bool visible = false;
};

// explanation's text for a target weight as held.
std::string lowerCostExplanation(double targetWeight);

// Fills the window from the search results; splitPercent 1-3 weigh the average row.
void fillLowerCostWindow(LowerCostWindowState& window, const LowerCostRecord& record,
                        const std::array<double, 4>& splitPercent);

// Menu "CopyAll".
void copyLowerCostWindow(LowerCostWindowState& window, Clipboard& clipboard);

}  // namespace plumetra

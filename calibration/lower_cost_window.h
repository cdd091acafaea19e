#pragma once
// The calibration results window FrmCalibration: the lower-cost search's results of the
// three groups, their split-weighted average, the saving per 100,000 birds and the best
// feed amounts (Grid1), under an explanation (Label1).
//
// Grid1 (12 rows, 7 columns): row 0 the target weight and the column captions; rows 1-3
// Top, Middle, Bottom; row 5 the weighted average; row 6 the saving per 100,000 birds;
// row 8 the phase captions; rows 9-11 the best feed amounts of the three groups.

#include <array>
#include <string>

#include "calibration/lower_cost_search.h"
#include "views/clipboard.h"
#include "views/controls.h"
#include "views/grid.h"

namespace plumetra {

inline constexpr int kGrid1Rows = 12;
inline constexpr int kGrid1Cols = 7;
inline constexpr int kLabel1Height = 2000;  // twips
inline constexpr int kAverageRow = 5;
inline constexpr int kSavingRow = 6;
inline constexpr int kPhaseCaptionRow = 8;
inline constexpr int kFirstFeedRow = 9;

struct FrmCalibration {
  Grid Grid1{kGrid1Rows, kGrid1Cols};
  Label Label1;
  bool visible = false;
};

// Label1's text for a target weight as held.
std::string LowerCostExplanation(double targetWeight);

// Fills the window from the search results; SplitPercent 1-3 weigh the average row.
void LoadFrmCalibration(FrmCalibration& window, const LowerCostRecord& record,
                        const std::array<double, 4>& SplitPercent);

// Menu "CopyAll".
void FrmCalibration_CopyAll(FrmCalibration& window, Clipboard& clipboard);

}  // namespace plumetra

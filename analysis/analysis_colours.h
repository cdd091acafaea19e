#pragma once
// The colours of the analysis grid and its side views.

#include <array>

#include "calibration/calibration_record.h"
#include "controls/colour.h"

namespace plumetra::analysis_colours {

inline constexpr Rgb FirstGroup = GroupColours[GroupTop];       // cyan, the Low group
inline constexpr Rgb MiddleGroup = GroupColours[GroupMiddle];   // green
inline constexpr Rgb LastGroup = GroupColours[GroupBottom];     // pink, the High group
inline constexpr Rgb AllFlocks{255, 255, 168};    // yellow
inline constexpr Rgb Significant05{205, 174, 0};  // gold, "P val 0.05"
inline constexpr Rgb Significant10{219, 112, 147};  // rose, "P val 0.1"
inline constexpr Rgb Outlier{255, 128, 192};      // pink
inline constexpr Rgb OutlierSearch{183, 196, 82};  // olive: the outlier button after a search
inline constexpr Rgb SortReady{128, 255, 128};    // light green: "Start Second Sort"
inline constexpr Rgb TextHeading{239, 191, 143};  // light orange: headings of text columns
inline constexpr Rgb SortCaption{173, 255, 47};   // yellow-green
inline constexpr Rgb CostHeading{128, 255, 255};  // light cyan: "Feed Cost"

// The groups as lines on a white chart (the growth curves, in the windows and the report): deeper
// shades of the group colours above, and grey for the breed before calibration; indexed
// 0 uncalibrated, 1 Low, 2 Middle, 3 High.
inline constexpr std::array<const char*, 4> GroupLineColours{"#888888", "#0097a7", "#2e9e5b", "#d0307a"};

// Correlation bands.
inline constexpr Rgb CorrStrongPositive{32, 178, 170};
inline constexpr Rgb CorrPositive{238, 221, 130};
inline constexpr Rgb CorrStrongNegative{186, 90, 211};
inline constexpr Rgb CorrNegative{220, 220, 220};

}  // namespace plumetra::analysis_colours

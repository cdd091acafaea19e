#pragma once
// The plausible range of each calibrated value a stored file holds (".clb", "Predict.txt"):
// a value outside is a damaged or hand-edited file, refused with its line, never taken.

#include <array>

#include "calibration/calibration_record.h"

namespace plumetra {

// A plausible range of one stored value; the message names what the value is.
struct ValueRange {
  const char* what;
  double low, high;
};

// Items 0-3 of a sex's calibration: hatch weight, time exponent, log maturity ratio, rate.
inline constexpr std::array<ValueRange, 4> ParamRanges{{{"hatch weight (g)", 5, 100},
                                                         {"time exponent", 0.1, 3},
                                                         {"log maturity ratio", 0.5, 12},
                                                         {"rate", 0.001, 1}}};
inline constexpr ValueRange FeRange{"F E correction", -FeCorrectionLimit, FeCorrectionLimit};

// The range of calibration item `k` (ItemHatchWeight .. ItemFeCorrection).
constexpr const ValueRange& storedItemRange(int k) { return k == ItemFeCorrection ? FeRange : ParamRanges[static_cast<std::size_t>(k)]; }

}  // namespace plumetra

#pragma once
// A figure that cannot be worked out (no flocks, no spread, an input missing) is NaN: the
// tables print it blank and no mean or test takes it in.

#include <limits>

namespace plumetra {

inline constexpr double NotKnown = std::numeric_limits<double>::quiet_NaN();

}  // namespace plumetra

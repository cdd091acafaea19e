#pragma once
// calibrated growth parameters per group and sex.

namespace plumetra {

struct CalibrationRecord {};

}  // namespace plumetra

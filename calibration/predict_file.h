#pragma once
// "Predict.txt": the calibrations of the three groups kept for the lower-cost search, which
// reads them when no calibration is in memory. For the groups Bottom, Middle and Top in
// that order: the group word, then the hatch weight, time exponent, log maturity ratio,
// rate and F E correction of the male and then of the female. A group that was not
// calibrated has " not calibrated" after its word and zeros for its values.

#include <filesystem>
#include <string>

#include "calibration/calibration_record.h"

namespace plumetra {

inline constexpr const char* kPredictFileName = "Predict.txt";
inline constexpr const char* kNotCalibratedNote = " not calibrated";

std::string PredictFileText(const CalibrationRecord& record);
bool WritePredictFile(const CalibrationRecord& record, const std::filesystem::path& folder,
                      std::string* error = nullptr);

enum class PredictRead { Read, Missing, Short };
// Reads the file into record items 0-4 of sexes 1 and 2 of groups 1-3. A missing or short
// file changes nothing.
PredictRead ReadPredictFile(CalibrationRecord& record, const std::filesystem::path& path);

}  // namespace plumetra

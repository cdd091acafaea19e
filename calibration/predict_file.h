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

inline constexpr const char* PredictFileName = "Predict.txt";
inline constexpr const char* NotCalibratedNote = " not calibrated";

std::string predictFileText(const CalibrationRecord& record);
bool writePredictFile(const CalibrationRecord& record, const std::filesystem::path& folder,
                      std::string* error = nullptr);

enum class PredictRead { Read, Missing, Short, Implausible };
// Reads the file into record items 0-4 of sexes 1 and 2 of groups 1-3, each sex's five values
// on a line of their own. A missing or short file changes nothing; so does one whose line holds
// more than five numbers or a value outside its plausible range (calibration/stored_value_ranges.h),
// and *problem (when given) names that line.
PredictRead readPredictFile(CalibrationRecord& record, const std::filesystem::path& path,
                            std::string* problem = nullptr);

}  // namespace plumetra

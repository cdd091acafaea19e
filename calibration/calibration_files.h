#pragma once
// The files of a calibrated group: the calibration file ".clb" (growth parameters, diets'
// feed weights and energies, F E corrections, units, temperatures, breeds), the group
// summary ".cal" and the group's diet file ".dts"; and the reader that puts a ".clb" file
// back into the growth model.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "calibration/calibration_record.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "controls/grid.h"
#include "workspace/diet_table.h"

namespace plumetra {

// "Change Age, days" values: a whole or one-decimal number, "0" for zero. Change ages are
// kept for the companion program only, so a tenth of a day is precision enough.
std::string formatCoarse(double value);

// The text of name + ".clb" for group 1-3 of the record.
std::string calibrationFileText(const ModelState& model, const CalibrationRecord& record, int group,
                                std::string_view fileName);
// Writes folder / (name + ".clb"); false with the reason in *error when it could not.
bool writeCalibrationFile(const ModelState& model, const CalibrationRecord& record, int group,
                          const std::filesystem::path& folder, const std::string& name,
                          std::string* error = nullptr);

// What the group summary holds, as read from the analysis grid's group row.
struct GroupSummary {
  int chosenSex = 0;
  double liveWeightKg = 0;          // the group's mean live weight
  std::string feedConversionText;   // the grid's text of the group's mean feed conversion
  std::string ageText;              // the grid's text of the group's mean age
  int dietCount = 0;
};
std::string groupSummaryText(const GroupSummary& summary, const UnitSettings& units);
bool writeGroupSummaryFile(const GroupSummary& summary, const UnitSettings& units,
                           const std::filesystem::path& folder, const std::string& name,
                           std::string* error = nullptr);

// The group's diet file, written by the one diet-file writer (workspace/diet_file.h) with the
// group's feed weights.
bool writeGroupDietFile(DietTables& diets, int dietCount, const PhaseVector& feedAllotment,
                        const UnitSettings& units, const std::filesystem::path& folder,
                        const std::string& name, std::string* error = nullptr);

// The model part of a calibration file, as read.
struct CalibrationFileValues {
  int aminoBasis = 0;
  std::array<std::array<double, 4>, SexRows> params{};  // rows 1 (male) and 2 (female)
  int dietCount = 0;
  PhaseVector changeAge{}, changeWeight{}, energy{};     // phases 1..dietCount
  std::array<double, SexRows> feCorrection{};
  int energyChoice = 0, weightChoice = 0, costChoice = 0;
  std::array<double, Weeks> indexed{};                  // indexes 0..15
  int maleBreed = 0, femaleBreed = 0;
};

// Reads the text of a calibration file. Every value the program reads must be a finite
// number within a plausible range (growth parameters, fat fractions, diet count 1-6, feed
// weights, energies, F E corrections, unit choices, week temperatures, breed indexes);
// otherwise std::nullopt with "line N: ..." in *problem.
std::optional<CalibrationFileValues> parseCalibrationFile(const std::string& contents,
                                                          std::string* problem = nullptr);
// The one reader of ".clb" files (location, lower-cost search, revaluation): std::nullopt
// with a message naming the file (and the line) in *problem when it is missing or refused.
std::optional<CalibrationFileValues> readCalibrationValues(const std::filesystem::path& path,
                                                           std::string* problem = nullptr);
std::string calibrationRefusedText(const std::filesystem::path& path, const std::string& why);

// Puts a calibration into the model: amino-acid basis, growth parameters, number of diets,
// reference energies (the male row into every sex), F E corrections, unit choices, the
// indexed values, the breeds, the breast-meat adjustment 0.125 of breeds 3, 7 and 13; then
// the body-composition set and the hatch weights.
void applyCalibrationFile(ModelState& model, const CalibrationFileValues& values);

enum class CalibrationRead { Missing, Read, Refused };
// Reads path (a ".clb" file) into the model. A file that cannot be used is reported through
// `dialogs` and changes nothing.
CalibrationRead readCalibrationFile(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs);

}  // namespace plumetra

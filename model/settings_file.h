#pragma once
// The settings file ".stg" of a calibrated data set: written once per stored group, read
// back after the calibration file of the same name.

#include <filesystem>
#include <string>
#include <string_view>

#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

// Built-in optimum house temperatures by week (weeks 1..15).
inline constexpr std::array<double, Weeks> OptimumWeekTemp{
    0, 35, 29, 23, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};

// The text of a settings file: the data-set name, the flock sex letter of chosenSex
// ("X", "M", "F"), the target weight text as the grid shows it, and the run settings.
std::string settingsFileText(const ModelState& model, std::string_view dataSetName, int chosenSex,
                             std::string_view targetWeight);

// Writes name + ".stg" for group 1-4; group 0 writes nothing. False (with the reason in
// *error) when the file could not be written; an old file then stays as it was.
bool writeSettingsFile(const ModelState& model, const std::filesystem::path& name, int group,
                       int chosenSex, std::string_view targetWeight, std::string* error = nullptr);

enum class SettingsRead {
  Absent,   // no settings file: the settings in force stay
  Read,     // read; the caller sets the flock-sex list to modelSex
  Refused,  // "No of Diets" outside 1..6, or a change age, feed weight or temperature outside
            // its plausible range: a message naming the line was shown and nothing was changed
};

// Reads name + ".stg" into the model: flock sex, number of diets, change ages, feed weights,
// unit choices (Weight Choice reads back as 0), weekly temperatures and the mill cost
// choice; then the optimum temperatures and the temperature fallback. The target weight,
// the change mode and the mill haul cost are read past: nothing uses them.
SettingsRead readSettingsFile(ModelState& model, const std::filesystem::path& name,
                              Dialogs& dialogs);

}  // namespace plumetra

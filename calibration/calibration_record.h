#pragma once
// The calibrated growth parameters of the three split groups, kept for the life of the
// program: what the ".clb" writer prints, what "Predict.txt" stores, and what the
// lower-cost search and the revaluation put back in force.

#include <array>
#include <string>

#include "controls/colour.h"

namespace plumetra {

inline constexpr int CalibrationGroups = 4;  // groups 1 Top, 2 Middle, 3 Bottom (0 unused)
// The one colour of each group wherever it is shown: the analysis grid's group rows
// (analysis/analysis_colours.h names them), and the buttons while a group is calibrated or
// searched. Cyan the Low group (Top), green Middle, pink the High group (Bottom); 0 unused.
inline constexpr std::array<Rgb, CalibrationGroups> GroupColours{Rgb{}, Rgb{151, 255, 255}, Rgb{162, 244, 190},
                                                                  Rgb{255, 128, 192}};
inline constexpr int CalibrationSexes = 3;   // 0 mixed, 1 male, 2 female
inline constexpr int CalibrationItems = 6;
// Items of one record: the four growth parameters, the F E correction, the best objective.
inline constexpr int ItemHatchWeight = 0;
inline constexpr int ItemTimeExponent = 1;
inline constexpr int ItemLogMaturity = 2;
inline constexpr int ItemRate = 3;
inline constexpr int ItemFeCorrection = 4;
inline constexpr int ItemBestObjective = 5;  // stored for chosenSex only

// The F E corrections a calibration reaches, stores and reads: within +-0.25, the range the
// day step accepts for the females.
inline constexpr double FeCorrectionLimit = 0.25;

inline constexpr int GroupTop = 1;
inline constexpr int GroupMiddle = 2;
inline constexpr int GroupBottom = 3;

using CalibrationTable =
    std::array<std::array<std::array<double, CalibrationItems>, CalibrationSexes>, CalibrationGroups>;

struct CalibrationRecord {
  CalibrationTable table{};  // [group][sex][item]
  int chosenSex = 0;         // the flock sex of the calibration: 0 mixed, 1 male, 2 female
  std::string baseName;      // typed by the user; group files add "Top", "Middle", "Bottom"
  double targetWeight = 0;   // the lower-cost search's target: the Middle group's live weight
  int storedAminoBasis = -1;  // of a stored set read back (0 total, 1 available); -1: none read

  // A group is calibrated when its male time exponent is set; a failed or missing group is 0.
  bool hasGroup(int group) const { return table[group][1][ItemTimeExponent] > 0; }

  double& operator()(int group, int sex, int item) { return table[group][sex][item]; }
  double operator()(int group, int sex, int item) const { return table[group][sex][item]; }
};

// "Top", "Middle", "Bottom" for groups 1-3.
inline const char* groupWord(int group) {
  switch (group) {
    case GroupTop: return "Top";
    case GroupMiddle: return "Middle";
    case GroupBottom: return "Bottom";
    default: return "";
  }
}

}  // namespace plumetra

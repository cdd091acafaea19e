#pragma once
// The calibrated growth parameters of the three split groups, kept for the life of the
// program: what the ".clb" writer prints, what "Predict.txt" stores, and what the
// lower-cost search and the revaluation put back in force.

#include <array>
#include <string>

#include "controls/colour.h"

namespace plumetra {

inline constexpr int kCalibrationGroups = 4;  // groups 1 Top, 2 Middle, 3 Bottom (0 unused)
// The one colour of each group wherever it is shown: the analysis grid's group rows
// (analysis/analysis_colours.h names them), and the buttons while a group is calibrated or
// searched. Cyan the Low group (Top), green Middle, pink the High group (Bottom); 0 unused.
inline constexpr std::array<Rgb, kCalibrationGroups> GroupColours{Rgb{}, Rgb{151, 255, 255}, Rgb{162, 244, 190},
                                                                  Rgb{255, 128, 192}};
inline constexpr int kCalibrationSexes = 3;   // 0 mixed, 1 male, 2 female
inline constexpr int kCalibrationItems = 6;
// Items of one record: the four growth parameters, the F E correction, the best objective.
inline constexpr int kItemHatchWeight = 0;
inline constexpr int kItemTimeExponent = 1;
inline constexpr int kItemLogMaturity = 2;
inline constexpr int kItemRate = 3;
inline constexpr int kItemFeCorrection = 4;
inline constexpr int kItemBestObjective = 5;  // stored for ChosenSex only

// The F E corrections a calibration reaches, stores and reads: within +-0.25, the range the
// day step accepts for the females.
inline constexpr double kFeCorrectionLimit = 0.25;

inline constexpr int kGroupTop = 1;
inline constexpr int kGroupMiddle = 2;
inline constexpr int kGroupBottom = 3;

using CalibrationTable =
    std::array<std::array<std::array<double, kCalibrationItems>, kCalibrationSexes>, kCalibrationGroups>;

struct CalibrationRecord {
  CalibrationTable table{};  // [group][sex][item]
  int ChosenSex = 0;         // the flock sex of the calibration: 0 mixed, 1 male, 2 female
  std::string BaseName;      // typed by the user; group files add "Top", "Middle", "Bottom"
  double TargetWeight = 0;   // the lower-cost search's target: the Middle group's live weight
  int StoredAminoBasis = -1;  // of a stored set read back (0 total, 1 available); -1: none read

  // A group is calibrated when its male time exponent is set; a failed or missing group is 0.
  bool hasGroup(int group) const { return table[group][1][kItemTimeExponent] > 0; }

  double& operator()(int group, int sex, int item) { return table[group][sex][item]; }
  double operator()(int group, int sex, int item) const { return table[group][sex][item]; }
};

// "Top", "Middle", "Bottom" for groups 1-3.
inline const char* groupWord(int group) {
  switch (group) {
    case kGroupTop: return "Top";
    case kGroupMiddle: return "Middle";
    case kGroupBottom: return "Bottom";
    default: return "";
  }
}

}  // namespace plumetra

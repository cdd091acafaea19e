#pragma once
// "Calibrate and Store the Flock Splits": calibrates the growth model to the Top, Middle and
// Bottom groups of the analysis grid in turn and stores, per group, the files base name +
// "Top"/"Middle"/"Bottom" + ".cal", ".stg", ".clb", ".dts" in lastDir, then "Predict.txt".
// Each group is grown at its own mean stocking density. A group whose fit fails is named
// with the reason and not stored; the other groups still are, and "Predict.txt" notes the
// missing one.

#include <string>

#include "calibration/bird_calibration.h"
#include "calibration/calibration_record.h"
#include "calibration/group_inputs.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr const char* SetBreedsText =
    "Set Breeds with the Set Values Window: no breed is chosen, so the General breed stands in for this "
    "calibration. To calibrate for your breeds, cancel the name asked next, choose them under Set Values > "
    "Set Location Values..., then calibrate again.";
inline constexpr const char* SetFlockSexText = "Set Flock Sex";
inline constexpr const char* CalibrationDataMissingText = "Initial Calibration Data Missing";
inline constexpr const char* NoAnalysisText =
    "The analysis grid holds no split summary yet. Run the analysis (the Plumetra button) "
    "first, then calibrate.";
// The base-name prompt: two sentences joined by the character with code 31.
inline const std::string BaseNamePrompt = std::string("This creates 3 datasets for Tervalon(tm) Feed Program.") +
                                           char(31) +
                                           " Enter a Name and Top, Middle, and Bottom will be added (Top = the Low "
                                           "group, lowest feed conversion; Bottom = the High group).";

// How one group ended.
struct GroupOutcome {
  bool stored = false;   // its four files were written
  std::string reason;    // why it was not (empty when stored or never reached)
  double density = 0;    // the stocking density it was calibrated at (0: no density effect)
  double ageMiss = 0;    // days: the stored fit's age at the group weight - the group age
  double conversionMiss = 0;
  int sex = 0;           // the sex it was calibrated as: the flock sex, or its flocks' majority sex
};

struct SplitCalibrationResult {
  int groupsStored = 0;     // how many groups' four files were written
  std::array<GroupOutcome, CalibrationGroups> groups{};  // 1 Top, 2 Middle, 3 Bottom
  bool predictWritten = false;
  bool refused = false;     // the inputs were refused before any run (nothing written)
  std::string baseName;     // empty when the command ended before asking or on an empty name

  bool allStored() const { return groupsStored == GroupBottom; }
};

// calibrateButton click: each group of the feed-conversion split calibrated to its mean live
// weight, age and feed conversion on its mean feed per phase. Files go to ws.lastDir.
SplitCalibrationResult calibrateGroups(Workspace& ws, ModelState& model, CalibrationRecord& record,
                                      const SplitFlocks& split, Dialogs& dialogs,
                                      const CalibrationOptions& options = {});

}  // namespace plumetra

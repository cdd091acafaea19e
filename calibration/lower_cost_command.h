#pragma once
// "Look for Lower Cost with Feed Intake" (lowerCostButton): asks for the flock weight, makes sure
// a calibration of every group is in memory (else reads "Predict.txt") and searches the three
// groups; the results window shows the record it fills.

#include <array>
#include <filesystem>
#include <string>

#include "calibration/calibration_record.h"
#include "calibration/lower_cost_search.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr const char* FlockWeightTitle = "Select the Flock Weight - Zero to Skip Optimization";

enum class LowerCostEnd {
  NotOffered,     // the cost question was not put by the last analysis run
  Skipped,        // the user answered 0
  NoAnalysis,     // no analysis run has filled the group means
  NoCalibration,  // none in memory and no usable "Predict.txt"
  GroupTooOld,    // a group's mean age is beyond what the growth run reaches
  DietRefused,    // a diet the growth model cannot use
  Unreachable,    // no group reaches the target weight
  Searched,       // at least one group was searched
};

struct LowerCostContext {
  Workspace& ws;
  ModelState& model;
  CalibrationRecord& calibration;
  const SplitFlocks& flocks;  // the feed-conversion split: each group's mean feed, age and density
  const std::array<double, 4>& splitPercent;
  std::filesystem::path folder;  // where "Predict.txt" is looked for
};

// The search's usual target: the Middle group's mean live weight in kg, as the split table shows it.
double middleGroupTarget(const SplitFlocks& split);

// What the group search reads, gathered from the split, the diet tables and the calibration
// record.
LowerCostSetup gatherLowerCostSetup(const Workspace& ws, const ModelState& model, const CalibrationRecord& calibration,
                                    const SplitFlocks& split, double targetGrams);

// The search itself with CalibrationRecord::TargetWeight as the target (a value below 2000
// is kilograms and becomes grams in place). Messages go through `dialogs`.
LowerCostEnd runLowerCostSearch(LowerCostContext& context, Dialogs& dialogs, LowerCostRecord& record);

// The button: the flag is the analysis run's cost-question flag.
LowerCostEnd searchLowerCost(LowerCostContext& context, bool& costQuestionFlag, Dialogs& dialogs,
                            LowerCostRecord& record);

// The search ran and `record` holds its groups (some may have missed the target).
inline bool searchRan(LowerCostEnd end) { return end == LowerCostEnd::Searched || end == LowerCostEnd::Unreachable; }

}  // namespace plumetra

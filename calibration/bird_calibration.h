#pragma once
// BirdCalibration: fits the growth model to one split group. For the male and then the
// female bird it searches five factors (percentages of the four growth parameters and the
// F E correction x 1000) with restarted quasi-Newton passes, so that a growth run reaches
// the group's weight at the group's age with the group's feed conversion while staying
// close to a reference curve; two refinement loops follow.

#include <string>

#include "calibration/calibration_objective.h"
#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

inline constexpr double YoungestCalibrationAge = 1;
// Search runs stop at 70 days and the objective reads the day after the rounded group age.
inline constexpr double OldestCalibrationAge = 69;
inline constexpr long GroupEvaluationCap = 2000;
inline constexpr int FinalAdjustmentPassLimit = 200;
// A group is stored only when its fit lands this close to the group age and feed conversion.
inline constexpr double StoredAgeTolerance = 0.35;
inline constexpr double StoredConversionTolerance = 0.01;

inline constexpr const char* ErrorInFeedIntake = "Error in Feed Intake";
inline constexpr const char* SearchModelError = "error 1";
inline constexpr const char* CalibrationFailedText =
    "Calibration Failed to Solve, set amino acids as avail. or change age";

enum class CalibrationEnd {
  Completed,       // every step ran (the failure indicator may still be raised)
  AgeRefused,      // the group age lies outside the model's range; nothing was run
  SearchError,     // "error 1": a model error during a line search
  CheckError,      // a model error in the runs after the search
};

struct GroupCalibration {
  CalibrationEnd end = CalibrationEnd::Completed;
  bool failed = false;  // the fit misses the group age or feed conversion beyond the tolerances
  double ageMiss = 0;         // days: the fitted run's age at the group weight - the group age
  double conversionMiss = 0;  // its feed conversion - the group feed conversion
  std::string reason;         // why the group is not calibrated, in the user's words; empty when it is
  CalibrationWork work;  // targets, reference curves, best sets and values, evaluation count
};

struct CalibrationOptions {
  int threads = 0;  // gradient runs in parallel on this many threads; 0: by the number of cores
};

// Why a group age is refused ("its age of 80 days is outside ...").
std::string ageRefusedText(double age);

// sexFeedConversionTargets: target feed conversion of each sex from the group's.
void sexFeedConversionTargets(CalibrationWork& work);

// buildCalibrationTargets: base parameters, reference curves and the per-sex targets.
void buildCalibrationTargets(ModelState& model, CalibrationWork& work, Dialogs& dialogs);

// calibrateGroup: the whole fit of one group, buildCalibrationTargets first (the only
// caller always asks for it). The caller sets feedAllotment, dietNutrients, finalWeight
// and RunMode.targetWeight before; the fitted parameters and F E corrections are left in
// the model, modelSex is the flock sex again. A group age outside 1..69 days is refused
// before any run (the reason is in the result, for the caller's message). The result is
// failed when the fit misses the group age by more than 0.35 days or its feed conversion by
// more than 0.01, or the model fails.
GroupCalibration calibrateGroup(ModelState& model, const GroupTargets& group, Dialogs& dialogs,
                                const CalibrationOptions& options = {});

}  // namespace plumetra

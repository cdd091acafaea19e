#pragma once
// The working data of one group's calibration and the objective that scores a set of
// calibration factors: how far a growth run on them lands from the group's weight and
// feed conversion at the group age, and how far its curve strays from the reference.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "model/model_state.h"
#include "model/run_messages.h"

namespace plumetra {

inline constexpr int CalibrationFactors = 5;  // hatch weight, b, L, k (percent), F E x 1000
inline constexpr int ReferenceDays = 71;      // days 0..70
inline constexpr int SearchDays = 70;         // search runs stop at this age
inline constexpr double FailedObjective = 1e10;
inline constexpr double OldestSearchAge = 96;  // a search run older than this scores FailedObjective

// What the caller hands over for one group.
struct GroupTargets {
  double weightKg = 0;        // the group's mean live weight
  double age = 0;             // the group's mean age at slaughter, days
  double feedConversion = 0;  // the group's mean feed conversion
  int group = 1;              // 1 Top, 2 Middle, 3 Bottom
  int chosenSex = 0;          // the flock sex: 0 mixed, 1 male, 2 female
};

// The four scaled growth parameters (W0, b, L, k) and the F E correction.
using ParameterSet = std::array<double, CalibrationFactors>;
using SexParams = std::array<std::array<double, 4>, SexRows>;  // [sex][W0, b, L, k]

struct CalibrationWork {
  GroupTargets group;
  SexParams base{};  // the parameters the factors scale
  SexParams low{}, high{};  // absolute ranges of the growth parameters, per sex
  std::array<double, SexRows> hatchLow{}, hatchHigh{};  // hatch-weight bounds from the breeds
  std::array<double, SexRows> targetWeight{};          // grams
  std::array<double, SexRows> targetFeedConversion{};
  std::array<double, SexRows> targetFeed{};            // kg per bird
  std::array<std::array<double, ReferenceDays>, SexRows> referenceCurve{};  // grams
  std::array<double, SexRows> best{};                  // best objective so far
  std::array<ParameterSet, SexRows> bestSet{};
  long evaluations = 0;      // every objective evaluation of the group, both sexes
  RunMessageTally messages;  // messages of the group's growth runs, shown once at the end
  int threads = 1;           // gradient evaluations run on this many threads
};

// One objective evaluation, before it is compared with the best so far.
struct ObjectiveRun {
  double value = FailedObjective;
  bool raisedError = false;  // the run raised the model-error flag
  ParameterSet set{};
};

// Puts the factors x of `sex` in force, runs the model to 70 days and scores the run.
// Touches only `model` (the best-so-far records are left to the caller).
ObjectiveRun runCalibrationObjective(ModelState& model, const CalibrationWork& work, int sex,
                                     const std::vector<double>& x);

// calibrationObjective: one evaluation on the live model, recorded as best when it is.
double calibrationObjective(ModelState& model, CalibrationWork& work, const std::vector<double>& x);

// The objective at several points, exactly as that many calibrationObjective calls in order
// would give it (values, best records, the model-error flag, messages, the model left by
// the last run), with the runs spread over work.threads copies of the model.
std::vector<double> calibrationObjectives(ModelState& model, CalibrationWork& work,
                                          const std::vector<std::vector<double>>& points);

// "the Top group's calibration": the subject of the group's run messages.
std::string calibrationSubject(const CalibrationWork& work);

// Body weight of a curve at a fractional age: W(i) + (W(i + 1) - W(i)) * (age - i) with
// i = day; days beyond the curve read as its last entry.
double curveWeightAt(std::span<const double> curve, int day, double age);

}  // namespace plumetra

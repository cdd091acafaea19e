#include "calibration/calibration_objective.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "calibration/calibration_record.h"
#include "model/growth_run.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

inline constexpr double kWeightWeight = 1000;   // per (100 g)^2 off the target weight
inline constexpr double kCurveWeight = 1000;    // per squared relative curve deviation
inline constexpr double kFeedConversionWeight = 500000;

void recordBest(CalibrationWork& work, int sex, const ObjectiveRun& run) {
  if (run.value < work.best[sex]) {
    work.best[sex] = run.value;
    work.bestSet[sex] = run.set;
  }
}

}  // namespace

std::string CalibrationSubject(const CalibrationWork& work) {
  return std::string("the ") + groupWord(work.group.group) + " group's calibration";
}

double WeightAtAge(std::span<const double> curve, int day, double age) {
  const auto at = [&](int d) { return curve[static_cast<size_t>(std::clamp<int>(d, 0, static_cast<int>(curve.size()) - 1))]; };
  return at(day) + (at(day + 1) - at(day)) * (age - day);
}

ObjectiveRun RunCalibrationObjective(ModelState& model, const CalibrationWork& work, int sex,
                                     const std::vector<double>& x) {
  ObjectiveRun run;
  for (int r = 0; r < 4; ++r) {
    model.GrowthParams[sex][r] = work.base[sex][r] * x[r] / 100;
    run.set[r] = model.GrowthParams[sex][r];
  }
  model.FeCorrection[sex] = x[4] / 1000;
  run.set[4] = model.FeCorrection[sex];
  model.BodyWeight[sex][0] = model.GrowthParams[sex][kParamW0];
  model.RunMode.stopMode = kStopOnAge;
  model.RunTarget = kSearchDays;
  const bool errorBefore = model.ModelError;
  GrowFlock(model);
  run.raisedError = model.ModelError && !errorBefore;
  if (model.ModelError || model.FinalAge > kOldestSearchAge) return run;

  // Deviation from the reference curve; days without a reference weight are skipped.
  const auto& weight = model.BodyWeight[sex];
  const auto& reference = work.ReferenceCurve[sex];
  double penalty = 0;
  const int lastDay = std::min(model.FinalDay, kSearchDays);
  for (int d = 1; d <= lastDay; ++d) {
    if (reference[d] == 0) continue;
    const double relative = (reference[d] - weight[d]) / reference[d];
    penalty += relative * relative;
  }

  // Weight and feed conversion at the group age (the day rounded half to even).
  const double age = work.group.age;
  const int day = static_cast<int>(roundHalfEven(age));
  double feed = 0;
  for (int d = 1; d <= day; ++d) feed += model.FeedIntake[sex][d];
  const double weightAtAge = WeightAtAge(weight, day, age);
  if (weightAtAge <= 0) return run;
  const double feedConversion = 1000 * feed / weightAtAge;

  const double weightMiss = (weightAtAge - work.targetWeight[sex]) / 100;
  const double conversionMiss = feedConversion - work.targetFeedConversion[sex];
  run.value = kWeightWeight * weightMiss * weightMiss + kCurveWeight * penalty +
              kFeedConversionWeight * conversionMiss * conversionMiss;
  return run;
}

double CalibrationObjective(ModelState& model, CalibrationWork& work, const std::vector<double>& x) {
  const int sex = model.ModelSex;
  const ObjectiveRun run = RunCalibrationObjective(model, work, sex, x);
  if (!model.Messages.empty()) work.messages.add(model.Messages, CalibrationSubject(work));
  recordBest(work, sex, run);
  return run.value;
}

std::vector<double> CalibrationObjectives(ModelState& model, CalibrationWork& work,
                                          const std::vector<std::vector<double>>& points) {
  const size_t n = points.size();
  const size_t threads = std::min<size_t>(static_cast<size_t>(std::max(work.threads, 1)), n);
  std::vector<double> values(n);
  if (threads <= 1) {
    for (size_t i = 0; i < n; ++i) values[i] = CalibrationObjective(model, work, points[i]);
    return values;
  }

  // One copy of the live model per thread. A run's results depend only on the inputs the
  // objective sets, not on the run before it on the same copy; the model-error flag,
  // which is sticky, is reset before each run and merged below.
  const int sex = model.ModelSex;
  const bool errorBefore = model.ModelError;
  const int stepCountBefore = model.DayStepCount;
  std::vector<std::unique_ptr<ModelState>> copies(threads);
  std::vector<ObjectiveRun> runs(n);
  std::vector<RunMessages> messages(n);
  std::vector<int> steps(n);
  {
    std::vector<std::jthread> workers;
    for (size_t t = 0; t < threads; ++t) {
      workers.emplace_back([&, t] {
        copies[t] = std::make_unique<ModelState>(model);
        ModelState& copy = *copies[t];
        for (size_t i = t; i < n; i += threads) {
          copy.ModelError = errorBefore;
          const int stepsBefore = copy.DayStepCount;
          runs[i] = RunCalibrationObjective(copy, work, sex, points[i]);
          messages[i] = copy.Messages;
          steps[i] = copy.DayStepCount - stepsBefore;
        }
      });
    }
  }

  // Merge in order, as a sequential run would have met them: once a run raised the
  // model-error flag, every later run sees it and scores kFailedObjective.
  bool error = errorBefore;
  int stepCount = stepCountBefore;
  for (size_t i = 0; i < n; ++i) {
    error = error || runs[i].raisedError;
    if (error) runs[i].value = kFailedObjective;
    stepCount += steps[i];
    if (!messages[i].empty()) work.messages.add(messages[i], CalibrationSubject(work));
    recordBest(work, sex, runs[i]);
    values[i] = runs[i].value;
  }
  model = std::move(*copies[(n - 1) % threads]);  // the copy that made the last run
  model.ModelError = error;
  model.DayStepCount = stepCount;
  return values;
}

}  // namespace plumetra

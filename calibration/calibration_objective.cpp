#include "calibration/calibration_objective.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "calibration/calibration_record.h"
#include "model/growth_run.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

inline constexpr double WeightWeight = 1000;   // per (100 g)^2 off the target weight
inline constexpr double CurveWeight = 1000;    // per squared relative curve deviation
inline constexpr double FeedConversionWeight = 500000;

void recordBest(CalibrationWork& work, int sex, const ObjectiveRun& run) {
  if (run.value < work.best[sex]) {
    work.best[sex] = run.value;
    work.bestSet[sex] = run.set;
  }
}

}  // namespace

std::string calibrationSubject(const CalibrationWork& work) {
  return std::string("the ") + groupWord(work.group.group) + " group's calibration";
}

double curveWeightAt(std::span<const double> curve, int day, double age) {
  const auto at = [&](int d) { return curve[static_cast<size_t>(std::clamp<int>(d, 0, static_cast<int>(curve.size()) - 1))]; };
  return at(day) + (at(day + 1) - at(day)) * (age - day);
}

namespace {

// The objective on the parts a growth run reads and writes: the inputs it changes and the
// results, with the reference composition and the units shared by every thread.
ObjectiveRun runObjective(GrowthInputs& in, const ReferenceComposition& composition, const UnitSettings& units,
                          GrowthResults& out, const CalibrationWork& work, int sex, const std::vector<double>& x) {
  ObjectiveRun run;
  for (int r = 0; r < 4; ++r) {
    in.growthParams[sex][r] = work.base[sex][r] * x[r] / 100;
    run.set[r] = in.growthParams[sex][r];
  }
  in.feCorrection[sex] = x[4] / 1000;
  run.set[4] = in.feCorrection[sex];
  in.hatchWeight[sex] = in.growthParams[sex][ParamW0];
  in.stop = RunStop::atAge(SearchDays);
  const bool errorBefore = out.modelError;
  growFlock(in, composition, units, out);
  run.raisedError = out.modelError && !errorBefore;
  if (out.modelError || out.finalAge > OldestSearchAge) return run;

  // Deviation from the reference curve; days without a reference weight are skipped.
  const auto& weight = out.bodyWeight[sex];
  const auto& reference = work.referenceCurve[sex];
  double penalty = 0;
  const int lastDay = std::min(out.finalDay, SearchDays);
  for (int d = 1; d <= lastDay; ++d) {
    if (reference[d] == 0) continue;
    const double relative = (reference[d] - weight[d]) / reference[d];
    penalty += relative * relative;
  }

  // Weight and feed conversion at the group age (the day rounded half to even).
  const double age = work.group.age;
  const int day = static_cast<int>(roundHalfEven(age));
  double feed = 0;
  for (int d = 1; d <= day; ++d) feed += out.feedIntake[sex][d];
  const double weightAtAge = curveWeightAt(weight, day, age);
  if (weightAtAge <= 0) return run;
  const double feedConversion = 1000 * feed / weightAtAge;

  const double weightMiss = (weightAtAge - work.targetWeight[sex]) / 100;
  const double conversionMiss = feedConversion - work.targetFeedConversion[sex];
  run.value = WeightWeight * weightMiss * weightMiss + CurveWeight * penalty +
              FeedConversionWeight * conversionMiss * conversionMiss;
  return run;
}

}  // namespace

ObjectiveRun runCalibrationObjective(ModelState& model, const CalibrationWork& work, int sex,
                                     const std::vector<double>& x) {
  return runObjective(model.inputs, model.composition, model.settings.units, model.results, work, sex, x);
}

double calibrationObjective(ModelState& model, CalibrationWork& work, const std::vector<double>& x) {
  const int sex = model.inputs.modelSex;
  const ObjectiveRun run = runCalibrationObjective(model, work, sex, x);
  if (!model.results.messages.empty()) work.messages.add(model.results.messages, calibrationSubject(work));
  recordBest(work, sex, run);
  return run.value;
}

std::vector<double> calibrationObjectives(ModelState& model, CalibrationWork& work,
                                          const std::vector<std::vector<double>>& points) {
  const size_t n = points.size();
  const size_t threads = std::min<size_t>(static_cast<size_t>(std::max(work.threads, 1)), n);
  std::vector<double> values(n);
  if (threads <= 1) {
    for (size_t i = 0; i < n; ++i) values[i] = calibrationObjective(model, work, points[i]);
    return values;
  }

  // Each thread owns a copy of the inputs (the objective changes them) and of the results; the
  // reference composition and the units, which no run writes, are shared. A run's results
  // depend only on the inputs the objective sets, not on the run before it on the same
  // copy; the model-error flag, which is sticky, is reset before each run and merged below.
  const int sex = model.inputs.modelSex;
  const bool errorBefore = model.results.modelError;
  const int stepCountBefore = model.results.dayStepCount;
  struct ThreadModel {
    GrowthInputs inputs;
    GrowthResults results;
  };
  std::vector<std::unique_ptr<ThreadModel>> copies(threads);
  std::vector<ObjectiveRun> runs(n);
  std::vector<RunMessages> messages(n);
  std::vector<int> steps(n);
  {
    std::vector<std::jthread> workers;
    for (size_t t = 0; t < threads; ++t) {
      workers.emplace_back([&, t] {
        copies[t] = std::make_unique<ThreadModel>(ThreadModel{model.inputs, model.results});
        ThreadModel& copy = *copies[t];
        for (size_t i = t; i < n; i += threads) {
          copy.results.modelError = errorBefore;
          const int stepsBefore = copy.results.dayStepCount;
          runs[i] = runObjective(copy.inputs, model.composition, model.settings.units, copy.results, work, sex,
                                 points[i]);
          messages[i] = copy.results.messages;
          steps[i] = copy.results.dayStepCount - stepsBefore;
        }
      });
    }
  }

  // Merge in order, as a sequential run would have met them: once a run raised the
  // model-error flag, every later run sees it and scores FailedObjective.
  bool error = errorBefore;
  int stepCount = stepCountBefore;
  for (size_t i = 0; i < n; ++i) {
    error = error || runs[i].raisedError;
    if (error) runs[i].value = FailedObjective;
    stepCount += steps[i];
    if (!messages[i].empty()) work.messages.add(messages[i], calibrationSubject(work));
    recordBest(work, sex, runs[i]);
    values[i] = runs[i].value;
  }
  ThreadModel& last = *copies[(n - 1) % threads];  // the copy that made the last run
  model.inputs = last.inputs;
  model.results = std::move(last.results);
  model.results.modelError = error;
  model.results.dayStepCount = stepCount;
  return values;
}

}  // namespace plumetra

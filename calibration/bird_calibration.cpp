#include "calibration/bird_calibration.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "calibration/calibration_record.h"
#include "calibration/quasi_newton.h"
#include "model/breed_data.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

// Start, bounds and tolerances of the search.
inline constexpr double kFactorStart = 100;
inline constexpr std::array<double, kCalibrationFactors> kLowerBounds{90, 80, 80, 80, 4};
inline constexpr std::array<double, kCalibrationFactors> kUpperBounds{110, 140, 120, 140, 150};
inline constexpr double kHatchWeightLowerAfterStart = 50;
inline constexpr double kRestartTolerance = 0.001;
inline constexpr double kBottomRestartTolerance = 0.01;
inline constexpr double kFirstRestartValue = 1000;
inline constexpr double kSexCheckMargin = 0.01;
inline constexpr double kFemaleConversionOffset = 0.005;
inline constexpr double kStartFeCorrectionMale = 0.1;
inline constexpr double kStartFeCorrectionFemale = 0.13;
// Female base when the female breed has no curve.
inline constexpr std::array<double, 4> kFallbackFemaleBase{42.2, 0.823964, 4.854755, 0.073568};
// The built-in male parameters (PrepareComposition's defaults), for a breed table without curves.
inline constexpr std::array<double, 4> kDefaultMaleBase{42.85, 0.9057, 5.139, 0.0588};
// Hatch weights stay within these shares of the breeds' own hatch weight: a chick is not
// half the breed's weight however well the curve fits.
inline constexpr std::array<double, 2> kHatchWeightBounds{0.9, 1.1};
// FinalAdjustment: a fit within these misses of the group age and feed conversion is done;
// the age rule keeps a margin below the stored tolerance for the rounding of group figures.
inline constexpr double kAdjustStartAge = 0.25;
inline constexpr double kAdjustStartConversion = 0.0025;
inline constexpr double kAdjustDoneConversion = 0.002;
// Feed-conversion nudges after the search.
inline constexpr int kConversionPasses = 11;
inline constexpr double kConversionTolerance = 0.01;
inline constexpr double kConversionNudge = 0.01;
inline constexpr int kParallelGradientCores = 2;

void runTo(ModelState& model, CalibrationWork& work, const RunStop& stop) {
  model.inputs.stop = stop;
  GrowFlock(model);
  if (!model.results.Messages.empty()) work.messages.add(model.results.Messages, CalibrationSubject(work));
}

// The breeds' own parameters (the means of the two chosen breeds), whatever an earlier group
// left in the model: the hatch-weight bounds of every group come from these.
SexParams breedBase(const ModelState& model) {
  const auto& table = model.settings.BreedTable;
  const int maleBreed = ChosenBreed(model, 1);
  const int femaleBreed = ChosenBreed(model, 2);
  SexParams base{};
  for (int r = 0; r < 4; ++r) {
    base[1][r] = (table[maleBreed][1][r] + table[femaleBreed][1][r]) / 2;
    base[2][r] = table[femaleBreed][1][kParamL] == 0 ? kFallbackFemaleBase[r]
                                                      : (table[maleBreed][2][r] + table[femaleBreed][2][r]) / 2;
  }
  if (!(base[1][kParamW0] > 0)) base[1] = {kDefaultMaleBase[0], kDefaultMaleBase[1], kDefaultMaleBase[2], kDefaultMaleBase[3]};
  return base;
}

void setHatchBounds(const ModelState& model, CalibrationWork& work) {
  const SexParams breed = breedBase(model);
  for (int s = 1; s <= 2; ++s) {
    work.hatchLow[s] = breed[s][kParamW0] * kHatchWeightBounds[0];
    work.hatchHigh[s] = breed[s][kParamW0] * kHatchWeightBounds[1];
  }
}

void chooseBase(ModelState& model, CalibrationWork& work) {
  if (model.inputs.GrowthParams[1][kParamB] > 0) {
    for (int s = 1; s <= 2; ++s)
      for (int r = 0; r < 4; ++r) work.base[s][r] = model.inputs.GrowthParams[s][r];
    return;
  }
  const int maleBreed = ChosenBreed(model, 1);
  const int femaleBreed = ChosenBreed(model, 2);
  const auto& table = model.settings.BreedTable;
  if (table[maleBreed][1][kParamB] == 0) {
    SetDefaultBreeds(model);
    for (int r = 0; r < 4; ++r) work.base[1][r] = model.inputs.GrowthParams[1][r];  // keeps what it had
  } else {
    for (int r = 0; r < 4; ++r) work.base[1][r] = (table[maleBreed][1][r] + table[femaleBreed][1][r]) / 2;
  }
  if (table[femaleBreed][1][kParamL] == 0) {
    for (int r = 0; r < 4; ++r) work.base[2][r] = kFallbackFemaleBase[r];
  } else {
    for (int r = 0; r < 4; ++r) work.base[2][r] = (table[maleBreed][2][r] + table[femaleBreed][2][r]) / 2;
  }
}

double clampFe(double value) { return std::clamp(value, -kFeCorrectionLimit, kFeCorrectionLimit); }

// Nudges the log maturity ratios and F E corrections until the run meets the group age and
// the flock sex's target feed conversion; false when the pass limit is reached or the model
// fails. The F E corrections stay within +-0.25.
bool FinalAdjustment(ModelState& model, CalibrationWork& work, double targetConversion) {
  const int sex = work.group.chosenSex;
  const double savedMaleL = model.inputs.GrowthParams[1][kParamL];
  const double savedFemaleL = model.inputs.GrowthParams[2][kParamL];
  double dAge = model.results.FinalAge - work.group.age;
  double dFc = model.results.FinalFeedConversion - targetConversion;
  if (std::fabs(dFc) < kAdjustStartConversion && std::fabs(dAge) < kAdjustStartAge) return true;
  if (sex == 0) {
    const double sum = model.inputs.FeCorrection[1] + model.inputs.FeCorrection[2];
    model.inputs.FeCorrection[1] = model.inputs.FeCorrection[2] = clampFe(sum / 2 - dFc);
  }
  double agePrevious = 0, ageLast = 0;
  for (int pass = 0; pass < kFinalAdjustmentPassLimit; ++pass) {
    const double direction = std::fabs(agePrevious - ageLast) <= std::fabs(dAge) ? -1.0 : 1.0;
    if (std::fabs(dAge) >= 0.2) {
      model.inputs.GrowthParams[1][kParamL] -= direction * dAge * 0.01;
      model.inputs.GrowthParams[2][kParamL] -= direction * dAge * 0.01;
    }
    if (std::fabs(dAge) >= 3) {
      model.inputs.GrowthParams[1][kParamL] = savedMaleL;
      model.inputs.GrowthParams[2][kParamL] = savedFemaleL;
    }
    if (std::fabs(dFc) >= kAdjustDoneConversion) {
      model.inputs.FeCorrection[1] = clampFe(model.inputs.FeCorrection[1] - dFc * 0.2);
      model.inputs.FeCorrection[2] = clampFe(model.inputs.FeCorrection[2] - dFc * 0.2);
    }
    runTo(model, work, RunStop::AtWeight(work.targetWeight[sex]));
    if (model.results.ModelError) {
      model.results.ModelError = false;
      return false;
    }
    dAge = model.results.FinalAge - work.group.age;
    dFc = model.results.FinalFeedConversion - targetConversion;
    agePrevious = ageLast;
    ageLast = model.results.FinalAge;
    if (std::fabs(dFc) < kAdjustDoneConversion && std::fabs(dAge) < kAdjustStartAge) return true;
  }
  return false;
}

enum class SexSearch { Done, ModelError };

// Restarted passes for one sex until the value settles and the sex check passes.
SexSearch calibrateSex(ModelState& model, CalibrationWork& work, int sex) {
  model.inputs.ModelSex = sex;
  double previous = kFirstRestartValue;
  std::vector<double> x(kCalibrationFactors, kFactorStart);
  std::vector<double> lower(kLowerBounds.begin(), kLowerBounds.end());
  std::vector<double> upper(kUpperBounds.begin(), kUpperBounds.end());
  for (int r = 0; r < 4; ++r) {
    work.low[sex][r] = work.base[sex][r] * kLowerBounds[r] / 100;
    work.high[sex][r] = work.base[sex][r] * kUpperBounds[r] / 100;
  }
  const double tolerance = work.group.group == 3 ? kBottomRestartTolerance : kRestartTolerance;

  QuasiNewtonObjective objective;
  objective.value = [&](const std::vector<double>& at) { return CalibrationObjective(model, work, at); };
  if (work.threads > 1)
    objective.values = [&](const std::vector<std::vector<double>>& points) {
      return CalibrationObjectives(model, work, points);
    };
  objective.stop = [&] { return model.results.ModelError; };

  // Restarts end at the latest when this sex has spent the evaluation cap: without it a
  // slowly creeping value would restart without end.
  const long restartCap = work.evaluations + kGroupEvaluationCap;
  work.best[sex] = std::numeric_limits<double>::infinity();  // the first value becomes the best
  objective.value(x);
  ++work.evaluations;
  // After the first evaluation the hatch weight may fall to half the base, but never below
  // the breed's bound (nor above it).
  lower[0] = std::max(kHatchWeightLowerAfterStart, 100 * work.hatchLow[sex] / work.base[sex][kParamW0]);
  upper[0] = std::min(upper[0], 100 * work.hatchHigh[sex] / work.base[sex][kParamW0]);
  lower[0] = std::min(lower[0], upper[0]);

  for (;;) {
    if (QuasiNewtonPass(x, lower, upper, objective, work.evaluations).end == PassEnd::Stopped)
      return SexSearch::ModelError;
    const double value = objective.value(x);
    ++work.evaluations;
    ForwardGradient(x, value, objective, work.evaluations);
    if (std::fabs(previous - value) > tolerance && work.evaluations < restartCap) {
      previous = value;
      continue;
    }
    // Sex check: the best set must reach the target weight at no worse a conversion.
    for (int r = 0; r < 4; ++r) model.inputs.GrowthParams[sex][r] = work.bestSet[sex][r];
    model.inputs.FeCorrection[sex] = work.bestSet[sex][4];
    runTo(model, work, RunStop::AtWeight(work.targetWeight[sex]));
    if (work.targetFeedConversion[sex] + kSexCheckMargin >= model.results.FinalFeedConversion) return SexSearch::Done;
    if (work.evaluations >= kGroupEvaluationCap) return SexSearch::Done;
  }
}

// One gradient is five runs of about 0.1 ms; a thread copies only the inputs and results, so
// already on two cores the example's calibration measured faster on two threads.
int threadCount(const CalibrationOptions& options) {
  if (options.threads > 0) return options.threads;
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return cores >= kParallelGradientCores ? std::min(cores, kCalibrationFactors) : 1;
}

}  // namespace

std::string AgeRefusedText(double age) {
  return "its age of" + numberText(age) + " days is outside the calibration range of 1 to 69 days";
}

void SexFeedConversionTargets(CalibrationWork& work) {
  const double w0g = work.targetWeight[0];
  const double w1 = work.targetWeight[1];
  const double w2 = work.targetWeight[2];
  const double w0 = w0g / 1000;
  const double ratio = -0.003526308 * w0 * w0 + 0.028721086 * w0 + 1.000245;
  const double q2 = (ratio + 1) / 2;
  const double q1 = 2 - q2;
  const double fcGroup = work.group.feedConversion;
  auto& fc = work.targetFeedConversion;
  // The mixed flock counts as half males, half females by feed; a zero divisor keeps the group's value.
  const auto rest = [&](double otherFc, double otherW, double ownW) {
    return ownW != 0 ? (2 * fc[0] * w0g - otherW * otherFc) / ownW : fcGroup;
  };
  switch (work.group.chosenSex) {
    case 1:
      fc[0] = fcGroup / q1;
      fc[1] = fcGroup;
      fc[2] = rest(fc[1], w1, w2);
      break;
    case 2:
      fc[0] = fcGroup / q2;
      fc[2] = fcGroup;
      fc[1] = rest(fc[2], w2, w1);
      break;
    default:
      fc[0] = fcGroup;
      fc[1] = fcGroup * q1;
      fc[2] = rest(fc[1], w1, w2);
      break;
  }
}

void BuildCalibrationTargets(ModelState& model, CalibrationWork& work, Dialogs& dialogs) {
  const int sex = work.group.chosenSex;
  const double age = work.group.age;
  const double targetGrams = work.group.weightKg * 1000;
  chooseBase(model, work);
  for (int r = 0; r < 4; ++r) model.inputs.GrowthParams[1][r] = work.base[1][r];
  model.inputs.FeCorrection[1] = kStartFeCorrectionMale;
  model.inputs.FeCorrection[2] = kStartFeCorrectionFemale;
  SetHatchWeights(model);
  model.inputs.HatchWeight[0] = (model.inputs.HatchWeight[1] + model.inputs.HatchWeight[2]) / 2;

  // The reference run grows both sexes, whatever the flock's sex, so every curve is filled.
  model.inputs.ModelSex = 0;
  runTo(model, work, RunStop::AtAge(kSearchDays));
  model.inputs.ModelSex = sex;
  if (model.results.ModelError) return;

  std::array<std::array<double, kReferenceDays>, kSexRows> copy{};
  for (int s = 0; s < kSexRows; ++s)
    for (int d = 0; d < kReferenceDays; ++d) copy[s][d] = work.ReferenceCurve[s][d] = model.results.BodyWeight[s][d];
  int targetDay = kSearchDays;
  for (int d = 0; d < kReferenceDays; ++d)
    if (copy[sex][d] >= targetGrams) {
      targetDay = d;
      break;
    }

  const int whole = static_cast<int>(std::floor(age));
  const double runWeight = WeightAtAge(copy[sex], whole, age);
  if (!(runWeight > 0)) return;
  const double scale = targetGrams / runWeight;
  for (int s = 0; s < kSexRows; ++s)
    for (int d = 1; d < kReferenceDays; ++d)
      work.ReferenceCurve[s][d] = work.ReferenceCurve[s][d - 1] + scale * (copy[s][d] - copy[s][d - 1]);

  double feed = 0;
  for (int d = 1; d <= targetDay; ++d) feed += model.results.FeedIntake[sex][d];
  if (feed == 0) {
    dialogs.message(kErrorInFeedIntake);
    return;
  }
  const double referenceAtAge = WeightAtAge(work.ReferenceCurve[sex], whole, age);
  const double match = referenceAtAge != 0 ? targetGrams / referenceAtAge : 1.0;
  for (int s = 0; s < kSexRows; ++s) work.targetWeight[s] = WeightAtAge(work.ReferenceCurve[s], whole, age) * match;
  work.targetWeight[sex] = targetGrams;
  if (sex == 1) work.targetWeight[2] = 2 * work.targetWeight[0] - work.targetWeight[1];
  SexFeedConversionTargets(work);
  for (int s = 0; s < kSexRows; ++s) work.targetFeed[s] = work.targetWeight[s] * work.targetFeedConversion[s];
}

GroupCalibration CalibrateGroup(ModelState& model, const GroupTargets& group, Dialogs& dialogs,
                                const CalibrationOptions& options) {
  GroupCalibration result;
  CalibrationWork& work = result.work;
  work.group = group;
  work.threads = threadCount(options);
  if (!(group.age >= kYoungestCalibrationAge && group.age <= kOldestCalibrationAge)) {
    result.reason = AgeRefusedText(group.age);  // the caller names the group with it
    result.end = CalibrationEnd::AgeRefused;
    result.failed = true;
    return result;
  }
  const int sex = group.chosenSex;
  model.inputs.ModelSex = sex;
  setHatchBounds(model, work);
  BuildCalibrationTargets(model, work, dialogs);
  work.targetFeedConversion[2] -= kFemaleConversionOffset;
  // The fit is judged on the group's own feed conversion (the flock sex's target before the
  // female offset and the nudges below move it).
  const double conversionTarget = group.feedConversion;

  const auto fail = [&](CalibrationEnd end, std::string reason) {
    model.inputs.ModelSex = sex;
    model.results.ModelError = false;  // the flag is sticky: left raised, every later group would fail too
    dialogs.busy(false);
    work.messages.show(dialogs);
    result.end = end;
    result.failed = true;
    result.reason = std::move(reason);
    return result;
  };
  for (int s = 1; s <= 2; ++s) {
    if (calibrateSex(model, work, s) == SexSearch::ModelError) {
      dialogs.message(std::string(kSearchModelError) + ": the growth model failed while the " + groupWord(group.group) +
                      " group's " + (s == 1 ? "males" : "females") +
                      " were fitted. Check the group's diets (energy in kcal/kg) and feed amounts.");
      return fail(CalibrationEnd::SearchError, "the growth model failed during the search (error 1)");
    }
  }

  // Back to the flock's sex: its target weight, the parameter ranges, the conversion nudges.
  model.inputs.ModelSex = sex;
  work.targetWeight[sex] = group.weightKg * 1000;
  const char* checkReason = "the growth model failed in the runs after the search";
  runTo(model, work, RunStop::AtWeight(work.targetWeight[sex]));
  if (model.results.ModelError) return fail(CalibrationEnd::CheckError, checkReason);
  // Both sexes' parameters go into the stored record, so both keep to their ranges; the hatch
  // weights to the breeds' bounds as well.
  for (int s = 1; s <= 2; ++s) {
    for (int r = 0; r < 4; ++r)
      model.inputs.GrowthParams[s][r] = std::clamp(model.inputs.GrowthParams[s][r], work.low[s][r], work.high[s][r]);
    model.inputs.GrowthParams[s][kParamW0] = std::clamp(model.inputs.GrowthParams[s][kParamW0], work.hatchLow[s], work.hatchHigh[s]);
    model.inputs.FeCorrection[s] = clampFe(model.inputs.FeCorrection[s]);
  }
  SetHatchWeights(model);
  for (int pass = 0; pass < kConversionPasses; ++pass) {
    runTo(model, work, RunStop::AtWeight(work.targetWeight[sex]));
    if (model.results.ModelError) return fail(CalibrationEnd::CheckError, checkReason);
    const double miss = model.results.FinalFeedConversion - work.targetFeedConversion[sex];
    if (std::fabs(miss) < kConversionTolerance) break;
    work.targetFeedConversion[sex] += kConversionNudge * miss;
  }
  work.targetFeedConversion[sex] = conversionTarget;

 
  const bool adjusted = FinalAdjustment(model, work, conversionTarget);
  work.messages.show(dialogs);
  runTo(model, work, RunStop::AtWeight(work.targetWeight[sex]));
  if (model.results.ModelError) return fail(CalibrationEnd::CheckError, checkReason);
  result.ageMiss = model.results.FinalAge - group.age;
  result.conversionMiss = model.results.FinalFeedConversion - conversionTarget;
  if (std::fabs(result.ageMiss) > kStoredAgeTolerance || std::fabs(result.conversionMiss) > kStoredConversionTolerance) {
    result.failed = true;
    result.reason = "the fit misses the group by" + numberText(roundHalfEven(result.ageMiss * 100) / 100) +
                    " days and" + numberText(roundHalfEven(result.conversionMiss * 1000) / 1000) +
                    " in feed conversion (at most 0.35 days and 0.01 are accepted)" +
                    (adjusted ? "" : "; the final adjustment ran out of passes");
    dialogs.message(kCalibrationFailedText);
  }
  return result;
}

}  // namespace plumetra

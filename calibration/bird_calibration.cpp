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
inline constexpr double FactorStart = 100;
inline constexpr std::array<double, CalibrationFactors> LowerBounds{90, 80, 80, 80, 4};
inline constexpr std::array<double, CalibrationFactors> UpperBounds{110, 140, 120, 140, 150};
inline constexpr double HatchWeightLowerAfterStart = 50;
inline constexpr double RestartTolerance = 0.001;
inline constexpr double BottomRestartTolerance = 0.01;
inline constexpr double FirstRestartValue = 1000;
inline constexpr double SexCheckMargin = 0.01;
inline constexpr double FemaleConversionOffset = 0.005;
inline constexpr double StartFeCorrectionMale = 0.1;
inline constexpr double StartFeCorrectionFemale = 0.13;
// Female base when the female breed has no curve.
inline constexpr std::array<double, 4> FallbackFemaleBase{42.2, 0.823964, 4.854755, 0.073568};
// The built-in male parameters (prepareComposition's defaults), for a breed table without curves.
inline constexpr std::array<double, 4> DefaultMaleBase{42.85, 0.9057, 5.139, 0.0588};
// Hatch weights stay within these shares of the breeds' own hatch weight: a chick is not
// half the breed's weight however well the curve fits.
inline constexpr std::array<double, 2> HatchWeightBounds{0.9, 1.1};
// finalAdjustment: a fit within these misses of the group age and feed conversion is done;
// the age rule keeps a margin below the stored tolerance for the rounding of group figures.
inline constexpr double AdjustStartAge = 0.25;
inline constexpr double AdjustStartConversion = 0.0025;
inline constexpr double AdjustDoneConversion = 0.002;
// Feed-conversion nudges after the search.
inline constexpr int ConversionPasses = 11;
inline constexpr double ConversionTolerance = 0.01;
inline constexpr double ConversionNudge = 0.01;
inline constexpr int ParallelGradientCores = 2;

void runTo(ModelState& model, CalibrationWork& work, const RunStop& stop) {
  model.inputs.stop = stop;
  growFlock(model);
  if (!model.results.messages.empty()) work.messages.add(model.results.messages, calibrationSubject(work));
}

// The breeds' own parameters (the means of the two chosen breeds), whatever an earlier group
// left in the model: the hatch-weight bounds of every group come from these.
SexParams breedBase(const ModelState& model) {
  const auto& table = model.settings.breedTable;
  const int maleBreed = chosenBreed(model, 1);
  const int femaleBreed = chosenBreed(model, 2);
  SexParams base{};
  for (int r = 0; r < 4; ++r) {
    base[1][r] = (table[maleBreed][1][r] + table[femaleBreed][1][r]) / 2;
    base[2][r] = table[femaleBreed][1][ParamL] == 0 ? FallbackFemaleBase[r]
                                                      : (table[maleBreed][2][r] + table[femaleBreed][2][r]) / 2;
  }
  if (!(base[1][ParamW0] > 0)) base[1] = {DefaultMaleBase[0], DefaultMaleBase[1], DefaultMaleBase[2], DefaultMaleBase[3]};
  return base;
}

void setHatchBounds(const ModelState& model, CalibrationWork& work) {
  const SexParams breed = breedBase(model);
  for (int s = 1; s <= 2; ++s) {
    work.hatchLow[s] = breed[s][ParamW0] * HatchWeightBounds[0];
    work.hatchHigh[s] = breed[s][ParamW0] * HatchWeightBounds[1];
  }
}

void chooseBase(ModelState& model, CalibrationWork& work) {
  if (model.inputs.growthParams[1][ParamB] > 0) {
    for (int s = 1; s <= 2; ++s)
      for (int r = 0; r < 4; ++r) work.base[s][r] = model.inputs.growthParams[s][r];
    return;
  }
  const int maleBreed = chosenBreed(model, 1);
  const int femaleBreed = chosenBreed(model, 2);
  const auto& table = model.settings.breedTable;
  if (table[maleBreed][1][ParamB] == 0) {
    setDefaultBreeds(model);
    for (int r = 0; r < 4; ++r) work.base[1][r] = model.inputs.growthParams[1][r];  // keeps what it had
  } else {
    for (int r = 0; r < 4; ++r) work.base[1][r] = (table[maleBreed][1][r] + table[femaleBreed][1][r]) / 2;
  }
  if (table[femaleBreed][1][ParamL] == 0) {
    for (int r = 0; r < 4; ++r) work.base[2][r] = FallbackFemaleBase[r];
  } else {
    for (int r = 0; r < 4; ++r) work.base[2][r] = (table[maleBreed][2][r] + table[femaleBreed][2][r]) / 2;
  }
}

double clampFe(double value) { return std::clamp(value, -FeCorrectionLimit, FeCorrectionLimit); }

// Nudges the log maturity ratios and F E corrections until the run meets the group age and
// the flock sex's target feed conversion; false when the pass limit is reached or the model
// fails. The F E corrections stay within +-0.25.
bool finalAdjustment(ModelState& model, CalibrationWork& work, double targetConversion) {
  const int sex = work.group.chosenSex;
  const double savedMaleL = model.inputs.growthParams[1][ParamL];
  const double savedFemaleL = model.inputs.growthParams[2][ParamL];
  double dAge = model.results.finalAge - work.group.age;
  double dFc = model.results.finalFeedConversion - targetConversion;
  if (std::fabs(dFc) < AdjustStartConversion && std::fabs(dAge) < AdjustStartAge) return true;
  if (sex == 0) {
    const double sum = model.inputs.feCorrection[1] + model.inputs.feCorrection[2];
    model.inputs.feCorrection[1] = model.inputs.feCorrection[2] = clampFe(sum / 2 - dFc);
  }
  double agePrevious = 0, ageLast = 0;
  for (int pass = 0; pass < FinalAdjustmentPassLimit; ++pass) {
    const double direction = std::fabs(agePrevious - ageLast) <= std::fabs(dAge) ? -1.0 : 1.0;
    if (std::fabs(dAge) >= 0.2) {
      model.inputs.growthParams[1][ParamL] -= direction * dAge * 0.01;
      model.inputs.growthParams[2][ParamL] -= direction * dAge * 0.01;
    }
    if (std::fabs(dAge) >= 3) {
      model.inputs.growthParams[1][ParamL] = savedMaleL;
      model.inputs.growthParams[2][ParamL] = savedFemaleL;
    }
    if (std::fabs(dFc) >= AdjustDoneConversion) {
      model.inputs.feCorrection[1] = clampFe(model.inputs.feCorrection[1] - dFc * 0.2);
      model.inputs.feCorrection[2] = clampFe(model.inputs.feCorrection[2] - dFc * 0.2);
    }
    runTo(model, work, RunStop::atWeight(work.targetWeight[sex]));
    if (model.results.modelError) {
      model.results.modelError = false;
      return false;
    }
    dAge = model.results.finalAge - work.group.age;
    dFc = model.results.finalFeedConversion - targetConversion;
    agePrevious = ageLast;
    ageLast = model.results.finalAge;
    if (std::fabs(dFc) < AdjustDoneConversion && std::fabs(dAge) < AdjustStartAge) return true;
  }
  return false;
}

enum class SexSearch { Done, ModelError };

// Restarted passes for one sex until the value settles and the sex check passes.
SexSearch calibrateSex(ModelState& model, CalibrationWork& work, int sex) {
  model.inputs.modelSex = sex;
  double previous = FirstRestartValue;
  std::vector<double> x(CalibrationFactors, FactorStart);
  std::vector<double> lower(LowerBounds.begin(), LowerBounds.end());
  std::vector<double> upper(UpperBounds.begin(), UpperBounds.end());
  for (int r = 0; r < 4; ++r) {
    work.low[sex][r] = work.base[sex][r] * LowerBounds[r] / 100;
    work.high[sex][r] = work.base[sex][r] * UpperBounds[r] / 100;
  }
  const double tolerance = work.group.group == 3 ? BottomRestartTolerance : RestartTolerance;

  QuasiNewtonObjective objective;
  objective.value = [&](const std::vector<double>& at) { return calibrationObjective(model, work, at); };
  if (work.threads > 1)
    objective.values = [&](const std::vector<std::vector<double>>& points) {
      return calibrationObjectives(model, work, points);
    };
  objective.stop = [&] { return model.results.modelError; };

  // Restarts end at the latest when this sex has spent the evaluation cap: without it a
  // slowly creeping value would restart without end.
  const long restartCap = work.evaluations + GroupEvaluationCap;
  work.best[sex] = std::numeric_limits<double>::infinity();  // the first value becomes the best
  objective.value(x);
  ++work.evaluations;
  // After the first evaluation the hatch weight may fall to half the base, but never below
  // the breed's bound (nor above it).
  lower[0] = std::max(HatchWeightLowerAfterStart, 100 * work.hatchLow[sex] / work.base[sex][ParamW0]);
  upper[0] = std::min(upper[0], 100 * work.hatchHigh[sex] / work.base[sex][ParamW0]);
  lower[0] = std::min(lower[0], upper[0]);

  for (;;) {
    if (quasiNewtonPass(x, lower, upper, objective, work.evaluations).end == PassEnd::Stopped)
      return SexSearch::ModelError;
    const double value = objective.value(x);
    ++work.evaluations;
    forwardGradient(x, value, objective, work.evaluations);
    if (std::fabs(previous - value) > tolerance && work.evaluations < restartCap) {
      previous = value;
      continue;
    }
    // Sex check: the best set must reach the target weight at no worse a conversion.
    for (int r = 0; r < 4; ++r) model.inputs.growthParams[sex][r] = work.bestSet[sex][r];
    model.inputs.feCorrection[sex] = work.bestSet[sex][4];
    runTo(model, work, RunStop::atWeight(work.targetWeight[sex]));
    if (work.targetFeedConversion[sex] + SexCheckMargin >= model.results.finalFeedConversion) return SexSearch::Done;
    if (work.evaluations >= GroupEvaluationCap) return SexSearch::Done;
  }
}

// One gradient is five runs of about 0.1 ms; a thread copies only the inputs and results, so
// already on two cores the example's calibration measured faster on two threads.
int threadCount(const CalibrationOptions& options) {
  if (options.threads > 0) return options.threads;
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return cores >= ParallelGradientCores ? std::min(cores, CalibrationFactors) : 1;
}

}  // namespace

std::string ageRefusedText(double age) {
  return "its age of" + numberText(age) + " days is outside the calibration range of 1 to 69 days";
}

void sexFeedConversionTargets(CalibrationWork& work) {
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

void buildCalibrationTargets(ModelState& model, CalibrationWork& work, Dialogs& dialogs) {
  const int sex = work.group.chosenSex;
  const double age = work.group.age;
  const double targetGrams = work.group.weightKg * 1000;
  chooseBase(model, work);
  for (int r = 0; r < 4; ++r) model.inputs.growthParams[1][r] = work.base[1][r];
  model.inputs.feCorrection[1] = StartFeCorrectionMale;
  model.inputs.feCorrection[2] = StartFeCorrectionFemale;
  setHatchWeights(model);
  model.inputs.hatchWeight[0] = (model.inputs.hatchWeight[1] + model.inputs.hatchWeight[2]) / 2;

  // The reference run grows both sexes, whatever the flock's sex, so every curve is filled.
  model.inputs.modelSex = 0;
  runTo(model, work, RunStop::atAge(SearchDays));
  model.inputs.modelSex = sex;
  if (model.results.modelError) return;

  std::array<std::array<double, ReferenceDays>, SexRows> copy{};
  for (int s = 0; s < SexRows; ++s)
    for (int d = 0; d < ReferenceDays; ++d) copy[s][d] = work.referenceCurve[s][d] = model.results.bodyWeight[s][d];
  int targetDay = SearchDays;
  for (int d = 0; d < ReferenceDays; ++d)
    if (copy[sex][d] >= targetGrams) {
      targetDay = d;
      break;
    }

  const int whole = static_cast<int>(std::floor(age));
  const double runWeight = curveWeightAt(copy[sex], whole, age);
  if (!(runWeight > 0)) return;
  const double scale = targetGrams / runWeight;
  for (int s = 0; s < SexRows; ++s)
    for (int d = 1; d < ReferenceDays; ++d)
      work.referenceCurve[s][d] = work.referenceCurve[s][d - 1] + scale * (copy[s][d] - copy[s][d - 1]);

  double feed = 0;
  for (int d = 1; d <= targetDay; ++d) feed += model.results.feedIntake[sex][d];
  if (feed == 0) {
    dialogs.message(ErrorInFeedIntake);
    return;
  }
  const double referenceAtAge = curveWeightAt(work.referenceCurve[sex], whole, age);
  const double match = referenceAtAge != 0 ? targetGrams / referenceAtAge : 1.0;
  for (int s = 0; s < SexRows; ++s) work.targetWeight[s] = curveWeightAt(work.referenceCurve[s], whole, age) * match;
  work.targetWeight[sex] = targetGrams;
  if (sex == 1) work.targetWeight[2] = 2 * work.targetWeight[0] - work.targetWeight[1];
  sexFeedConversionTargets(work);
  for (int s = 0; s < SexRows; ++s) work.targetFeed[s] = work.targetWeight[s] * work.targetFeedConversion[s];
}

GroupCalibration calibrateGroup(ModelState& model, const GroupTargets& group, Dialogs& dialogs,
                                const CalibrationOptions& options) {
  GroupCalibration result;
  CalibrationWork& work = result.work;
  work.group = group;
  work.threads = threadCount(options);
  if (!(group.age >= YoungestCalibrationAge && group.age <= OldestCalibrationAge)) {
    result.reason = ageRefusedText(group.age);  // the caller names the group with it
    result.end = CalibrationEnd::AgeRefused;
    result.failed = true;
    return result;
  }
  const int sex = group.chosenSex;
  model.inputs.modelSex = sex;
  setHatchBounds(model, work);
  buildCalibrationTargets(model, work, dialogs);
  work.targetFeedConversion[2] -= FemaleConversionOffset;
  // The fit is judged on the group's own feed conversion (the flock sex's target before the
  // female offset and the nudges below move it).
  const double conversionTarget = group.feedConversion;

  const auto fail = [&](CalibrationEnd end, std::string reason) {
    model.inputs.modelSex = sex;
    model.results.modelError = false;  // the flag is sticky: left raised, every later group would fail too
    dialogs.busy(false);
    work.messages.show(dialogs);
    result.end = end;
    result.failed = true;
    result.reason = std::move(reason);
    return result;
  };
  for (int s = 1; s <= 2; ++s) {
    if (calibrateSex(model, work, s) == SexSearch::ModelError) {
      dialogs.message(std::string(SearchModelError) + ": the growth model failed while the " + groupWord(group.group) +
                      " group's " + (s == 1 ? "males" : "females") +
                      " were fitted. Check the group's diets (energy in kcal/kg) and feed amounts.");
      return fail(CalibrationEnd::SearchError, "the growth model failed during the search (error 1)");
    }
  }

  // Back to the flock's sex: its target weight, the parameter ranges, the conversion nudges.
  model.inputs.modelSex = sex;
  work.targetWeight[sex] = group.weightKg * 1000;
  const char* checkReason = "the growth model failed in the runs after the search";
  runTo(model, work, RunStop::atWeight(work.targetWeight[sex]));
  if (model.results.modelError) return fail(CalibrationEnd::CheckError, checkReason);
  // Both sexes' parameters go into the stored record, so both keep to their ranges; the hatch
  // weights to the breeds' bounds as well.
  for (int s = 1; s <= 2; ++s) {
    for (int r = 0; r < 4; ++r)
      model.inputs.growthParams[s][r] = std::clamp(model.inputs.growthParams[s][r], work.low[s][r], work.high[s][r]);
    model.inputs.growthParams[s][ParamW0] = std::clamp(model.inputs.growthParams[s][ParamW0], work.hatchLow[s], work.hatchHigh[s]);
    model.inputs.feCorrection[s] = clampFe(model.inputs.feCorrection[s]);
  }
  setHatchWeights(model);
  for (int pass = 0; pass < ConversionPasses; ++pass) {
    runTo(model, work, RunStop::atWeight(work.targetWeight[sex]));
    if (model.results.modelError) return fail(CalibrationEnd::CheckError, checkReason);
    const double miss = model.results.finalFeedConversion - work.targetFeedConversion[sex];
    if (std::fabs(miss) < ConversionTolerance) break;
    work.targetFeedConversion[sex] += ConversionNudge * miss;
  }
  work.targetFeedConversion[sex] = conversionTarget;

 
  const bool adjusted = finalAdjustment(model, work, conversionTarget);
  work.messages.show(dialogs);
  runTo(model, work, RunStop::atWeight(work.targetWeight[sex]));
  if (model.results.modelError) return fail(CalibrationEnd::CheckError, checkReason);
  result.ageMiss = model.results.finalAge - group.age;
  result.conversionMiss = model.results.finalFeedConversion - conversionTarget;
  if (std::fabs(result.ageMiss) > StoredAgeTolerance || std::fabs(result.conversionMiss) > StoredConversionTolerance) {
    result.failed = true;
    result.reason = "the fit misses the group by" + numberText(roundHalfEven(result.ageMiss * 100) / 100) +
                    " days and" + numberText(roundHalfEven(result.conversionMiss * 1000) / 1000) +
                    " in feed conversion (at most 0.35 days and 0.01 are accepted)" +
                    (adjusted ? "" : "; the final adjustment ran out of passes");
    dialogs.message(CalibrationFailedText);
  }
  return result;
}

}  // namespace plumetra

#include "calibration/lower_cost_command.h"

#include <algorithm>

#include "calibration/group_inputs.h"
#include "calibration/predict_file.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

bool calibrationInMemory(const CalibrationRecord& calibration) {
  return calibration.hasGroup(GroupTop) || calibration.hasGroup(GroupMiddle) || calibration.hasGroup(GroupBottom);
}

// Reads "Predict.txt" when no calibration is in memory. False (after saying why) when the
// search cannot run.
bool ensureCalibration(LowerCostContext& context, Dialogs& dialogs) {
  if (calibrationInMemory(context.calibration)) return true;
  const std::filesystem::path file = context.folder / PredictFileName;
  std::string problem;
  switch (readPredictFile(context.calibration, file, &problem)) {
    case PredictRead::Read:
      if (calibrationInMemory(context.calibration)) return true;
      dialogs.message("\"" + file.string() +
                      "\" holds no usable calibration of any group. Calibrate and store the "
                      "flock splits first; the lower-cost search was not run.");
      return false;
    case PredictRead::Missing:
      dialogs.message("No calibration is in memory and \"" + file.string() +
                      "\" was not found. Calibrate and store the flock splits first; the lower-cost "
                      "search was not run.");
      return false;
    case PredictRead::Short:
      dialogs.message("No calibration is in memory and \"" + file.string() +
                      "\" ends before the three calibrations are complete. The lower-cost search "
                      "was not run.");
      return false;
    case PredictRead::Implausible:
      dialogs.message("No calibration is in memory and \"" + file.string() + "\" cannot be right at " + problem +
                      ". The lower-cost search was not run.");
      return false;
  }
  return false;
}

// Every group has a mean intake to start from.
bool groupMeansPresent(const LowerCostSetup& setup, int dietCount) {
  if (dietCount < 1) return false;
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    double intake = 0;
    for (int p = 1; p <= dietCount; ++p) intake += setup.groupIntake[g][p];
    if (!(intake > 0)) return false;
  }
  return true;
}

}  // namespace

double middleGroupTarget(const SplitFlocks& split) {
  return asShown(groupMean(split, GroupMiddle, &SplitFlock::liveWeight));
}

LowerCostSetup gatherLowerCostSetup(const Workspace& ws, const ModelState& model, const CalibrationRecord& calibration,
                                    const SplitFlocks& split, double targetGrams) {
  LowerCostSetup setup;
  setup.targetGrams = targetGrams;
  setup.calibration = calibration;
  const int phases = std::min(model.inputs.dietCount, MaxDietPhases);
  for (int p = 1; p <= phases; ++p) {
    if (p <= MaxFileDiets) setup.price[p] = ws.diets.dietTable[p][ValFeedCost];
    for (int k = 0; k < Nutrients; ++k) setup.diets[p][k] = ws.diets.enteredDiets[p][k];
  }
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    for (int p = 1; p <= std::min(phases, FeedPhases); ++p) setup.groupIntake[g][p] = asShown(groupMeanIntake(split, g, p));
    setup.groupAge[g] = asShown(groupMean(split, g, &SplitFlock::age));
    setup.density[g] = groupDensity(split, g);
  }
  return setup;
}

LowerCostEnd runLowerCostSearch(LowerCostContext& context, Dialogs& dialogs, LowerCostRecord& record) {
  double& target = context.calibration.targetWeight;
  if (!groupMeansPresent(gatherLowerCostSetup(context.ws, context.model, context.calibration, context.flocks, target),
                         context.model.inputs.dietCount)) {
    dialogs.message(
        "The lower-cost search needs the groups' mean feed intakes of an analysis run. Run the analysis "
        "first.");
    return LowerCostEnd::NoAnalysis;
  }
  if (!(target > 0)) {
    dialogs.message("The lower-cost search needs a flock weight above 0.");
    return LowerCostEnd::Skipped;
  }
  if (!ensureCalibration(context, dialogs)) return LowerCostEnd::NoCalibration;

  if (target < KilogramTargetLimit) target *= GramsPerKilogram;
  const LowerCostSetup setup = gatherLowerCostSetup(context.ws, context.model, context.calibration, context.flocks, target);
  if (const std::string problem = dietsProblem(context.ws, context.model, context.flocks); !problem.empty()) {
    dialogs.message(problem + ". Nothing was searched.");
    return LowerCostEnd::DietRefused;
  }
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    if (!context.calibration.hasGroup(g)) continue;
    if (setup.groupAge[g] > MaxSearchAge) {
      dialogs.message("The " + std::string(groupWord(g)) + " group's mean age is" +
                      numberText(setup.groupAge[g]) +
                      " days; the growth model runs to day 70, so the lower-cost search cannot "
                      "follow groups older than 69 days. Nothing was searched.");
      return LowerCostEnd::GroupTooOld;
    }
  }

  dialogs.busy(true);
  record = lowerCostSearchAll(context.model, setup);
  dialogs.busy(false);

  int searched = 0;
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const LowerCostGroup& group = record.groups[g];
    if (!group.calibrated)
      dialogs.message("The " + std::string(groupWord(g)) +
                      " group has no calibration (it failed or its file is missing); it was not searched.");
    else if (!group.searched)
      dialogs.message("The " + std::string(groupWord(g)) + " group does not reach the target weight of" +
                      numberText(target / GramsPerKilogram) +
                      " kg by day 70 on its own feed amounts, so it was not searched and is left out of the "
                      "averages.");
    else
      ++searched;
  }
  if (searched == 0) {
    dialogs.message("No group reaches the target weight of" + numberText(target / GramsPerKilogram) +
                    " kg; nothing was found.");
    return LowerCostEnd::Unreachable;
  }
  return LowerCostEnd::Searched;
}

LowerCostEnd searchLowerCost(LowerCostContext& context, bool& costQuestionFlag, Dialogs& dialogs,
                            LowerCostRecord& record) {
  if (!costQuestionFlag) return LowerCostEnd::NotOffered;
  double& target = context.calibration.targetWeight;
  const std::string prompt = "What Flock Weight do you want, in kg? The Current Value is the Middle Average wt of " +
                             numberText(target) + " kg. Change it here if you wish";
  const std::optional<std::string> answer = dialogs.input(prompt, FlockWeightTitle, generalNumber(target));
  target = readNumber(answer.value_or(""));
  if (target == 0) {
    costQuestionFlag = false;
    return LowerCostEnd::Skipped;
  }
  return runLowerCostSearch(context, dialogs, record);
}

}  // namespace plumetra

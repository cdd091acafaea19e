#include "calibration/split_calibration.h"

#include <algorithm>

#include "calibration/calibration_files.h"
#include "calibration/predict_file.h"
#include "model/breed_data.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "model/settings_file.h"
#include "controls/number_format.h"
#include "files/file_name.h"
#include "workspace/flock_sex.h"

namespace plumetra {

namespace {

// Feed per bird of the sexes from the flock's, by the flock sex.
constexpr double MaleFromMixed[] = {1.0844, -0.0893};
constexpr double FemaleFromMale[] = {0.839616786, 0.176727089};
constexpr double MaleFromFemale[] = {1.190908069, -0.209886308};

struct GroupFigures {
  double weightKg = 0, age = 0, feedConversion = 0;
};

GroupFigures groupFigures(const SplitFlocks& split, int group) {
  return {asShown(groupMean(split, group, &SplitFlock::liveWeight)), asShown(groupMean(split, group, &SplitFlock::age)),
          asShown(groupMean(split, group, &SplitFlock::feedConversion))};
}

// True when every group of the split has flocks with a live weight, age and feed conversion,
// and the diet phases are in range.
bool analysisMade(const SplitFlocks& split, int dietCount) {
  if (dietCount < 1 || dietCount > MaxDietPhases) return false;
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const GroupFigures figures = groupFigures(split, g);
    if (!(figures.weightKg > 0 && figures.age > 0 && figures.feedConversion > 0)) return false;
  }
  return true;
}

// The group's mean feed per bird of each phase into the model's allotment.
void allotGroupFeed(ModelState& model, const SplitFlocks& split, int group, int phases) {
  for (int p = 1; p <= phases; ++p) model.inputs.feedAllotment[p] = asShown(groupMeanIntake(split, group, p));
}

// Target feed per bird of each sex (feedIntake day 100) from the Middle group's means.
void setTargetFeed(ModelState& model, int chosenSex, double weight, double conversion) {
  auto feed = [&](int s) -> double& { return model.results.feedIntake[s][Days - 1]; };
  switch (chosenSex) {
    case 1:
      feed(1) = weight * conversion;
      feed(2) = feed(1) * FemaleFromMale[0] + FemaleFromMale[1];
      feed(0) = (feed(1) + feed(2)) * 0.5;
      break;
    case 2:
      feed(2) = weight * conversion;
      feed(1) = feed(2) * MaleFromFemale[0] + MaleFromFemale[1];
      feed(0) = (feed(1) + feed(2)) * 0.5;
      break;
    default:
      feed(0) = model.inputs.feedAllotment[0];
      feed(1) = feed(0) * MaleFromMixed[0] + MaleFromMixed[1];
      feed(2) = 2 * feed(0) - feed(1);
      break;
  }
}

// The sexes a run of the flock's sex grows need a hatch weight.
bool hatchWeightsSet(const ModelState& model, int chosenSex) {
  const bool male = model.inputs.growthParams[1][ParamW0] != 0;
  const bool female = model.inputs.growthParams[2][ParamW0] != 0;
  return chosenSex == 1 ? male : chosenSex == 2 ? female : male && female;
}

// The record of a group: the parameters and F E corrections its final adjustment reached
// (the runs that follow use exactly these), then its four files.
bool storeGroup(Workspace& ws, ModelState& model, CalibrationRecord& record, const GroupCalibration& fit,
                const SplitFlocks& split, int group, Dialogs& dialogs) {
  const int sex = record.chosenSex;
  const int n = model.inputs.dietCount;
  record(group, sex, ItemBestObjective) =
      sex == 0 ? std::max(fit.work.best[1], fit.work.best[2]) : fit.work.best[sex];
  for (int s = 1; s <= 2; ++s) {
    record(group, s, ItemFeCorrection) = model.inputs.feCorrection[s];
    for (int r = 0; r < 4; ++r) record(group, s, r) = model.inputs.growthParams[s][r];
  }

  const std::string name = record.baseName + groupWord(group);
  allotGroupFeed(model, split, group, n);
  const GroupFigures figures = groupFigures(split, group);
  const GroupSummary summary{sex, figures.weightKg, formatNum(figures.feedConversion), formatNum(figures.age), n};
  const std::string targetWeight = formatNum(figures.weightKg);
  std::string error;
  const bool written =
      writeGroupSummaryFile(summary, model.settings.units, ws.lastDir, name, &error) &&
      writeSettingsFile(model, ws.lastDir / name, group, sex, targetWeight, &error) &&
      writeCalibrationFile(model, record, group, ws.lastDir, name, &error) &&
      writeGroupDietFile(ws.diets, n, model.inputs.feedAllotment, model.settings.units, ws.lastDir, name, &error);
  if (!written) dialogs.message(error.empty() ? "Can not write the files of " + name : error);
  return written;
}

}  // namespace

SplitCalibrationResult calibrateGroups(Workspace& ws, ModelState& model, CalibrationRecord& record,
                                      const SplitFlocks& split, Dialogs& dialogs, const CalibrationOptions& options) {
  SplitCalibrationResult result;
  const int n = model.inputs.dietCount;
  if (!analysisMade(split, n)) {
    dialogs.message(NoAnalysisText);
    return result;
  }
  if (const std::string problem = dietsProblem(ws, model, split); !problem.empty()) {
    dialogs.message(problem + ". Nothing was calibrated or written.");
    result.refused = true;
    return result;
  }
  if (model.settings.maleBreed < 0) {  // no breed chosen: "General" stands in
    dialogs.message(SetBreedsText);
    model.settings.maleBreed = 0;
  }
  model.settings.femaleBreed = std::max(model.settings.femaleBreed, 0);

  const std::string baseName = dialogs.input(BaseNamePrompt, "", "").value_or("");
  if (baseName.empty()) return result;
  if (!isPlainFileName(baseName)) {
    // Shown made plain, so an escape sequence in the name never reaches the terminal.
    dialogs.message("\"" + plainFileName(baseName, "") + "\"" + std::string(NotAPlainFileName));
    return result;
  }
  if (model.inputs.growthParams[1][ParamB] == 0 && ws.chosenSex < 0) {
    dialogs.message(SetFlockSexText);
    return result;
  }
  record.chosenSex = std::clamp(ws.chosenSex, 0, 2);  // nothing chosen: mixed
  record.baseName = result.baseName = baseName;
  const int sex = record.chosenSex;

  std::array<GroupFigures, 4> figures{};
  for (int g = GroupTop; g <= GroupBottom; ++g) figures[g] = groupFigures(split, g);
  // Feed per bird from the Middle group's means.
  const GroupFigures& middle = figures[GroupMiddle];
  model.inputs.feedAllotment[0] = middle.feedConversion * middle.weightKg;
  setTargetFeed(model, sex, middle.weightKg, middle.feedConversion);

  // Breed curves: read again when a hatch weight is missing, then the breeds' means.
  const int maleBreed = chosenBreed(model, 1);
  if (model.inputs.growthParams[1][ParamW0] == 0 || model.inputs.growthParams[2][ParamW0] == 0)
    model.settings.breedTable[maleBreed][1][ParamB] = 0;
  if (model.settings.breedTable[maleBreed][1][ParamB] == 0) loadBreedData(model, breedDataFolder(ws.appDir), dialogs);
  chooseCompositionSet(model);
  setBreedMeanParams(model);

  double others = 0;
  for (int p = 1; p < n; ++p) others += model.inputs.feedAllotment[p] = asShown(groupMeanIntake(split, AllGroups, p));
  model.inputs.feedAllotment[n] = model.inputs.feedAllotment[0] - others;
  record.targetWeight = middle.weightKg;

  for (int p = 1; p <= n; ++p)
    for (int k = 1; k < Nutrients; ++k) model.inputs.dietNutrients[p][k] = ws.diets.enteredDiets[p][k];
  setHatchWeights(model);
  model.inputs.stop = RunStop::atWeight(figures[GroupMiddle].weightKg * 1000);

  dialogs.progress("Preparing the calibration", 0);
  prepareComposition(model);

  for (int g = GroupTop; g <= GroupBottom; ++g) {
    GroupOutcome& outcome = result.groups[g];
    record.table[g] = {};  // a group that is not stored leaves no calibration behind
    dialogs.busy(true);  // a model error in a group's calibration restores the normal pointer
    if (!dialogs.progress(std::string("Calibrating the ") + groupWord(g) + " group", (g - 1) / 3.0)) break;
    // Each flock grows as its own sex, but a group's stored files hold one: its flocks' majority sex.
    const int groupSex = split.sexColumn ? groupMajoritySex(split, g, sex) : sex;
    if (groupSex != record.chosenSex) {
      record.chosenSex = groupSex;
      setTargetFeed(model, groupSex, middle.weightKg, middle.feedConversion);
    }
    outcome.sex = groupSex;
    const GroupTargets targets{figures[g].weightKg, figures[g].age, figures[g].feedConversion, g, groupSex};
    if (!hatchWeightsSet(model, groupSex)) {
      dialogs.message(CalibrationDataMissingText);
      for (int rest = g; rest <= GroupBottom; ++rest)
        result.groups[rest].reason = "the growth parameters are missing (Initial Calibration Data Missing)";
      break;
    }
    allotGroupFeed(model, split, g, n);
    outcome.density = groupDensity(split, g);
    setDensity(model, outcome.density);
    // A failed group leaves the parameters it started from for the next group.
    const auto startParams = model.inputs.growthParams;
    const auto startFe = model.inputs.feCorrection;
    const GroupCalibration fit = calibrateGroup(model, targets, dialogs, options);
    outcome.ageMiss = fit.ageMiss;
    outcome.conversionMiss = fit.conversionMiss;
    if (fit.failed) {
      outcome.reason = fit.reason;
      dialogs.message(std::string("The ") + groupWord(g) + " group was not calibrated: " + fit.reason +
                      ". Its files were not written; check the group's age, weight and feed conversion.");
      model.inputs.growthParams = startParams;
      model.inputs.feCorrection = startFe;
      setHatchWeights(model);
      continue;
    }
    if (!storeGroup(ws, model, record, fit, split, g, dialogs)) {
      record.table[g] = {};
      outcome.reason = "its files could not be written";
      continue;
    }
    outcome.stored = true;
    ++result.groupsStored;
  }
  dialogs.busy(false);
  record.chosenSex = sex;

  if (result.groupsStored > 0) {
    std::string error;
    result.predictWritten = writePredictFile(record, ws.lastDir, &error);
    if (!result.predictWritten) dialogs.message(error);
  }
  return result;
}

}  // namespace plumetra

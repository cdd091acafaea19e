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
constexpr double kMaleFromMixed[] = {1.0844, -0.0893};
constexpr double kFemaleFromMale[] = {0.839616786, 0.176727089};
constexpr double kMaleFromFemale[] = {1.190908069, -0.209886308};

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
  if (dietCount < 1 || dietCount > kMaxDietPhases) return false;
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const GroupFigures figures = groupFigures(split, g);
    if (!(figures.weightKg > 0 && figures.age > 0 && figures.feedConversion > 0)) return false;
  }
  return true;
}

// The group's mean feed per bird of each phase into the model's allotment.
void allotGroupFeed(ModelState& model, const SplitFlocks& split, int group, int phases) {
  for (int p = 1; p <= phases; ++p) model.inputs.FeedAllotment[p] = asShown(groupMeanIntake(split, group, p));
}

// Target feed per bird of each sex (FeedIntake day 100) from the Middle group's means.
void setTargetFeed(ModelState& model, int chosenSex, double weight, double conversion) {
  auto feed = [&](int s) -> double& { return model.results.FeedIntake[s][kDays - 1]; };
  switch (chosenSex) {
    case 1:
      feed(1) = weight * conversion;
      feed(2) = feed(1) * kFemaleFromMale[0] + kFemaleFromMale[1];
      feed(0) = (feed(1) + feed(2)) * 0.5;
      break;
    case 2:
      feed(2) = weight * conversion;
      feed(1) = feed(2) * kMaleFromFemale[0] + kMaleFromFemale[1];
      feed(0) = (feed(1) + feed(2)) * 0.5;
      break;
    default:
      feed(0) = model.inputs.FeedAllotment[0];
      feed(1) = feed(0) * kMaleFromMixed[0] + kMaleFromMixed[1];
      feed(2) = 2 * feed(0) - feed(1);
      break;
  }
}

// The sexes a run of the flock's sex grows need a hatch weight.
bool hatchWeightsSet(const ModelState& model, int chosenSex) {
  const bool male = model.inputs.GrowthParams[1][kParamW0] != 0;
  const bool female = model.inputs.GrowthParams[2][kParamW0] != 0;
  return chosenSex == 1 ? male : chosenSex == 2 ? female : male && female;
}

// The record of a group: the parameters and F E corrections its final adjustment reached
// (the runs that follow use exactly these), then its four files.
bool storeGroup(Workspace& ws, ModelState& model, CalibrationRecord& record, const GroupCalibration& fit,
                const SplitFlocks& split, int group, Dialogs& dialogs) {
  const int sex = record.ChosenSex;
  const int n = model.inputs.DietCount;
  record(group, sex, kItemBestObjective) =
      sex == 0 ? std::max(fit.work.best[1], fit.work.best[2]) : fit.work.best[sex];
  for (int s = 1; s <= 2; ++s) {
    record(group, s, kItemFeCorrection) = model.inputs.FeCorrection[s];
    for (int r = 0; r < 4; ++r) record(group, s, r) = model.inputs.GrowthParams[s][r];
  }

  const std::string name = record.BaseName + groupWord(group);
  allotGroupFeed(model, split, group, n);
  const GroupFigures figures = groupFigures(split, group);
  const GroupSummary summary{sex, figures.weightKg, FormatNum(figures.feedConversion), FormatNum(figures.age), n};
  const std::string targetWeight = FormatNum(figures.weightKg);
  std::string error;
  const bool written =
      WriteGroupSummaryFile(summary, model.settings.units, ws.LastDir, name, &error) &&
      WriteSettingsFile(model, ws.LastDir / name, group, sex, targetWeight, &error) &&
      WriteCalibrationFile(model, record, group, ws.LastDir, name, &error) &&
      WriteGroupDietFile(ws.diets, n, model.inputs.FeedAllotment, model.settings.units, ws.LastDir, name, &error);
  if (!written) dialogs.message(error.empty() ? "Can not write the files of " + name : error);
  return written;
}

}  // namespace

SplitCalibrationResult calibrateGroups(Workspace& ws, ModelState& model, CalibrationRecord& record,
                                      const SplitFlocks& split, Dialogs& dialogs, const CalibrationOptions& options) {
  SplitCalibrationResult result;
  const int n = model.inputs.DietCount;
  if (!analysisMade(split, n)) {
    dialogs.message(kNoAnalysisText);
    return result;
  }
  if (const std::string problem = DietsProblem(ws, model, split); !problem.empty()) {
    dialogs.message(problem + ". Nothing was calibrated or written.");
    result.refused = true;
    return result;
  }
  if (model.settings.MaleBreed < 0) {  // no breed chosen: "General" stands in
    dialogs.message(kSetBreedsText);
    model.settings.MaleBreed = 0;
  }
  model.settings.FemaleBreed = std::max(model.settings.FemaleBreed, 0);

  const std::string baseName = dialogs.input(kBaseNamePrompt, "", "").value_or("");
  if (baseName.empty()) return result;
  if (!isPlainFileName(baseName)) {
    // Shown made plain, so an escape sequence in the name never reaches the terminal.
    dialogs.message("\"" + plainFileName(baseName, "") + "\"" + std::string(kNotAPlainFileName));
    return result;
  }
  if (model.inputs.GrowthParams[1][kParamB] == 0 && ws.chosenSex < 0) {
    dialogs.message(kSetFlockSexText);
    return result;
  }
  record.ChosenSex = std::clamp(ws.chosenSex, 0, 2);  // nothing chosen: mixed
  record.BaseName = result.baseName = baseName;
  const int sex = record.ChosenSex;

  std::array<GroupFigures, 4> figures{};
  for (int g = kGroupTop; g <= kGroupBottom; ++g) figures[g] = groupFigures(split, g);
  // Feed per bird from the Middle group's means.
  const GroupFigures& middle = figures[kGroupMiddle];
  model.inputs.FeedAllotment[0] = middle.feedConversion * middle.weightKg;
  setTargetFeed(model, sex, middle.weightKg, middle.feedConversion);

  // Breed curves: read again when a hatch weight is missing, then the breeds' means.
  const int maleBreed = ChosenBreed(model, 1);
  if (model.inputs.GrowthParams[1][kParamW0] == 0 || model.inputs.GrowthParams[2][kParamW0] == 0)
    model.settings.BreedTable[maleBreed][1][kParamB] = 0;
  if (model.settings.BreedTable[maleBreed][1][kParamB] == 0) LoadBreedData(model, BreedDataFolder(ws.AppDir), dialogs);
  ChooseCompositionSet(model);
  SetBreedMeanParams(model);

  double others = 0;
  for (int p = 1; p < n; ++p) others += model.inputs.FeedAllotment[p] = asShown(groupMeanIntake(split, AllGroups, p));
  model.inputs.FeedAllotment[n] = model.inputs.FeedAllotment[0] - others;
  record.TargetWeight = middle.weightKg;

  for (int p = 1; p <= n; ++p)
    for (int k = 1; k < kNutrients; ++k) model.inputs.DietNutrients[p][k] = ws.diets.EnteredDiets[p][k];
  SetHatchWeights(model);
  model.inputs.stop = RunStop::AtWeight(figures[kGroupMiddle].weightKg * 1000);

  dialogs.progress("Preparing the calibration", 0);
  PrepareComposition(model);

  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    GroupOutcome& outcome = result.groups[g];
    record.table[g] = {};  // a group that is not stored leaves no calibration behind
    dialogs.busy(true);  // a model error in a group's calibration restores the normal pointer
    if (!dialogs.progress(std::string("Calibrating the ") + groupWord(g) + " group", (g - 1) / 3.0)) break;
    // Each flock grows as its own sex, but a group's stored files hold one: its flocks' majority sex.
    const int groupSex = split.sexColumn ? groupMajoritySex(split, g, sex) : sex;
    if (groupSex != record.ChosenSex) {
      record.ChosenSex = groupSex;
      setTargetFeed(model, groupSex, middle.weightKg, middle.feedConversion);
    }
    outcome.sex = groupSex;
    const GroupTargets targets{figures[g].weightKg, figures[g].age, figures[g].feedConversion, g, groupSex};
    if (!hatchWeightsSet(model, groupSex)) {
      dialogs.message(kCalibrationDataMissingText);
      for (int rest = g; rest <= kGroupBottom; ++rest)
        result.groups[rest].reason = "the growth parameters are missing (Initial Calibration Data Missing)";
      break;
    }
    allotGroupFeed(model, split, g, n);
    outcome.density = GroupDensity(split, g);
    SetDensity(model, outcome.density);
    // A failed group leaves the parameters it started from for the next group.
    const auto startParams = model.inputs.GrowthParams;
    const auto startFe = model.inputs.FeCorrection;
    const GroupCalibration fit = CalibrateGroup(model, targets, dialogs, options);
    outcome.ageMiss = fit.ageMiss;
    outcome.conversionMiss = fit.conversionMiss;
    if (fit.failed) {
      outcome.reason = fit.reason;
      dialogs.message(std::string("The ") + groupWord(g) + " group was not calibrated: " + fit.reason +
                      ". Its files were not written; check the group's age, weight and feed conversion.");
      model.inputs.GrowthParams = startParams;
      model.inputs.FeCorrection = startFe;
      SetHatchWeights(model);
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
  record.ChosenSex = sex;

  if (result.groupsStored > 0) {
    std::string error;
    result.predictWritten = WritePredictFile(record, ws.LastDir, &error);
    if (!result.predictWritten) dialogs.message(error);
  }
  return result;
}

}  // namespace plumetra

#include "model/model_settings.h"

#include <algorithm>

#include "model/breed_data.h"
#include "model/composition.h"

namespace plumetra {
namespace {

void fill(Combo& combo, auto captions, int chosen) {
  combo.clear();
  for (std::string_view caption : captions) combo.add(std::string(caption));
  combo.choose(chosen);
}

void fillBreeds(Combo& combo, const ModelState& model) {
  combo.clear();
  const int last = std::clamp(model.settings.BreedCount, 0, kMaxBreeds - 1);
  for (int breed = 0; breed <= last; ++breed) combo.add(model.settings.BreedNames[breed]);
}

bool isBreed(int index) { return index >= 0 && index < kMaxBreeds; }

bool hasBreastMeat(const ModelState& model, int breed) {
  return isBreed(breed) && model.settings.BreedCompAdjust[breed] > 0;
}

int& storedBreed(ModelState& model, int sex) { return sex == 1 ? model.settings.MaleBreed : model.settings.FemaleBreed; }
Combo& breedCombo(SettingsWindow& w, int sex) { return sex == 1 ? w.maleBreed : w.femaleBreed; }
CheckBox& breastBox(SettingsWindow& w, int sex) { return sex == 1 ? w.maleBreastMeat : w.femaleBreastMeat; }

void setLabels(SettingsWindow& w) {
  w.unitsNote.caption =
      "The Program needs to know how you value Weight, Energy, amino acids and feed cost.  Each "
      "complex is kept separately.  The model works in Kcal per kg, kgs, available amino acids "
      "and cost per kg.  The conversions are done when the model calculates growth.  The least "
      "cost program runs without conversion.  All data are stored  as text without conversion "
      "to make them easier for you to read.";
  w.locationNote.caption =
      "Select the values you are using and then click OK.  If you set up a Location and then "
      "have that Location selected as the Current Location on the Current Flock Tab, those same "
      "values will be used for the new complex without need to set it up.  Come here to make "
      "changes.";
  w.breedNote.caption =
      "Select the breeds that are most common in your flocks.  A growth curve developed from the "
      "\"Breeder Guide\" for those breeds is used to give the calibration the proper curvature.  "
      "Check box if breed adds breast muscle";
}

}  // namespace

SettingsWindow OpenSettingsWindow(ModelState& model, const std::filesystem::path& appDir, Dialogs& dialogs) {
  SettingsWindow w;
  setLabels(w);
  fill(w.weightUnit, kWeightCaptions, model.settings.units.weightChoice);
  fill(w.energyUnit, kEnergyCaptions, model.settings.units.energyChoice);
  fill(w.aminoBasis, kAminoCaptions, static_cast<int>(model.settings.units.aminoBasis));
  fill(w.costUnit, kCostCaptions, model.settings.units.costChoice);
  LoadBreedData(model, appDir, dialogs);
  w.opened = {model.settings.units,       model.settings.BreedCompAdjust,  model.settings.MaleBreed,
              model.settings.FemaleBreed, model.settings.TraditionalBreed, model.inputs.FatCurve[2].A};
  w.traditionalBreed = model.settings.TraditionalBreed;
  w.leanBreed = !w.traditionalBreed;
  for (int sex = 1; sex <= 2; ++sex) {
    fillBreeds(breedCombo(w, sex), model);
    int& breed = storedBreed(model, sex);
    if (breed < 0) breed = 0;
    breedCombo(w, sex).choose(breed);
    breastBox(w, sex).checked = hasBreastMeat(model, breed);
  }
  return w;
}

void ChooseSettingsBreed(SettingsWindow& window, const ModelState& model, int sex, int index) {
  Combo& combo = breedCombo(window, sex);
  combo.choose(index);
  breastBox(window, sex).checked = hasBreastMeat(model, combo.index);
}

void SetBreastMeat(SettingsWindow& window, ModelState& model, int sex, bool ticked) {
  breastBox(window, sex).checked = ticked;
  const int breed = storedBreed(model, sex);
  if (isBreed(breed)) model.settings.BreedCompAdjust[breed] = ticked ? kBreastMeatAdjust : 0.0;
  if (!ticked) model.settings.TraditionalBreed = true;
}

void SetBreedType(SettingsWindow& window, ModelState& model, bool traditional) {
  window.leanBreed = !traditional;
  window.traditionalBreed = traditional;
  model.settings.TraditionalBreed = traditional;
  model.inputs.FatCurve[2].A = traditional ? kTraditionalFemaleFat : kLeanFemaleFat;
}

void ChooseAminoBasis(SettingsWindow& window, ModelState& model, int index) {
  window.aminoBasis.choose(index);
  if (window.aminoBasis.index >= 0) model.settings.units.aminoBasis = static_cast<AminoBasis>(window.aminoBasis.index);
}

void CancelSettings(const SettingsWindow& window, ModelState& model) {
  const StoredSettings& s = window.opened;
  model.settings.units = s.units;
  model.settings.BreedCompAdjust = s.breedCompAdjust;
  model.settings.MaleBreed = s.maleBreed;
  model.settings.FemaleBreed = s.femaleBreed;
  model.settings.TraditionalBreed = s.traditionalBreed;
  model.inputs.FatCurve[2].A = s.femaleMatureFat;
}

bool ConfirmSettings(SettingsWindow& window, ModelState& model, Dialogs& dialogs) {
  const auto store = [](int& setting, const Combo& combo) {
    if (combo.index >= 0) setting = combo.index;
  };
  store(model.settings.units.energyChoice, window.energyUnit);
  store(model.settings.units.weightChoice, window.weightUnit);
  store(model.settings.units.costChoice, window.costUnit);
  if (window.aminoBasis.index >= 0) model.settings.units.aminoBasis = static_cast<AminoBasis>(window.aminoBasis.index);
  if (window.maleBreed.index < 0) {
    dialogs.message("Need to Set Breeds");
    return false;
  }
  if (window.femaleBreed.index < 0) return false;
  for (int sex = 1; sex <= 2; ++sex) {
    const int breed = breedCombo(window, sex).index;
    storedBreed(model, sex) = breed;
    CheckBox& box = breastBox(window, sex);
    box.checked = hasBreastMeat(model, breed);
    if (box.checked) model.settings.BreedCompAdjust[breed] = kBreastMeatAdjust;
  }
  PrepareComposition(model);
  return true;
}

}  // namespace plumetra

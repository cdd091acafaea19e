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
  const int last = std::clamp(model.settings.breedCount, 0, MaxBreeds - 1);
  for (int breed = 0; breed <= last; ++breed) combo.add(model.settings.breedNames[breed]);
}

bool isBreed(int index) { return index >= 0 && index < MaxBreeds; }

bool hasBreastMeat(const ModelState& model, int breed) {
  return isBreed(breed) && model.settings.breedCompAdjust[breed] > 0;
}

int& storedBreed(ModelState& model, int sex) { return sex == 1 ? model.settings.maleBreed : model.settings.femaleBreed; }
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

SettingsWindow openSettingsWindow(ModelState& model, const std::filesystem::path& appDir, Dialogs& dialogs) {
  SettingsWindow w;
  setLabels(w);
  fill(w.weightUnit, WeightCaptions, model.settings.units.weightChoice);
  fill(w.energyUnit, EnergyCaptions, model.settings.units.energyChoice);
  fill(w.aminoBasis, AminoCaptions, static_cast<int>(model.settings.units.aminoBasis));
  fill(w.costUnit, CostCaptions, model.settings.units.costChoice);
  loadBreedData(model, appDir, dialogs);
  w.opened = {model.settings.units,       model.settings.breedCompAdjust,  model.settings.maleBreed,
              model.settings.femaleBreed, model.settings.traditionalBreed, model.inputs.fatCurve[2].A};
  w.traditionalBreed = model.settings.traditionalBreed;
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

void chooseSettingsBreed(SettingsWindow& window, const ModelState& model, int sex, int index) {
  Combo& combo = breedCombo(window, sex);
  combo.choose(index);
  breastBox(window, sex).checked = hasBreastMeat(model, combo.index);
}

void setBreastMeat(SettingsWindow& window, ModelState& model, int sex, bool ticked) {
  breastBox(window, sex).checked = ticked;
  const int breed = storedBreed(model, sex);
  if (isBreed(breed)) model.settings.breedCompAdjust[breed] = ticked ? BreastMeatAdjust : 0.0;
  if (!ticked) model.settings.traditionalBreed = true;
}

void setBreedType(SettingsWindow& window, ModelState& model, bool traditional) {
  window.leanBreed = !traditional;
  window.traditionalBreed = traditional;
  model.settings.traditionalBreed = traditional;
  model.inputs.fatCurve[2].A = traditional ? TraditionalFemaleFat : LeanFemaleFat;
}

void chooseAminoBasis(SettingsWindow& window, ModelState& model, int index) {
  window.aminoBasis.choose(index);
  if (window.aminoBasis.index >= 0) model.settings.units.aminoBasis = static_cast<AminoBasis>(window.aminoBasis.index);
}

void cancelSettings(const SettingsWindow& window, ModelState& model) {
  const StoredSettings& s = window.opened;
  model.settings.units = s.units;
  model.settings.breedCompAdjust = s.breedCompAdjust;
  model.settings.maleBreed = s.maleBreed;
  model.settings.femaleBreed = s.femaleBreed;
  model.settings.traditionalBreed = s.traditionalBreed;
  model.inputs.fatCurve[2].A = s.femaleMatureFat;
}

bool confirmSettings(SettingsWindow& window, ModelState& model, Dialogs& dialogs) {
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
    if (box.checked) model.settings.breedCompAdjust[breed] = BreastMeatAdjust;
  }
  prepareComposition(model);
  return true;
}

}  // namespace plumetra

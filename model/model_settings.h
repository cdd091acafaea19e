#pragma once
// The settings window "Set Location Values Here" as plain control state and the operations
// its events run: the unit choices, the amino-acid basis, the predominant breeds with their
// breast-meat adjustment, and the breed type (lean or traditional).

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/model_state.h"
#include "controls/controls.h"
#include "controls/dialogs.h"

namespace plumetra {

inline constexpr std::array<std::string_view, 3> WeightCaptions{"Kilograms", "Pounds", "Grams"};
inline constexpr std::array<std::string_view, 5> EnergyCaptions{"Kcal/Kg", "Kcal/lb", "Mcal/kg",
                                                                 "Mcal/lb", "MJ/kg"};
inline constexpr std::array<std::string_view, 2> AminoCaptions{"Total", "Avail"};
inline constexpr std::array<std::string_view, 5> CostCaptions{
    "Cost /kg", "Cost /tonne ", "Cost /lb", "Cost /sht ton", "Cost /100 lb"};
inline constexpr std::string_view BreastMeatCaption = "This Breed has enhanced breat meat";

// What the settings window may change in the model, as it was when the window opened.
struct StoredSettings {
  UnitSettings units;
  std::array<double, MaxBreeds> breedCompAdjust{};
  int maleBreed = -1;
  int femaleBreed = -1;
  bool traditionalBreed = false;
  double femaleMatureFat = 0;
};

struct SettingsWindow {
  std::string caption = "Set Location Values Here";
  Combo weightUnit;        // weights
  Combo energyUnit;        // feed energy
  Combo aminoBasis;        // amino acids
  Combo costUnit;        // feed cost
  Combo maleBreed;    // predominant male breed
  Combo femaleBreed;  // predominant female breed
  CheckBox maleBreastMeat{std::string(BreastMeatCaption)};
  CheckBox femaleBreastMeat{std::string(BreastMeatCaption)};
  bool leanBreed = true;   // "Lean Breed - ..."
  bool traditionalBreed = false;  // "Traditional Breed ..."
  Label unitsNote, weightLabel{"Weights"}, energyLabel{"Feed Energy"}, aminoLabel{"Amino Acids"},
      costLabel{"Feed Cost"}, locationNote, breedNote, maleBreedLabel{"Predominant Male Breed"},
      femaleBreedLabel{"Predominant Female Breed"};
  std::string leanBreedCaption = "Lean Breed - Recent Ross and Cobb, for example";
  std::string traditionalBreedCaption =
      "Traditional Breed like Cobb Sasso, Arbor Acres, other slower growth breeds";
  StoredSettings opened;  // for Cancel
};

// Opening: fills the lists, loads the breed data from appDir and selects the stored values,
// so the window always shows what is in force.
SettingsWindow openSettingsWindow(ModelState& model, const std::filesystem::path& appDir, Dialogs& dialogs);

// Cancel: the model gets back every setting the window changed since it opened.
void cancelSettings(const SettingsWindow& window, ModelState& model);

// A breed chosen in the list of a sex (1 male, 2 female): its box shows whether the breed
// has a breast-meat adjustment.
void chooseSettingsBreed(SettingsWindow& window, const ModelState& model, int sex, int index);

// The breast-meat box of a sex ticked or cleared: the adjustment of the breed stored for
// that sex becomes 0.128, or 0 (and the breed type becomes traditional).
void setBreastMeat(SettingsWindow& window, ModelState& model, int sex, bool ticked);

// "Lean Breed" (false) or "Traditional Breed" (true): the female mature fat fraction
// becomes 0.22 or 0.26.
void setBreedType(SettingsWindow& window, ModelState& model, bool traditional);

// The amino-acid list changed: the basis is stored at once.
void chooseAminoBasis(SettingsWindow& window, ModelState& model, int index);

// OK: stores the unit choices; without a male breed shows "Need to Set Breeds", without a
// female breed does nothing more; otherwise stores the breeds and their factors and runs
// prepareComposition. True when the window closes.
bool confirmSettings(SettingsWindow& window, ModelState& model, Dialogs& dialogs);

}  // namespace plumetra

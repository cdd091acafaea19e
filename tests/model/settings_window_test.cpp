#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_settings.h"
#include "controls/scripted_dialogs.h"

namespace plumetra {
namespace {

// A folder without breed files: the built-in breeds are used.
const std::filesystem::path NoBreedFiles = std::filesystem::path(PLUMETRA_TEST_DATA) / "model";

TEST(SettingsWindow, OkNeedsBothBreeds) {
  ModelState m;
  ScriptedDialogs dialogs;
  SettingsWindow w = openSettingsWindow(m, NoBreedFiles, dialogs);
  w.energyUnit.choose(4), w.weightUnit.choose(1), w.costUnit.choose(2), w.aminoBasis.choose(1);
  w.maleBreed.choose(-1);
  dialogs.expectMessage("Need to Set Breeds");
  EXPECT_FALSE(confirmSettings(w, m, dialogs));
  EXPECT_TRUE(dialogs.finished());
  // The units are stored even so, but the composition is not prepared.
  EXPECT_EQ(m.settings.units.energyChoice, 4);
  EXPECT_EQ(m.settings.units.weightChoice, 1);
  EXPECT_EQ(m.settings.units.costChoice, 2);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Avail);
  EXPECT_EQ(m.inputs.growthParams[1][ParamB], 0);

  chooseSettingsBreed(w, m, 1, 3);  // ticks the box: breed 3 has 0.128
  w.femaleBreed.choose(-1);
  EXPECT_FALSE(confirmSettings(w, m, dialogs));  // no message
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m.settings.maleBreed, 0);  // unchanged from the opening

  w.femaleBreed.choose(13);
  m.settings.breedCompAdjust[3] = 0.125;  // as a calibration file leaves it
  EXPECT_TRUE(confirmSettings(w, m, dialogs));
  EXPECT_EQ(m.settings.maleBreed, 3);
  EXPECT_EQ(m.settings.femaleBreed, 13);
  EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[3], 0.128);  // a ticked breed gets its factor back
  EXPECT_DOUBLE_EQ(m.inputs.growthParams[1][ParamB], 0.9057);  // prepareComposition ran
}

// The window shows what is stored, whatever the main window holds, and Cancel puts back
// every setting its events changed.
TEST(SettingsWindow, ReopensAsStoredAndCancelPutsItBack) {
  ModelState m;
  m.settings.units.aminoBasis = AminoBasis::Total;
  m.settings.units.costChoice = 3;  // "Cost /sht ton"
  m.settings.maleBreed = 2;
  ScriptedDialogs dialogs;
  SettingsWindow w = openSettingsWindow(m, NoBreedFiles, dialogs);
  EXPECT_EQ(w.aminoBasis.index, 0);
  EXPECT_EQ(w.costUnit.index, 3);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Total);  // opening writes nothing back

  const double leanFat = m.inputs.fatCurve[2].A;
  const double breastMeat = m.settings.breedCompAdjust[2];
  chooseAminoBasis(w, m, 1);
  setBreedType(w, m, true);
  setBreastMeat(w, m, 1, breastMeat == 0);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Avail);
  EXPECT_NE(m.settings.breedCompAdjust[2], breastMeat);
  cancelSettings(w, m);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Total);
  EXPECT_FALSE(m.settings.traditionalBreed);
  EXPECT_DOUBLE_EQ(m.inputs.fatCurve[2].A, leanFat);
  EXPECT_DOUBLE_EQ(m.settings.breedCompAdjust[2], breastMeat);

  // After OK the next opening shows the stored choices again.
  w = openSettingsWindow(m, NoBreedFiles, dialogs);
  w.costUnit.choose(1), w.aminoBasis.choose(1);
  EXPECT_TRUE(confirmSettings(w, m, dialogs));
  const SettingsWindow again = openSettingsWindow(m, NoBreedFiles, dialogs);
  EXPECT_EQ(again.costUnit.index, 1);
  EXPECT_EQ(again.aminoBasis.index, 1);
}

}  // namespace
}  // namespace plumetra

#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_settings.h"
#include "controls/scripted_dialogs.h"

namespace plumetra {
namespace {

// A folder without breed files: the built-in breeds are used.
const std::filesystem::path kNoBreedFiles = std::filesystem::path(PLUMETRA_TEST_DATA) / "model";

TEST(SettingsWindow, OkNeedsBothBreeds) {
  ModelState m;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, dialogs);
  w.energyUnit.choose(4), w.weightUnit.choose(1), w.costUnit.choose(2), w.aminoBasis.choose(1);
  w.maleBreed.choose(-1);
  dialogs.expectMessage("Need to Set Breeds");
  EXPECT_FALSE(ConfirmSettings(w, m, dialogs));
  EXPECT_TRUE(dialogs.finished());
  // The units are stored even so, but the composition is not prepared.
  EXPECT_EQ(m.settings.units.energyChoice, 4);
  EXPECT_EQ(m.settings.units.weightChoice, 1);
  EXPECT_EQ(m.settings.units.costChoice, 2);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Avail);
  EXPECT_EQ(m.inputs.GrowthParams[1][kParamB], 0);

  ChooseSettingsBreed(w, m, 1, 3);  // ticks the box: breed 3 has 0.128
  w.femaleBreed.choose(-1);
  EXPECT_FALSE(ConfirmSettings(w, m, dialogs));  // no message
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m.settings.MaleBreed, 0);  // unchanged from the opening

  w.femaleBreed.choose(13);
  m.settings.BreedCompAdjust[3] = 0.125;  // as a calibration file leaves it
  EXPECT_TRUE(ConfirmSettings(w, m, dialogs));
  EXPECT_EQ(m.settings.MaleBreed, 3);
  EXPECT_EQ(m.settings.FemaleBreed, 13);
  EXPECT_DOUBLE_EQ(m.settings.BreedCompAdjust[3], 0.128);  // a ticked breed gets its factor back
  EXPECT_DOUBLE_EQ(m.inputs.GrowthParams[1][kParamB], 0.9057);  // PrepareComposition ran
  EXPECT_GT(m.composition.Share[1][30][12], 0);
}

// The window shows what is stored, whatever the main window holds, and Cancel puts back
// every setting its events changed.
TEST(SettingsWindow, ReopensAsStoredAndCancelPutsItBack) {
  ModelState m;
  m.settings.units.aminoBasis = AminoBasis::Total;
  m.settings.units.costChoice = 3;  // "Cost /sht ton"
  m.settings.MaleBreed = 2;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, dialogs);
  EXPECT_EQ(w.aminoBasis.index, 0);
  EXPECT_EQ(w.costUnit.index, 3);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Total);  // opening writes nothing back

  const double leanFat = m.inputs.FatCurve[2].A;
  const double breastMeat = m.settings.BreedCompAdjust[2];
  ChooseAminoBasis(w, m, 1);
  SetBreedType(w, m, true);
  SetBreastMeat(w, m, 1, breastMeat == 0);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Avail);
  EXPECT_NE(m.settings.BreedCompAdjust[2], breastMeat);
  CancelSettings(w, m);
  EXPECT_EQ(m.settings.units.aminoBasis, AminoBasis::Total);
  EXPECT_EQ(m.settings.units.costChoice, 3);
  EXPECT_FALSE(m.settings.TraditionalBreed);
  EXPECT_DOUBLE_EQ(m.inputs.FatCurve[2].A, leanFat);
  EXPECT_DOUBLE_EQ(m.settings.BreedCompAdjust[2], breastMeat);
  EXPECT_EQ(m.settings.MaleBreed, 2);

  // After OK the next opening shows the stored choices again.
  w = OpenSettingsWindow(m, kNoBreedFiles, dialogs);
  w.costUnit.choose(1), w.aminoBasis.choose(1);
  EXPECT_TRUE(ConfirmSettings(w, m, dialogs));
  const SettingsWindow again = OpenSettingsWindow(m, kNoBreedFiles, dialogs);
  EXPECT_EQ(again.costUnit.index, 1);
  EXPECT_EQ(again.aminoBasis.index, 1);
}

}  // namespace
}  // namespace plumetra

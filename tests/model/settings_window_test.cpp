#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_settings.h"
#include "views/scripted_dialogs.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

// A folder without breed files: the built-in breeds are used.
const fs::path kNoBreedFiles = fs::path(PLUMETRA_TEST_DATA) / "model";

TEST(SettingsWindow, OpeningSelectsTheStoredValues) {
  ModelState m;
  m.units = {1, 2, 3, 0, AminoBasis::Total};
  m.TraditionalBreed = true;
  m.MaleBreed = 12;
  ScriptedDialogs dialogs;
  const SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  EXPECT_EQ(w.Combo1.chosen(), "Grams");
  EXPECT_EQ(w.Combo2.chosen(), "Kcal/lb");
  EXPECT_EQ(w.Combo3.chosen(), "Total");
  EXPECT_EQ(w.Combo4.chosen(), "Cost /sht ton");
  ASSERT_EQ(w.ComboMales.items.size(), 15u);
  EXPECT_EQ(w.ComboMales.items[14], "Arbor Acres Plus");
  EXPECT_EQ(w.ComboMales.chosen(), "Ross 308");
  // No female breed yet: -1 becomes breed 0.
  EXPECT_EQ(m.FemaleBreed, 0);
  EXPECT_EQ(w.ComboFemales.chosen(), "General");
  EXPECT_FALSE(w.CheckMales.checked);
  EXPECT_TRUE(w.Option2);
  EXPECT_FALSE(w.Option1);
  EXPECT_EQ(w.caption, "Set Location Values Here");
  EXPECT_TRUE(dialogs.finished());
}

TEST(SettingsWindow, LocationEnteredShowsCostPerTonneAndAvail) {
  ModelState m;
  m.units.costChoice = 4;
  ScriptedDialogs dialogs;
  const SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, true, dialogs);
  EXPECT_EQ(w.Combo4.chosen(), "Cost /tonne ");
  EXPECT_EQ(w.Combo3.chosen(), "Avail");
  EXPECT_EQ(m.units.aminoBasis, AminoBasis::Avail);
  EXPECT_EQ(m.units.costChoice, 4);  // stored only at OK
}

TEST(SettingsWindow, BreedChoiceShowsItsBreastMeatBox) {
  ModelState m;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  ChooseSettingsBreed(w, m, 1, 13);  // Ross 708: 0.128 by default
  EXPECT_TRUE(w.CheckMales.checked);
  ChooseSettingsBreed(w, m, 1, 12);
  EXPECT_FALSE(w.CheckMales.checked);
  ChooseSettingsBreed(w, m, 2, 99);  // not in the list: nothing chosen, box cleared
  EXPECT_EQ(w.ComboFemales.index, -1);
  EXPECT_FALSE(w.Checkfemales.checked);
}

TEST(SettingsWindow, TickingBeforeOkSetsTheStoredBreedsFactor) {
  ModelState m;
  m.MaleBreed = 2;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  ChooseSettingsBreed(w, m, 1, 12);
  SetBreastMeat(w, m, 1, true);
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[2], 0.128);  // the stored breed, not the one chosen
  EXPECT_EQ(m.BreedCompAdjust[12], 0);
  ASSERT_TRUE(ConfirmSettings(w, m, dialogs));
  EXPECT_EQ(m.MaleBreed, 12);
  EXPECT_FALSE(w.CheckMales.checked);  // set from breed 12's factor at OK
  EXPECT_EQ(m.BreedCompAdjust[12], 0);
}

TEST(SettingsWindow, ClearingTheBoxMakesTheBreedTraditional) {
  ModelState m;
  m.FemaleBreed = 7;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  EXPECT_TRUE(w.Checkfemales.checked);
  SetBreastMeat(w, m, 2, false);
  EXPECT_EQ(m.BreedCompAdjust[7], 0);
  EXPECT_TRUE(m.TraditionalBreed);
  const SettingsWindow reopened = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  EXPECT_TRUE(reopened.Option2);
}

TEST(SettingsWindow, BreedTypeSetsTheFemaleMatureFat) {
  ModelState m;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  SetBreedType(w, m, true);
  EXPECT_DOUBLE_EQ(m.FatCurve[2].A, 0.26);
  EXPECT_TRUE(m.TraditionalBreed);
  EXPECT_TRUE(w.Option2);
  EXPECT_FALSE(w.Option1);
  SetBreedType(w, m, false);
  EXPECT_DOUBLE_EQ(m.FatCurve[2].A, 0.22);
  EXPECT_FALSE(m.TraditionalBreed);
}

TEST(SettingsWindow, OkNeedsBothBreeds) {
  ModelState m;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  w.Combo2.choose(4);
  w.Combo1.choose(1);
  w.Combo4.choose(2);
  w.Combo3.choose(1);
  w.ComboMales.choose(-1);
  dialogs.expectMessage("Need to Set Breeds");
  EXPECT_FALSE(ConfirmSettings(w, m, dialogs));
  EXPECT_TRUE(dialogs.finished());
  // The units are stored even so.
  EXPECT_EQ(m.units.energyChoice, 4);
  EXPECT_EQ(m.units.weightChoice, 1);
  EXPECT_EQ(m.units.costChoice, 2);
  EXPECT_EQ(m.units.aminoBasis, AminoBasis::Avail);
  EXPECT_EQ(m.GrowthParams[1][kParamB], 0);  // no PrepareComposition

  w.ComboMales.choose(3);
  w.ComboFemales.choose(-1);
  EXPECT_FALSE(ConfirmSettings(w, m, dialogs));  // no message
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m.MaleBreed, 0);  // unchanged from the opening

  w.ComboFemales.choose(13);
  EXPECT_TRUE(ConfirmSettings(w, m, dialogs));
  EXPECT_EQ(m.MaleBreed, 3);
  EXPECT_EQ(m.FemaleBreed, 13);
  EXPECT_TRUE(w.CheckMales.checked);
  EXPECT_TRUE(w.Checkfemales.checked);
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamB], 0.9057);  // PrepareComposition ran
  EXPECT_GT(m.ComponentShareBase[1][12][30], 0);
}

TEST(SettingsWindow, OkRestoresTheFactorOfATickedBreed) {
  ModelState m;
  m.MaleBreed = 3;
  m.FemaleBreed = 3;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  m.BreedCompAdjust[3] = 0.125;  // as a calibration file leaves it
  ASSERT_TRUE(ConfirmSettings(w, m, dialogs));
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[3], 0.128);
}

}  // namespace
}  // namespace plumetra

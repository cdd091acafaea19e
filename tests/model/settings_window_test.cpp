#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_settings.h"
#include "views/scripted_dialogs.h"

namespace plumetra {
namespace {

// A folder without breed files: the built-in breeds are used.
const std::filesystem::path kNoBreedFiles = std::filesystem::path(PLUMETRA_TEST_DATA) / "model";

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
  EXPECT_EQ(w.ComboMales.chosen(), "Ross 308");
  EXPECT_EQ(m.FemaleBreed, 0);  // no female breed yet: -1 becomes breed 0
  EXPECT_EQ(w.ComboFemales.chosen(), "General");
  EXPECT_FALSE(w.CheckMales.checked);
  EXPECT_TRUE(w.Option2);
  EXPECT_FALSE(w.Option1);
  EXPECT_EQ(w.caption, "Set Location Values Here");
  EXPECT_TRUE(dialogs.finished());

  ModelState entered;  // a location entered: amino acids shown as Avail
  entered.units.costChoice = 4;
  const SettingsWindow e = OpenSettingsWindow(entered, kNoBreedFiles, true, dialogs);
  EXPECT_EQ(e.Combo4.chosen(), "Cost /tonne ");
  EXPECT_EQ(e.Combo3.chosen(), "Avail");
  EXPECT_EQ(entered.units.aminoBasis, AminoBasis::Avail);
}

TEST(SettingsWindow, BreastMeatBoxFollowsTheChosenBreedAndTicksTheStoredOne) {
  ModelState m;
  m.MaleBreed = 2;
  m.FemaleBreed = 7;
  ScriptedDialogs dialogs;
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
  EXPECT_TRUE(w.Checkfemales.checked);
  ChooseSettingsBreed(w, m, 1, 13);  // Ross 708: 0.128 by default
  EXPECT_TRUE(w.CheckMales.checked);
  ChooseSettingsBreed(w, m, 1, 12);
  EXPECT_FALSE(w.CheckMales.checked);
  SetBreastMeat(w, m, 1, true);
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[2], 0.128);  // the stored breed, not the one chosen
  EXPECT_EQ(m.BreedCompAdjust[12], 0);
  SetBreastMeat(w, m, 2, false);  // clearing makes the breed traditional
  EXPECT_EQ(m.BreedCompAdjust[7], 0);
  EXPECT_TRUE(m.TraditionalBreed);

  ChooseSettingsBreed(w, m, 2, 99);  // not in the list: nothing chosen, box cleared
  EXPECT_EQ(w.ComboFemales.index, -1);
  EXPECT_FALSE(w.Checkfemales.checked);
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
  // The units are stored even so, but the composition is not prepared.
  EXPECT_EQ(m.units.energyChoice, 4);
  EXPECT_EQ(m.units.weightChoice, 1);
  EXPECT_EQ(m.units.costChoice, 2);
  EXPECT_EQ(m.units.aminoBasis, AminoBasis::Avail);
  EXPECT_EQ(m.GrowthParams[1][kParamB], 0);

  ChooseSettingsBreed(w, m, 1, 3);  // ticks the box: breed 3 has 0.128
  w.ComboFemales.choose(-1);
  EXPECT_FALSE(ConfirmSettings(w, m, dialogs));  // no message
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(m.MaleBreed, 0);  // unchanged from the opening

  w.ComboFemales.choose(13);
  m.BreedCompAdjust[3] = 0.125;  // as a calibration file leaves it
  EXPECT_TRUE(ConfirmSettings(w, m, dialogs));
  EXPECT_EQ(m.MaleBreed, 3);
  EXPECT_EQ(m.FemaleBreed, 13);
  EXPECT_TRUE(w.CheckMales.checked);
  EXPECT_TRUE(w.Checkfemales.checked);
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[3], 0.128);  // a ticked breed gets its factor back
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamB], 0.9057);  // PrepareComposition ran
  EXPECT_GT(m.ComponentShareBase[1][12][30], 0);
}

}  // namespace
}  // namespace plumetra

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
  SettingsWindow w = OpenSettingsWindow(m, kNoBreedFiles, false, dialogs);
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
  EXPECT_GT(m.composition.Share[1][12][30], 0);
}

}  // namespace
}  // namespace plumetra

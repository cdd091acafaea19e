#include <gtest/gtest.h>

#include <cmath>

#include "model/composition.h"
#include "model/model_state.h"

namespace plumetra {
namespace {

TEST(PrepareComposition, DefaultParamsAndHatchWeightsOnlyWhenNoneSet) {
  ModelState m;
  prepareComposition(m);
  EXPECT_DOUBLE_EQ(m.inputs.growthParams[1][ParamB], 0.9057);
  EXPECT_DOUBLE_EQ(m.inputs.growthParams[2][ParamK], 0.0635);
  // The day-0 weights follow the hatch weights put in place.
  EXPECT_DOUBLE_EQ(m.inputs.hatchWeight[1], 42.85);
  EXPECT_DOUBLE_EQ(m.inputs.hatchWeight[2], 38.6);

  ModelState set;
  set.inputs.growthParams[1] = {40, 0.9, 5, 0.06};
  set.inputs.growthParams[2][ParamW0] = 39;
  set.inputs.hatchWeight[1] = 41;
  prepareComposition(set);
  EXPECT_EQ(set.inputs.growthParams[1][ParamW0], 40);
  EXPECT_EQ(set.inputs.growthParams[2][ParamW0], 39);
  EXPECT_EQ(set.inputs.hatchWeight[1], 41);
}

TEST(PrepareComposition, SharesSumTo98AndFollowTheCurves) {
  ModelState m;
  prepareComposition(m);
  for (int s = 1; s <= 2; ++s)
    for (int day : {0, 1, 35, 70, 98}) {
      double sum = 0;
      for (int k = FirstComponent; k <= LastComponent; ++k) sum += m.composition.share[s][day][k];
      EXPECT_NEAR(sum, 98.0, 1e-9) << "sex " << s << " day " << day;
    }
  // The ratio of two components is the ratio of their curves: male, day 35, components 2 and 3.
  const auto curve = [](double a, double b, double c, double t) { return a * std::exp(-b * std::exp(-c * t)); };
  const double expected = curve(185.300937, 4.494551, 0.049318, 35) / curve(256.652433, 5.930524, 0.057039, 35);
  EXPECT_NEAR(m.composition.share[1][35][2] / m.composition.share[1][35][3], expected, 1e-12);
  // Days beyond 98 and the mixed row are not built.
  EXPECT_EQ(m.composition.share[1][99][2], 0);
  EXPECT_EQ(m.composition.share[0][10][2], 0);
}

TEST(PrepareComposition, BreastMeatAdjustScalesComponent12OfTheChosenBreed) {
  ModelState plain;
  prepareComposition(plain);
  ModelState adjusted;
  adjusted.settings.maleBreed = 3;
  adjusted.settings.femaleBreed = 2;
  adjusted.settings.breedCompAdjust[3] = 0.128;
  prepareComposition(adjusted);
  // Ratio 12 : 2 grows by exactly 1.128 for males and stays for females.
  const auto ratio = [](const ModelState& m, int s) {
    return m.composition.share[s][40][12] / m.composition.share[s][40][2];
  };
  EXPECT_NEAR(ratio(adjusted, 1) / ratio(plain, 1), 1.128, 1e-12);
  EXPECT_NEAR(ratio(adjusted, 2) / ratio(plain, 2), 1.0, 1e-12);
}

TEST(PrepareComposition, BreedOutsideTheTableReadsAsGeneral) {
  ModelState m;
  m.settings.femaleBreed = -7;
  m.settings.breedCompAdjust[0] = 0.1;
  EXPECT_EQ(chosenBreed(m, 1), 0);  // -1: none chosen yet
  EXPECT_EQ(chosenBreed(m, 2), 0);
  m.settings.maleBreed = MaxBreeds;
  EXPECT_EQ(chosenBreed(m, 1), 0);
  prepareComposition(m);  // must not index with -7 (caught by the sanitizers)
}

TEST(CompositionSet, ChosenByFemaleMatureFat) {
  struct Case {
    double femaleFat;
    double expectedMaleBF;
    double expectedFemaleFat;
  };
  for (const Case& c : {Case{0.24, 0.653067, 0.22}, Case{0.2401, 1.1797, 0.26}, Case{0.26, 1.1797, 0.26},
                        Case{0.22, 0.653067, 0.22}}) {
    ModelState m;
    m.inputs.fatCurve[2].A = c.femaleFat;
    chooseCompositionSet(m);
    EXPECT_DOUBLE_EQ(m.inputs.fatCurve[1].bF, c.expectedMaleBF) << c.femaleFat;
    EXPECT_DOUBLE_EQ(m.inputs.fatCurve[2].A, c.expectedFemaleFat) << c.femaleFat;
  }
}

}  // namespace
}  // namespace plumetra

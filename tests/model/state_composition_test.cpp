#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "model/composition.h"
#include "model/model_state.h"

namespace plumetra {
namespace {

TEST(ModelStateDefaults, StartUpValues) {
  const ModelState m;
  // Set B is in force at start-up.
  EXPECT_DOUBLE_EQ(m.FatCurve[1].bF, 0.653067);
  EXPECT_DOUBLE_EQ(m.FatCurve[2].A, 0.22);
  EXPECT_DOUBLE_EQ(m.ProteinCurve.femaleDay70, 0.17);
  EXPECT_DOUBLE_EQ(m.FeatherCurve[2].a, -0.00096);
  EXPECT_DOUBLE_EQ(m.FeatherCurve[1].b1, 0.00208);
  // No settings read yet: temperatures are all 0, so the temperature response is neutral.
  for (int w = 0; w < kWeeks; ++w) {
    EXPECT_EQ(m.WeekTemp[w], 0);
    EXPECT_EQ(m.OptTemp[w], 0);
  }
  EXPECT_EQ(m.DensityInput[0], 0);
  EXPECT_DOUBLE_EQ(m.DensityInput[1], 12.6);
  EXPECT_EQ(m.MaleBreed, -1);
  EXPECT_EQ(m.FemaleBreed, -1);
  EXPECT_EQ(m.AvailDivisor, 0);
}

TEST(ModelStateDefaults, PhaseTablesHoldTheOverflowPhase) {
  // The last day's feed of phase 6 may be booked on phase 7.
  const ModelState m;
  EXPECT_GE(m.FeedByDiet.size(), 8u);
  EXPECT_GE(m.FeedAllotment.size(), 8u);
  EXPECT_GE(m.RefEnergy[0].size(), 8u);
  EXPECT_GE(m.DietNutrients.size(), 7u);
}

TEST(ModelStateDefaults, CopiesAreIndependent) {
  ModelState a;
  a.BodyWeight[1][5] = 100;
  ModelState b = a;
  b.BodyWeight[1][5] = 200;
  b.BreedNames[0] = "x";
  EXPECT_EQ(a.BodyWeight[1][5], 100);
  EXPECT_TRUE(a.BreedNames[0].empty());
}

TEST(PrepareComposition, DefaultParamsAndHatchWeightsWhenNoneSet) {
  ModelState m;
  PrepareComposition(m);
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamW0], 42.85);
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamB], 0.9057);
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamL], 5.139);
  EXPECT_DOUBLE_EQ(m.GrowthParams[1][kParamK], 0.0588);
  EXPECT_DOUBLE_EQ(m.GrowthParams[2][kParamW0], 38.6);
  EXPECT_DOUBLE_EQ(m.GrowthParams[2][kParamB], 0.8061);
  EXPECT_DOUBLE_EQ(m.GrowthParams[2][kParamL], 4.6172);
  EXPECT_DOUBLE_EQ(m.GrowthParams[2][kParamK], 0.0635);
  // The day-0 weights follow the hatch weights put in place.
  EXPECT_DOUBLE_EQ(m.BodyWeight[1][0], 42.85);
  EXPECT_DOUBLE_EQ(m.BodyWeight[2][0], 38.6);
}

TEST(PrepareComposition, KeepsParamsAlreadySet) {
  ModelState m;
  m.GrowthParams[1] = {40, 0.9, 5, 0.06};
  m.GrowthParams[2][kParamW0] = 39;
  m.BodyWeight[1][0] = 41;
  PrepareComposition(m);
  EXPECT_EQ(m.GrowthParams[1][kParamW0], 40);
  EXPECT_EQ(m.GrowthParams[2][kParamW0], 39);
  EXPECT_EQ(m.BodyWeight[1][0], 41);
}

TEST(PrepareComposition, SharesSumTo98AndFollowTheCurves) {
  ModelState m;
  PrepareComposition(m);
  for (int s = 1; s <= 2; ++s)
    for (int day : {0, 1, 35, 70, 98}) {
      double sum = 0;
      for (int k = kFirstComponent; k <= kLastComponent; ++k) sum += m.ComponentShareBase[s][k][day];
      EXPECT_NEAR(sum, 98.0, 1e-9) << "sex " << s << " day " << day;
    }
  // Ratio of two components is the ratio of their curves (the scaling cancels):
  // male, day 35, components 2 and 3.
  const auto curve = [](double a, double b, double c, double t) { return a * std::exp(-b * std::exp(-c * t)); };
  const double expected = curve(185.300937, 4.494551, 0.049318, 35) / curve(256.652433, 5.930524, 0.057039, 35);
  EXPECT_NEAR(m.ComponentShareBase[1][2][35] / m.ComponentShareBase[1][3][35], expected, 1e-12);
  // Days beyond 98 and the mixed row are not built.
  EXPECT_EQ(m.ComponentShareBase[1][2][99], 0);
  EXPECT_EQ(m.ComponentShareBase[0][2][10], 0);
}

TEST(PrepareComposition, BreastMeatAdjustScalesComponent12OfTheChosenBreed) {
  ModelState plain;
  PrepareComposition(plain);
  ModelState adjusted;
  adjusted.MaleBreed = 3;
  adjusted.FemaleBreed = 2;
  adjusted.BreedCompAdjust[3] = 0.128;
  PrepareComposition(adjusted);
  // Before normalising, component 12 is 1.128 times larger, the others unchanged:
  // ratio 12 : 2 grows by exactly 1.128 for males and stays for females.
  const auto ratio = [](const ModelState& m, int s) {
    return m.ComponentShareBase[s][12][40] / m.ComponentShareBase[s][2][40];
  };
  EXPECT_NEAR(ratio(adjusted, 1) / ratio(plain, 1), 1.128, 1e-12);
  EXPECT_NEAR(ratio(adjusted, 2) / ratio(plain, 2), 1.0, 1e-12);
}

TEST(PrepareComposition, NegativeBreedReadsAsGeneral) {
  ModelState m;
  m.MaleBreed = -1;
  m.FemaleBreed = -7;
  m.BreedCompAdjust[0] = 0.1;
  EXPECT_EQ(ChosenBreed(m, 1), 0);
  EXPECT_EQ(ChosenBreed(m, 2), 0);
  m.MaleBreed = kMaxBreeds;
  EXPECT_EQ(ChosenBreed(m, 1), 0);
  PrepareComposition(m);  // must not index with -1
  SUCCEED();
}

TEST(CompositionSet, ChosenByFemaleMatureFat) {
  struct Case {
    double femaleFat;
    double expectedMaleBF;
    double expectedFemaleFat;
  };
  for (const Case& c : {Case{0.24, 0.653067, 0.22}, Case{0.2401, 1.1797, 0.26},
                        Case{0.26, 1.1797, 0.26}, Case{0.22, 0.653067, 0.22}}) {
    ModelState m;
    m.FatCurve[2].A = c.femaleFat;
    ChooseCompositionSet(m);
    EXPECT_DOUBLE_EQ(m.FatCurve[1].bF, c.expectedMaleBF) << c.femaleFat;
    EXPECT_DOUBLE_EQ(m.FatCurve[2].A, c.expectedFemaleFat) << c.femaleFat;
  }
  ModelState a;
  LoadCompositionSet(a, kCompositionSetA);
  EXPECT_DOUBLE_EQ(a.FatCurve[2].bF, 1.299678536);
  EXPECT_DOUBLE_EQ(a.ProteinCurve.maleDay0, 0.1374);
  EXPECT_DOUBLE_EQ(a.ProteinCurve.femaleDay70, 0.165);
}

TEST(CalibrationRead, DefaultsBeforeAndSetAndHatchWeightsAfter) {
  ModelState m;
  m.BreedCompAdjust[3] = 0.128;
  BeginCalibrationRead(m);
  EXPECT_EQ(m.DietCount, 5);
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[3], 0.125);
  EXPECT_DOUBLE_EQ(m.BreedCompAdjust[13], 0.125);
  m.GrowthParams[1][kParamW0] = 44;
  m.GrowthParams[2][kParamW0] = 40;
  m.FatCurve[2].A = 0.26;
  FinishCalibrationRead(m);
  EXPECT_EQ(m.BodyWeight[1][0], 44);
  EXPECT_EQ(m.BodyWeight[2][0], 40);
  EXPECT_DOUBLE_EQ(m.FatCurve[1].bF, 1.1797);  // set A
}

}  // namespace
}  // namespace plumetra

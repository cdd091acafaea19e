#pragma once
// A growth model ready to run for the calibration tests: Ross 308 for both sexes, three
// broiler diets with their feed amounts, reference energies equal to the diet energies.

#include "model/breed_data.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "model/model_state.h"

namespace plumetra::calibration_test {

// Starter, grower, finisher: energy kcal/kg, protein %, then the twelve amino acids in
// nutrient-vector order (typical broiler diet values).
inline constexpr std::array<std::array<double, kNutrients>, 3> kTestDiets{{
    {0, 3000, 22.5, 1.45, 0.55, 1.32, 0.24, 1.65, 0.95, 0.98, 0.62, 0.88, 1.65, 0.90, 1.02},
    {0, 3100, 20.5, 1.30, 0.50, 1.18, 0.21, 1.50, 0.86, 0.90, 0.56, 0.80, 1.50, 0.82, 0.92},
    {0, 3200, 18.5, 1.18, 0.45, 1.05, 0.19, 1.35, 0.78, 0.82, 0.50, 0.72, 1.36, 0.74, 0.84},
}};
inline constexpr std::array<double, 3> kTestFeed{0.5, 1.5, 2.5};  // kg per bird

inline ModelState runnableModel(int sex = 0) {
  ModelState m;
  LoadBuiltInBreedTable(m);
  m.MaleBreed = 12;
  m.FemaleBreed = 12;
  SetBreedMeanParams(m);
  PrepareComposition(m);
  m.DietCount = 3;
  for (int p = 1; p <= 3; ++p) {
    m.DietNutrients[p] = kTestDiets[p - 1];
    m.DietNutrients[p][0] = kTestFeed[p - 1];
    m.FeedAllotment[p] = kTestFeed[p - 1];
    for (int s = 0; s < kSexRows; ++s) m.RefEnergy[s][p] = kTestDiets[p - 1][1];
  }
  m.ModelSex = sex;
  return m;
}

}  // namespace plumetra::calibration_test

#pragma once
// A growth model ready to run for the lower-cost and revaluation tests: breed 12 of the
// built-in breed table for both sexes, mixed sexes, and three broiler diets (starter,
// grower, finisher: energy kcal/kg, protein %, the twelve amino acids).

#include <array>

#include "model/breed_data.h"
#include "model/composition.h"
#include "model/model_state.h"

namespace plumetra::feed_search_test {

inline constexpr std::array<NutrientVector, 3> kDiets{{
    {0.5, 3000, 22.5, 1.45, 0.55, 1.32, 0.24, 1.65, 0.95, 0.98, 0.62, 0.88, 1.65, 0.90, 1.02},
    {1.5, 3100, 20.5, 1.30, 0.50, 1.18, 0.21, 1.50, 0.86, 0.90, 0.56, 0.80, 1.50, 0.82, 0.92},
    {2.5, 3200, 18.5, 1.18, 0.45, 1.05, 0.19, 1.35, 0.78, 0.82, 0.50, 0.72, 1.36, 0.74, 0.84},
}};

inline ModelState runnableModel() {
  ModelState m;
  LoadBuiltInBreedTable(m);
  m.MaleBreed = 12;
  m.FemaleBreed = 12;
  SetBreedMeanParams(m);
  PrepareComposition(m);
  m.DietCount = 3;
  for (int p = 1; p <= 3; ++p) {
    m.DietNutrients[p] = kDiets[p - 1];
    m.FeedAllotment[p] = kDiets[p - 1][0];
    for (int s = 0; s < kSexRows; ++s) m.RefEnergy[s][p] = kDiets[p - 1][1];
  }
  return m;
}

// Three group calibrations that differ in hatch weight (40, 44, 48 g), rate and F E
// correction, so a run on the wrong group's calibration shows.
inline CalibrationRecord groupCalibrations(const ModelState& m) {
  CalibrationRecord c;
  const std::array<double, 4> hatch{0, 40, 44, 48}, rate{0, 1.04, 1.0, 0.96};
  for (int g = 1; g <= 3; ++g)
    for (int s = 1; s <= 2; ++s) {
      for (int r = 0; r < 4; ++r) c(g, s, r) = m.GrowthParams[s][r];
      c(g, s, kItemHatchWeight) = hatch[g];
      c(g, s, kItemRate) *= rate[g];
      c(g, s, kItemFeCorrection) = 0.02 * g;
    }
  return c;
}

}  // namespace plumetra::feed_search_test

#pragma once
// Shared set-up for the calibration tests: a runnable model, analysed flocks, group
// calibrations and a temporary folder.

#include "model/breed_data.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "model/model_state.h"
#include "calibration/revaluation_file.h"
#include "calibration/split_calibration.h"
#include "controls/number_format.h"
#include "workspace/workspace_state.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plumetra::calibration_test {

struct TempFolder : testing::TestTempFolder {
  explicit TempFolder(const std::string& name = "cal") : TestTempFolder("plumetra_" + name) {}
};

// Expected texts of grid cells: {row, col, text}.
struct Cell {
  int row, col;
  std::string text;
};
inline void expectCells(const Grid& grid, const std::vector<Cell>& cells) {
  for (const Cell& c : cells) EXPECT_EQ(grid.text(c.row, c.col), c.text) << "cell " << c.row << ", " << c.col;
}

// A revaluation file's group `name` with its header on `headerRow` and flocks of (weight g,
// age, feed conversion) numbered from 1.
inline RevaluedGroup revaluedGroup(const std::string& name, int headerRow,
                                   const std::vector<std::array<double, 3>>& flocks) {
  RevaluedGroup g;
  g.name = name;
  g.header = name + "      " + std::to_string(flocks.size()) + "     " + std::to_string(headerRow);
  g.size = static_cast<int>(flocks.size());
  g.headerRow = headerRow;
  int row = 0;
  for (const auto& f : flocks) g.flocks.push_back({++row, f[0], f[1], f[2], 0, 0});
  return g;
}

// Starter, grower, finisher: energy kcal/kg, protein %, then the twelve amino acids in
// nutrient-vector order (typical broiler diet values).
inline constexpr std::array<std::array<double, Nutrients>, 3> TestDiets{{
    {0, 3000, 22.5, 1.45, 0.55, 1.32, 0.24, 1.65, 0.95, 0.98, 0.62, 0.88, 1.65, 0.90, 1.02},
    {0, 3100, 20.5, 1.30, 0.50, 1.18, 0.21, 1.50, 0.86, 0.90, 0.56, 0.80, 1.50, 0.82, 0.92},
    {0, 3200, 18.5, 1.18, 0.45, 1.05, 0.19, 1.35, 0.78, 0.82, 0.50, 0.72, 1.36, 0.74, 0.84},
}};
inline constexpr std::array<double, 3> TestFeed{0.5, 1.5, 2.5};  // kg per bird

inline ModelState runnableModel(int sex = 0) {
  ModelState m;
  loadBuiltInBreedTable(m);
  m.settings.maleBreed = 12;
  m.settings.femaleBreed = 12;
  setBreedMeanParams(m);
  prepareComposition(m);
  m.inputs.dietCount = 3;
  for (int p = 1; p <= 3; ++p) {
    m.inputs.dietNutrients[p] = TestDiets[p - 1];
    m.inputs.dietNutrients[p][0] = TestFeed[p - 1];
    m.inputs.feedAllotment[p] = TestFeed[p - 1];
    for (int s = 0; s < SexRows; ++s) m.inputs.refEnergy[s][p] = TestDiets[p - 1][1];
  }
  m.inputs.modelSex = sex;
  return m;
}

// Three group calibrations that differ in hatch weight (40, 44, 48 g), rate and F E
// correction, so a run on the wrong group's calibration shows.
inline CalibrationRecord groupCalibrations(const ModelState& m) {
  CalibrationRecord c;
  const std::array<double, 4> hatch{0, 40, 44, 48}, rate{0, 1.04, 1.0, 0.96};
  for (int g = 1; g <= 3; ++g)
    for (int s = 1; s <= 2; ++s) {
      for (int r = 0; r < 4; ++r) c(g, s, r) = m.inputs.growthParams[s][r];
      c(g, s, ItemHatchWeight) = hatch[g];
      c(g, s, ItemRate) *= rate[g];
      c(g, s, ItemFeCorrection) = 0.02 * g;
    }
  return c;
}

// A workspace and the split an analysis run leaves: one flock per group, made by the model:
// a male flock with growing F E corrections, grown to 40, 41 and 42 days on three diets.
struct AnalysedFlocks {
  Workspace ws;
  ModelState model;
  SplitFlocks split;
};

inline AnalysedFlocks analysedFlocks(const std::filesystem::path& folder) {
  AnalysedFlocks a;
  a.model = runnableModel(1);
  Workspace& ws = a.ws;
  ws.lastDir = folder;
  ws.chosenSex = 1;
  for (int p = 1; p <= 3; ++p) {
    ws.diets.enteredDiets[p] = TestDiets[p - 1];
    ws.diets.dietData[NutEnergy][p] = TestDiets[p - 1][1];
    ws.diets.dietText[p] = {"", "Diet " + std::to_string(p), ""};
  }
  for (int g = 1; g <= 3; ++g) {
    ModelState truth = runnableModel(1);
    truth.inputs.feCorrection = {0, 0.09 + 0.02 * g, 0.13};
    truth.inputs.stop = RunStop::atAge(39 + g);
    growFlock(truth);
    SplitFlock f;
    f.flock = g;
    f.group = g;
    f.key = {"Farm", std::to_string(g), g};
    f.liveWeight = truth.results.weightAtEnd[1] / 1000;
    f.age = truth.results.finalAge;
    f.feedConversion = truth.results.finalFeedConversion;
    for (int p = 1; p <= 3; ++p) f.intake[static_cast<std::size_t>(p)] = truth.results.feedByDiet[p];
    a.split.flocks.push_back(f);
    a.split.sizes[static_cast<std::size_t>(g)] = 1;
  }
  return a;
}

}  // namespace plumetra::calibration_test

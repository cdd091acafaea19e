#include "workspace/diet_grid.h"

#include "controls/colour.h"
#include "controls/number_format.h"
#include "workspace/diet_file.h"

#include <algorithm>
#include <array>
#include <string>

namespace plumetra {

namespace {

constexpr int FirstValueCol = 3;  // column of dietTable value 0 ("Feed Cost")
constexpr int FirstNamedCol = 5;  // first column headed by a label read from the file

// Headings painted as matched once a diet file is entered: the columns of the eight
// carried nutrients and of the feed cost.
constexpr std::array<int, 9> EnteredCols = {5, 6, 14, 13, 9, 10, 7, 15, 3};

int fileDietCount(const DietTables& diets) { return std::clamp(diets.dietCount, 0, MaxFileDiets); }

}  // namespace

void showDiets(const DietTables& diets, Grid& dietGrid) {
  dietGrid.resize(DietGridRows, DietGridCols);
  dietGrid.setText(0, 0, "Diet Name");
  for (int col = 1; col < FirstNamedCol; ++col) {
    dietGrid.setText(0, col, std::string(DietTables::DietLabels[col]));
  }
  for (int col = FirstNamedCol; col < DietGridCols; ++col) {
    const int value = col - FirstValueCol;
    dietGrid.setText(0, col, value < DietValueCount ? diets.dietFieldNames[value] : std::string());
  }
  for (int d = 1; d <= fileDietCount(diets); ++d) {
    dietGrid.setText(d, 1, diets.dietText[d][1]);
    dietGrid.setText(d, 2, diets.dietText[d][2]);
    for (int value = 0; value < DietValueCount; ++value) {
      dietGrid.setText(d, FirstValueCol + value, formatDiet(diets.dietTable[d][value]));
    }
  }
}

void enterDietValues(DietTables& diets, Grid& dietGrid, std::array<bool, 4>& nutrientIdSet) {
  for (int d = 1; d <= fileDietCount(diets); ++d) {
    for (int k = 0; k < NutrientVectorSize; ++k) {
      diets.enteredDiets[d][k] = diets.dietTable[d][k + 1];
    }
    // The feed cost too, so that dietData holds the diets' cost whichever way they came in.
    for (int n = 0; n < DietNutrientCount; ++n)
      diets.dietData[static_cast<std::size_t>(n)][static_cast<std::size_t>(d)] =
          diets.dietTable[static_cast<std::size_t>(d)][static_cast<std::size_t>(DietValueOfNutrient[n])];
  }
  nutrientIdSet[1] = nutrientIdSet[2] = nutrientIdSet[3] = true;
  for (const int col : EnteredCols) dietGrid.setBackground(0, col, colours::Matched);
}

bool loadDietFile(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs) {
  if (readDietFile(ws.diets, file, dialogs) != DietReadStatus::Read) return false;
  showDiets(ws.diets, ws.dietGrid);
  enterDietValues(ws.diets, ws.dietGrid, ws.nutrientIdSet);
  return true;
}

bool openDietFile(Workspace& ws, Dialogs& dialogs) {
  const auto chosen = dialogs.openFile({.title = "Open a Diet File",
                                        .filter = "*.dts|*.dts",
                                        .fileName = "*.dts",
                                        .initialFolder = ws.lastDir});
  if (!chosen) return false;
  ws.lastDir = chosen->parent_path();
  return loadDietFile(ws, *chosen, dialogs);
}

bool offerLocationDiets(Workspace& ws, const std::filesystem::path& storedFiles, Dialogs& dialogs) {
  std::filesystem::path file = storedFiles;
  file += ".dts";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  if (!dialogs.yesNo("A Diet File Exists, Do you want to use those diets?")) return false;
  // The location's folder is where the location dialog left the current folder.
  if (ws.locationFile.has_parent_path()) ws.lastDir = ws.locationFile.parent_path();
  if (!loadDietFile(ws, file, dialogs)) return false;
  ws.diets.dietsFromFile = true;
  return true;
}

}  // namespace plumetra

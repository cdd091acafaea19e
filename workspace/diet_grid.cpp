#include "workspace/diet_grid.h"

#include "controls/colour.h"
#include "controls/number_format.h"
#include "workspace/diet_file.h"

#include <algorithm>
#include <array>
#include <string>

namespace plumetra {

namespace {

constexpr int FirstValueCol = 3;  // column of DietTable value 0 ("Feed Cost")
constexpr int FirstNamedCol = 5;  // first column headed by a label read from the file

// Headings painted as matched once a diet file is entered: the columns of the eight
// carried nutrients and of the feed cost.
constexpr std::array<int, 9> EnteredCols = {5, 6, 14, 13, 9, 10, 7, 15, 3};

int fileDietCount(const DietTables& diets) { return std::clamp(diets.DietCount, 0, MaxFileDiets); }

}  // namespace

void ShowDiets(const DietTables& diets, Grid& dietGrid) {
  dietGrid.resize(DietGridRows, DietGridCols);
  dietGrid.setText(0, 0, "Diet Name");
  for (int col = 1; col < FirstNamedCol; ++col) {
    dietGrid.setText(0, col, std::string(DietTables::DietLabels[col]));
  }
  for (int col = FirstNamedCol; col < DietGridCols; ++col) {
    const int value = col - FirstValueCol;
    dietGrid.setText(0, col, value < DietValueCount ? diets.DietFieldNames[value] : std::string());
  }
  for (int d = 1; d <= fileDietCount(diets); ++d) {
    dietGrid.setText(d, 1, diets.DietText[d][1]);
    dietGrid.setText(d, 2, diets.DietText[d][2]);
    for (int value = 0; value < DietValueCount; ++value) {
      dietGrid.setText(d, FirstValueCol + value, FormatDiet(diets.DietTable[d][value]));
    }
  }
}

void enterDietValues(DietTables& diets, Grid& dietGrid, std::array<bool, 4>& NutrientIdSet) {
  for (int d = 1; d <= fileDietCount(diets); ++d) {
    for (int k = 0; k < NutrientVectorSize; ++k) {
      diets.EnteredDiets[d][k] = diets.DietTable[d][k + 1];
    }
    // The feed cost too, so that DietData holds the diets' cost whichever way they came in.
    for (int n = 0; n < DietNutrientCount; ++n)
      diets.DietData[static_cast<std::size_t>(n)][static_cast<std::size_t>(d)] =
          diets.DietTable[static_cast<std::size_t>(d)][static_cast<std::size_t>(DietValueOfNutrient[n])];
  }
  NutrientIdSet[1] = NutrientIdSet[2] = NutrientIdSet[3] = true;
  for (const int col : EnteredCols) dietGrid.setBackground(0, col, colours::Matched);
}

bool LoadDietFile(Workspace& ws, const std::filesystem::path& file, Dialogs& dialogs) {
  if (ReadDietFile(ws.diets, file, dialogs) != DietReadStatus::Read) return false;
  ShowDiets(ws.diets, ws.dietGrid);
  enterDietValues(ws.diets, ws.dietGrid, ws.NutrientIdSet);
  return true;
}

bool openDietFile(Workspace& ws, Dialogs& dialogs) {
  const auto chosen = dialogs.openFile({.title = "Open a Diet File",
                                        .filter = "*.dts|*.dts",
                                        .fileName = "*.dts",
                                        .initialFolder = ws.LastDir});
  if (!chosen) return false;
  ws.LastDir = chosen->parent_path();
  return LoadDietFile(ws, *chosen, dialogs);
}

bool OfferLocationDiets(Workspace& ws, const std::filesystem::path& storedFiles, Dialogs& dialogs) {
  std::filesystem::path file = storedFiles;
  file += ".dts";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  if (!dialogs.yesNo("A Diet File Exists, Do you want to use those diets?")) return false;
  // The location's folder is where the location dialog left the current folder.
  if (ws.LocationFile.has_parent_path()) ws.LastDir = ws.LocationFile.parent_path();
  if (!LoadDietFile(ws, file, dialogs)) return false;
  ws.diets.DietsFromFile = true;
  return true;
}

}  // namespace plumetra

#include "calibration/group_inputs.h"

#include <algorithm>

#include "controls/number_format.h"
#include "model/diet_checks.h"
#include "model/flock_prediction.h"

namespace plumetra {

namespace {

constexpr int kAllFlocksRow = 17;
constexpr int kGridColumnField = 4;  // FarmOrder field: the grid column read from
constexpr int kFirstIntakeItem = 5;  // phase p is item p + 4

int densityColumn(const Workspace& ws) {
  const int column = ws.FarmOrder[ItemDensity][kGridColumnField];
  return column > 0 && column < ws.analysisGrid.cols() ? column : 0;
}

double densityAt(const Workspace& ws, int row) {
  const int column = densityColumn(ws);
  if (column == 0 || row < 0 || row >= ws.analysisGrid.rows()) return 0;
  const double value = ws.analysisGrid.value(row, column);
  return value > 0 ? value : 0;
}

}  // namespace

int GroupMeanRow(int group) { return 9 + 2 * group; }

double GroupDensity(const Workspace& ws, int group) { return densityAt(ws, GroupMeanRow(group)); }

double FlockDensity(const Workspace& ws, int row) { return densityAt(ws, row); }

void SetDensity(ModelState& model, double birdsPerM2) { model.DensityInput = {birdsPerM2, kReferenceDensity}; }

std::string DensityText(double birdsPerM2) {
  return birdsPerM2 > 0 ? "mean density " + FormatNum(birdsPerM2) + " birds/m2" : std::string("no density effect");
}

std::string DietsProblem(const Workspace& ws, const ModelState& model) {
  const Grid& grid = ws.analysisGrid;
  const int phases = std::clamp(model.DietCount, 0, kMaxDietPhases);
  const int entered = std::clamp(std::max(phases, ws.diets.DietCount), 0, EnteredDietCount - 1);
  for (int d = 1; d <= entered; ++d) {
    const int column = ws.FarmOrder[d + kFirstIntakeItem - 1][kGridColumnField];
    const bool fed = d <= phases && column > 0 && column < grid.cols() && grid.value(kAllFlocksRow, column) > 0;
    const double energy = d <= phases ? ws.diets.EnteredDiets[d][1] : ws.diets.DietData[NutEnergy][d];
    if (std::string problem = DietEnergyProblem(d, energy, fed); !problem.empty()) return problem;
  }
  return {};
}

}  // namespace plumetra

#include "calibration/group_inputs.h"

#include <algorithm>

#include "controls/number_format.h"
#include "model/diet_checks.h"
#include "model/flock_prediction.h"

namespace plumetra {

double groupDensity(const SplitFlocks& split, int group) {
  const auto stats = groupStatistics(split, group, [](const SplitFlock& f) {
    return f.density > 0 ? std::optional(f.density) : std::nullopt;
  });
  return stats ? asShown(stats->mean) : 0.0;
}

double asShown(double value) { return readNumber(formatNum(value)); }

void setDensity(ModelState& model, double birdsPerM2) { model.inputs.densityInput = {birdsPerM2, ReferenceDensity}; }

std::string densityText(double birdsPerM2) {
  return birdsPerM2 > 0 ? "mean density " + formatNum(birdsPerM2) + " birds/m2" : std::string("no density effect");
}

std::string dietsProblem(const Workspace& ws, const ModelState& model, const SplitFlocks& split) {
  const int phases = std::clamp(model.inputs.dietCount, 0, MaxDietPhases);
  const int entered = std::clamp(std::max(phases, ws.diets.dietCount), 0, EnteredDietCount - 1);
  for (int d = 1; d <= entered; ++d) {
    const bool fed = d <= phases && d <= FeedPhases && groupMeanIntake(split, AllGroups, d) > 0;
    const double energy = d <= phases ? ws.diets.enteredDiets[d][1] : ws.diets.dietData[NutEnergy][d];
    if (std::string problem = dietEnergyProblem(d, energy, fed); !problem.empty()) return problem;
  }
  return {};
}

}  // namespace plumetra

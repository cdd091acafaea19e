#pragma once
// What the calibration, the lower-cost search and the revaluation take from the analysis
// grid besides the feed amounts: the stocking density a group or a flock is grown at, and a
// check that the diets are usable before any run.

#include <string>

#include "model/model_state.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// Rows of the group means in the analysis grid: 11 Top, 13 Middle, 15 Bottom, 17 all flocks.
int GroupMeanRow(int group);

// The group's mean stocking density (birds/m2), or 0 (no density effect) when no density
// column is matched.
double GroupDensity(const Workspace& ws, int group);
// The density of the flock in analysis-grid row `row`, or 0 without a density column.
double FlockDensity(const Workspace& ws, int row);
// Puts a density into the model with the reference density beside it.
void SetDensity(ModelState& model, double birdsPerM2);
// "no density effect" or "mean density 18.6 birds/m2", for summaries.
std::string DensityText(double birdsPerM2);

// The first diet of phases 1..dietCount (and the further entered diets) the growth model
// cannot use, as a message; empty when all can be used. A phase counts as fed when the
// flocks' mean intake of it is above 0.
std::string DietsProblem(const Workspace& ws, const ModelState& model);

}  // namespace plumetra

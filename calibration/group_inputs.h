#pragma once
// What the calibration, the lower-cost search and the revaluation take from the split besides
// the feed amounts: the stocking density a group is grown at, and a check that the diets are
// usable before any run.

#include <string>

#include "model/model_state.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// A group figure to the precision the split table shows it (three decimals below 10, two
// below 100): the stored calibration sets, which the feed program reads, and the searches that
// start from them keep that precision.
double asShown(double value);

// The group's mean stocking density (birds/m2) over its flocks that have one (group 1-3,
// AllGroups for every flock), or 0 (no density effect) when none has.
double groupDensity(const SplitFlocks& split, int group);
// Puts a density into the model with the reference density beside it.
void setDensity(ModelState& model, double birdsPerM2);
// "no density effect" or "mean density 18.6 birds/m2", for summaries.
std::string densityText(double birdsPerM2);

// The first diet of phases 1..dietCount (and the further entered diets) the growth model
// cannot use, as a message; empty when all can be used. A phase counts as fed when the
// split's mean intake of it is above 0.
std::string dietsProblem(const Workspace& ws, const ModelState& model, const SplitFlocks& split);

}  // namespace plumetra

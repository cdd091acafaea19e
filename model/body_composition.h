#pragma once
// The 27 body components (2..28) of each sex, advanced day by day from the reference shares.

#include "model/day_step.h"

namespace plumetra {

// Advances the component masses of `sex` (1 or 2) through `day` from that day's gain in
// BodyWeight and the reference shares. On day 1 it first sets the day-0 masses from the
// hatch weight.
void TrackComposition(GrowthRun& run, int sex, int day);

// The mixed row of a day: component masses are the means of the two sexes (none while the
// mixed body weight is 0).
void MixComposition(GrowthResults& out, int day);

// FinalComposition(k) = ComponentMass(sex, k, D), k = 2..28, with D = FinalAge rounded half
// to even (kept within the day table).
void TakeFinalComposition(GrowthResults& out, int sex);

}  // namespace plumetra

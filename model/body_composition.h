#pragma once
// The 27 body components (2..28) of each sex, advanced day by day from the reference shares.

#include "model/day_step.h"

namespace plumetra {

// Advances the component masses of `sex` (1 or 2) through `day` from that day's gain in
// bodyWeight and the reference shares. On day 1 it first sets the day-0 masses from the
// hatch weight.
void trackComposition(GrowthRun& run, int sex, int day);

// The mixed row of a day: component masses are the means of the two sexes (none while the
// mixed body weight is 0).
void mixComposition(GrowthResults& out, int day);

// finalComposition(k) = componentMass(sex, k, D), k = 2..28, with D = finalAge rounded half
// to even (kept within the day table).
void takeFinalComposition(GrowthResults& out, int sex);

}  // namespace plumetra

#pragma once
// The 27 body components (2..28) of each sex, advanced day by day from the reference shares.

#include "model/model_state.h"

namespace plumetra {

// Advances the components of `sex` (1 or 2) through `day` from that day's gain in
// BodyWeight, and writes their percent of body weight. On day 1 it first sets the day-0
// masses from the hatch weight.
void TrackComposition(ModelState& m, int sex, int day);

// The mixed row of a day: component masses are the means of the two sexes and their shares
// follow from the mixed body weight (which must already be set).
void MixComposition(ModelState& m, int day);

// FinalComposition(k) = ComponentMass(ModelSex, k, D), k = 2..28, with D = FinalAge rounded
// half to even (kept within the day table).
void TakeFinalComposition(ModelState& m);

}  // namespace plumetra

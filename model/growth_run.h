#pragma once
// The growth run: one flock from hatch to a stop target (a body weight, a cumulative feed
// per bird or an age), feeding the diet phases one after another by feed eaten.
//
// Inputs: modelSex, stop, feedAllotment[1..dietCount] (kg per bird), dietNutrients, the hatch
// weights, growth parameters and curves (GrowthInputs), the reference composition and the
// unit choices. Results (GrowthResults): finalAge, finalDay, finalWeight, finalFeedConversion,
// feedByDiet, totalFeed, totalEnergyEaten, bodyWeight/feedIntake by day, weightAtEnd and
// feedToEnd per sex, finalComposition, componentMass and the run's messages.
//
// A run writes only its results and allocates nothing, so runs on threads may share the
// inputs and each own a GrowthResults.

#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

enum class GrowthRunEnd {
  TargetReached,    // results in place
  TargetMissed,     // "WOW": no target by day 70; finalAge 71, finalWeight 0, no bookkeeping
  DietEnergyFault,  // "Check energy value of diet #": a phase's energy below 1; no results
};

GrowthRunEnd growFlock(const GrowthInputs& in, const ReferenceComposition& composition, const UnitSettings& units,
                       GrowthResults& out);
GrowthRunEnd growFlock(ModelState& m);
// The same run, then its messages shown through `dialogs`.
GrowthRunEnd growFlock(ModelState& m, Dialogs& dialogs);

}  // namespace plumetra

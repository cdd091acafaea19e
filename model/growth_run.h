#pragma once
// The growth run: one flock from hatch to a stop target (a body weight, a cumulative feed
// per bird or an age), feeding the diet phases one after another by feed eaten.
//
// Inputs: ModelSex, stop, FeedAllotment[1..DietCount] (kg per bird), DietNutrients, the hatch
// weights, growth parameters and curves (GrowthInputs), the reference composition and the
// unit choices. Results (GrowthResults): FinalAge, FinalDay, FinalWeight, FinalFeedConversion,
// FeedByDiet, TotalFeed, TotalEnergyEaten, BodyWeight/FeedIntake by day, WeightAtEnd and
// FeedToEnd per sex, FinalComposition, ComponentMass and the run's messages.
//
// A run writes only its results and allocates nothing, so runs on threads may share the
// inputs and each own a GrowthResults.

#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

enum class GrowthRunEnd {
  TargetReached,    // results in place
  TargetMissed,     // "WOW": no target by day 70; FinalAge 71, FinalWeight 0, no bookkeeping
  DietEnergyFault,  // "Check energy value of diet #": a phase's energy below 1; no results
};

GrowthRunEnd GrowFlock(const GrowthInputs& in, const ReferenceComposition& composition, const UnitSettings& units,
                       GrowthResults& out);
GrowthRunEnd GrowFlock(ModelState& m);
// The same run, then its messages shown through `dialogs`.
GrowthRunEnd GrowFlock(ModelState& m, Dialogs& dialogs);

}  // namespace plumetra

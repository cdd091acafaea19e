#pragma once
// The growth run: one flock from hatch to a stop target (a body weight, a cumulative feed
// per bird or an age), feeding the diet phases one after another by feed eaten.
//
// Inputs (ModelState): ModelSex, RunMode.stopMode, RunTarget (g, kg per bird or days),
// FeedAllotment[1..DietCount] (kg per bird), DietNutrients, growth parameters and tables.
// Results: FinalAge, FinalDay, FinalWeight (mode 2), FinalFeedConversion, FeedByDiet,
// FeedByDietResult, TotalFeed, TotalEnergyEaten, BodyWeight/FeedIntake by day and their
// day-99 totals, FinalComposition, and the run's messages in Messages.
//
// A run touches only the ModelState it is given and allocates nothing.

#include "model/model_state.h"
#include "controls/dialogs.h"

namespace plumetra {

enum class GrowthRunEnd {
  TargetReached,    // results in place
  TargetMissed,     // "WOW": no target by day 70; FinalAge 71, FinalWeight 0, no bookkeeping
  DietEnergyFault,  // "Check energy value of diet #": a phase's energy below 1; no results
};

GrowthRunEnd GrowFlock(ModelState& m);
// The same run, then its messages shown through `dialogs`.
GrowthRunEnd GrowFlock(ModelState& m, Dialogs& dialogs);

// One day of the run's sexes (male unless ModelSex is 2, female unless it is 1) and, for a
// mixed run, the mixed row as their mean.
void GrowDay(ModelState& m, int day, int& phase, int& passCount);

}  // namespace plumetra

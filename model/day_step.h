#pragma once
// One simulated bird of one sex (ModelState::SimSex) advanced by one day of age.

#include "model/model_state.h"

namespace plumetra {

// Fills the body-protein line of days 0-70 for both sexes (and their mean), and the
// amino-acid coefficients unless they are already in place. Called at the start of every run.
void InitModelTables(ModelState& m);

// The protein requirement density (g protein per kcal ME) of a trial gain (g/day) for sex
// SimSex: `ratio` is the limiting amino-acid ratio to assume, `fatFactor` the excess-protein fat
// factor, `maintCoef` the day's maintenance coefficient. Sets the start weight of the day
// (StartWeight) and, while it is 0, AvailDivisor.
double DietRequirement(ModelState& m, int day, double gain, double ratio, double fatFactor,
                       int phase, double maintCoef);

// Grows sex SimSex through `day` (1-98) on DayNutrients: writes BodyWeight, FeedIntake,
// ProteinFraction and AminoRatio of the day and the body composition. `phase` is clamped to
// DietCount (written back); `passCount` is the run's balancing-pass counter (0 at the start of
// a run, shared by every day and both sexes).
void GrowSexDay(ModelState& m, int day, int& phase, int& passCount);

// Sets AvailDivisor and its companion from the amino-acid basis (Total 0.85 and 1.0, Avail 1.0
// and 0.85).
void SetAvailDivisor(ModelState& m);

}  // namespace plumetra

#pragma once
// Predicted live weight, age and feed conversion of every flock from the feed it ate, and the
// reference run on the diet table's own feed amounts.

#include "model/growth_run.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr double ReferenceDensity = 12.6;  // birds per m2
inline constexpr double HouseFeedThreshold = 10;  // kg: above it a feed entry is the whole house's
inline constexpr double DietEnergyInUse = 100;    // kcal/kg: a diet with more energy is a phase

// The predictions of the analysis, one row per flock 1..500: 0 feed conversion (feed per bird
// / final weight in g; 0 when there is no weight), 1 final weight (g), 2 final age (days),
// 3-8 carcass-yield estimates 1-6.
inline constexpr int PredictionTableRows = 501;
inline constexpr int PredictionItems = 9;
using FlockPredictionTable = std::array<std::array<double, PredictionItems>, PredictionTableRows>;

// A row's feed conversion as kg feed per kg gain: the run may give it per gram.
inline double predictedFeedConversion(const std::array<double, PredictionItems>& row) {
  return row[0] < 1.0 ? row[0] * 1000.0 : row[0];
}

// Brings the diets and per-bird feed amounts into the model and predicts every flock:
// feed entries above 10 become per bird (flockData columns 4-9 rewritten in place), dietCount
// is the number of dietData diets 0-5 with energy above 100, the diet table's nutrients are
// refreshed from dietData, then predictFlockTable.
void prepareFlockPrediction(Workspace& ws, ModelState& m, FlockPredictionTable& predictions, Dialogs& dialogs);

// One feed-stopped run per flock 1..flockCount on that flock's feed per phase, as the flock's own
// sex when a "Flock Sex" column is matched (a flock whose cell names no sex, told once, and every
// flock without such a column: as the sex chosen in the flock-sex list; modelSex ends as that
// one), with the flock's density when a density column is matched, into the flock's row of
// `predictions`. A flock whose run is refused (a diet without energy) gets an empty row. Model
// messages are shown once each, with the number of flocks.
void predictFlockTable(Workspace& ws, ModelState& m, FlockPredictionTable& predictions, Dialogs& dialogs);

// One feed-stopped run on the diet table's own feed weights.
GrowthRunEnd growDietTableFlock(const DietTables& diets, ModelState& m, Dialogs& dialogs);

}  // namespace plumetra

#pragma once
// The predicted and derived columns of the analysis grid: predictions of the growth model
// beside the recorded values, their differences, the performance index, energy and lysine
// intakes, and each flock's initial order.

#include "analysis/flock_order.h"
#include "model/flock_prediction.h"
#include "controls/grid.h"
#include "workspace/diet_table.h"
#include "workspace/flock_table.h"

namespace plumetra {

// Grid columns of the eleven prediction columns (as the analysis-grid build placed them).
struct PredictedColumns {
  int predWt = 0, deltaWt = 0, predConvix = 0, deltaConvix = 0, predAge = 0, deltaAge = 0;
  int fatPad = 0, carc = 0, breast = 0, legThigh = 0, performance = 0;
};

// The layout L+1 .. L+11 after the last headed flock-grid column L.
PredictedColumns predictedColumnsAfter(int lastFlockColumn);
// The columns recorded in field 4 of the item map (items 25-35).
PredictedColumns predictedColumnsOf(const FlockTable& table);

// Fills the prediction columns of flocks 1..flocks (in the rows that show them), the energy
// and lysine columns after "Pred. Leg & Thigh", and the initial order in the second-to-last
// column, keeping each number as shown in `rows`. Recorded live weight, age and feed
// conversion come from the flock table, where house totals and grams have been turned into
// kilograms per bird.
void addPredictedColumns(Grid& analysisGrid, int flockGridCols, const PredictedColumns& columns,
                   const FlockTable& table, int flocks, const DietTables& diets,
                   const FlockPredictionTable& predictions, FlockRows& rows);

}  // namespace plumetra

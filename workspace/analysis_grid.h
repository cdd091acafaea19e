#pragma once
// The analysis grid built from the flock grid: 21 statistics rows above the flocks, the
// flock columns, then eleven columns that the analysis fills with predictions.

#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int FlockHeaderRow = 21;  // flock r of the flock grid is row r + 21
inline constexpr int PredictionColumns = 11;
inline constexpr int NewGridExtraCols = 18;  // columns added for predictions and derived values
// A full run sizes the grid to the flock grid's rows and columns plus these (the flock grid
// may have gained a "Feed Cost" column since the grid was built).
inline constexpr int ExtraAnalysisRows = 30, ExtraAnalysisCols = 20;

// Analysis-grid caption of each prediction column L+1 .. L+11 (L = last headed flock column):
// the farmOrder item whose field 4 records the column, and its itemHeader entry.
struct PredictionColumn {
  int item;
  int headerEntry;
};
inline constexpr PredictionColumn PredictionLayout[PredictionColumns] = {
    {25, 25}, {26, 26}, {29, 29}, {34, 34}, {27, 27}, {28, 28},
    {33, 33}, {30, 30}, {31, 31}, {32, 32}, {35, 36}};

// Rebuilds analysisGrid from flockGrid, discarding earlier analysis results: flocks
// 1..flockCount (through analysedRows) in rows 22 on. Without the
// growth model (modelSkipped) the grid gets no prediction columns.
void buildAnalysisGrid(Workspace& ws);

}  // namespace plumetra

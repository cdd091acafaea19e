#pragma once
// The analysis run of the main window's "Plumetra" button (analyseButton): checks, the item
// selection file, the cost-per-bird column, the flock-table preparation, the growth-model
// predictions, the predicted columns, the first sort, the outlier search, the split
// statistics and the correlations.

#include "analysis/analysis_result.h"
#include "analysis/analysis_state.h"
#include "analysis/analysis_view.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/workspace_state.h"

namespace plumetra {

// The analysis tab over the workspace's grids, sort lists and matched columns.
AnalysisView analysisViewOf(Workspace& ws, AnalysisState& st);

// Per-bird live weights (house totals and grams converted), the flock count of the split
// (at most flockCount, ending at the first live weight of 0), their average live weight and
// feed conversion (averageLiveWeightKg, averageConversion), and each flock's
// weighting value in flockData column 20. Returns the number of flocks.
int prepareFlockTable(Workspace& ws, AnalysisState& st);

// The "Feed Cost" column: feed cost per bird from each flock's intakes and the diet prices,
// written into the flock grid and into the rows of the analysis grid that show the flocks.
void costCalcOK(Workspace& ws, FlockRows& rows);

// The click handler of analyseButton. While the first sort is done, a click only re-sorts and
// rebuilds the statistics. Returns what the run found; none when a check stopped it (its
// message was shown).
std::optional<AnalysisResult> runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                                          Dialogs& dialogs);

}  // namespace plumetra

#include "analysis/analysis_run.h"

#include "analysis/analysis_colours.h"
#include "analysis/categories.h"
#include "analysis/correlations.h"
#include "analysis/flock_metrics.h"
#include "analysis/outliers.h"
#include "analysis/predicted_columns.h"
#include "analysis/sorting.h"
#include "analysis/split_checks.h"
#include "analysis/split_statistics.h"
#include "model/composition.h"
#include "model/flock_prediction.h"
#include "model/growth_run.h"
#include "controls/number_format.h"
#include "workspace/list_file.h"
#include "workspace/matching.h"
#include "workspace/analysis_grid.h"
#include "workspace/column_numbers.h"
#include "workspace/flock_selection.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace plumetra {

namespace {

namespace ac = analysis_colours;

constexpr int WeightingColumn = 20;    // flockData column of the weighting values
constexpr double HouseTotalAbove = 10;  // a first live weight above this is a total or grams
constexpr double GramsAbove = 1000;
constexpr double PoundsPerKg = 2.205;
constexpr double ConversionPerPound = 6;  // feed conversion falls 1/6 per pound of extra weight
constexpr int CostColumnsScanned = 6;

constexpr char CostHeading[] = "Feed Cost";

bool holdsEarlierRun(const Grid& anal) {
  for (int c = 0; c < anal.cols(); ++c)
    if (anal.text(0, c) == InitOrderHeading) return true;
  return false;
}

double& F(Workspace& ws, int col, int row) {
  return ws.flockData[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

bool checksPass(const Workspace& ws, Dialogs& dialogs) {
  if (ws.chosenSex < 0) {
    dialogs.message("Set the FLock Sex");
    return false;
  }
  for (int i = 1; i <= 3; ++i) {
    if (!ws.nutrientIdSet[static_cast<std::size_t>(i)]) {
      dialogs.message("An essential Nutrient has not been Identified");
      return false;
    }
  }
  for (int i = 1; i <= 6; ++i) {
    if (!ws.flockIdSet[static_cast<std::size_t>(i)]) {
      dialogs.message("An essential Flock Data has not been Identified  " + numberText(i));
      return false;
    }
  }
  return true;
}

// The split as typed into splitPercent; false (after the message) when it cannot split.
bool takeSplitPercent(const Workspace& ws, AnalysisState& st, Dialogs& dialogs) {
  std::array<double, 4> percent{};
  for (std::size_t group = 1; group <= 3; ++group) percent[group] = ws.splitPercent[group - 1];
  percent[0] = percent[1] + percent[2] + percent[3];
  if (auto problem = splitPercentProblem(percent)) {
    dialogs.message(*problem);
    return false;
  }
  st.splitPercent = percent;
  return true;
}

void askForCostColumn(Workspace& ws, AnalysisState& st, Dialogs& dialogs) {
  if (ws.diets.dietTable[1][ValFeedCost] > 0 && !st.costQuestionAsked) {
    if (dialogs.yesNo("Do you want a column of Cost per bird based on your feed costs and individual "
                      "feed intakes?"))
      costCalcOK(ws, st.flockRows);
    st.costQuestionAsked = true;
  } else {
    st.costQuestionAsked = false;
  }
}

// The run on the diets as entered to the flocks' average live weight. The diet phases'
// nutrients are already in the model: the prediction set-up refreshed them from dietData and
// copied them over.
void growOnEnteredDiets(ModelState& model, double averageWeightKg, Dialogs& dialogs) {
  model.inputs.stop = RunStop::atWeight(averageWeightKg * 1000);
  growFlock(model, dialogs);
}

// Steps of a full run (not a re-sort): predictions and the predicted columns.
void predictFlocks(Workspace& ws, ModelState& model, AnalysisState& st, Dialogs& dialogs) {
  dialogs.busy(true);
  dialogs.progress("Predicting every flock", 0.2);
  prepareFlockPrediction(ws, model, st.flockPrediction, dialogs);
  growDietTableFlock(ws.diets, model, dialogs);
  dialogs.progress("Growing the diets as entered", 0.7);
  growOnEnteredDiets(model, st.averageLiveWeightKg, dialogs);
  addPredictedColumns(ws.analysisGrid, ws.flockGrid.cols(), predictedColumnsOf(ws), ws, st.splitFlockCount, ws.diets,
                st.flockPrediction, st.flockRows);
  ws.analysisGrid.setText(0, ws.analysisGrid.cols() - 2, InitOrderHeading);
  dialogs.busy(false);
}

// Both sort lists hold the analysis grid's headings up to "Init. Order", so that a list
// index is always the grid column, also past the energy and lysine columns.
void listGridHeadings(Workspace& ws) {
  const Grid& grid = ws.analysisGrid;
  // Without the model the grid keeps only the flock grid's columns.
  const int last = ws.modelSkipped ? std::min(grid.cols(), ws.flockGrid.cols()) - 1 : grid.cols() - 2;
  for (Combo* combo : {&ws.firstSortChoice, &ws.secondSortChoice}) {
    combo->items.clear();
    for (int c = 0; c <= last; ++c) combo->add(grid.text(0, c));
    combo->index = -1;
  }
}

void colourHeadings(Workspace& ws, AnalysisView& tab) {
  Grid& grid = ws.analysisGrid;
  for (int c = 1; c <= std::min(grid.cols() - 2, MaxStatColumn); ++c) {
    if (tab.isText(c)) grid.setBackground(0, c, ac::TextHeading);
  }
  grid.setBackground(2, 1, ac::TextHeading);
  grid.setBackground(10, 1, ac::SortCaption);
}

}  // namespace

AnalysisView analysisViewOf(Workspace& ws, AnalysisState& st) {
  return AnalysisView{ws.analysisGrid,
                      ws.flockGrid,
                      ws.firstSortChoice,
                      ws.secondSortChoice,
                      ws.nonNumeric,
                      {ws.flockCol[1], ws.flockCol[3], ws.flockCol[4]},
                      st,
                      ws.analysedRows};
}

int prepareFlockTable(Workspace& ws, AnalysisState& st) {
  st.splitFlockCount = 0;
  st.splitCounted = true;
  // Rows beyond the flocks of this data set (left by a longer earlier file) are never read.
  const int limit = std::clamp(ws.flockCount, 0, MaxFlocks);
  if (limit >= 1 && F(ws, 0, 1) > HouseTotalAbove) {
    for (int r = 1; r <= limit && F(ws, 0, r) > 0; ++r) {
      if (F(ws, 0, r) <= HouseTotalAbove) continue;  // already kilograms per bird
      if (F(ws, 1, r) > 0) F(ws, 0, r) /= F(ws, 1, r);
      if (F(ws, 0, r) > GramsAbove) F(ws, 0, r) /= GramsAbove;
    }
  }
  double weightSum = 0.0, conversionSum = 0.0;
  int n = 0;
  while (n < limit && F(ws, 0, n + 1) != 0.0) {
    ++n;
    weightSum += F(ws, 0, n);
    conversionSum += F(ws, 3, n);
  }
  st.splitFlockCount = n;
  st.liveWeightKg.assign(ws.flockData[0].begin() + 1, ws.flockData[0].begin() + 1 + n);
  if (n == 0) return 0;

  const double averageWeight = weightSum / n, averageConversion = conversionSum / n;
  st.averageLiveWeightKg = averageWeight;
  st.averageConversion = averageConversion;
  for (int r = 1; r <= n; ++r) {
    const double expected = averageConversion + (averageWeight - F(ws, 0, r)) * PoundsPerKg / ConversionPerPound;
    const double d = F(ws, 3, r) - expected;
    double weighting = 0.0;  // a flock right on its expected conversion has no finite weight
    if (d != 0.0) {
      weighting = F(ws, 1, r) > 0 ? roundHalfEven(std::sqrt(F(ws, 1, r) / (d * d)) * 10.0) / 10.0
                                  : std::fabs(1.0 / d);
    }
    F(ws, WeightingColumn, r) = weighting;
  }
  return n;
}

void costCalcOK(Workspace& ws, FlockRows& rows) {
  Grid& flock = ws.flockGrid;
  int column = std::max(flock.cols() - CostColumnsScanned, 0);
  for (int c = flock.cols() - 1; c >= flock.cols() - CostColumnsScanned && c >= 0; --c) {
    if (!flock.text(0, c).empty()) {
      column = c + 1;
      break;
    }
  }
  flock.setCols(flock.cols() + 1);
  flock.setText(0, column, CostHeading);
  Grid& anal = ws.analysisGrid;
  const int analysisColumn = column + 11;  // after the eleven prediction columns
  // After a run the column may hold another result: that one is kept.
  const std::string& taken = anal.text(0, analysisColumn);
  const bool toAnalysisGrid = taken.empty() || taken == CostHeading;
  if (toAnalysisGrid) {
    anal.setText(0, analysisColumn, CostHeading);
    anal.setBackground(0, analysisColumn, ac::CostHeading);
  }
  const int flocks = std::clamp(ws.flockCount, 0, MaxFlocks);
  for (int r = 1; r <= flocks; ++r) {
    // The table holds phase d's intake as imported (kg per bird, whatever unit the file
    // gave); it is priced as the metrics price it.
    std::array<double, FeedPhases + 1> intake{};
    for (int d = 1; d <= FeedPhases; ++d) intake[static_cast<std::size_t>(d)] = F(ws, intakeColumn(d), r);
    const double cost = std::max(feedCostOfIntakes(ws.diets, intake), 0.0);
    flock.setText(flockGridRow(ws, r), column, formatNum(cost));
    if (toAnalysisGrid) rows.write(anal, analysisColumn, r, cost, formatNum(cost));
  }
}

std::optional<AnalysisResult> runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                                          Dialogs& dialogs) {
  if (st.dataSetNumber != ws.dataSetNumber) {
    // A new flock data set: nothing of the earlier one's analysis (sort, split counts,
    // statistics, categories) carries over.
    st = AnalysisState{};
    st.dataSetNumber = ws.dataSetNumber;
  }
  if (!checksPass(ws, dialogs)) return std::nullopt;
  if (!st.firstSortDone) {
    // The default growth parameters are in place before the growth rate is tested, so a
    // model that only lacked them (flagged when the location box lost the focus) runs.
    prepareComposition(model);
    const bool noGrowthRate = model.inputs.growthParams[1][ParamK] == 0;
    // A full run after an earlier one (a location opened since) starts from the flock order,
    // since the predictions are written by flock row; a grid built while the model was
    // flagged gets its prediction columns.
    if (holdsEarlierRun(ws.analysisGrid) || (ws.modelSkipped && !noGrowthRate)) ws.modelSkipped = noGrowthRate;
    ws.modelSkipped = ws.modelSkipped || noGrowthRate;
    // The complete flocks, taken from the flock grid afresh, make the analysis grid and table.
    takeCompleteFlocks(ws, model.settings.units, dialogs);
    st.flockRows = FlockRows(flockGridNumbers(ws));
  }
  writeListFile(ws, dialogs);
  askForCostColumn(ws, st, dialogs);

  const int conversionColumn = ws.flockCol[ItemFeedConversion];
  st.firstSortColumn = ws.firstSortChoice.index;
  const bool fullRun = !st.firstSortDone;
  if (fullRun) {
    st.secondSortReady = true;
    ws.analysisGrid.resize(ws.flockGrid.rows() + ExtraAnalysisRows, ws.flockGrid.cols() + ExtraAnalysisCols);
  }
  // The percentages are taken on every run, so those typed after a first run take effect.
  if (!takeSplitPercent(ws, st, dialogs)) return std::nullopt;
  if (fullRun) {
    // The flocks are taken afresh: outliers an earlier run found are searched for again.
    st.outlierCount = 0;
    st.outliersOffered = false;
    st.outlierFlocks.clear();
    fillFarmOrder(ws);
    findNumeric(ws);
    fillCombos(ws);
    prepareFlockTable(ws, st);
  }
  if (auto problem = splitProblem(st.splitFlockCount, st.splitPercent)) {
    dialogs.message(*problem);
    return std::nullopt;
  }
  if (fullRun) {
    if (!ws.modelSkipped) predictFlocks(ws, model, st, dialogs);
    listGridHeadings(ws);
  }

  AnalysisView tab = analysisViewOf(ws, st);
  if (ws.analysisGrid.cols() > MaxStatColumn + 1)
    dialogs.message("Columns after column 100 are left out of the statistics and correlations");
  const int firstRow = firstDataRow(ws.analysisGrid);
  ws.firstSortChoice.choose(conversionColumn);
  bubbleSort(tab, dialogs);
  findOutliers(tab, dialogs);
  if (tab.isText(st.firstSortColumn)) {
    loadCategoryWindow(tab, dialogs, st.categoryWindow);
  } else {
    splitStatistics(tab);
    writeSortCaption(ws.analysisGrid, ws.firstSortChoice.text);
  }

  Grid& grid = ws.analysisGrid;
  grid.select(CellRange{firstRow, st.firstSortColumn, grid.rows() - 1, st.firstSortColumn});
  if (ws.modelSkipped) grid.setCols(ws.flockGrid.cols());
  // A spare row below the flocks is added and, when left empty, taken away again; a flock
  // row is never removed.
  const bool spareRow = !grid.text(grid.rows() - 1, 1).empty();
  if (spareRow) grid.setRows(grid.rows() + 1);
  colourHeadings(ws, tab);
  loadCorrelations(tab, st.splitFlockCount, dialogs);
  if (spareRow && grid.text(grid.rows() - 1, 0).empty()) grid.setRows(grid.rows() - 1);
  ws.shownTab = AnalysisTab;
  return analysisResultOf(ws, st);
}

}  // namespace plumetra

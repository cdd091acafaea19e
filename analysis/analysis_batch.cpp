#include "analysis/analysis_batch.h"

#include "analysis/categories.h"
#include "analysis/outliers.h"
#include "analysis/sorting.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

std::string splitText(double value) { return generalNumber(value); }

int columnHeaded(const Grid& grid, const std::string& heading) {
  for (int c = 0; c < grid.cols(); ++c)
    if (grid.text(0, c) == heading) return c;
  return -1;
}

// t values between the categories for the feed conversion (or the first averaged column).
void buildTValues(Workspace& ws, AnalysisState& st, Dialogs& dialogs) {
  loadTValueWindow(st.categoryWindow, static_cast<int>(st.Categories.size()), st.tValueWindow);
  Combo& variables = st.tValueWindow.variable;
  if (variables.items.empty()) return;
  const std::string& conversion = ws.analysisGrid.text(0, ws.FlockCol[ItemFeedConversion]);
  int choice = 0;
  for (std::size_t i = 0; i < variables.items.size(); ++i)
    if (variables.items[i] == conversion) choice = static_cast<int>(i);
  variables.choose(choice);
  calculateTValues(st.tValueWindow, st.categoryWindow, st.Categories, dialogs);
}

bool applySorts(Workspace& ws, AnalysisState& st, const AnalysisSettings& settings, Dialogs& dialogs,
                AnalysisOutcome& outcome) {
  AnalysisView view = analysisViewOf(ws, st);
  if (!settings.sortHeading.empty()) {
    const int col = columnHeaded(ws.analysisGrid, settings.sortHeading);
    if (col < 0) {
      outcome.problem = "No column of the analysis grid is headed \"" + settings.sortHeading + "\"";
      return false;
    }
    ws.analysisGrid.setCurrent(ws.analysisGrid.row(), col);
    sortByAnalysisColumn(view, col, dialogs, st.categoryWindow);
  }
  outcome.summary.textFirstSort = view.isText(st.FirstSortColumn) && !st.Categories.empty();
  if (!settings.secondSortHeading.empty()) {
    const int col = columnHeaded(ws.analysisGrid, settings.secondSortHeading);
    if (col < 0) {
      outcome.problem = "No column of the analysis grid is headed \"" + settings.secondSortHeading + "\"";
      return false;
    }
    ws.secondSortChoice.choose(col);
    secondSortEdited(view, dialogs);
    secondSortChosen(view, dialogs);
    if (!view.isText(col) || !st.SecondSortPending) {
      outcome.problem = "The second sort needs text columns for both sorts";
      return false;
    }
    startSecondSort(view, dialogs, st.categoryWindow);
  }
  if (outcome.summary.textFirstSort) buildTValues(ws, st, dialogs);
  return true;
}

}  // namespace

AnalysisOutcome runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                            const AnalysisSettings& settings, Dialogs& dialogs) {
  AnalysisOutcome outcome;
  if (settings.sex) ws.flockSexChoice.choose(*settings.sex);
  ws.highSplitBox.text = splitText(settings.split[0]);
  ws.middleSplitBox.text = splitText(settings.split[1]);
  ws.lowSplitBox.text = splitText(settings.split[2]);
  outcome.end = runAnalysis(ws, model, st, dialogs);
  if (outcome.end != AnalysisRunEnd::Completed) return outcome;
  outcome.summary.outliersFound = ws.outlierButton.visible ? st.OutlierCount : 0;

  if (settings.removeOutliers && *settings.removeOutliers > 0 && outcome.summary.outliersFound > 0) {
    AnalysisView view = analysisViewOf(ws, st);
    RemoveOutliers(view, *settings.removeOutliers, dialogs);
    outcome.summary.outliersRemoved = st.OutlierCount;
  }
  if (!applySorts(ws, st, settings, dialogs, outcome)) outcome.end = AnalysisRunEnd::Stopped;
  // The summary block as the grid shows it (a text sort leaves the last numeric split).
  const Grid& grid = ws.analysisGrid;
  for (std::size_t g = 0; g < 3; ++g)
    for (std::size_t k = 0; k < 3; ++k)
      outcome.summary.groupMeans[g][k] = grid.text(static_cast<int>(1 + 3 * g + k), 5);
  outcome.summary.groupCount = st.GroupCount;
  return outcome;
}

}  // namespace plumetra

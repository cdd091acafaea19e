#include "analysis/analysis_batch.h"

#include "analysis/categories.h"
#include "analysis/analysis_summary.h"
#include "analysis/outliers.h"
#include "analysis/split_checks.h"
#include "analysis/sorting.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

int columnHeaded(const Grid& grid, const std::string& heading) {
  for (int c = 0; c < grid.cols(); ++c)
    if (grid.text(0, c) == heading) return c;
  return -1;
}

// t values between the categories for the feed conversion (or the first averaged column).
void buildTValues(Workspace& ws, AnalysisState& st, Dialogs& dialogs) {
  loadTValueWindow(st.categoryWindow, static_cast<int>(st.categories.size()), st.tValueWindow);
  Combo& variables = st.tValueWindow.variable;
  if (variables.items.empty()) return;
  const std::string& conversion = ws.analysisGrid.text(0, ws.flockCol[ItemFeedConversion]);
  int choice = 0;
  for (std::size_t i = 0; i < variables.items.size(); ++i)
    if (variables.items[i] == conversion) choice = static_cast<int>(i);
  variables.choose(choice);
  calculateTValues(st.tValueWindow, st.categoryWindow, st.categories, dialogs);
}

bool applySorts(Workspace& ws, AnalysisState& st, const AnalysisSettings& settings,
                Dialogs& dialogs,
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
  outcome.summary.textFirstSort = view.isText(st.firstSortColumn) && !st.categories.empty();
  if (!settings.secondSortHeading.empty()) {
    const int col = columnHeaded(ws.analysisGrid, settings.secondSortHeading);
    if (col < 0) {
      outcome.problem = "No column of the analysis grid is headed \"" + settings.secondSortHeading + "\"";
      return false;
    }
    ws.secondSortChoice.choose(col);
    secondSortEdited(view, dialogs);
    secondSortChosen(view, dialogs);
    if (!view.isText(col) || !st.secondSortPending) {
      outcome.problem = "The second sort needs text columns for both sorts";
      return false;
    }
    startSecondSort(view, dialogs, st.categoryWindow);
  }
  if (outcome.summary.textFirstSort) {
    buildTValues(ws, st, dialogs);
    const Combo& variable = st.tValueWindow.variable;
    if (variable.index >= 0) outcome.summary.tValueVariable = variable.items[static_cast<std::size_t>(variable.index)];
  }
  return true;
}

}  // namespace

AnalysisOutcome runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                            const AnalysisSettings& settings, Dialogs& dialogs) {
  AnalysisOutcome outcome;
  if (settings.sex) ws.chosenSex = *settings.sex;
  ws.splitPercent = settings.split;
  outcome.result = runAnalysis(ws, model, st, dialogs);
  if (!outcome.result) return outcome;
  AnalysisSummary& summary = outcome.summary;
  summary.outliersFound = st.outliersOffered ? st.outlierCount : 0;
  if (summary.outliersFound > 0) summary.outliers = outlierNotes(ws, *outcome.result);
  summary.leftOut = leftOutFlocks(ws);

  if (settings.removeOutliers && *settings.removeOutliers > 0) {
    const int n = *settings.removeOutliers;
    if (auto problem = outlierRemovalProblem(n, summary.outliersFound, st.splitFlockCount, st.splitPercent)) {
      dialogs.message(*problem);
      outcome.result.reset();
      return outcome;
    }
    AnalysisView view = analysisViewOf(ws, st);
    removeOutliers(view, n, dialogs);
    summary.outliersRemoved = n;
    outcome.result = analysisResultOf(ws, st);  // the split without the removed flocks
  }
  const bool sorted = applySorts(ws, st, settings, dialogs, outcome);
  summariseGroups(ws, st, *outcome.result, summary);
  if (!sorted) outcome.result.reset();
  return outcome;
}

}  // namespace plumetra

#include "analysis/analysis_batch.h"

#include "analysis/categories.h"
#include "analysis/outliers.h"
#include "analysis/sorting.h"
#include "views/number_format.h"

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
  loadTValueWindow(st.frmSort, static_cast<int>(st.Categories.size()), st.frmTval);
  Combo& variables = st.frmTval.Combo2;
  if (variables.items.empty()) return;
  const std::string& conversion = ws.Gridanal.text(0, ws.FlockCol[ItemFeedConversion]);
  int choice = 0;
  for (std::size_t i = 0; i < variables.items.size(); ++i)
    if (variables.items[i] == conversion) choice = static_cast<int>(i);
  variables.choose(choice);
  calculateTValues(st.frmTval, st.frmSort, st.Categories, dialogs);
}

bool applySorts(Workspace& ws, AnalysisState& st, const AnalysisSettings& settings, Dialogs& dialogs,
                AnalysisOutcome& outcome) {
  AnalysisView view = analysisViewOf(ws, st);
  if (!settings.sortHeading.empty()) {
    const int col = columnHeaded(ws.Gridanal, settings.sortHeading);
    if (col < 0) {
      outcome.problem = "No column of the analysis grid is headed \"" + settings.sortHeading + "\"";
      return false;
    }
    ws.Gridanal.setCurrent(ws.Gridanal.row(), col);
    GridanalClick(view, col, dialogs, st.frmSort);
  }
  outcome.summary.textFirstSort = view.isText(st.FirstSortColumn) && !st.Categories.empty();
  if (!settings.secondSortHeading.empty()) {
    const int col = columnHeaded(ws.Gridanal, settings.secondSortHeading);
    if (col < 0) {
      outcome.problem = "No column of the analysis grid is headed \"" + settings.secondSortHeading + "\"";
      return false;
    }
    ws.Combo3.choose(col);
    Combo3Change(view, dialogs);
    Combo3Click(view, dialogs);
    if (!view.isText(col) || !st.SecondSortPending) {
      outcome.problem = "The second sort needs text columns for both sorts";
      return false;
    }
    CmdSortClick(view, dialogs, st.frmSort);
  }
  if (outcome.summary.textFirstSort) buildTValues(ws, st, dialogs);
  return true;
}

}  // namespace

AnalysisOutcome runAnalysis(Workspace& ws, ModelState& model, AnalysisState& st,
                            const AnalysisSettings& settings, Dialogs& dialogs) {
  AnalysisOutcome outcome;
  if (settings.sex) ws.ComboFlockSex.choose(*settings.sex);
  ws.TextHigh.text = splitText(settings.split[0]);
  ws.TextMed.text = splitText(settings.split[1]);
  ws.TextLow.text = splitText(settings.split[2]);
  outcome.end = Command13_Click(ws, model, st, dialogs);
  if (outcome.end != AnalysisRunEnd::Completed) return outcome;
  outcome.summary.outliersFound = ws.Command6.visible ? st.OutlierCount : 0;

  if (settings.removeOutliers && *settings.removeOutliers > 0 && outcome.summary.outliersFound > 0) {
    AnalysisView view = analysisViewOf(ws, st);
    RemoveOutliers(view, *settings.removeOutliers, dialogs);
    outcome.summary.outliersRemoved = st.OutlierCount;
  }
  if (!applySorts(ws, st, settings, dialogs, outcome)) outcome.end = AnalysisRunEnd::Stopped;
  // The summary block as the grid shows it (a text sort leaves the last numeric split).
  const Grid& grid = ws.Gridanal;
  for (std::size_t g = 0; g < 3; ++g)
    for (std::size_t k = 0; k < 3; ++k)
      outcome.summary.groupMeans[g][k] = grid.text(static_cast<int>(1 + 3 * g + k), 5);
  outcome.summary.groupCount = st.GroupCount;
  return outcome;
}

}  // namespace plumetra

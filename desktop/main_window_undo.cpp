// The steps of the main window that can be undone: matching, clearing and recording Data IDs,
// pastes and typed cells, clearing or cutting grid cells and taking outliers out of the split.
// Each step keeps the state before and after it.

#include "analysis/analysis_run.h"
#include "analysis/outliers.h"
#include "desktop/control_binding.h"
#include "desktop/grid_model.h"
#include "desktop/main_window.h"
#include "workspace/matching.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace plumetra::qt {

namespace {

void restoreGrid(Grid& grid, const Grid& snapshot) {
  grid = snapshot;
  grid.select(snapshot.selection());
}

// One step between two snapshots; `apply` puts a snapshot in force and shows it. The first
// redo is the step just done, so it does nothing.
template <typename Snapshot>
class SnapshotCommand final : public QUndoCommand {
 public:
  SnapshotCommand(const QString& text, Snapshot before, Snapshot after, std::function<void(const Snapshot&)> apply)
      : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)) {}
  void undo() override { apply_(before_); }
  void redo() override {
    if (std::exchange(done_, true)) apply_(after_);
  }

 private:
  Snapshot before_, after_;
  std::function<void(const Snapshot&)> apply_;
  bool done_ = false;
};

// What an outlier removal changes: the analysis tab's grids and sort lists and the analysis state.
struct AnalysisSnapshot {
  Grid analysisGrid, flockGrid;
  Combo firstSortChoice, secondSortChoice;
  AnalysisState analysis;
  std::optional<AnalysisResult> result;
};

AnalysisSnapshot takeSnapshot(const AppState& state) {
  const Workspace& ws = state.workspace;
  return {ws.analysisGrid,
          ws.flockGrid,
          ws.firstSortChoice,
          ws.secondSortChoice,
          state.analysis,
          state.analysisResult};
}

// What a data step (a match, a paste, a typed cell) may change: the whole workspace and the
// analysis state.
struct DataSnapshot {
  Workspace workspace;
  AnalysisState analysis;
  std::optional<AnalysisResult> result;
};

// Puts a data snapshot in force, but keeps what the user set since that no data step
// changes: the folders, the location, the flock sex, the split and the tab shown.
void restoreData(AppState& state, const DataSnapshot& snapshot) {
  Workspace& now = state.workspace;
  Workspace restored = snapshot.workspace;
  restored.lastDir = now.lastDir;
  restored.locationFile = now.locationFile;
  restored.chosenSex = now.chosenSex;
  restored.splitPercent = now.splitPercent;
  restored.shownTab = now.shownTab;
  now = std::move(restored);
  state.analysis = snapshot.analysis;
  state.analysisResult = snapshot.result;
}

bool gridsChanged(const Workspace& before, const Workspace& after) {
  for (GridId id : {GridId::Flock, GridId::Diet, GridId::Analysis})
    if (gridOf(before, id).revision() != gridOf(after, id).revision()) return true;
  return before.flockDataIds.items != after.flockDataIds.items || before.dietDataIds.items != after.dietDataIds.items;
}

}  // namespace

void MainWindow::afterUndoStep() {
  // A grid put back may carry a revision its view has already shown.
  for (GridView* view : views_) view->reload();
  refresh();
}

void MainWindow::undoableGridChange(Grid& grid, const QString& text, const std::function<void()>& change) {
  Grid before = grid;
  change();
  undo_->push(new SnapshotCommand<Grid>(text, std::move(before), grid, [this, &grid](const Grid& snapshot) {
    restoreGrid(grid, snapshot);
    afterUndoStep();
  }));
  refresh();
}

bool MainWindow::undoableDataStep(const QString& text, const std::function<void()>& step) {
  DataSnapshot before{state_.workspace, state_.analysis, state_.analysisResult};
  step();
  const Workspace& ws = state_.workspace;
  if (!gridsChanged(before.workspace, ws)) {
    refresh();
    return false;
  }
  const std::string flocks = matchChanges(MatchSide::Flock, before.workspace.flockDataIds, ws.flockDataIds);
  const std::string diets = matchChanges(MatchSide::Diet, before.workspace.dietDataIds, ws.dietDataIds);
  const std::string matched = flocks + (flocks.empty() || diets.empty() ? "" : "; ") + diets;
  if (!matched.empty()) report(text + ": " + q(matched));
  undo_->push(new SnapshotCommand<DataSnapshot>(text, std::move(before), DataSnapshot{ws, state_.analysis, state_.analysisResult},
                                                [this](const DataSnapshot& s) {
                                                  restoreData(state_, s);
                                                  afterUndoStep();
                                                }));
  refresh();
  return true;
}

void MainWindow::editCell(GridId id, int row, int col, const std::string& before) {
  Workspace& ws = state_.workspace;
  Grid& grid = gridOf(ws, id);
  const std::string after = grid.text(row, col);
  // The edit is already in the grid: the step starts from the text as it was.
  grid.setText(row, col, before);
  undoableDataStep(QStringLiteral("Typing in a cell"), [&] {
    grid.setText(row, col, after);
    if (id == GridId::Flock) copyMatchedColumns(ws, state_.model.settings.units);
  });
  report(QStringLiteral("Typed \"%1\" in row %2 under \"%3\" (was \"%4\")")
             .arg(q(after))
             .arg(row)
             .arg(q(grid.text(0, col)))
             .arg(q(before)));
}

void MainWindow::removeOutliersUndoably() {
  Workspace& ws = state_.workspace;
  AnalysisSnapshot before = takeSnapshot(state_);
  AnalysisView tab = analysisViewOf(ws, state_.analysis);
  findOutliers(tab, dialogs());
  // A search that finds nothing leaves the grid as it was and is no step.
  if (ws.analysisGrid.revision() != before.analysisGrid.revision()) {
    // The outliers found, and any taken out of the split, change the result.
    if (currentAnalysis(state_)) state_.analysisResult = analysisResultOf(ws, state_.analysis);
    report(QStringLiteral("Outlier Ident.: %1 flocks taken out of the split (Edit > Undo puts them back)")
               .arg(before.analysis.splitFlockCount - state_.analysis.splitFlockCount));
    undo_->push(new SnapshotCommand<AnalysisSnapshot>(
        QStringLiteral("Outlier Removal"), std::move(before), takeSnapshot(state_),
        [this](const AnalysisSnapshot& s) {
          Workspace& w = state_.workspace;
          restoreGrid(w.analysisGrid, s.analysisGrid);
          restoreGrid(w.flockGrid, s.flockGrid);
          w.firstSortChoice = s.firstSortChoice;
          w.secondSortChoice = s.secondSortChoice;
          state_.analysis = s.analysis;
          state_.analysisResult = s.result;
          afterUndoStep();
        }));
  } else {
    report(QStringLiteral("Outlier Ident.: no flock was taken out"));
  }
  refresh();
}

}  // namespace plumetra::qt

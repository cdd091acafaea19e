// The steps of the main window that can be undone: clearing or cutting grid cells and taking
// outliers out of the split. Each step keeps the state before and after it.

#include "analysis/analysis_run.h"
#include "analysis/outliers.h"
#include "desktop/main_window.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace plumetra::qt {

namespace {

// A grid put back as a snapshot shows as changed: the view compares revisions.
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

// What an outlier removal changes: the analysis tab's grids and controls and the analysis state.
struct AnalysisSnapshot {
  Grid analysisGrid, flockGrid;
  Combo firstSortChoice, secondSortChoice;
  Button startSecondSortButton, outlierButton;
  AnalysisState analysis;
  std::optional<AnalysisResult> result;
};

AnalysisSnapshot takeSnapshot(const AppState& state) {
  const Workspace& ws = state.workspace;
  return {ws.analysisGrid,          ws.flockGrid,      ws.firstSortChoice, ws.secondSortChoice,
          ws.startSecondSortButton, ws.outlierButton, state.analysis,     state.analysisResult};
}

}  // namespace

void MainWindow::undoableGridChange(Grid& grid, const QString& text, const std::function<void()>& change) {
  Grid before = grid;
  change();
  undo_->push(new SnapshotCommand<Grid>(text, std::move(before), grid, [this, &grid](const Grid& snapshot) {
    restoreGrid(grid, snapshot);
    refresh();
  }));
  refresh();
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
    undo_->push(new SnapshotCommand<AnalysisSnapshot>(
        QStringLiteral("Outlier Removal"), std::move(before), takeSnapshot(state_),
        [this](const AnalysisSnapshot& s) {
          Workspace& w = state_.workspace;
          restoreGrid(w.analysisGrid, s.analysisGrid);
          restoreGrid(w.flockGrid, s.flockGrid);
          w.firstSortChoice = s.firstSortChoice;
          w.secondSortChoice = s.secondSortChoice;
          w.startSecondSortButton = s.startSecondSortButton;
          w.outlierButton = s.outlierButton;
          state_.analysis = s.analysis;
          state_.analysisResult = s.result;
          refresh();
        }));
  }
  refresh();
}

}  // namespace plumetra::qt

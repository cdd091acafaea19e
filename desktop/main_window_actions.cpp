// The main window's slots: each calls the core with the AppState and the dialogs, then
// shows the new state.

#include "analysis/analysis_run.h"
#include "analysis/outliers.h"
#include "analysis/sorting.h"
#include "calibration/location.h"
#include "calibration/lower_cost_command.h"
#include "calibration/revaluation.h"
#include "calibration/split_calibration.h"
#include "presenters/window_copy.h"
#include "desktop/calibration_results_window.h"
#include "desktop/category_window.h"
#include "desktop/chart_window.h"
#include "desktop/correlation_window.h"
#include "desktop/grid_model.h"
#include "desktop/gui_thread_dialogs.h"
#include "workspace/window_help.h"
#include "desktop/main_window.h"
#include "desktop/revaluation_window.h"
#include "desktop/save_dialog.h"
#include "desktop/settings_window.h"
#include "files/folder_lock.h"
#include "files/save_grids.h"
#include "workspace/auto_match.h"
#include "workspace/flock_import.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <chrono>
#include <exception>
#include <thread>

namespace plumetra::qt {

namespace {

// How long a calibration waits for another run writing into its folder to finish.
constexpr std::chrono::seconds SaveFolderPatience{30};

}  // namespace

Dialogs& MainWindow::dialogs() { return *dialogs_; }
Clipboard& MainWindow::clipboard() { return *clipboard_; }

void MainWindow::act(const std::function<void()>& action) {
  action();
  refresh();
}

void MainWindow::setCommandsEnabled(bool on) {
  centralWidget()->setEnabled(on);
  menuBar()->setEnabled(on);
  setAcceptDrops(on);
  for (QDialog* window : findChildren<QDialog*>()) window->setEnabled(on);
  for (GridView* view : findChildren<GridView*>()) {
    if (on)
      view->gridModel()->thaw();
    else
      view->gridModel()->freeze();
  }
}

void MainWindow::actLong(const std::function<void(Dialogs&)>& command) {
  commandRunning_ = true;
  setCommandsEnabled(false);
  dialogs().busy(true);
  GuiThreadDialogs forwarded(dialogs(), this);
  QEventLoop loop;
  std::string failure;
  std::thread worker([&] {
    try {
      command(forwarded);
    } catch (const std::exception& error) {
      failure = error.what();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  dialogs().busy(false);
  commandRunning_ = false;
  setCommandsEnabled(true);
  if (!failure.empty()) dialogs().message("The command could not finish: " + failure);
  refresh();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The running command works on this window's state: the window waits for it.
  if (commandRunning_ || !mayDiscardResults()) {
    event->ignore();
    return;
  }
  storeSettings();
  QMainWindow::closeEvent(event);
}

bool MainWindow::mayDiscardResults() {
  const Grid& results = state_.workspace.analysisGrid;
  if (results.revision() == savedResults_ || !state_.analysis.FirstSortDone) return true;
  return dialogs().yesNo("The analysis results have not been saved. Close Plumetra and lose them?",
                         "Unsaved Analysis Results");
}

void MainWindow::messageAfterClick(const std::function<void()>& show) {
  if (QApplication::mouseButtons() == Qt::NoButton) {
    show();
    return;
  }
  // The focus moved with a mouse press: the message waits for the release, and the release
  // then reaches the control that was pressed, so a pressed button still runs its command.
  auto* waiter = new MouseReleaseWaiter(show, this);
  qApp->installEventFilter(waiter);
}

MouseReleaseWaiter::MouseReleaseWaiter(std::function<void()> then, QObject* parent)
    : QObject(parent), then_(std::move(then)) {}

bool MouseReleaseWaiter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && !done_) {
    done_ = true;
    qApp->removeEventFilter(this);
    deleteLater();
    // Shown before the release is handed on, so the message comes first and the click after it.
    then_();
  }
  return QObject::eventFilter(watched, event);
}

namespace {
// Focus lost to another control of the window, not to a popup, a dialog or another program.
bool leftForAnotherControl(const QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}
bool leftClickReleased(const QEvent* event) {
  return event->type() == QEvent::MouseButtonRelease &&
         static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}
}  // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Focus moves as the controls are disabled for a long command; the state is the command's.
  if (commandRunning_) return QMainWindow::eventFilter(watched, event);
  Workspace& ws = state_.workspace;
  if (watched == locationBox_) {
    if (leftForAnotherControl(event)) {
      act([&] { leaveLocationBox(ws, state_.model); });
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      act([&] { chooseLocation(ws, state_.model, state_.analysis.FirstSortDone, dialogs()); });
      return true;
    }
  } else if (watched == dataFileBox_ && leftClickReleased(event)) {
    act([&] { ChooseWorkbook(ws, dialogs()); });
  } else if (watched == flockSexLabel_ && leftClickReleased(event)) {
    act([this] { askSexColumn(state_.workspace, dialogs()); });
  } else if (watched == performanceLabel_ && leftClickReleased(event)) {
    explainPerformanceIndex(dialogs());
  } else if (watched == flockSexChoice_ && leftForAnotherControl(event)) {
    // After the focus has moved, so the message does not take it from the new control.
    QTimer::singleShot(0, this, [this] { messageAfterClick([this] { leaveFlockSexChoice(dialogs()); }); });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::gridKey(GridId id, GridKey key) {
  Workspace& ws = state_.workspace;
  ws.ActiveGrid = id;
  Grid& grid = gridOf(ws, id);
  switch (key) {
    case GridKey::CopyAll:
      act([&] { CopyAllCells(grid, clipboard()); });
      break;
    case GridKey::CopyHighlighted:
      clipboard().setText(grid.copySelection());
      break;
    case GridKey::Paste:
      pasteFromClipboard(id);
      break;
    case GridKey::Cut:
      clipboard().setText(grid.copySelection());
      undoableGridChange(grid, QStringLiteral("Cut"), [&] { grid.clearSelection(); });
      break;
    case GridKey::Clear:
      undoableGridChange(grid, QStringLiteral("Clear"), [&] { grid.clearSelection(); });
      break;
    case GridKey::FontUp:
      viewOf(ws.TargetGrid)->setPointSize(ws.analysisGridFontSize + 1);
      break;
    case GridKey::FontDown:
      viewOf(ws.TargetGrid)->setPointSize(ws.analysisGridFontSize - 1);
      break;
  }
}

void MainWindow::showPopup(GridId id, const QPoint& globalPos) {
  popupGrid_ = id;
  popup_->popup(globalPos);
}

void MainWindow::pasteFromClipboard(GridId id) {
  state_.workspace.ActiveGrid = id;
  act([&] { Paste(state_.workspace, clipboard().text(), state_.model.settings.units, dialogs()); });
}

void MainWindow::matchColumn(GridId id, int row, int col) {
  if (id == GridId::Analysis) return;
  Workspace& ws = state_.workspace;
  ws.ActiveGrid = id;
  gridOf(ws, id).setCurrent(row, col);
  const MatchSide side = id == GridId::Flock ? MatchSide::Flock : MatchSide::Diet;
  act([&] { DoubleClickMatch(ws, side, state_.model.settings.units, dialogs()); });
}

void MainWindow::sortByHeading(int col) {
  // Sorting waits for the first analysis run: an earlier sort would count as the first one
  // and make the run skip its predictions.
  if (!state_.analysis.FirstSortDone) return;
  act([&] {
    AnalysisView tab = analysisViewOf(state_.workspace, state_.analysis);
    sortByAnalysisColumn(tab, col, dialogs(), state_.analysis.categoryWindow);
  });
}

void MainWindow::firstSortChosen() {
  AnalysisView tab = analysisViewOf(state_.workspace, state_.analysis);
  plumetra::firstSortChosen(tab, dialogs(), state_.analysis.categoryWindow);
}

void MainWindow::secondSortChosen() {
  AnalysisView tab = analysisViewOf(state_.workspace, state_.analysis);
  plumetra::secondSortChosen(tab, dialogs());
}

void MainWindow::startSecondSort() {
  AnalysisView tab = analysisViewOf(state_.workspace, state_.analysis);
  plumetra::startSecondSort(tab, dialogs(), state_.analysis.categoryWindow);
}

void MainWindow::clearSecondSort() {
  AnalysisView tab = analysisViewOf(state_.workspace, state_.analysis);
  plumetra::clearSecondSort(tab);
}

void MainWindow::runAnalysis() {
  actLong([this](Dialogs& d) {
    state_.analysisResult = plumetra::runAnalysis(state_.workspace, state_.model, state_.analysis, d);
  });
}

void MainWindow::calibrateSplits() {
  actLong([this](Dialogs& d) {
    // The stored set is written into the data folder: one writer there at a time, so a
    // command-line run into the same folder never mixes its files with these.
    std::string error;
    const auto lock = FolderLock::take(state_.workspace.LastDir, SaveFolderPatience, &error);
    if (!lock) {
      d.message("Nothing was calibrated or stored: " + error + ".");
      return;
    }
    calibrateGroups(state_.workspace, state_.model, state_.calibration, analysedFlocks(state_).split, d);
  });
}

void MainWindow::lookForLowerCost() {
  actLong([this](Dialogs& d) {
    const AnalysisResult analysed = analysedFlocks(state_);
    LowerCostContext context{state_.workspace, state_.model,      state_.calibration,
                             analysed.split,   analysed.splitPercent, state_.workspace.LastDir};
    if (!searchRan(searchLowerCost(context, state_.analysis.CostQuestionAsked, d, lowerCost_))) return;
    fillLowerCostWindow(lowerCostState_, lowerCost_, analysed.splitPercent);
    state_.workspace.lowerCostButton.background = kGroupColour[kGroupBottom];  // results to see
  });
}

void MainWindow::revaluePredictions() {
  actLong([this](Dialogs& d) {
    const AnalysisResult analysed = analysedFlocks(state_);
    RevaluationContext context{state_.workspace, state_.model, state_.calibration, analysed.split, state_.workspace.LastDir,
                               TodayText()};
    if (revalueFlocks(context, d) == RevalEnd::Done)
      openRevaluationFile(revaluationState_, context.written, analysed.split, d);
  });
}

void MainWindow::identifyOutliers() { removeOutliersUndoably(); }

void MainWindow::matchByHeadings() {
  act([this] {
    const AutoMatchReport report = autoMatch(state_.workspace, state_.model.settings.units, dialogs());
    dialogs().message(autoMatchSummary(report), "Match by Headings");
  });
}

void MainWindow::showCorrelations() {
  if (correlationWindow_) correlationWindow_->close();
  correlationWindow_ = new CorrelationWindow(state_, dialogs(), clipboard(), this);
  correlationWindow_->show();
}

void MainWindow::plotSortedData() {
  auto* chart = new ChartWindow(state_.workspace, dialogs(), clipboard(), this);
  chart->show();
}

void MainWindow::openSettings() {
  auto* settings = new SettingsWindowView(state_, dialogs(), this);
  connect(settings, &QDialog::finished, this, [this] { refresh(); });
  settings->show();
}

void MainWindow::saveData() {
  SaveDialogView dialog(state_.workspace, dialogs(), this);
  if (dialog.exec() == QDialog::Accepted) savedResults_ = state_.workspace.analysisGrid.revision();
}

void MainWindow::saveToExcel() {
  Workspace& ws = state_.workspace;
  SaveToExcel(gridOf(ws, ws.TargetGrid), ws.LastDir, dialogs());
}

void MainWindow::showOpenWindows() {
  CategoryWindow& categoryWindow = state_.analysis.categoryWindow;
  if (categoryWindow.visible) {
    if (!categoryWindow_) {
      categoryWindow_ = new CategoryWindowView(state_, dialogs(), clipboard(), this);
      connect(categoryWindow_, &QDialog::finished, this, [this] {
        if (!commandRunning_) state_.analysis.categoryWindow.visible = false;
      });
      categoryWindow_->show();
    }
    categoryWindow_->refresh();
  }
  if (lowerCostState_.visible) {
    if (!calibrationWindow_) {
      calibrationWindow_ = new CalibrationResultsWindow(lowerCostState_, clipboard(), this);
      connect(calibrationWindow_, &QDialog::finished, this, [this] {
        if (!commandRunning_) lowerCostState_.visible = false;
      });
      calibrationWindow_->show();
    }
    calibrationWindow_->refresh();
  }
  if (revaluationState_.visible) {
    if (!revaluationWindow_) {
      revaluationWindow_ = new RevaluationWindow(revaluationState_, dialogs(), clipboard(), this);
      connect(revaluationWindow_, &QDialog::finished, this, [this] {
        if (!commandRunning_) revaluationState_.visible = false;
      });
      revaluationWindow_->show();
    }
    revaluationWindow_->refresh();
  }
}

}  // namespace plumetra::qt

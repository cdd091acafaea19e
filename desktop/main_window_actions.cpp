// The main window's slots: each calls the core with the AppState and the dialogs, then
// shows the new state.

#include "analysis/analysis_run.h"
#include "analysis/outliers.h"
#include "analysis/sorting.h"
#include "calibration/location.h"
#include "calibration/lower_cost_command.h"
#include "calibration/revaluation.h"
#include "calibration/split_calibration.h"
#include "presenters/group_captions.h"
#include "presenters/window_copy.h"
#include "desktop/calibration_results_window.h"
#include "desktop/control_binding.h"
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
#include "workspace/feed_pricing.h"
#include "workspace/flock_import.h"
#include "workspace/flock_sheet.h"
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
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

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

FolderSnapshot MainWindow::actLong(const std::function<void(Dialogs&)>& command) {
  FolderSnapshot dataFolder(state_.workspace.lastDir);
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
  reportSaves();
  refresh();
  return dataFolder;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The running command works on this window's state: the window waits for it.
  if (commandRunning_ || !mayDiscardResults("Close Plumetra and lose them?")) {
    event->ignore();
    return;
  }
  storeSettings();
  QMainWindow::closeEvent(event);
}

bool MainWindow::mayDiscardResults(const std::string& question) {
  const Grid& results = state_.workspace.analysisGrid;
  if (results.revision() == savedResults_ || !state_.analysis.firstSortDone) return true;
  return dialogs().yesNo("The analysis results have not been saved. " + question, "Unsaved Analysis Results");
}

bool MainWindow::newDataStep(const std::string& question, const std::function<void()>& command) {
  if (!mayDiscardResults(question)) {
    report(QStringLiteral("Nothing was changed: the analysis results are kept"));
    return false;
  }
  const Workspace& ws = state_.workspace;
  const int dataSet = ws.dataSetNumber;
  const unsigned long analysed = ws.analysisGrid.revision();
  command();
  if (ws.dataSetNumber != dataSet || ws.analysisGrid.revision() != analysed) forgetResults();
  refresh();
  return true;
}

void MainWindow::forgetResults() {
  state_.analysis = AnalysisState{};
  state_.analysis.dataSetNumber = state_.workspace.dataSetNumber;
  lowerCostState_.visible = false;
  revaluationState_.visible = false;
  // The windows over the results close with them; the settings stay open.
  for (QDialog* window : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
    if (!qobject_cast<SettingsWindowView*>(window) && !qobject_cast<SaveDialogView*>(window)) window->close();
  savedResults_ = state_.workspace.analysisGrid.revision();
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

void MainWindow::leaveLocation() {
  const std::filesystem::path before = state_.workspace.locationFile;
  LocationOpened opened;
  act([&] {
    opened = leaveLocationBox(state_.workspace, state_.window.locationBox.text, state_.model,
                              state_.analysis.firstSortDone, dialogs());
    state_.window.locationBox.text = state_.workspace.locationFile.string();
  });
  reportLocation(opened, before);
}

void MainWindow::chooseLocationFile() {
  const std::filesystem::path before = state_.workspace.locationFile;
  LocationOpened opened;
  act([&] {
    state_.window.locationBox.text.clear();
    opened = chooseLocation(state_.workspace, state_.model, state_.analysis.firstSortDone, dialogs());
    state_.window.locationBox.text = state_.workspace.locationFile.string();
  });
  reportLocation(opened, before);
}

void MainWindow::takeSettingsPricing() {
  state_.workspace.diets.pricing = pricingOfSettings(state_.model.settings.units, "the settings");
}

void MainWindow::reportLocation(const LocationOpened& opened, const std::filesystem::path& before) {
  takeSettingsPricing();
  const std::filesystem::path& location = state_.workspace.locationFile;
  if (location == before && !opened.calibrationRead) return;
  const QString folder = q(location.parent_path().string());
  if (location.empty() || location == "*") {
    report(QStringLiteral("Location: none is named"));
    return;
  }
  const QString name = QStringLiteral("Location ") + q(location.filename().string()) + QStringLiteral(": ");
  if (!opened.calibrationRead) {
    std::error_code ec;
    const bool stored = std::filesystem::exists(opened.storedFiles.string() + ".clb", ec);
    report(name + (stored ? QStringLiteral("its calibration was not read (the message said why)")
                          : QStringLiteral("new, nothing read (\"Calibrate and Store the Flock Splits\" stores its files)")),
           folder);
    return;
  }
  const QString stored = q(opened.storedFiles.filename().string());
  QString text = name + QStringLiteral("calibration and breeds read from ") + stored + QStringLiteral(".clb");
  if (opened.settingsRead) text += QStringLiteral(", settings from ") + stored + QStringLiteral(".stg");
  if (opened.dietsEntered) text += QStringLiteral(", diets from ") + stored + QStringLiteral(".dts");
  report(text, folder);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Focus moves as the controls are disabled for a long command; the state is the command's.
  if (commandRunning_) return QMainWindow::eventFilter(watched, event);
  Workspace& ws = state_.workspace;
  if (watched == locationBox_) {
    if (leftForAnotherControl(event)) {
      leaveLocation();
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      chooseLocationFile();
      return true;
    }
  } else if (watched == dataFileBox_ && leftClickReleased(event)) {
    openThenRemember([&] { chooseWorkbook(ws, dialogs()); });
  } else if (watched == flockSexLabel_ && leftClickReleased(event)) {
    act([this] { askSexColumn(state_.workspace, dialogs()); });
  } else if (watched == performanceLabel_ && leftClickReleased(event)) {
    explainPerformanceIndex(dialogs());
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::gridKey(GridId id, GridKey key) {
  Workspace& ws = state_.workspace;
  ws.activeGrid = id;
  Grid& grid = gridOf(ws, id);
  switch (key) {
    case GridKey::CopyAll:
      act([&] { copyAllCells(grid, clipboard()); });
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
      viewOf(ws.targetGrid)->setPointSize(state_.window.analysisGridFontSize + 1);
      break;
    case GridKey::FontDown:
      viewOf(ws.targetGrid)->setPointSize(state_.window.analysisGridFontSize - 1);
      break;
  }
}

void MainWindow::showPopup(GridId id, const QPoint& globalPos) {
  popupGrid_ = id;
  popup_->popup(globalPos);
}

void MainWindow::pasteFromClipboard(GridId id) {
  Workspace& ws = state_.workspace;
  ws.activeGrid = id;
  // A block that starts with its headings is a flock table wherever it was pasted: its
  // headings become the heading row.
  const std::string text = clipboard().text();
  if (id == GridId::Flock && startsWithHeadings(text)) ws.flockGrid.setCurrent(0, 0);
  const auto paste = [&] {
    const bool pasted = undoableDataStep(QStringLiteral("Paste"), [&] {
      pasteClipboard(ws, text, state_.model.settings.units, dialogs());
    });
    if (!pasted)
      report(QStringLiteral("Paste: nothing was changed"));
    else if (id == GridId::Flock)
      report(QStringLiteral("Paste: %1 flocks in the flock grid (Edit > Undo takes it back)")
                 .arg(state_.workspace.flockCount));
    else
      report(QStringLiteral("Paste: cells changed (Edit > Undo takes them back)"));
  };
  // A paste on the flock grid builds the analysis grid afresh.
  if (id == GridId::Flock)
    newDataStep("Paste over the flock data and lose them?", paste);
  else
    paste();
}

void MainWindow::matchColumn(GridId id, int row, int col) {
  if (id == GridId::Analysis) return;
  Workspace& ws = state_.workspace;
  ws.activeGrid = id;
  gridOf(ws, id).setCurrent(row, col);
  const MatchSide side = id == GridId::Flock ? MatchSide::Flock : MatchSide::Diet;
  undoableDataStep(QStringLiteral("Match"),
                   [&] { doubleClickMatch(ws, side, state_.model.settings.units, dialogs()); });
}

void MainWindow::recordSelected() {
  Workspace& ws = state_.workspace;
  // The column of the cell selected on the tab showing, never the one double-clicked last.
  if (ws.shownTab == FlockTab || ws.shownTab == DietTab)
    ws.selectedCol = gridOf(ws, ws.shownTab == FlockTab ? GridId::Flock : GridId::Diet).col();
  undoableDataStep(QStringLiteral("Record Selected"), [this] { recordMatches(state_.workspace, state_.model.settings.units); });
}

void MainWindow::clearItem(GridId id) {
  undoableDataStep(QStringLiteral("Clear an Item"), [this, id] {
    if (id == GridId::Flock)
      clearFlockItem(state_.workspace);
    else
      clearDietItem(state_.workspace);
  });
}

void MainWindow::chooseFlockSheet() {
  Combo& sheets = state_.workspace.flockSheetChoice;
  const bool loaded = newDataStep("Load another sheet and lose them?", [this] {
    undoableDataStep(QStringLiteral("Load Sheet"), [this] {
      if (loadFlockSheet(state_.workspace, state_.model.settings.units, dialogs()))
        loadedFlockSheet_ = state_.workspace.flockSheetChoice.index;
    });
  });
  // Kept results keep their sheet: the list names the sheet the grid shows.
  if (!loaded) {
    sheets.choose(loadedFlockSheet_);
    refresh();
  }
}

void MainWindow::sortByHeading(int col) {
  // Sorting waits for the first analysis run: an earlier sort would count as the first one
  // and make the run skip its predictions.
  if (!state_.analysis.firstSortDone) return;
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
  if (!requiredMatchesMade(state_.workspace, dialogs()) || !askFlockSexIfMissing(state_.workspace, dialogs())) {
    report(QStringLiteral("Plumetra: nothing was run (the message said why)"));
    refresh();
    return;
  }
  const FolderSnapshot folder = actLong([this](Dialogs& d) {
    state_.analysisResult = plumetra::runAnalysis(state_.workspace, state_.model, state_.analysis, d);
  });
  // The run may write the Data ID list beside the data.
  if (!folder.writtenSince().empty()) reportWritten(QStringLiteral("Plumetra"), folder);
  if (!currentAnalysis(state_)) {
    report(QStringLiteral("Plumetra: no results (the message said why)"));
    return;
  }
  // Earlier steps would put back a state without these results, which redo cannot bring back.
  undo_->clear();
  report(QStringLiteral("Plumetra: %1 flocks analysed and split").arg(state_.analysis.groupCount[4]));
}

void MainWindow::calibrateSplits() {
  const FolderSnapshot folder = actLong([this](Dialogs& d) {
    // The stored set is written into the data folder: one writer there at a time, so a
    // command-line run into the same folder never mixes its files with these.
    std::string error;
    const auto lock = FolderLock::take(state_.workspace.lastDir, SaveFolderPatience, &error);
    if (!lock) {
      d.message("Nothing was calibrated or stored: " + error + ".");
      return;
    }
    calibrateGroups(state_.workspace, state_.model, state_.calibration, analysedFlocks(state_).split, d);
  });
  // The stored names keep the companion program's group words: the report says what they mean.
  const bool written = !folder.writtenSince().empty();
  reportWritten(QStringLiteral("Calibrate and Store the Flock Splits"), folder,
                written ? QStringLiteral(" (%1)").arg(QString::fromUtf8(StoredGroupWords)) : QString());
}

void MainWindow::lookForLowerCost() {
  const unsigned long shown = lowerCostState_.results.revision();
  const FolderSnapshot folder = actLong([this](Dialogs& d) {
    const AnalysisResult analysed = analysedFlocks(state_);
    LowerCostContext context{state_.workspace, state_.model,      state_.calibration,
                             analysed.split,   analysed.splitPercent, state_.workspace.lastDir};
    if (!searchRan(searchLowerCost(context, state_.analysis.costQuestionAsked, d, lowerCost_))) return;
    fillLowerCostWindow(lowerCostState_, lowerCost_, analysed.splitPercent);
    state_.window.lowerCostButton.background = GroupColours[GroupBottom];  // results to see
  });
  if (!folder.writtenSince().empty()) reportWritten(QStringLiteral("Look for Lower Cost"), folder);
  report(lowerCostState_.results.revision() != shown
             ? QStringLiteral("Look for Lower Cost: the diets found are in the lower-cost window")
             : QStringLiteral("Look for Lower Cost: no results (the message said why)"));
}

void MainWindow::revaluePredictions() {
  reportWritten(QStringLiteral("ReValue Predictions"), actLong([this](Dialogs& d) {
    const AnalysisResult analysed = analysedFlocks(state_);
    RevaluationContext context{state_.workspace, state_.model, state_.calibration, analysed.split, state_.workspace.lastDir,
                               todayText()};
    if (revalueFlocks(context, d) == RevalEnd::Done)
      openRevaluationFile(revaluationState_, context.written, analysed.split, d);
  }));
}

void MainWindow::identifyOutliers() { removeOutliersUndoably(); }

void MainWindow::matchByHeadings() {
  undoableDataStep(QStringLiteral("Match by Headings"), [this] {
    const AutoMatchReport matched = autoMatch(state_.workspace, state_.model.settings.units, dialogs());
    const std::string why = matched.matched.empty() ? whyNothingMatched(state_.workspace) : "";
    dialogs().message(autoMatchSummary(matched) + (why.empty() ? "" : "\n\n" + why), "Match by Headings");
  });
}

void MainWindow::showCorrelations() {
  if (correlationWindow_) correlationWindow_->close();
  correlationWindow_ = new CorrelationWindow(state_, dialogs(), clipboard(), this);
  correlationWindow_->show();
}

void MainWindow::plotSortedData() {
  auto* chart = new ChartWindow(state_.workspace, state_.analysis.flockRows, dialogs(), clipboard(), this);
  chart->show();
}

void MainWindow::openSettings() {
  auto* settings = new SettingsWindowView(state_, dialogs(), this);
  connect(settings, &QDialog::finished, this, [this] {
    takeSettingsPricing();
    refresh();
  });
  settings->show();
}

void MainWindow::saveData() {
  SaveDialogView dialog(state_.workspace, dialogs(), this);
  if (dialog.exec() == QDialog::Accepted) savedResults_ = state_.workspace.analysisGrid.revision();
  reportSaves();
}

void MainWindow::saveToExcel() {
  Workspace& ws = state_.workspace;
  saveGridToExcel(gridOf(ws, ws.targetGrid), ws.lastDir, dialogs());
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

// The main window's menu bar, status bar, remembered settings (QSettings), recent files and
// dropped files.

#include "desktop/activity_log.h"
#include "desktop/control_binding.h"
#include "desktop/main_window.h"
#include "desktop/results_windows.h"
#include "workspace/auto_match.h"
#include "workspace/data_file_open.h"
#include "workspace/diet_grid.h"
#include "workspace/flock_import.h"
#include "workspace/flock_sheet.h"
#include "workspace/matching.h"
#include "workspace/window_help.h"
#include "workspace/workbook_import.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

namespace plumetra::qt {

namespace {
constexpr int MaxRecentFiles = 8;
constexpr int StartWidthTwips = 20000;
constexpr int StartHeightPixels = 760;

// The one file of a drop, when it is one the program opens.
QString droppedFile(const QMimeData* data) {
  if (!data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) return {};
  const QString path = data->urls().constFirst().toLocalFile();
  return dataFileKind(path.toStdString()) == DataFileKind::Unknown ? QString() : path;
}
}  // namespace

void MainWindow::buildMenus() {
  Workspace& ws = state_.workspace;
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open..."), this, [this] { openAnyFile(); })->setShortcut(QKeySequence::Open);
  const auto openWorkbook = [this, &ws] {
    openThenRemember([&] { openFlockWorkbook(ws, state_.model.settings.units, dialogs()); });
  };
  // Workbooks of either form are read directly, so the newer form takes the same route.
  file->addAction(QStringLiteral("Flock Data in &Excel 12 (.xls)..."), this, openWorkbook);
  file->addAction(QStringLiteral("Flock Data in Excel &16 (.xlsx)..."), this, openWorkbook);
  file->addAction(QStringLiteral("Flock Data in &Comma Separated File (csv)..."), this,
                  [this, &ws] { openThenRemember([&] { csvFlock(ws, state_.model.settings.units, dialogs()); }); });
  file->addAction(QStringLiteral("&Diet File (.dts)..."), this, [this] { openDiets(); });
  recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
  recentMenu_->setToolTipsVisible(true);  // each file's full path
  file->addSeparator();
  file->addAction(QStringLiteral("&Save Data..."), this, [this] { saveData(); })->setShortcut(QKeySequence::Save);
  file->addAction(QStringLiteral("Save Re&port..."), this, [this] {
    saveReport(state_, dialogs());
    reportSaves();
  });
  file->addSeparator();
  file->addAction(QStringLiteral("&Quit"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = undo_->createUndoAction(this, QStringLiteral("&Undo"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = undo_->createRedoAction(this, QStringLiteral("&Redo"));
  redo->setShortcut(QKeySequence::Redo);
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  edit->addAction(QStringLiteral("&Match by Headings"), this, [this] { matchByHeadings(); })
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* logShown = log_->toggleViewAction();
  logShown->setText(QStringLiteral("&What Was Done"));
  logShown->setToolTip(QStringLiteral("Shows or hides the list of what each command did"));
  view->addAction(logShown);

  QMenu* values = menuBar()->addMenu(QStringLiteral("Set &Values"));
  values->addAction(QStringLiteral("Set Location &Values..."), this, [this] { openSettings(); });
  addResultsMenu(*menuBar(), state_, dialogs(), clipboard(), this);
  buildHelpMenu();

  popup_ = new QMenu(QStringLiteral("Copy"), this);
  popup_->addAction(QStringLiteral("Copy Highlighted Cells"), this, [this] { gridKey(popupGrid_, GridKey::CopyHighlighted); });
  popup_->addAction(QStringLiteral("Copy All"), this, [this] { gridKey(popupGrid_, GridKey::CopyAll); });
  popup_->addAction(QStringLiteral("Clear"), this, [this] { gridKey(popupGrid_, GridKey::Clear); });
  popup_->addAction(QStringLiteral("Paste"), this, [this] { gridKey(popupGrid_, GridKey::Paste); });
  popup_->addAction(QStringLiteral("Save to Excel"), this, [this] { saveToExcel(); });
}

void MainWindow::buildHelpMenu() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(QStringLiteral("&Getting Started"), this, [this] { showGettingStarted(dialogs()); })
      ->setShortcut(QKeySequence::HelpContents);
  help->addAction(QStringLiteral("&Sort Grid Help"), this, [this] { showSortHelp(dialogs()); });
  help->addSeparator();
  help->addAction(QStringLiteral("&About Plumetra"), this, [this] {
    QMessageBox::about(this, QStringLiteral("About Plumetra"),
                       QStringLiteral("<b>Plumetra %1</b><p>Growth and feed-conversion analysis of broiler flocks: "
                                      "expected live weight, age and feed conversion from feed intake, "
                                      "calibrated per location.</p>")
                           .arg(QStringLiteral(PLUMETRA_VERSION)));
  });
  help->addAction(QStringLiteral("About &Qt"), qApp, &QApplication::aboutQt);
}

void MainWindow::buildStatusBar() {
  for (QLabel*& label : status_) {
    label = new QLabel(this);
    statusBar()->addPermanentWidget(label);
  }
  status_[0]->setObjectName(QStringLiteral("dataFileStatus"));
  status_[1]->setObjectName(QStringLiteral("locationStatus"));
  status_[2]->setObjectName(QStringLiteral("flockCountStatus"));
  status_[3]->setObjectName(QStringLiteral("matchedStatus"));
  // The log and the folder of the last files written, one click away.
  for (QAction* action : {log_->toggleViewAction(), log_->openFolderAction()}) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    statusBar()->addPermanentWidget(button);
  }
}

void MainWindow::refreshStatus() {
  const Workspace& ws = state_.workspace;
  status_[0]->setText(QStringLiteral("Data: ") +
                      (ws.dataFileName.empty() ? QStringLiteral("none") : q(ws.dataFileName)));
  const QString location = q(ws.locationFile.filename().string());
  status_[1]->setText(QStringLiteral("Location: ") + (location.isEmpty() ? QStringLiteral("none") : location));
  status_[2]->setText(QStringLiteral("Flocks: %1").arg(ws.flockCount));
  const int required = requiredItemCount();
  status_[3]->setText(QStringLiteral("Required Data IDs matched: %1 of %2")
                          .arg(required - static_cast<int>(unmatchedRequiredItems(ws).size()))
                          .arg(required));
}

bool MainWindow::openDataFile(const QString& path) {
  bool opened = false;
  openFile([&] {
    opened = plumetra::openDataFile(state_.workspace, state_.model.settings.units, path.toStdString(), dialogs());
  });
  if (opened) {
    rememberFile(path);
    const bool diets = dataFileKind(path.toStdString()) == DataFileKind::DietFile;
    report(QStringLiteral("Opened ") + path + (diets ? QString() : openedText()), QFileInfo(path).absolutePath());
  }
  return opened;
}

void MainWindow::openAnyFile() {
  const auto file = dialogs().openFile({"Open a Flock Table, Workbook or Diet File",
                                        "Flock and diet files|*.xls *.xlsx *.csv *.txt *.tsv *.dts|All files|*",
                                        "", state_.workspace.lastDir});
  if (file) openDataFile(q(file->string()));
}

void MainWindow::openDiets() {
  const auto file = dialogs().openFile({"Open a Diet File", "*.dts|*.dts", "*.dts", state_.workspace.lastDir});
  if (file) openDataFile(q(file->string()));
}

void MainWindow::openThenRemember(const std::function<void()>& open) {
  const Workspace& ws = state_.workspace;
  const std::string before = ws.dataFileName;
  openFile(open);
  if (ws.dataFileName == before || ws.dataFileName.empty()) return;
  // A workbook is named by its name (in lastDir), a text file by its path.
  std::filesystem::path file = ws.dataFileName;
  if (file.is_relative()) file = ws.lastDir / file;
  if (QFileInfo::exists(q(file.string()))) rememberFile(q(file.string()));
  report(QStringLiteral("Opened ") + q(file.string()) + openedText(), q(ws.lastDir.string()));
}

void MainWindow::openFile(const std::function<void()>& open) {
  newDataStep("Open another file and lose them?", [&] {
    undoableDataStep(QStringLiteral("Open"), [&] {
      const auto workbook = state_.workspace.workbook;
      open();
      if (state_.workspace.workbook != workbook) loadFlockSheetOfWorkbook();
    });
  });
}

void MainWindow::loadFlockSheetOfWorkbook() {
  Workspace& ws = state_.workspace;
  if (!ws.workbook || ws.flockSheetChoice.items.empty()) return;
  ws.flockSheetChoice.choose(std::max(flockSheetIndex(*ws.workbook), 0));  // else the first sheet
  selectTab(ws, FlockTab);
  if (loadFlockSheet(ws, state_.model.settings.units, dialogs())) loadedFlockSheet_ = ws.flockSheetChoice.index;
}

QString MainWindow::openedText() const {
  const Workspace& ws = state_.workspace;
  QString text = QStringLiteral(": %1 flocks").arg(ws.flockCount);
  if (ws.flockSheetChoice.index >= 0 && ws.flockSheetChoice.index < static_cast<int>(ws.flockSheetChoice.items.size()))
    text += QStringLiteral(" from the sheet \"%1\"").arg(q(ws.flockSheetChoice.items[static_cast<size_t>(ws.flockSheetChoice.index)]));
  return text;
}

void MainWindow::rememberFile(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  recentFiles_.removeAll(file);
  recentFiles_.prepend(file);
  while (recentFiles_.size() > MaxRecentFiles) recentFiles_.removeLast();
  refreshRecentMenu();
}

void MainWindow::refreshRecentMenu() {
  recentMenu_->clear();
  for (int i = 0; i < recentFiles_.size(); ++i) {
    const QString file = recentFiles_.at(i);
    recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()), this,
                           [this, file] { openDataFile(file); })
        ->setToolTip(file);
  }
  recentMenu_->setEnabled(!recentFiles_.isEmpty());
}

void MainWindow::restoreSettings() {
  const QSettings settings;
  recentFiles_ = settings.value(QStringLiteral("recentFiles")).toStringList();
  refreshRecentMenu();
  const QString folder = settings.value(QStringLiteral("lastFolder")).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
    state_.workspace.lastDir = folder.toStdString();
  } else {
    // The first start: the user's documents, never the program's own folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    state_.workspace.lastDir = (QFileInfo(documents).isDir() ? documents : QDir::homePath()).toStdString();
  }
  statisticsShown_->setChecked(settings.value(QStringLiteral("statisticsShown"), true).toBool());
  log_->setVisible(settings.value(QStringLiteral("logShown"), false).toBool());
  if (restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray())) return;
  // First start: the program's width, but never more than the screen.
  QSize size(StartWidthTwips / TwipsPerPixel, StartHeightPixels);
  if (const QScreen* screen = QApplication::primaryScreen())
    size = size.boundedTo(screen->availableSize() - QSize(40, 60));
  resize(size);
}

void MainWindow::storeSettings() const {
  QSettings settings;
  settings.setValue(QStringLiteral("recentFiles"), recentFiles_);
  settings.setValue(QStringLiteral("lastFolder"), QString::fromStdString(state_.workspace.lastDir.string()));
  settings.setValue(QStringLiteral("geometry"), saveGeometry());
  settings.setValue(QStringLiteral("statisticsShown"), statisticsShown_->isChecked());
  settings.setValue(QStringLiteral("logShown"), log_->isVisible());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!commandRunning_ && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString file = droppedFile(event->mimeData());
  if (commandRunning_ || file.isEmpty()) return;
  event->acceptProposedAction();
  openDataFile(file);
}

}  // namespace plumetra::qt

// plumetra-tour: walks the desktop program through its workflow on the example data and
// saves a picture of each window (used by scripts/screenshots.sh under Xvfb). Messages and
// questions go to standard error and are answered as the command line answers them.

#include "controls/batch_dialogs.h"
#include "desktop/activity_log.h"
#include "desktop/calibration_results_window.h"
#include "desktop/category_window.h"
#include "desktop/chart_window.h"
#include "desktop/correlation_window.h"
#include "desktop/main_window.h"
#include "desktop/results_windows.h"
#include "desktop/revaluation_window.h"
#include "desktop/save_dialog.h"
#include "desktop/settings_window.h"
#include "workspace/flock_sex.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <iostream>

using namespace plumetra;

namespace {

QString outFolder;

void save(QWidget& widget, const char* name) {
  QTest::qWait(300);  // let layouts and charts settle
  const QString file = outFolder + "/" + name + ".png";
  if (!widget.grab().save(file)) std::cerr << "plumetra-tour: could not write " << file.toStdString() << '\n';
  std::cerr << "plumetra-tour: " << file.toStdString() << '\n';
}

template <typename Window>
Window* shown(QWidget& parent) {
  const auto windows = parent.findChildren<Window*>();
  return windows.isEmpty() ? nullptr : windows.constLast();
}

// Moves to a cell part of the way down and right, so the frozen headings show their use.
void scrollInto(QTableView* view) {
  const QAbstractItemModel* model = view->model();
  view->scrollTo(model->index(model->rowCount() / 3, model->columnCount() / 4), QAbstractItemView::PositionAtTop);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: plumetra-tour OUT_FOLDER EXAMPLES_FOLDER DATA_FOLDER\n";
    return 2;
  }
  outFolder = QString::fromLocal8Bit(argv[1]);
  const QDir examples(QString::fromLocal8Bit(argv[2]));
  QTemporaryDir work;  // the data are copied here, so the run writes nothing into the examples
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.path());
  for (const char* name : {"flocks.xlsx", "diets.dts"}) QFile::copy(examples.filePath(name), work.filePath(name));

  BatchDialogs dialogs(std::cerr);
  dialogs.setDefaultYesNo(true);  // go on wherever the program asks
  MemoryClipboard clipboard;
  qt::MainWindow window({&dialogs, &clipboard, argv[3]});
  Workspace& ws = window.state().workspace;
  ws.lastDir = work.path().toStdString();
  // A maximised window: the screen less a title bar and a panel.
  window.resize(window.screen()->availableGeometry().size() - QSize(0, 70));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  // As the user guide's first task: the workbook, match by headings, the diets.
  window.openDataFile(work.filePath("flocks.xlsx"));
  window.matchByHeadings();
  window.openDataFile(work.filePath("diets.dts"));
  ws.locationFile = (work.path() + "/North").toStdString();
  window.state().window.locationBox.text = ws.locationFile.string();
  ws.chosenSex = MixedSex;
  window.tabs()->setCurrentIndex(FlockTab);
  window.refresh();
  scrollInto(window.gridView(FlockTab));
  save(window, "main-flocks");
  window.tabs()->setCurrentIndex(DietTab);
  save(window, "main-diets");

  window.runAnalysis();
  window.tabs()->setCurrentIndex(AnalysisTab);
  scrollInto(window.gridView(AnalysisTab));
  save(window, "main-analysis");
  window.statisticsShown()->setChecked(false);
  window.gridView(AnalysisTab)->scrollToTop();
  save(window, "main-analysis-flocks");
  window.statisticsShown()->setChecked(true);

  auto* correlations = new qt::CorrelationWindow(window.state(), dialogs, clipboard, &window);
  correlations->resize(1000, 600);
  correlations->show();
  save(*correlations, "correlations");
  correlations->close();

  auto* chart = new qt::ChartWindow(ws, window.state().analysis.flockRows, dialogs, clipboard, &window);
  chart->show();
  chart->plotColumnPair("Age", "Avg Weight");
  save(*chart, "chart");
  chart->close();

  auto* settings = new qt::SettingsWindowView(window.state(), dialogs, &window);
  settings->show();
  save(*settings, "settings");
  settings->reject();

  qt::SaveDialogView saveDialog(ws, dialogs, &window);
  saveDialog.show();
  save(saveDialog, "save-data");
  saveDialog.close();

  // A text column as the first sort opens the category averages.
  const auto farm = std::find(ws.firstSortChoice.items.begin(), ws.firstSortChoice.items.end(), "Farm");
  if (farm != ws.firstSortChoice.items.end()) {
    ws.firstSortChoice.choose(static_cast<int>(farm - ws.firstSortChoice.items.begin()));
    auto* combo = window.findChild<QComboBox*>("firstSortChoice");
    emit combo->activated(ws.firstSortChoice.index);
    if (auto* categories = shown<qt::CategoryWindowView>(window)) {
      save(*categories, "categories");
      categories->showTValues();
      if (auto* tValues = shown<qt::TValueWindowView>(*categories)) {
        auto* variable = tValues->findChild<QComboBox*>();
        variable->setCurrentIndex(std::max(0, variable->findText("Convix")));
        emit variable->activated(variable->currentIndex());
        for (QPushButton* button : tValues->findChildren<QPushButton*>())
          if (button->text() == "Calculate") button->click();
        save(*tValues, "t-values");
      }
    }
  }

  // Calibration asks for the breeds (the settings window's) and a base name for the files.
  ModelSettings& model = window.state().model.settings;
  const auto cobb = std::find(model.breedNames.begin(), model.breedNames.end(), "Cobb 500");
  model.maleBreed = model.femaleBreed = cobb != model.breedNames.end() ? int(cobb - model.breedNames.begin()) : 0;
  dialogs.answerInput("This creates 3 datasets", "North");
  window.calibrateSplits();
  window.lookForLowerCost();
  if (auto* results = shown<qt::CalibrationResultsWindow>(window)) save(*results, "lower-cost");
  window.revaluePredictions();
  if (auto* revaluation = shown<qt::RevaluationWindow>(window)) save(*revaluation, "revaluation");
  // The log panel after the calibration and the searches.
  window.activityLog()->show();
  save(window, "main-log");
  window.activityLog()->hide();

  // The "Results" menu's windows, after the calibration.
  const auto openResult = [&window](const QString& text) {
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
      if (action->text() == text) action->trigger();
  };
  openResult("Metrics");
  if (auto* metrics = shown<qt::MetricsWindow>(window)) save(*metrics, "metrics");
  openResult("Model fit");
  if (auto* fit = shown<qt::ModelFitWindow>(window)) save(*fit, "model-fit");
  openResult("Growth Curves");
  if (auto* curves = shown<qt::GrowthCurvesWindow>(window)) save(*curves, "growth-curves");
  window.state().analysis.firstSortDone = false;  // close without the unsaved-results question
  return 0;
}

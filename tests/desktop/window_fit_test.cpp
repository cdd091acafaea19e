// The main window on common screens: it fits 1366x768 and 1920x1080 at 150 % (1280x720
// device-independent pixels), its grids keep at least half the height, and a scrolled grid
// keeps its heading row and first columns in view. Every other window fits both screens too.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/frozen_panes.h"
#include "desktop/grid_view.h"
#include "desktop/main_window.h"

#include "desktop/calibration_results_window.h"
#include "desktop/category_window.h"
#include "desktop/chart_window.h"
#include "desktop/correlation_window.h"
#include "desktop/league_window.h"
#include "desktop/results_windows.h"
#include "desktop/revaluation_window.h"
#include "desktop/save_dialog.h"
#include "desktop/settings_window.h"
#include "desktop/validation_window.h"

#include "controls/batch_dialogs.h"
#include "tests/support/analysed_file.h"

#include <QCheckBox>
#include <QDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include <sstream>

using plumetra::qt::GridView;
using plumetra::FirstFlockRow;
using plumetra::qt::MainWindow;

class WindowFitTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;
  RecordingDialogs dialogs_;
  plumetra::MemoryClipboard clipboard_;

  // The space a maximised window gets on a screen of this size: less a title bar and a panel.
  static QSize usable(QSize screen) { return screen - QSize(0, 70); }

 private slots:
  void fitsCommonScreensWithGridsOfHalfTheHeight_data() {
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1366x768") << QSize(1366, 768);
    QTest::newRow("1920x1080 at 150 %") << QSize(1280, 720);
  }

  // Every control inside, every grid at least half the height; with the statistics rows out of
  // sight at least 15 flock rows of the results show.
  void fitsCommonScreensWithGridsOfHalfTheHeight() {
    QFETCH(QSize, screen);
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    plumetra::Grid& results = window.state().workspace.analysisGrid;
    results.resize(FirstFlockRow + 200, 6);
    for (int r = 0; r < results.rows(); ++r) results.setText(r, 1, "Row " + std::to_string(r));
    const QSize room = usable(screen);
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    QVERIFY2(least.width() <= room.width() && least.height() <= room.height(),
             qPrintable(QStringLiteral("minimum %1x%2").arg(least.width()).arg(least.height())));
    window.resize(room);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), room);
    for (int tab = 0; tab < window.tabs()->count(); ++tab) {
      window.tabs()->setCurrentIndex(tab);
      QTest::qWait(20);
      const int gridHeight = window.gridView(tab)->height();
      QVERIFY2(gridHeight * 2 >= room.height(), qPrintable(QStringLiteral("tab %1: grid %2 of %3")
                                                                 .arg(tab)
                                                                 .arg(gridHeight)
                                                                 .arg(room.height())));
      // Every control is inside the window (wrapped, not cut off on the right).
      for (QWidget* child : window.tabs()->widget(tab)->findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != window.tabs()->widget(tab)) continue;
        QVERIFY(child->geometry().right() <= window.tabs()->widget(tab)->width());
      }
    }

    window.tabs()->setCurrentIndex(plumetra::AnalysisTab);
    window.statisticsShown()->setChecked(false);
    QTest::qWait(20);
    QTableView* view = window.gridView(plumetra::AnalysisTab);
    int shown = 0;
    for (int r = FirstFlockRow; r < results.rows(); ++r)
      if (const QRect cell = view->visualRect(view->model()->index(r, 1));
          !view->isRowHidden(r) && cell.top() >= 0 && cell.bottom() <= view->viewport()->height())
        ++shown;
    QVERIFY2(shown >= 15, qPrintable(QStringLiteral("%1 flock rows").arg(shown)));
    // The statistics come back at a click.
    window.statisticsShown()->setChecked(true);
    QVERIFY(!view->isRowHidden(1));
  }

  // Every window beside the main one, over the analysed example, asks for no more than the
  // free area of the smaller screen (1280x720, so of 1366x768 too), so the screen fit can always
  // make it fit; shown, it lies inside the screen, a window taller than the screen made to fit too.
  void everyOtherWindowFitsBothScreens() {
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    plumetra::AppState& state = window.state();
    std::ostringstream quiet;
    plumetra::BatchDialogs batch(quiet);
    QTemporaryDir scratch;
    QVERIFY(plumetra::testing::analyseFile(state, plumetra::testing::ExampleFolder / "flocks.csv", batch).result);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    plumetra::LowerCostWindowState lowerCost;
    plumetra::RevaluationWindowState revaluation;
    const std::vector<QDialog*> windows{
        new plumetra::qt::MetricsWindow(state, clipboard_, &window),
        new plumetra::qt::ModelFitWindow(state, clipboard_, &window),
        new plumetra::qt::GrowthCurvesWindow(plumetra::GroupCurves{}, &window),
        new plumetra::qt::LeagueWindow(state, clipboard_, &window),
        new plumetra::qt::ValidationWindow(plumetra::CrossValidation{}, scratch.path().toStdString(), clipboard_,
                                           &window),
        new plumetra::qt::CategoryWindowView(state, dialogs_, clipboard_, &window),
        new plumetra::qt::TValueWindowView(state, dialogs_, clipboard_, &window),
        new plumetra::qt::CalibrationResultsWindow(lowerCost, clipboard_, &window),
        new plumetra::qt::RevaluationWindow(revaluation, dialogs_, clipboard_, &window),
        new plumetra::qt::ChartWindow(state.workspace, state.analysis.flockRows, dialogs_, clipboard_, &window),
        new plumetra::qt::CorrelationWindow(state, dialogs_, clipboard_, &window),
        new plumetra::qt::SettingsWindowView(state, dialogs_, &window),
        new plumetra::qt::SaveDialogView(state.workspace, dialogs_, &window), new QDialog(&window)};
    windows.back()->resize(640, 920);
    const QSize room = usable(QSize(1280, 720));
    for (QDialog* other : windows) {
      const QString name = other->windowTitle();
      const QSize least = other->minimumSizeHint().expandedTo(other->minimumSize());
      QVERIFY2(least.width() <= room.width() && least.height() <= room.height(),
               qPrintable(QStringLiteral("%1 needs %2x%3").arg(name).arg(least.width()).arg(least.height())));
      other->show();
      QVERIFY(QTest::qWaitForWindowExposed(other));
      QVERIFY2(other->screen()->availableGeometry().contains(other->frameGeometry()), qPrintable(name));
      other->close();
    }
  }

  void scrolledGridKeepsItsHeadingsAndFirstColumns() {
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    plumetra::Grid& flocks = window.state().workspace.flockGrid;
    flocks.resize(300, 30);
    for (int c = 0; c < 30; ++c) flocks.setText(0, c, "Heading " + std::to_string(c));
    for (int r = 1; r < 300; ++r) flocks.setText(r, 1, "Farm " + std::to_string(r));
    window.resize(1000, 600);
    window.show();
    window.refresh();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* view = static_cast<GridView*>(window.gridView(0));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    QTest::qWait(20);

    const auto& panes = view->frozenPanes()->panes();
    QTableView* top = panes[0];
    QTableView* left = panes[1];
    QVERIFY(top->isVisible() && left->isVisible());
    // The heading row shows over the scrolled grid, following its columns sideways...
    const QPoint topLeft = top->viewport()->rect().topLeft() + QPoint(2, 2);
    QCOMPARE(top->indexAt(topLeft).row(), 0);
    QCOMPARE(top->indexAt(topLeft).column(), view->indexAt(view->viewport()->rect().topLeft() + QPoint(2, 2)).column());
    // ...and the first columns (the fixed column, farm and house) follow its rows up and down.
    QCOMPARE(view->frozenPanes()->frozenCols(), flocks.fixedCols() + 2);
    const QPoint bottomLeft(2, left->viewport()->height() - 4);
    QCOMPARE(left->indexAt(bottomLeft).column(), 0);
    QVERIFY(left->indexAt(bottomLeft).row() > 250);
    QCOMPARE(left->model(), view->model());  // the same data, not a copy

    // Moving to a cell that lies under the frozen panes scrolls it out from under them.
    const QSize covered = view->frozenPanes()->covered();
    const QModelIndex hidden = view->indexAt(QPoint(2, covered.height() + 2));
    view->setCurrentIndex(hidden);
    QCOMPARE(view->visualRect(hidden).left(), covered.width());
    QVERIFY(view->visualRect(hidden).top() >= covered.height());
  }
};

// Offscreen, the tests run on one screen of 1920x1080 at 150 % (1280x720 device-independent
// pixels), as the user's would be.
int main(int argc, char** argv) {
  QTemporaryDir folder;
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
    const QString config = folder.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"screens": [{"name": "1920x1080", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    qputenv("QT_SCALE_FACTOR", "1.5");
  }
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi);
  WindowFitTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}
#include "window_fit_test.moc"

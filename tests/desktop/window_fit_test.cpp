// The main window on common screens: it fits 1366x768 and 1920x1080 at 150 % (1280x720
// device-independent pixels), its grids keep at least half the height, and a scrolled grid
// keeps its heading row and first columns in view.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/frozen_panes.h"
#include "desktop/grid_view.h"
#include "desktop/main_window.h"

#include "analysis/analysis_state.h"

#include <QCheckBox>
#include <QDialog>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

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

  void fitsCommonScreensWithGridsOfHalfTheHeight() {
    QFETCH(QSize, screen);
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
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
  }

  // With the statistics rows out of sight at least 15 flock rows of the results show.
  void fifteenFlockRowsShowWithTheStatisticsCollapsed_data() { fitsCommonScreensWithGridsOfHalfTheHeight_data(); }

  void fifteenFlockRowsShowWithTheStatisticsCollapsed() {
    QFETCH(QSize, screen);
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    plumetra::Grid& results = window.state().workspace.analysisGrid;
    results.resize(FirstFlockRow + 200, 6);
    for (int r = 0; r < results.rows(); ++r) results.setText(r, 1, "Row " + std::to_string(r));
    window.resize(usable(screen));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
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

  // A secondary window taller than the screen (the model fit asks for 720 pixels) is made to
  // fit the screen's free area.
  void secondaryWindowsFitTheScreen() {
    MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* tall = new QDialog(&window);
    const QRect room = window.screen()->availableGeometry();
    tall->resize(room.width() / 2, room.height() + 200);
    tall->show();
    QVERIFY(QTest::qWaitForWindowExposed(tall));
    QVERIFY(room.contains(tall->frameGeometry()));
    tall->close();
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
    QVERIFY(top->indexAt(topLeft).column() > 2);
    // ...and the first columns (the fixed column, farm and house) follow its rows up and down.
    QCOMPARE(view->frozenPanes()->frozenCols(), flocks.fixedCols() + 2);
    const QPoint bottomLeft(2, left->viewport()->height() - 4);
    QCOMPARE(left->indexAt(bottomLeft).column(), 0);
    QVERIFY(left->indexAt(bottomLeft).row() > 250);
    QCOMPARE(left->model(), view->model());  // the same data, not a copy

    // A double-click on a frozen heading matches that column, as on the grid itself.
    QSignalSpy doubleClicks(view, &GridView::cellDoubleClicked);
    const QModelIndex heading = top->indexAt(topLeft);
    QTest::mouseDClick(top->viewport(), Qt::LeftButton, {}, top->visualRect(heading).center());
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(doubleClicks.at(0).at(0).toInt(), 0);
    QCOMPARE(doubleClicks.at(0).at(1).toInt(), heading.column());

    // Moving to a cell that lies under the frozen panes scrolls it out from under them.
    const QSize covered = view->frozenPanes()->covered();
    const QModelIndex hidden = view->indexAt(QPoint(2, covered.height() + 2));
    QVERIFY(hidden.column() >= view->frozenPanes()->frozenCols());
    QVERIFY(view->visualRect(hidden).left() < covered.width());
    view->setCurrentIndex(hidden);
    QCOMPARE(view->visualRect(hidden).left(), covered.width());
    QVERIFY(view->visualRect(hidden).top() >= covered.height());
  }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"

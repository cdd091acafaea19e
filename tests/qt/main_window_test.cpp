// The desktop window over the core: it opens with its tabs, shows the core's grids through
// a model that passes Qt's own model checks, and closes cleanly.

#include "views/qt/grid_model.h"
#include "views/qt/main_window.h"
#include "views/qt/qt_dialogs.h"

#include <QAbstractItemModelTester>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using plumetra::Grid;
using plumetra::qt::GridModel;
using plumetra::qt::MainWindow;

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void opensWithTheThreeTabs() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowTitle().startsWith("Plumetra"));
    QCOMPARE(window.tabs()->count(), 3);
    QCOMPARE(window.tabs()->tabText(0), QString("Flock Data"));
    QCOMPARE(window.tabs()->tabText(1), QString("Diet Data"));
    QCOMPARE(window.tabs()->tabText(2), QString("Analysis Results"));
    QVERIFY(window.close());
  }

  void showsCoreChangesAfterRefresh() {
    MainWindow window;
    Grid& flocks = window.state().workspace.gridflockin;
    flocks.setText(1, 1, "2.45");
    window.refresh();
    QCOMPARE(window.gridView(0)->model()->index(1, 1).data().toString(), QString("2.45"));
  }

  void gridModelPassesQtModelChecks() {
    Grid grid(4, 3);
    grid.setText(0, 0, "Farm");
    grid.setBackground(0, 1, plumetra::colours::Matched);
    GridModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.setData(model.index(2, 2), "1.5", Qt::EditRole));
    QCOMPARE(grid.text(2, 2), std::string("1.5"));
    QCOMPARE(model.index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 124, 0));
    grid.resize(6, 3);
    model.refresh();
    QCOMPARE(model.rowCount(), 6);
  }

  void fileFiltersTranslate() {
    QCOMPARE(plumetra::qt::qtFileFilter("Calib Files|*.clb|"), QString("Calib Files (*.clb)"));
    QCOMPARE(plumetra::qt::qtFileFilter("Excel (*.xls)|*.xls|All (*.*)|*.*"), QString("Excel (*.xls);;All (*.*)"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

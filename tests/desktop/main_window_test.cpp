// The desktop window over the core: its tabs, the grid model under Qt's own model checks,
// the grid keys, the location box and the popup's Save to Excel.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/grid_model.h"
#include "desktop/main_window.h"
#include "desktop/qt_dialogs.h"

#include "files/save_grids.h"
#include "files/workbook.h"

#include <QAbstractItemModelTester>
#include <QMenu>
#include <QFocusEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using plumetra::Grid;
using plumetra::qt::GridModel;
using plumetra::qt::MainWindow;

class MainWindowTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;
 private slots:
  void opensWithTheThreeTabsAndShowsCoreChanges() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowTitle().startsWith("Plumetra"));
    QCOMPARE(window.tabs()->count(), 3);
    window.state().workspace.flockGrid.setText(1, 1, "2.45");
    window.refresh();
    QCOMPARE(window.gridView(0)->model()->index(1, 1).data().toString(), QString("2.45"));
    QVERIFY(window.close());
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

    // Frozen while a command works on the grid: the copy shows, edits are refused.
    model.freeze();
    grid.setText(0, 0, "Changed");
    grid.resize(8, 3);
    QVERIFY(!model.refresh());
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Farm"));
    QVERIFY(!model.setData(model.index(1, 1), "9", Qt::EditRole));
    model.thaw();
    QVERIFY(model.refresh());
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Changed"));
  }

  void gridKeysAndLocationBox() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, "/data/plumetra"});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Grid& flocks = window.state().workspace.flockGrid;
    flocks.setText(1, 1, "2.45");
    flocks.setText(1, 2, "43");
    window.refresh();
    auto* view = window.gridView(0);
    view->selectionModel()->select(QItemSelection(view->model()->index(1, 1), view->model()->index(1, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    view->selectionModel()->setCurrentIndex(view->model()->index(1, 1), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard.text(), std::string("2.45\t43"));
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(flocks.text(1, 1), std::string());
    QCOMPARE(view->model()->index(1, 2).data().toString(), QString());
    // Copy All takes the whole grid and leaves the current cell where it was.
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(flocks.row(), 1);
    QCOMPARE(clipboard.text() + "\r\n", plumetra::gridToTsv(flocks));
    // Ctrl+keypad + sets the imported grid's font to the analysis grid's size plus one.
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(view->font().pointSize(), window.state().workspace.analysisGridFontSize + 1);

    // The location box empties for typing and places the typed name in LastDir.
    auto* box = window.findChild<QLineEdit*>("locationBox");
    QVERIFY(box);
    box->setFocus();
    QTest::keyClicks(box, "North");
    QCOMPARE(box->text(), QString("North"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &leave);
    const std::string expected = (window.state().workspace.LastDir / "North").string();
    QCOMPARE(box->text().toStdString(), expected);
  }

  void popupSaveToExcelWritesTheTargetGridIntoLastDir() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    window.state().workspace.LastDir = folder;
    window.state().workspace.flockGrid.setText(0, 1, "Avg Weight");
    QAction* save = nullptr;
    for (QMenu* menu : window.findChildren<QMenu*>())
      for (QAction* action : menu->actions())
        if (action->text() == "Save to Excel") save = action;
    QVERIFY(save);
    save->trigger();
    const std::filesystem::path written = folder / "SortedFile.xlsx";
    QVERIFY(std::filesystem::exists(written));
    QCOMPARE(dialogs.shown, (std::vector<std::string>{"File Name ?", plumetra::SavedAsText(written)}));
  }

  void locationPlaceholderNeverBecomesAName() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* box = window.findChild<QLineEdit*>("locationBox");
    QVERIFY(box);
    QVERIFY(box->text().isEmpty());
    QCOMPARE(box->placeholderText(), QString("Double Click or type a Location Name"));
    // Focus in and out (as around a long command) without typing: still no location.
    for (int i = 0; i < 2; ++i) {
      box->setFocus();
      QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
      QApplication::sendEvent(box, &leave);
    }
    QVERIFY(box->text().isEmpty());
    QVERIFY(window.state().workspace.LocationFile.empty());
    QCOMPARE(window.findChild<QLabel*>("locationStatus")->text(), QString("Location: none"));
  }

  void cutCopiesThenClearsAndClearCanBeUndone() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Grid& flocks = window.state().workspace.flockGrid;
    flocks.setText(2, 1, "North");
    flocks.setText(2, 2, "2.61");
    flocks.select({2, 1, 2, 2});
    window.refresh();
    auto* view = window.gridView(0);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(clipboard.text(), std::string("North\t2.61"));
    QCOMPARE(flocks.text(2, 1), std::string());
    window.undoStack()->undo();
    QCOMPARE(flocks.text(2, 1), std::string("North"));
    QCOMPARE(view->model()->index(2, 2).data().toString(), QString("2.61"));
    window.undoStack()->redo();
    QCOMPARE(flocks.text(2, 2), std::string());
    window.undoStack()->undo();
    // The popup's Clear is a step of its own.
    flocks.select({2, 1, 2, 1});
    window.refresh();
    QAction* clear = nullptr;
    for (QMenu* menu : window.findChildren<QMenu*>())
      for (QAction* action : menu->actions())
        if (action->text() == "Clear") clear = action;
    QVERIFY(clear);
    clear->trigger();
    QCOMPARE(flocks.text(2, 1), std::string());
    QCOMPARE(window.undoStack()->undoText(), QString("Clear"));
    window.undoStack()->undo();
    QCOMPARE(flocks.text(2, 1), std::string("North"));
  }

  void pasteAtTheTopLeftAsksAndElsewhereKeepsTheRows() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    auto& ws = window.state().workspace;
    const auto table = [](int flocks) {
      std::string text = "Farm\tHouse\tAge\tAvg Weight\n";
      for (int f = 1; f <= flocks; ++f) text += "North\t" + std::to_string(f) + "\t42\t2.6\n";
      return text;
    };
    clipboard.setText(table(9));
    ws.flockGrid.setCurrent(0, 0);
    window.pasteFromClipboard(plumetra::GridId::Flock);
    QCOMPARE(ws.FlockCount, 9);
    // A paste inside the table changes only the cells it covers.
    clipboard.setText("South\t7");
    ws.flockGrid.setCurrent(3, 0);
    window.pasteFromClipboard(plumetra::GridId::Flock);
    QCOMPARE(ws.FlockCount, 9);
    QCOMPARE(ws.flockGrid.text(3, 0), std::string("South"));
    QCOMPARE(ws.flockGrid.text(9, 1), std::string("9"));
    // A new table at the top-left asks first; No keeps the flocks, Yes replaces them.
    clipboard.setText(table(2));
    ws.flockGrid.setCurrent(0, 0);
    dialogs.answerYes = false;
    dialogs.shown.clear();
    window.pasteFromClipboard(plumetra::GridId::Flock);
    QVERIFY(!dialogs.shown.empty() && dialogs.shown.front().starts_with("Flocks are loaded. Replace them"));
    QCOMPARE(ws.FlockCount, 9);
    dialogs.answerYes = true;
    ws.flockGrid.setCurrent(0, 0);
    window.pasteFromClipboard(plumetra::GridId::Flock);
    QCOMPARE(ws.FlockCount, 2);
  }

  void closingWithUnsavedResultsAsks() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Results of an analysis run that were not saved.
    window.state().analysis.FirstSortDone = true;
    window.state().workspace.analysisGrid.resize(3, 3);
    window.state().workspace.analysisGrid.setText(1, 1, "2.61");
    dialogs.answerYes = false;
    QVERIFY(!window.close());
    QCOMPARE(dialogs.shown.back(), std::string("The analysis results have not been saved. Close Plumetra and lose them?"));
    dialogs.answerYes = true;
    QVERIFY(window.close());
  }

  void clickAfterTheFlockSexMessageStillRunsTheButton() {
    RecordingDialogs dialogs;
    plumetra::MemoryClipboard clipboard;
    MainWindow window({&dialogs, &clipboard, {}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* sex = window.findChild<QComboBox*>("flockSexChoice");
    auto* help = window.findChild<QPushButton*>("sortHelpButton");
    QVERIFY(sex && help);
    sex->setFocus();
    QTRY_VERIFY(sex->hasFocus());
    // Pressing the button takes the focus from the sex list; the message waits for the release
    // and the button still gets its click: its help message follows the hint.
    QTest::mousePress(help, Qt::LeftButton);
    QTRY_VERIFY(help->hasFocus());
    QTest::qWait(20);
    QVERIFY(dialogs.shown.empty());  // nothing while the button is down
    QTest::mouseRelease(help, Qt::LeftButton);
    QTRY_COMPARE(dialogs.shown.size(), size_t(2));
    QCOMPARE(dialogs.shown.at(0), std::string("If This DataSet has No Calibration, Go to Set Values"));
    QVERIFY(dialogs.shown.at(1).starts_with("Sorting of all data"));
  }

  void widgetsAreNamedAfterTheirControls() {
    MainWindow window;
    for (const char* name : {"analyseButton", "calibrateButton", "lowerCostButton", "revalueButton", "outlierButton",
                             "correlationButton", "locationBox", "dataFileBox", "flockSexChoice", "flockGrid",
                             "dietGrid", "analysisGrid", "firstSortChoice", "plotButton", "openDietFileButton"})
      QVERIFY2(window.findChild<QWidget*>(name), name);
  }

  void fileFiltersTranslate() {
    QCOMPARE(plumetra::qt::qtFileFilter("Calib Files|*.clb|"), QString("Calib Files (*.clb)"));
    QCOMPARE(plumetra::qt::qtFileFilter("Excel (*.xls)|*.xls|All (*.*)|*.*"), QString("Excel (*.xls);;All (*.*)"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

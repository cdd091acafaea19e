// The desktop window over the core: the grid model under Qt's own model checks, the grid keys,
// the location box, the run button and the popup's Save to Excel.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/grid_model.h"
#include "desktop/main_window.h"
#include "desktop/qt_dialogs.h"
#include "desktop/settings_window.h"

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
#include <QTableView>
#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

using plumetra::Grid;
using plumetra::qt::GridModel;
using plumetra::qt::MainWindow;

namespace {

QAction* popupAction(MainWindow& window, const QString& text) {
  for (QMenu* menu : window.findChildren<QMenu*>())
    for (QAction* action : menu->actions())
      if (action->text() == text) return action;
  return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;
  RecordingDialogs dialogs_;
  plumetra::MemoryClipboard clipboard_;
  std::unique_ptr<MainWindow> window_;  // a fresh window, shown, for every test

 private slots:
  void init() {
    dialogs_ = RecordingDialogs();
    window_ = std::make_unique<MainWindow>(plumetra::qt::MainWindowServices{&dialogs_, &clipboard_, {}});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

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

  // Ctrl+C copies the selection and Ctrl+X cuts it, a step that undoes, as the popup's Clear is;
  // Copy All takes the whole grid and leaves the current cell where it was; Ctrl+keypad + sets
  // the imported grid's font to the analysis grid's size plus one.
  void gridKeysAndThePopupsClear() {
    Grid& flocks = window_->state().workspace.flockGrid;
    flocks.setText(1, 1, "2.45");
    flocks.setText(1, 2, "43");
    window_->refresh();
    auto* view = window_->gridView(0);
    view->selectionModel()->select(QItemSelection(view->model()->index(1, 1), view->model()->index(1, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    view->selectionModel()->setCurrentIndex(view->model()->index(1, 1), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard_.text(), std::string("2.45\t43"));
    clipboard_.setText("");
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(clipboard_.text(), std::string("2.45\t43"));
    QCOMPARE(flocks.text(1, 1), std::string());
    QCOMPARE(view->model()->index(1, 2).data().toString(), QString());
    window_->undoStack()->undo();
    QCOMPARE(flocks.text(1, 1), std::string("2.45"));
    QCOMPARE(view->model()->index(1, 2).data().toString(), QString("43"));

    flocks.select({1, 1, 1, 1});
    window_->refresh();
    QAction* clear = popupAction(*window_, "Clear");
    QVERIFY(clear);
    clear->trigger();
    QCOMPARE(flocks.text(1, 1), std::string());
    window_->undoStack()->undo();
    QCOMPARE(flocks.text(1, 1), std::string("2.45"));

    const int row = flocks.row();
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(flocks.row(), row);
    QCOMPARE(clipboard_.text() + "\r\n", plumetra::gridToTsv(flocks));
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(view->font().pointSize(), window_->state().window.analysisGridFontSize + 1);
  }

  // The box's hint is a placeholder: focus in and out (as around a long command) names no
  // location; a typed name is placed in lastDir.
  void locationBoxPlaceholderAndTypedName() {
    auto* box = window_->findChild<QLineEdit*>("locationBox");
    QVERIFY(box);
    QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
    box->setFocus();
    QApplication::sendEvent(box, &leave);
    QVERIFY(box->text().isEmpty());
    QVERIFY(window_->state().workspace.locationFile.empty());
    QCOMPARE(window_->findChild<QLabel*>("locationStatus")->text(), QString("Location: none"));

    box->setFocus();
    QTest::keyClicks(box, "North");
    QApplication::sendEvent(box, &leave);
    QCOMPARE(box->text().toStdString(), (window_->state().workspace.lastDir / "North").string());
  }

  // The cost unit in the settings when their window closes (chosen there, or read with a
  // location) prices the diets.
  void settingsCostUnitPricesTheDiets() {
    window_->state().model.settings.units.costChoice = 1;  // per tonne
    window_->openSettings();
    auto* settings = window_->findChild<plumetra::qt::SettingsWindowView*>();
    QVERIFY(settings);
    settings->reject();
    QCOMPARE(window_->state().workspace.diets.pricing.unit, std::optional<int>(1));
  }

  void popupSaveToExcelWritesTheTargetGridIntoLastDir() {
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    window_->state().workspace.lastDir = folder;
    window_->state().workspace.flockGrid.setText(0, 1, "Avg Weight");
    QAction* save = popupAction(*window_, "Save to Excel");
    QVERIFY(save);
    save->trigger();
    const std::filesystem::path written = folder / "SortedFile.xlsx";
    QVERIFY(std::filesystem::exists(written));
    QCOMPARE(dialogs_.shown, (std::vector<std::string>{"File Name ?", plumetra::savedAsText(written)}));
  }

  // The flock sex sits with the run button; a run without it asks for it by name, and a
  // cancelled question runs nothing and says so.
  void aRunWithoutTheFlockSexAsksForIt() {
    auto* sex = window_->findChild<QComboBox*>("flockSexChoice");
    auto* run = window_->findChild<QPushButton*>("analyseButton");
    QVERIFY(sex && run);
    QCOMPARE(sex->parentWidget(), run->parentWidget());
    // With nothing matched, the run names the Data IDs to match first.
    window_->runAnalysis();
    QCOMPARE(dialogs_.shown.size(), size_t(1));
    QVERIFY(dialogs_.shown.front().starts_with("Plumetra cannot run yet: these Data IDs are not matched"));
    dialogs_.shown.clear();
    auto& ws = window_->state().workspace;
    ws.flockIdSet.fill(true);
    ws.nutrientIdSet.fill(true);
    dialogs_.inputs = {""};
    window_->runAnalysis();
    QCOMPARE(dialogs_.shown.size(), size_t(2));
    QVERIFY(dialogs_.shown.front().starts_with("The flock sex is not set. Type Mixed, Males or Females"));
    QVERIFY(dialogs_.shown.back().starts_with("Nothing was run: the flock sex is needed."));
    QCOMPARE(window_->state().workspace.chosenSex, plumetra::NoSexChosen);
  }

  // The first start's file dialogs open in the user's documents, never the program's folder.
  void theFirstStartOpensInTheDocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString expected = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    QCOMPARE(QString::fromStdString(window_->state().workspace.lastDir.string()), expected);
  }

  void everyButtonHasATooltip() {
    for (QPushButton* button : window_->findChildren<QPushButton*>())
      QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->text()));
  }

  void widgetsAreNamedAfterTheirControls() {
    for (const char* name : {"analyseButton", "calibrateButton", "lowerCostButton", "revalueButton", "outlierButton",
                             "correlationButton", "locationBox", "dataFileBox", "flockSexChoice", "flockGrid",
                             "dietGrid", "analysisGrid", "firstSortChoice", "plotButton", "openDietFileButton"})
      QVERIFY2(window_->findChild<QWidget*>(name), name);
  }

  void fileFiltersTranslate() {
    // The location dialog takes any of a location's files.
    QCOMPARE(plumetra::qt::qtFileFilter(plumetra::LocationFilter), QString("Location Files (*.clb *.cal *.stg *.dts)"));
    QCOMPARE(plumetra::qt::qtFileFilter("Excel (*.xls)|*.xls|All (*.*)|*.*"), QString("Excel (*.xls);;All (*.*)"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

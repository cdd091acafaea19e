// The tasks of the user guide, driven through the main window as a new user does them: open
// the example, match by headings, run, sort, chart, calibrate, search a lower cost, save the
// report. Every step must reach its result and say so in the log; every step that would change
// a match or lose results asks first or can be undone. With PLUMETRA_SCREENSHOT set to a folder,
// the windows are saved there as pictures.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "round_ticks.h"
#include "desktop/activity_log.h"
#include "desktop/calibration_results_window.h"
#include "desktop/chart_window.h"
#include "desktop/correlation_window.h"
#include "desktop/frozen_panes.h"
#include "desktop/grid_view.h"
#include "desktop/main_window.h"
#include "files/free_format.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <algorithm>

using namespace plumetra;
using plumetra::qt::MainWindow;

namespace {

const std::filesystem::path Examples = std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples";

int columnOf(const Grid& grid, const std::string& heading) {
  for (int c = 0; c < grid.cols(); ++c)
    if (grid.text(0, c) == heading) return c;
  return -1;
}

QString lastLogLine(const MainWindow& window) {
  const QListWidget* lines = window.activityLog()->lines();
  return lines->count() ? lines->item(lines->count() - 1)->toolTip() : QString();
}

void screenshot(QWidget& widget, const QString& name) {
  if (!qEnvironmentVariableIsSet("PLUMETRA_SCREENSHOT")) return;
  QTest::qWait(100);  // let the chart's scene catch up
  widget.grab().save(qEnvironmentVariable("PLUMETRA_SCREENSHOT") + "/" + name + ".png");
}

bool logHas(const MainWindow& window, const QString& text) {
  const QListWidget* lines = window.activityLog()->lines();
  for (int i = 0; i < lines->count(); ++i)
    if (lines->item(i)->toolTip().contains(text)) return true;
  return false;
}

}  // namespace

class GuideFlowsTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;
  RecordingDialogs dialogs_;
  MemoryClipboard clipboard_;
  QTemporaryDir folder_;  // the user's data folder: the example files are copied here
  std::unique_ptr<MainWindow> window_;

  Workspace& ws() { return window_->state().workspace; }

  std::filesystem::path copied(const std::string& name) {
    const std::filesystem::path to = std::filesystem::path(folder_.path().toStdString()) / name;
    std::filesystem::copy_file(Examples / name, to, std::filesystem::copy_options::overwrite_existing);
    return to;
  }

  // The first analysis of the guide: open the example workbook, match by headings, open the
  // diets, run.
  void firstAnalysis() {
    QVERIFY(window_->openDataFile(QString::fromStdString(copied("flocks.xlsx").string())));
    window_->matchByHeadings();
    QVERIFY(window_->openDataFile(QString::fromStdString(copied("diets.dts").string())));
    window_->runAnalysis();
    QVERIFY2(window_->state().analysis.firstSortDone, qPrintable(lastLogLine(*window_)));
  }

 private slots:
  void init() {
    dialogs_ = RecordingDialogs();
    window_ = std::make_unique<MainWindow>(
        qt::MainWindowServices{&dialogs_, &clipboard_, std::filesystem::path(PLUMETRA_SOURCE_DIR) / "data"});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void aWorkbookOpensToItsFlocksEveryStepIsReportedAndAHeadingClickSorts() {
    firstAnalysis();
    // The workbook opened to the sheet with the flocks, and said so.
    QVERIFY(ws().flockCount > 200);
    QVERIFY(logHas(*window_, QStringLiteral("flocks.xlsx: %1 flocks from the sheet").arg(ws().flockCount)));
    // Match by headings reported its matches; the diets were opened.
    QVERIFY(logHas(*window_, "Live Weight per Bird * matched to the column \"Avg Weight\""));
    QVERIFY(logHas(*window_, "diets.dts"));
    // The missing flock sex was asked for by name when the run needed it.
    QVERIFY(std::any_of(dialogs_.shown.begin(), dialogs_.shown.end(),
                        [](const std::string& s) { return s.starts_with("The flock sex is not set"); }));
    QCOMPARE(ws().chosenSex, 0);  // mixed
    QVERIFY(lastLogLine(*window_).startsWith(QStringLiteral("Plumetra: %1 flocks analysed").arg(
        window_->state().analysis.groupCount[4])));
    QCOMPARE(window_->statusBar()->currentMessage(), lastLogLine(*window_));
    QVERIFY(dialogs_.busyCalls > 0);
    screenshot(*window_, "main");

    // The results tab shows the core's analysis grid; a click on a heading sorts by that column.
    QCOMPARE(window_->tabs()->currentIndex(), AnalysisTab);
    QTableView* view = window_->gridView(AnalysisTab);
    QCOMPARE(view->model()->rowCount(), ws().analysisGrid.rows());
    const int age = columnOf(ws().analysisGrid, "Age");
    view->scrollTo(view->model()->index(0, age));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, age)).center());
    QCOMPARE(ws().firstSortChoice.text, std::string("Age"));
    for (int r = 23; r < ws().analysisGrid.rows(); ++r)
      QVERIFY2(ws().analysisGrid.value(r - 1, age) <= ws().analysisGrid.value(r, age), std::to_string(r).c_str());
    QCOMPARE(view->model()->index(22, age).data().toString(), QString::fromStdString(ws().analysisGrid.text(22, age)));
  }

  // The chart's titles and regression texts are the core's tests; the window plots, copies and saves.
  void theChartWindowPlotsCopiesAndSaves() {
    firstAnalysis();
    qt::ChartWindow chart(ws(), window_->state().analysis.flockRows, dialogs_, clipboard_, window_.get());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    // Age against live weight: a line and its equation in the result box.
    chart.plotColumnPair("Age", "Avg Weight");
    QVERIFY2(chart.resultText().contains("R Square is"), qPrintable(chart.resultText()));
    QCOMPARE(chart.chart()->series().size(), 2);
    QVERIFY2(unroundTicks(chart.chart()).isEmpty(), qPrintable(unroundTicks(chart.chart())));
    // The copied equation is a one-line spreadsheet formula of the X value in A2.
    for (QPushButton* button : chart.findChildren<QPushButton*>())
      if (button->text() == "Copy Equation") button->click();
    const std::string formula = clipboard_.text();
    QVERIFY2(formula.starts_with("=") && formula.find("*A2") != std::string::npos, formula.c_str());
    QVERIFY(formula.find('\r') == std::string::npos);
    // The chart saves as a PNG picture and as an SVG drawing.
    const QString png = folder_.filePath("chart.png"), svg = folder_.filePath("chart.svg");
    QVERIFY(chart.saveChartAs(png));
    QVERIFY(chart.saveChartAs(svg));
    QCOMPARE(QImage(png).size(), chart.findChild<QChartView*>()->size());
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    QVERIFY(drawing.readAll().contains("<svg"));
    screenshot(chart, "chart");
  }

  // The guide's calibration and what follows it say what they wrote; on the next visit the
  // calibrated location comes back by any of its files chosen (the core's location tests also
  // open it by its name), as "Valley" with the Middle group's breeds and settings.
  void calibrationAndTheReportSayWhatTheyWroteAndTheLocationComesBack() {
    firstAnalysis();
    dialogs_.inputs = {"Valley"};
    window_->state().model.settings.maleBreed = 3;
    window_->state().model.settings.femaleBreed = 3;
    window_->calibrateSplits();
    const QString calibrated = lastLogLine(*window_);
    QVERIFY2(calibrated.startsWith("Calibrate and Store the Flock Splits: wrote ") &&
                 calibrated.contains("ValleyTop.clb") && calibrated.contains("ValleyBottom.clb") &&
                 calibrated.endsWith("(Top = the Low group, lowest feed conversion; Bottom = the High group, highest "
                                     "feed conversion)"),
             qPrintable(calibrated));
    QCOMPARE(window_->activityLog()->folderToOpen(), folder_.path());

    // The lower-cost search shows its diets; the revaluation writes its file.
    window_->lookForLowerCost();
    QCOMPARE(lastLogLine(*window_), QString("Look for Lower Cost: the diets found are in the lower-cost window"));
    QVERIFY(window_->findChild<qt::CalibrationResultsWindow*>());
    window_->revaluePredictions();
    QVERIFY2(lastLogLine(*window_).startsWith("ReValue Predictions: wrote ValleyRevaluage.txt"),
             qPrintable(lastLogLine(*window_)));

    // The correlation window shows the matrix in its colours; its save writes two files, and
    // both are named.
    window_->showCorrelations();
    auto* correlations = window_->findChild<qt::CorrelationWindow*>();
    QVERIFY(correlations && correlations->correlationGrid().rows() > 2);
    QCOMPARE(correlations->view()->model()->index(1, 2).data().toString(),
             QString::fromStdString(correlations->correlationGrid().text(1, 2)));
    QVERIFY(correlations->label()->text().contains("Teal"));  // the colour of 0.84 and above, (32, 178, 170)
    screenshot(*correlations, "correlations");
    dialogs_.files.push_back(std::filesystem::path(folder_.path().toStdString()) / "Valley Corr.txt");
    correlations->save();
    QTRY_COMPARE(lastLogLine(*window_),
                 QStringLiteral("Save: wrote Valley Corr.txt, listofCorr.txt in ") + folder_.path());

    const std::filesystem::path report = std::filesystem::path(folder_.path().toStdString()) / "report.html";
    dialogs_.files.push_back(report);
    for (QAction* action : window_->findChildren<QAction*>())
      if (action->text() == "Save Re&port...") action->trigger();
    QVERIFY(std::filesystem::exists(report));
    QCOMPARE(lastLogLine(*window_), QStringLiteral("Save: wrote report.html in ") + folder_.path());

    // The next visit, in a new window.
    const std::filesystem::path valley = std::filesystem::path(folder_.path().toStdString()) / "Valley";
    init();
    ws().lastDir = valley.parent_path();
    dialogs_.files.push_back(valley.string() + "Bottom.cal");
    window_->chooseLocationFile();
    QCOMPARE(ws().locationFile, valley);
    QCOMPARE(window_->findChild<QLineEdit*>("locationBox")->text().toStdString(), valley.string());
    QCOMPARE(window_->state().model.settings.maleBreed, 3);
    QCOMPARE(lastLogLine(*window_), QString("Location Valley: calibration and breeds read from ValleyMiddle.clb, "
                                            "settings from ValleyMiddle.stg, diets from ValleyMiddle.dts"));
    QCOMPARE(window_->findChild<QLabel*>("locationStatus")->text(), QString("Location: Valley"));
  }

  void openingAnotherFileAsksBeforeResultsAreLost() {
    firstAnalysis();
    const int flocks = ws().flockCount;
    dialogs_.answerYes = false;
    QVERIFY(!window_->openDataFile(QString::fromStdString((Examples / "flocks.csv").string())));
    QCOMPARE(dialogs_.shown.back(),
             std::string("The analysis results have not been saved. Open another file and lose them?"));
    QCOMPARE(ws().flockCount, flocks);
    QVERIFY(window_->state().analysis.firstSortDone);
    // Another sheet, declined: the sheet list still names the sheet the grid shows.
    auto* sheets = window_->findChild<QComboBox*>("flockSheetChoice");
    const QString shown = sheets->currentText();
    emit sheets->activated(sheets->findText("Diets"));
    QCOMPARE(sheets->currentText(), shown);
    QCOMPARE(ws().flockCount, flocks);
    QVERIFY(!window_->close());
    QCOMPARE(dialogs_.shown.back(),
             std::string("The analysis results have not been saved. Close Plumetra and lose them?"));
    // Yes: the new flocks come in and nothing of the old results stays behind them.
    dialogs_.answerYes = true;
    QVERIFY(window_->openDataFile(QString::fromStdString((Examples / "flocks.csv").string())));
    QVERIFY(!window_->state().analysis.firstSortDone);
    QCOMPARE(window_->state().analysis.groupCount[4], 0);
    // Closing now asks nothing: the results it would have lost are gone already.
    dialogs_.shown.clear();
    QVERIFY(window_->close());
    QVERIFY(dialogs_.shown.empty());
  }

  // A double-click on a data cell edits it, one on a heading matches the chosen Data ID; each
  // step undoes.
  void aDataCellIsEditedAHeadingMatchedAndBothUndo() {
    QVERIFY(window_->openDataFile(QString::fromStdString((Examples / "flocks.csv").string())));
    auto* view = window_->gridView(FlockTab);
    const std::vector<std::string> ids = ws().flockDataIds.items;
    const int weight = columnOf(ws().flockGrid, "Avg Weight");
    const QModelIndex cell = view->model()->index(3, weight);
    view->scrollTo(cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QCOMPARE(ws().flockDataIds.items, ids);  // nothing was matched
    auto* editor = view->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    const std::string before = ws().flockGrid.text(3, weight);
    editor->setText("2.75");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(ws().flockGrid.text(3, weight), std::string("2.75"));
    window_->undoStack()->undo();
    QCOMPARE(ws().flockGrid.text(3, weight), before);
    // The view draws the text put back at once.
    QCOMPARE(view->model()->index(3, weight).data().toString(), QString::fromStdString(before));

    ws().flockDataIds.choose(ItemFeedConversion);
    const int convix = columnOf(ws().flockGrid, "Convix");
    const QModelIndex heading = view->model()->index(0, convix);
    view->scrollTo(heading);
    const QPoint at = view->visualRect(heading).center();
    // The heading row lies under its frozen pane, which takes the double-click as the grid would.
    QTableView* top = static_cast<qt::GridView*>(view)->frozenPanes()->panes()[0];
    QTest::mouseDClick(top->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(ws().flockIdSet[ItemFeedConversion]);
    QCOMPARE(window_->statusBar()->currentMessage(),
             QString("Match: Feed Conversion matched to the column \"Convix\""));
    window_->undoStack()->undo();
    QVERIFY(!ws().flockIdSet[ItemFeedConversion]);
    QCOMPARE(ws().flockDataIds.items[ItemFeedConversion], std::string("Feed Conversion"));
    // "Record Selected" matches the selected cell's column, and is a step of its own.
    ws().flockDataIds.choose(ItemFeedConversion);
    ws().flockGrid.setCurrent(5, convix);
    window_->recordSelected();
    QVERIFY(ws().flockIdSet[ItemFeedConversion]);
    QCOMPARE(ws().flockCol[ItemFeedConversion], convix);
    QCOMPARE(window_->undoStack()->undoText(), QString("Record Selected"));
  }

  // "Getting Started": click the grid, Ctrl+V. A table pasted at the first white cell still
  // lands with its headings as the heading row, and Ctrl+M matches them; so do the diets pasted
  // on their tab.
  void aPastedTableFindsItsHeadingsAndAnEmptyMatchSaysWhy() {
    std::string table = "Farm\tHouse\tAge\tAvg Weight\tBirds Placed\n";
    for (int f = 1; f <= 9; ++f) table += "North\t" + std::to_string(f) + "\t42\t2.6\t20000\n";
    clipboard_.setText(table);
    ws().flockGrid.setCurrent(1, 1);
    window_->pasteFromClipboard(GridId::Flock);
    QCOMPARE(ws().flockCount, 9);
    window_->matchByHeadings();
    QVERIFY(ws().flockIdSet[ItemAge] && ws().flockIdSet[ItemLiveWeight]);
    // A block of numbers pasted at the top leaves no headings: Ctrl+M says why it matched nothing.
    window_->undoStack()->undo();
    clipboard_.setText("North\t1\t42\t2.6\nNorth\t2\t41\t2.5\n");
    ws().flockGrid.setCurrent(0, 0);
    window_->pasteFromClipboard(GridId::Flock);
    window_->matchByHeadings();
    QVERIFY2(dialogs_.shown.back().find("The first row of the flock grid holds numbers, not headings") !=
                 std::string::npos,
             dialogs_.shown.back().c_str());
    std::string diets = readTextFile(Examples / "diets.csv").value_or("");
    std::replace(diets.begin(), diets.end(), ',', '\t');
    clipboard_.setText(diets);
    ws().dietGrid.setCurrent(0, 0);
    window_->pasteFromClipboard(GridId::Diet);
    window_->matchByHeadings();
    QVERIFY(ws().nutrientIdSet[1] && ws().nutrientIdSet[2] && ws().nutrientIdSet[3]);
    QCOMPARE(ws().diets.dietCount, 4);
  }
};

QTEST_MAIN(GuideFlowsTest)
#include "guide_flows_test.moc"

// One analysis driven through the main window's slots, as a user does it: paste the flock
// table, match its columns by double-click, paste and match the diets, run "Plumetra",
// then open the side windows over the results.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "round_ticks.h"
#include "desktop/chart_window.h"
#include "desktop/correlation_window.h"
#include "desktop/main_window.h"

#include "files/free_format.h"
#include "workspace/flock_table.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QPushButton>
#include <QValueAxis>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace plumetra;
using plumetra::qt::MainWindow;

namespace {

// A spreadsheet's clipboard form of an example comma-separated file: TAB between cells.
std::string exampleAsClipboard(const std::string& name) {
  std::string text = readTextFile(std::filesystem::path(PLUMETRA_SOURCE_DIR) / "examples" / name).value_or("");
  std::replace(text.begin(), text.end(), ',', '\t');
  return text;
}

int columnOf(const Grid& grid, const std::string& heading) {
  for (int c = 0; c < grid.cols(); ++c)
    if (grid.text(0, c) == heading) return c;
  return -1;
}

// With PLUMETRA_SCREENSHOT set to a folder, the windows are saved there as pictures.
void screenshot(QWidget& widget, const QString& name) {
  if (!qEnvironmentVariableIsSet("PLUMETRA_SCREENSHOT")) return;
  QTest::qWait(100);  // let the chart's scene catch up
  widget.grab().save(qEnvironmentVariable("PLUMETRA_SCREENSHOT") + "/" + name + ".png");
}

}  // namespace

class WorkflowTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;

  RecordingDialogs dialogs_;
  MemoryClipboard clipboard_;
  QTemporaryDir scratch_;
  std::unique_ptr<MainWindow> window_;
  int flocks_ = 0;

  void match(GridId grid, Combo& combo, const std::string& dataId, const std::string& heading) {
    Workspace& ws = window_->state().workspace;
    const auto item = std::find(combo.items.begin(), combo.items.end(), dataId);
    const int col = columnOf(gridOf(ws, grid), heading);
    QVERIFY2(item != combo.items.end() && col >= 0, (dataId + " / " + heading).c_str());
    combo.choose(static_cast<int>(item - combo.items.begin()));
    window_->matchColumn(grid, 0, col);
  }

 private slots:
  void initTestCase() {
    window_ = std::make_unique<MainWindow>(
        qt::MainWindowServices{&dialogs_, &clipboard_, std::filesystem::path(PLUMETRA_SOURCE_DIR) / "data"});
    // Files the run writes beside the data (correlation list) go to a scratch folder.
    QVERIFY(scratch_.isValid());
    window_->state().workspace.LastDir = scratch_.path().toStdString();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void pastedFlocksAreCountedAndShown() {
    const std::string text = exampleAsClipboard("flocks.csv");  // one heading line, no blank lines
    flocks_ = static_cast<int>(std::count(text.begin(), text.end(), '\n')) - 1;
    clipboard_.setText(text);
    QVERIFY(flocks_ > 0);
    Workspace& ws = window_->state().workspace;
    ws.flockGrid.setCurrent(0, 0);
    window_->pasteFromClipboard(GridId::Flock);
    QCOMPARE(ws.FlockCount, flocks_);
    QCOMPARE(window_->gridView(FlockTab)->model()->index(0, 6).data().toString(), QString("Avg Weight"));
  }

  void doubleClickedHeadingsMatchTheFlockItems() {
    Workspace& ws = window_->state().workspace;
    const std::vector<std::pair<std::string, std::string>> items{
        {"HOUSE ID", "House"},          {"Live Weight per Bird *", "Avg Weight"},
        {"No. of Birds in House *", "Birds Placed"}, {"Age at Slaughter *", "Age"},
        {"Feed Conversion", "Convix"},  {"First Feed Intake *", "Starter"},
        {"Second Feed Intake *", "Grower"}, {"Third Feed Intake *", "Finisher"},
        {"Fourth Feed Intake", "Withdrawal"}, {"Flock Density /sqm", "Density"}};
    for (const auto& [id, heading] : items) match(GridId::Flock, ws.flockDataIds, id, heading);
    for (int i = 1; i <= 6; ++i) QVERIFY2(ws.FlockIdSet[static_cast<size_t>(i)], std::to_string(i).c_str());
    // The matched heading shows the match colour.
    const QModelIndex weight = window_->gridView(FlockTab)->model()->index(0, columnOf(ws.flockGrid, "Avg Weight"));
    QCOMPARE(weight.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 124, 0));
    screenshot(*window_, "flocks");
  }

  void pastedDietsMatchTheNutrients() {
    clipboard_.setText(exampleAsClipboard("diets.csv"));
    Workspace& ws = window_->state().workspace;
    ws.dietGrid.setCurrent(0, 0);
    window_->pasteFromClipboard(GridId::Diet);
    const std::vector<std::pair<std::string, std::string>> nutrients{
        {"Feed Energy *", "ME"}, {"Protein", "CP"}, {"Methionine", "Met"}, {"Met Plus Cys *", "M+C"},
        {"Lysine *", "Lys"},     {"Tryptophan", "Trp"}, {"Arginine", "Arg"}, {"Threonine", "Thr"},
        {"Feed Cost", "Price"}};
    for (const auto& [id, heading] : nutrients) match(GridId::Diet, ws.dietDataIds, id, heading);
    QVERIFY(ws.NutrientIdSet[1] && ws.NutrientIdSet[2] && ws.NutrientIdSet[3]);
    QCOMPARE(ws.diets.DietCount, 4);
    window_->tabs()->setCurrentIndex(DietTab);
    screenshot(*window_, "diets");
  }

  void analysisRunFillsTheResultsTab() {
    Workspace& ws = window_->state().workspace;
    ws.chosenSex = 0;
    const int busyBefore = dialogs_.busyCalls;
    window_->runAnalysis();
    QVERIFY(dialogs_.busyCalls > busyBefore);
    QCOMPARE(window_->tabs()->currentIndex(), AnalysisTab);
    // The three groups of the 20/60/20 split hold every flock ("N = " captions).
    int counted = 0;
    for (int row : {11, 13, 15}) {
      const std::string caption = ws.analysisGrid.text(row, 2);
      QVERIFY2(caption.size() >= 3, caption.c_str());
      counted += std::stoi(caption.substr(caption.size() - 3));
    }
    QCOMPARE(counted, flocks_);
    // The view shows the core's analysis grid.
    QAbstractItemModel* shown = window_->gridView(AnalysisTab)->model();
    QCOMPARE(shown->rowCount(), ws.analysisGrid.rows());
    QCOMPARE(shown->index(11, 2).data().toString(), QString::fromStdString(ws.analysisGrid.text(11, 2)));
    screenshot(*window_, "main");
  }

  void headingClickSortsByThatColumn() {
    Workspace& ws = window_->state().workspace;
    QTableView* view = window_->gridView(AnalysisTab);
    const int age = columnOf(ws.analysisGrid, "Age");
    QVERIFY(age > 0);
    view->scrollTo(view->model()->index(0, age));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, age)).center());
    QCOMPARE(ws.firstSortChoice.text, std::string("Age"));
    QCOMPARE(ws.analysisGrid.text(2, 1), std::string("Age"));
    for (int r = 23; r < ws.analysisGrid.rows(); ++r)
      QVERIFY2(ws.analysisGrid.value(r - 1, age) <= ws.analysisGrid.value(r, age), std::to_string(r).c_str());
    QCOMPARE(view->model()->index(22, age).data().toString(), QString::fromStdString(ws.analysisGrid.text(22, age)));
  }

  void correlationWindowShowsTheMatrix() {
    auto* corr = new qt::CorrelationWindow(window_->state(), dialogs_, clipboard_, window_.get());
    corr->show();
    QVERIFY(QTest::qWaitForWindowExposed(corr));
    const Grid& matrix = corr->correlationGrid();
    QVERIFY(matrix.rows() > 2);
    QCOMPARE(matrix.text(0, 1), matrix.text(1, 0));
    QCOMPARE(corr->view()->model()->index(1, 2).data().toString(), QString::fromStdString(matrix.text(1, 2)));
    QVERIFY(corr->label()->text().contains("Teal"));  // the colour of 0.84 and above, (32, 178, 170)
    screenshot(*corr, "correlations");
    // Opening wrote nothing; saving writes the matrix and the statistics list beside it.
    const std::filesystem::path folder = scratch_.path().toStdString();
    QVERIFY(!std::filesystem::exists(folder / "listofCorr.txt"));
    dialogs_.files.push_back(folder / "North Corr.txt");
    corr->save();
    QVERIFY(std::filesystem::exists(folder / "North Corr.txt"));
    QVERIFY(std::filesystem::exists(folder / "listofCorr.txt"));
    QVERIFY(corr->close());
  }

  void chartWindowPlotsTheSortColumnWithItsLine() {
    Workspace& ws = window_->state().workspace;
    qt::ChartWindow chart(ws, window_->state().analysis.flockRows, dialogs_, clipboard_, window_.get());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QVERIFY(chart.titleText().contains("Sorted by"));
    QVERIFY(!chart.chart()->series().isEmpty());
    // Age against live weight: a line and its equation in the result box.
    chart.plotColumnPair("Age", "Avg Weight");
    QVERIFY2(chart.resultText().contains("R Square is"), qPrintable(chart.resultText()));
    QCOMPARE(chart.chart()->series().size(), 2);
    QCOMPARE(chart.titleText(), QString("Avg Weight against Age"));
    QVERIFY2(unroundTicks(chart.chart()).isEmpty(), qPrintable(unroundTicks(chart.chart())));
    // The copied equation is a one-line spreadsheet formula of the X value in A2.
    for (QPushButton* button : chart.findChildren<QPushButton*>())
      if (button->text() == "Copy Equation") button->click();
    const std::string formula = clipboard_.text();
    QVERIFY2(formula.starts_with("=") && formula.find("*A2") != std::string::npos, formula.c_str());
    QVERIFY(formula.find('\r') == std::string::npos);
    // The chart saves as a PNG picture and as an SVG drawing.
    const QString png = scratch_.filePath("chart.png"), svg = scratch_.filePath("chart.svg");
    QVERIFY(chart.saveChartAs(png));
    QVERIFY(chart.saveChartAs(svg));
    QCOMPARE(QImage(png).size(), chart.findChild<QChartView*>()->size());
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    QVERIFY(drawing.readAll().contains("<svg"));
    screenshot(chart, "chart");
    chart.useOrder();
    QCOMPARE(chart.resultText(), QString("No Regression Values"));
  }
};

QTEST_MAIN(WorkflowTest)
#include "workflow_test.moc"

// The windows beside the analysis: metrics, model fit and the saved report, over the example
// analysed by the core.

#include "recording_dialogs.h"
#include "round_ticks.h"
#include "desktop/league_window.h"
#include "desktop/results_windows.h"

#include "analysis/analysis_batch.h"
#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "state/load_inputs.h"
#include "state/startup.h"

#include <QChart>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sstream>

using namespace plumetra;

class ResultsWindowsTest : public QObject {
  Q_OBJECT

  RecordingDialogs dialogs_;
  MemoryClipboard clipboard_;
  std::unique_ptr<AppState> state_ = std::make_unique<AppState>();
  QTemporaryDir scratch_;

 private slots:
  void initTestCase() {
    std::ostringstream quiet;
    BatchDialogs batch(quiet);
    const std::filesystem::path root = PLUMETRA_SOURCE_DIR;
    startUp(*state_, root / "data", batch);
    LoadInputsOptions inputs;
    inputs.flocks = scratch_.filePath("flocks.csv").toStdString();  // the analysis writes its .lst beside it
    QVERIFY(QFile::copy(QString::fromStdString((root / "examples" / "flocks.csv").string()),
                        QString::fromStdString(inputs.flocks.string())));
    inputs.diets = root / "examples" / "diets.dts";
    inputs.listFile = std::filesystem::path();
    inputs.autoMatch = true;
    QVERIFY(loadInputs(*state_, inputs, batch).ok);
    AnalysisSettings settings;
    settings.sex = 0;
    state_->analysisResult = runAnalysis(state_->workspace, state_->model, state_->analysis, settings, batch).result;
    QVERIFY(state_->analysisResult.has_value());
  }

  void leagueWindowRanksTheFarmsWithTheirIntervals() {
    auto* window = new qt::LeagueWindow(*state_, clipboard_, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The example's eight farms, ranked 1-8; one interval line each and the means.
    QCOMPARE(static_cast<int>(window->league().entries.size()), 8);
    QCOMPARE(window->league().entries.back().rank, 8);
    QCOMPARE(static_cast<int>(window->chart()->series().size()), 8 + 1);
    window->close();
  }

  void metricsWindowShowsTheTableAndRecalculates() {
    auto* window = new qt::MetricsWindow(*state_, clipboard_, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->view()->model()->index(0, 0).data().toString(), QString("Farm"));
    QCOMPARE(window->view()->model()->index(0, FlockKeyColumns).data().toString(), QString("ADG g/day"));
    QCOMPARE(static_cast<int>(window->table().keys.size()), state_->analysis.GroupCount[4]);
    const double mean = window->table().standardWeight;
    window->findChild<QLineEdit*>("standardWeight")->setText("2,0");  // a decimal comma reads too
    window->recalculate();
    QCOMPARE(window->table().standardWeight, 2.0);
    QVERIFY(mean != 2.0);
    window->close();
  }

  void modelFitWindowPlotsAgainstTheOneToOneLine() {
    auto* window = new qt::ModelFitWindow(*state_, clipboard_, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!window->fit().calibrated);             // nothing calibrated yet
    QCOMPARE(window->chart()->series().size(), 2);  // the flocks and the 1:1 line
    window->showItem(FitAge);
    QVERIFY(window->chart()->title().endsWith("Age"));
    QVERIFY2(unroundTicks(window->chart()).isEmpty(), qPrintable(unroundTicks(window->chart())));
    window->close();
  }

  void saveReportWritesOnePage() {
    QTemporaryDir scratch;
    const std::filesystem::path file = std::filesystem::path(scratch.path().toStdString()) / "farm.html";
    dialogs_.files.push_back(file);
    QVERIFY(qt::saveReport(*state_, dialogs_));
    const auto html = readTextFile(file);
    QVERIFY(html.has_value());
    QVERIFY(html->find("<section id=\"metrics\">") != std::string::npos);
    // Cancelling the file dialog writes nothing.
    QVERIFY(!qt::saveReport(*state_, dialogs_));
  }
};

QTEST_MAIN(ResultsWindowsTest)
#include "results_windows_test.moc"

// The windows beside the analysis: metrics, model fit and the saved report, over the example
// analysed by the core.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "round_ticks.h"
#include "desktop/league_window.h"
#include "desktop/results_windows.h"

#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "tests/support/analysed_file.h"

#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <sstream>

using namespace plumetra;

class ResultsWindowsTest : public QObject {
  Q_OBJECT

  IsolatedSettings settings_;
  RecordingDialogs dialogs_;
  MemoryClipboard clipboard_;
  std::unique_ptr<AppState> state_ = std::make_unique<AppState>();

 private slots:
  void initTestCase() {
    std::ostringstream quiet;
    BatchDialogs batch(quiet);
    QVERIFY(testing::analyseFile(*state_, testing::ExampleFolder / "flocks.csv", batch).result.has_value());
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

  // At a new standard weight every flock's adjusted FCR moves by (new - old weight) x slope,
  // and the group means with them; the weight typed comes back in the next window.
  void metricsWindowRecalculatesEveryFlockAndRemembersTheWeight() {
    auto* window = new qt::MetricsWindow(*state_, clipboard_, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->view()->model()->index(0, 0).data().toString(), QString("Farm"));
    QCOMPARE(window->view()->model()->index(0, 1).data().toString(), QString("House"));
    QCOMPARE(window->view()->model()->index(0, FlockKeyColumns).data().toString(), QString("ADG g/day"));
    QVERIFY(!window->view()->model()->index(1, 0).data().toString().isEmpty());  // the farm, not only the house
    QCOMPARE(static_cast<int>(window->table().keys.size()), state_->analysis.groupCount[4]);
    const MetricsTable before = window->table();
    const double mean = before.standardWeight;
    const double slope = before.fcrComparison.adjustment.slope.slope;

    window->findChild<QLineEdit*>("standardWeight")->setText("2,0");  // a decimal comma reads too
    window->recalculate();
    const MetricsTable& after = window->table();
    QCOMPARE(after.standardWeight, 2.0);
    QVERIFY(mean != 2.0);
    for (std::size_t f = 0; f < after.values.size(); ++f) {
      const double moved = after.values[f][MetricAdjustedFcr] - before.values[f][MetricAdjustedFcr];
      if (std::isfinite(moved)) QVERIFY(std::fabs(moved - (2.0 - mean) * slope) < 1e-9);
    }
    const auto groupMean = [](const MetricsTable& t, int g) {
      return t.groups[MetricAdjustedFcr].groups[static_cast<std::size_t>(g)].mean;
    };
    for (int g = 1; g <= 4; ++g) QVERIFY(std::fabs(groupMean(after, g) - groupMean(before, g) - (2.0 - mean) * slope) < 1e-9);
    window->close();

    auto* reopened = new qt::MetricsWindow(*state_, clipboard_, nullptr);
    QCOMPARE(reopened->findChild<QLineEdit*>("standardWeight")->text(), QString("2,0"));
    QCOMPARE(reopened->table().standardWeight, 2.0);
    // A weight that does not read is named, and the mean weight is used.
    reopened->findChild<QLineEdit*>("standardWeight")->setText("two");
    reopened->recalculate();
    QCOMPARE(reopened->table().standardWeight, mean);
    QVERIFY(reopened->label()->text().startsWith("\"two\" is not a live weight in kg"));
    reopened->findChild<QLineEdit*>("standardWeight")->clear();
    reopened->recalculate();
    reopened->close();
    QVERIFY(qt::MetricsWindow(*state_, clipboard_, nullptr).findChild<QLineEdit*>("standardWeight")->text().isEmpty());
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

// The windows beside the analysis: league, metrics and model fit, over the example analysed
// by the core.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "round_ticks.h"
#include "desktop/league_window.h"
#include "desktop/results_windows.h"

#include "controls/batch_dialogs.h"
#include "tests/support/analysed_file.h"

#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

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
    // The example's eight farms, one interval line each and the means.
    QCOMPARE(static_cast<int>(window->league().entries.size()), 8);
    QCOMPARE(static_cast<int>(window->chart()->series().size()), 8 + 1);
    window->close();
  }

  // The weight typed reaches the metrics (the adjusted FCR at a chosen weight is the core's
  // test) and comes back in the next window.
  void metricsWindowRecalculatesAtTheWeightTypedAndRemembersIt() {
    auto* window = new qt::MetricsWindow(*state_, clipboard_, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->view()->model()->index(0, FlockKeyColumns).data().toString(), QString("ADG g/day"));
    QVERIFY(!window->view()->model()->index(1, 0).data().toString().isEmpty());  // the farm, not only the house
    QCOMPARE(static_cast<int>(window->table().keys.size()), state_->analysis.groupCount[4]);
    const double mean = window->table().standardWeight;

    window->findChild<QLineEdit*>("standardWeight")->setText("2,0");  // a decimal comma reads too
    window->recalculate();
    QCOMPARE(window->table().standardWeight, 2.0);
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
};

QTEST_MAIN(ResultsWindowsTest)
#include "results_windows_test.moc"

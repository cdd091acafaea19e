// The secondary windows open over the core's state, show it, pass the user's actions to
// the core and close.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/category_window.h"
#include "desktop/save_dialog.h"
#include "desktop/settings_window.h"

#include "state/startup.h"
#include "files/free_format.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

using namespace plumetra;

namespace {

QString cell(const qt::GridWindow& window, int row, int col) {
  return window.view()->model()->index(row, col).data().toString();
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;

  RecordingDialogs dialogs_;
  MemoryClipboard clipboard_;

 private slots:
  // The window's lists reach the core (which puts back on Cancel and stores on OK, as the
  // settings window's own tests check); either button closes and frees the window.
  void settingsWindowCancelPutsBackAndOkStores() {
    AppState state;
    startUp(state, std::filesystem::path(PLUMETRA_SOURCE_DIR) / "data", dialogs_);
    state.window.locationBox.text = "/data/farms/North";  // a location typed in the main window
    state.model.settings.units.aminoBasis = AminoBasis::Total;
    const auto open = [&] {
      auto* window = new qt::SettingsWindowView(state, dialogs_, nullptr);
      window->show();
      return window;
    };
    auto* window = open();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* amino = window->findChildren<QComboBox*>().at(2);
    amino->setCurrentIndex(1);
    emit amino->activated(1);
    QCOMPARE(state.model.settings.units.aminoBasis, AminoBasis::Avail);
    QPointer<QWidget> alive(window);
    window->findChild<QPushButton*>("cancelButton")->click();
    QCOMPARE(state.model.settings.units.aminoBasis, AminoBasis::Total);
    QTRY_VERIFY(alive.isNull());

    window = open();
    window->window().energyUnit.choose(4);
    window->window().weightUnit.choose(2);
    alive = window;
    QVERIFY(window->confirm());
    QCOMPARE(state.model.settings.units.energyChoice, 4);
    QCOMPARE(state.model.settings.units.weightChoice, 2);
    QTRY_VERIFY(alive.isNull());
  }

  void saveDialogWritesTheChosenGridWhereTheUserChose() {
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    Workspace ws;
    ws.lastDir = folder;
    ws.locationFile = folder / "North";
    ws.flockGrid.resize(2, 2);
    ws.flockGrid.setText(0, 0, "Farm");
    ws.flockGrid.setText(1, 0, "Oak");

    qt::SaveDialogView view(ws, dialogs_, nullptr);
    view.dialog().dataSet.choose(static_cast<int>(SaveEntry::FlockData));
    tickAsText(view.dialog(), true);
    dialogs_.files.push_back((folder / "flocks.txt").string());  // the folder the user chose
    view.ok();
    QCOMPARE(readTextFile(folder / "flocks.txt"), std::optional<std::string>("Farm\t\r\nOak\t\r\n"));
  }

  // Two farms of 4 and 5 flocks, ages 40 +- 3 and 42 +- 1: t = 2 / sqrt(9/4 + 1/5) = 1.278.
  // Choosing the variable in the window calculates (the t values' rules are the core's tests).
  void categoryWindowOpensTheTValuesOfTheChosenVariable() {
    AppState state;
    AnalysisState& st = state.analysis;
    Grid& averages = st.categoryWindow.averages;
    averages.resize(10, 2);
    for (const auto& [row, col, text] : std::vector<std::tuple<int, int, std::string>>{
             {0, 1, "Age"}, {1, 0, "Oak  Average"}, {1, 1, "40"}, {2, 1, "3"},
             {4, 0, "Pine  Average"}, {4, 1, "42"}, {5, 1, "1"}})
      averages.setText(row, col, text);
    st.categoryWindow.statistics = {{BlockStatistics{4, 40.0, 3.0}, BlockStatistics{5, 42.0, 1.0}}};
    st.categories = {{"Oak", 22, 4, 1}, {"Pine", 26, 5, 2}};

    qt::CategoryWindowView window(state, dialogs_, clipboard_, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(cell(window, 4, 0), QString("Pine  Average"));

    qt::TValueWindowView tval(state, dialogs_, clipboard_, nullptr);
    tval.show();
    QCOMPARE(cell(tval, 0, 2), QString("Pine  Average"));
    auto* variables = tval.findChild<QComboBox*>();
    variables->setCurrentIndex(0);
    emit variables->activated(0);
    QCOMPARE(cell(tval, 1, 2), QString("1.278"));
  }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"

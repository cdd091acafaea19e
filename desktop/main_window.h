#pragma once
// The main window. It shows the AppState's grids and controls and forwards
// the user's actions to the core; it holds no behaviour of its own. Every slot calls one
// core function and then refresh().

#include "calibration/location.h"
#include "calibration/lower_cost_search.h"
#include "presenters/lower_cost_window.h"
#include "presenters/revaluation_window.h"
#include "state/app_state.h"
#include "desktop/grid_view.h"
#include "desktop/qt_dialogs.h"
#include "desktop/watching_dialogs.h"
#include "desktop/written_files.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QUndoStack;

namespace plumetra::qt {

class ActivityLog;
class CalibrationResultsWindow;
class CategoryWindowView;
class CorrelationWindow;
class RevaluationWindow;

// What the window talks to; tests hand in scripted dialogs and a memory clipboard.
struct MainWindowServices {
  Dialogs* dialogs = nullptr;      // null: real Qt dialogs
  Clipboard* clipboard = nullptr;  // null: the system clipboard
  std::filesystem::path appDir;    // empty: the executable's folder
};

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(const MainWindowServices& services = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  AppState& state() { return state_; }
  QTabWidget* tabs() const { return tabs_; }
  QTableView* gridView(int tab) const { return views_.at(static_cast<size_t>(tab)); }
  QCheckBox* statisticsShown() const { return statisticsShown_; }
  QUndoStack* undoStack() const { return undo_; }
  // Shows the core's current state in the widgets.
  void refresh();
  // Opens a flock or diet file named by path (a dropped file, a recent file).
  bool openDataFile(const QString& path);
  const QStringList& recentFiles() const { return recentFiles_; }
  ActivityLog* activityLog() const { return log_; }
  // Tells what a command did: on the status bar and as a line of the log panel; `folder` is
  // where the files it names lie.
  void report(const QString& text, const QString& folder = {});

  // The user's actions, as the widgets call them (public so tests can drive them).
  void pasteFromClipboard(GridId grid);
  void matchColumn(GridId grid, int row, int col);  // double-click on a heading
  void recordSelected();                            // "Record Selected"
  void clearItem(GridId grid);                      // "Clear an Item"
  void chooseFlockSheet();                          // a sheet of the flock workbook chosen
  void runAnalysis();                               // "Plumetra"
  void calibrateSplits();                           // "Calibrate and Store the Flock Splits"
  void lookForLowerCost();                          // "Look for Lower Cost with Feed Intake"
  void revaluePredictions();                        // "ReValue Predictions"
  void identifyOutliers();                          // "Outlier Ident."
  void showCorrelations();                          // "Show Correlations"
  void plotSortedData();                            // "Plot the Sorted Data"
  void openSettings();                              // menu "Set Values"
  void openAnyFile();                               // "Open..."
  void openDiets();                                 // a diet file (.dts)
  void saveData();                                  // menu "Save Data"
  void matchByHeadings();                           // "Match by Headings"
  void leaveLocation();                             // the location box left for another control
  void chooseLocationFile();                        // a double-click on the location box

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenus();
  void buildHelpMenu();
  void buildStatusBar();
  void refreshStatus();
  void refreshRecentMenu();
  void rememberFile(const QString& path);
  // Runs an opening command and keeps the data file it opened among the recent files.
  void openThenRemember(const std::function<void()>& open);
  // An opening command as an undoable step that asks first when results would be lost; a
  // workbook opened shows the sheet that holds the flocks.
  void openFile(const std::function<void()>& open);
  void loadFlockSheetOfWorkbook();
  // ": 216 flocks from the sheet "Flocks"", for the report of an opened file.
  QString openedText() const;
  void restoreSettings();
  void storeSettings() const;
  // Asks before unsaved analysis results are lost (`question` names what loses them); true
  // when the user may go on.
  bool mayDiscardResults(const std::string& question);
  // Runs a command that may start a new data set: asks first when results would be lost,
  // and afterwards forgets whatever depended on the results it replaced.
  // False when the user kept the results (nothing ran).
  bool newDataStep(const std::string& question, const std::function<void()>& command);
  void forgetResults();
  // Runs `change` on `grid` as one step the user can undo.
  void undoableGridChange(Grid& grid, const QString& text, const std::function<void()>& change);
  // Runs a step that may change the grids or the matches as one step the user can undo, and
  // reports what it matched; false when it changed nothing.
  bool undoableDataStep(const QString& text, const std::function<void()>& step);
  // A typed cell (already in the grid) as an undoable step.
  void editCell(GridId grid, int row, int col, const std::string& before);
  void afterUndoStep();
  // A message shown, as a line of the log.
  void logMessage(const std::string& text);
  // A save dialog pointed at `file`: what is written there is reported once the command is done.
  void watchSave(const std::filesystem::path& file);
  // Reports the files written where a save dialog pointed.
  void reportSaves();
  void removeOutliersUndoably();
  // "Location Valley: ..." what naming the location read, when it named another location.
  void reportLocation(const LocationOpened& opened, const std::filesystem::path& before);
  // The settings' cost unit (set in the settings window or read with a location) prices the diets.
  void takeSettingsPricing();
  QWidget* buildTopPanel();
  QWidget* buildFlockTab();
  QWidget* buildDietTab();
  QWidget* buildAnalysisTab();
  GridView* addGrid(Grid& grid, GridId id, const char* name);
  // Widgets bound to a core control: refresh() mirrors the control, the user's action
  // calls `action` (a combo's choice is stored in the control first).
  // Each widget is named after its core control (e.g. "analyseButton").
  QPushButton* bindButton(Button& button, const char* name, const std::function<void()>& action);
  QComboBox* bindCombo(Combo& combo, const char* name, const std::function<void()>& chosen = {});
  QLineEdit* bindTextBox(TextBox& box, const char* name, bool readOnly);
  QLabel* bindLabel(Label& label, const char* name = nullptr);

  // Runs a core call, then refreshes the widgets.
  void act(const std::function<void()>& action);
  // A long command: run on a worker thread with the busy pointer, its dialogs carried out
  // on the window's thread; meanwhile the windows take no commands and the grids show what
  // they held before it started.
  // Returns the data folder as it was before the command, to tell what the command wrote there.
  FolderSnapshot actLong(const std::function<void(Dialogs&)>& command);
  // "`command`: wrote A, B in FOLDER" or "`command`: no file was written", then `note`.
  void reportWritten(const QString& command, const FolderSnapshot& folder, const QString& note = {});
  void setCommandsEnabled(bool on);
  void gridKey(GridId grid, GridKey key);
  void showPopup(GridId grid, const QPoint& globalPos);
  void sortByHeading(int col);
  void firstSortChosen();
  void secondSortChosen();
  void startSecondSort();
  void clearSecondSort();
  void saveToExcel();
  void showOpenWindows();

  Dialogs& dialogs();
  Clipboard& clipboard();
  GridView* viewOf(GridId id) const { return views_.at(static_cast<size_t>(id)); }

  AppState state_;
  LowerCostRecord lowerCost_;
  LowerCostWindowState lowerCostState_;
  RevaluationWindowState revaluationState_;

  QtDialogs qtDialogs_;
  QtClipboard qtClipboard_;
  Clipboard* clipboard_;
  std::unique_ptr<WatchingDialogs> dialogs_;
  std::vector<FolderSnapshot> pendingSaves_;  // folders where a save dialog pointed
  ActivityLog* log_ = nullptr;

  QTabWidget* tabs_ = nullptr;
  std::array<GridView*, 3> views_{};
  QMenu* popup_ = nullptr;
  GridId popupGrid_ = GridId::Flock;
  std::vector<std::function<void()>> refreshers_;  // one per mirrored control
  bool commandRunning_ = false;
  int loadedFlockSheet_ = -1;  // the flock sheet the flock grid shows
  unsigned long savedResults_ = 0;  // the analysis grid's revision when its results were last saved
  QUndoStack* undo_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QStringList recentFiles_;
  std::array<QLabel*, 4> status_{};  // data file, location, flocks, required Data IDs matched

  QLineEdit* locationBox_ = nullptr;
  QLineEdit* dataFileBox_ = nullptr;
  QLabel* flockSexLabel_ = nullptr;
  QLabel* performanceLabel_ = nullptr;
  QCheckBox* statisticsShown_ = nullptr;  // the analysis grid's statistics rows in sight

  QPointer<CalibrationResultsWindow> calibrationWindow_;
  QPointer<RevaluationWindow> revaluationWindow_;
  QPointer<CategoryWindowView> categoryWindow_;
  QPointer<CorrelationWindow> correlationWindow_;
};

}  // namespace plumetra::qt

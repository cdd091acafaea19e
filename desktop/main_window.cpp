// The main window's widgets and how each is bound to the core's control state.

#include "desktop/main_window.h"

#include "analysis/analysis_state.h"
#include "model/breed_data.h"
#include "controls/number_format.h"
#include "presenters/main_window_presenter.h"
#include "state/startup.h"
#include "desktop/activity_log.h"
#include "desktop/control_binding.h"
#include "desktop/flow_layout.h"
#include "desktop/grid_model.h"
#include "desktop/screen_fit.h"
#include "workspace/window_help.h"
#include "workspace/diet_grid.h"
#include "workspace/flock_import.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace plumetra::qt {

namespace {
// Widgets that belong together (a label and its box) wrap as one.
QWidget* group(QWidget* parent, std::initializer_list<QWidget*> widgets) {
  auto* box = new QWidget(parent);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) layout->addWidget(w);
  return box;
}

// A band of controls that wraps onto more lines when the window is narrow.
QWidget* band(QWidget* parent, std::initializer_list<QWidget*> widgets) {
  auto* box = new QWidget(parent);
  auto* layout = new FlowLayout(box);
  for (QWidget* w : widgets) layout->addWidget(w);
  return box;
}
}  // namespace

MainWindow::MainWindow(const MainWindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      qtDialogs_(this),
      clipboard_(services.clipboard ? services.clipboard : &qtClipboard_),
      dialogs_(std::make_unique<WatchingDialogs>(
          services.dialogs ? *services.dialogs : qtDialogs_,
          WatchingDialogs::Watchers{[this](const std::string& text) { logMessage(text); },
                                    [this](const std::filesystem::path& file) { watchSave(file); }})),
      undo_(new QUndoStack(this)) {
  setWindowTitle(QStringLiteral("Plumetra %1").arg(QStringLiteral(PLUMETRA_VERSION)));
  setAcceptDrops(true);
  qApp->installEventFilter(new ScreenFit(this));
  // Installed, the breed data lie in share/plumetra beside the program's bin folder.
  const std::filesystem::path appDir =
      services.appDir.empty() ? breedDataFolder(QCoreApplication::applicationDirPath().toStdString()) : services.appDir;
  startUp(state_, appDir, dialogs());

  log_ = new ActivityLog(this);
  addDockWidget(Qt::BottomDockWidgetArea, log_);
  buildMenus();
  buildStatusBar();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildTopPanel());
  tabs_ = new QTabWidget(central);
  tabs_->setObjectName(QStringLiteral("tabs"));
  const auto& captions = state_.window.tabCaptions;
  tabs_->addTab(buildFlockTab(), q(captions.at(FlockTab)));
  tabs_->addTab(buildDietTab(), q(captions.at(DietTab)));
  tabs_->addTab(buildAnalysisTab(), q(captions.at(AnalysisTab)));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { act([&] { selectTab(state_.workspace, tab); }); });
  layout->addWidget(tabs_, 1);
  setCentralWidget(central);
  restoreSettings();
  savedResults_ = state_.workspace.analysisGrid.revision();
  refresh();
}

MainWindow::~MainWindow() {
  // An editor still open commits as the views go: the window takes no more edits by then.
  for (GridView* view : views_) disconnect(view->gridModel(), nullptr, this, nullptr);
}

QWidget* MainWindow::buildTopPanel() {
  auto* panel = new QWidget(this);
  locationBox_ = bindTextBox(state_.window.locationBox, "locationBox", false);
  locationBox_->setMinimumWidth(320);
  locationBox_->installEventFilter(this);
  dataFileBox_ = bindTextBox(state_.window.dataFileBox, "dataFileBox", true);
  dataFileBox_->setMinimumWidth(240);
  dataFileBox_->installEventFilter(this);
  QLineEdit* hint = bindTextBox(state_.window.matchHintBox, "matchHintBox", true);
  hint->setMinimumWidth(330);

  flockSexLabel_ = bindLabel(state_.window.flockSexLabel, "flockSexLabel");
  flockSexLabel_->setToolTip(q(FlockSexLabelTip));
  flockSexLabel_->setCursor(Qt::PointingHandCursor);
  flockSexLabel_->installEventFilter(this);
  QComboBox* flockSex = bindCombo(state_.window.flockSexChoice, "flockSexChoice",
                                  [this] { state_.workspace.chosenSex = state_.window.flockSexChoice.index; });
  flockSex->setToolTip(q(FlockSexTip));
  std::array<QLineEdit*, 3> splitBoxes{};
  for (std::size_t group = 0; group < splitBoxes.size(); ++group) {
    static constexpr std::array<const char*, 3> objectNames{"lowSplitBox", "middleSplitBox", "highSplitBox"};
    splitBoxes[group] = bindTextBox(state_.window.splitBoxes[group], objectNames[group], false);
    splitBoxes[group]->setMaximumWidth(48);
    connect(splitBoxes[group], &QLineEdit::textEdited, this, [this, group](const QString& text) {
      state_.workspace.splitPercent[group] = readNumber(text.toStdString());
    });
  }

  auto* layout = new FlowLayout(panel);
  for (QWidget* w :
       {group(panel, {bindLabel(state_.window.locationLabel), locationBox_}),
        static_cast<QWidget*>(bindButton(state_.window.gettingStartedButton, "gettingStartedButton",
                                         [this] { showGettingStarted(dialogs()); })),
        static_cast<QWidget*>(dataFileBox_), static_cast<QWidget*>(hint),
        group(panel, {bindLabel(state_.window.splitLabel), bindLabel(state_.window.splitCaptions[0]), splitBoxes[0],
                      bindLabel(state_.window.splitCaptions[1]), splitBoxes[1], bindLabel(state_.window.splitCaptions[2]),
                      splitBoxes[2]}),
        // The run needs the flock sex: the list sits with the run button.
        group(panel, {flockSexLabel_, flockSex,
                      bindButton(state_.window.analyseButton, "analyseButton", [this] { runAnalysis(); })}),
        static_cast<QWidget*>(bindButton(state_.window.calibrateButton, "calibrateButton", [this] { calibrateSplits(); })),
        static_cast<QWidget*>(bindButton(state_.window.lowerCostButton, "lowerCostButton", [this] { lookForLowerCost(); })),
        static_cast<QWidget*>(bindButton(state_.window.revalueButton, "revalueButton", [this] { revaluePredictions(); })),
        static_cast<QWidget*>(bindButton(state_.window.outlierButton, "outlierButton", [this] { identifyOutliers(); })),
        static_cast<QWidget*>(bindButton(state_.window.correlationButton, "correlationButton", [this] { showCorrelations(); })),
        static_cast<QWidget*>(bindButton(state_.window.sortHelpButton, "sortHelpButton", [this] { showSortHelp(dialogs()); })),
        static_cast<QWidget*>(bindButton(state_.window.recordButton, "recordButton", [this] { recordSelected(); }))})
    layout->addWidget(w);
  return panel;
}

QWidget* MainWindow::buildFlockTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* sheets = bindCombo(ws.flockSheetChoice, "flockSheetChoice", [this] { chooseFlockSheet(); });
  sheets->setToolTip(q(SheetTip));
  sheets->setMinimumWidth(200);
  QComboBox* ids = bindCombo(ws.flockDataIds, "flockDataIds");
  ids->setToolTip(q(DataIdTip));
  ids->setMinimumWidth(220);
  QLineEdit* wt = bindTextBox(state_.window.averageWeightBox, "averageWeightBox", true);
  QLineEdit* age = bindTextBox(state_.window.averageConversionBox, "averageConversionBox", true);
  for (QLineEdit* box : {wt, age}) box->setMaximumWidth(90);
  layout->addWidget(band(tab, {sheets, group(tab, {bindLabel(state_.window.flockDataIdLabel), ids}),
                               bindButton(state_.window.clearFlockItemButton, "clearFlockItemButton", [this] { clearItem(GridId::Flock); }),
                               bindButton(state_.window.skipFlockItemButton, "skipFlockItemButton", [&ws] { skipItem(ws.flockDataIds); }),
                               group(tab, {bindLabel(state_.window.averageWeightLabel), wt}),
                               group(tab, {bindLabel(state_.window.averageConversionLabel), age})}));
  layout->addWidget(addGrid(ws.flockGrid, GridId::Flock, "flockGrid"), 1);
  return tab;
}

QWidget* MainWindow::buildDietTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* sheets = bindCombo(ws.dietSheetChoice, "dietSheetChoice", [this, &ws] {
    newDataStep("Load another diet sheet and lose them?", [&] { loadDietSheet(ws, dialogs()); });
  });
  sheets->setToolTip(q(SheetTip));
  sheets->setMinimumWidth(200);
  QComboBox* ids = bindCombo(ws.dietDataIds, "dietDataIds");
  ids->setToolTip(q(DataIdTip));
  ids->setMinimumWidth(220);
  layout->addWidget(band(tab, {sheets, group(tab, {bindLabel(state_.window.dietDataIdLabel), ids}),
                               bindButton(state_.window.clearDietItemButton, "clearDietItemButton", [this] { clearItem(GridId::Diet); }),
                               bindButton(state_.window.skipDietItemButton, "skipDietItemButton", [&ws] { skipItem(ws.dietDataIds); }),
                               bindButton(state_.window.openDietFileButton, "openDietFileButton",
                                          [this] { openDiets(); })}));
  layout->addWidget(addGrid(ws.dietGrid, GridId::Diet, "dietGrid"), 1);
  return tab;
}

QWidget* MainWindow::buildAnalysisTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* first = bindCombo(ws.firstSortChoice, "firstSortChoice", [this] { firstSortChosen(); });
  first->setToolTip(q(FirstSortTip));
  first->setMinimumWidth(180);
  QComboBox* second = bindCombo(ws.secondSortChoice, "secondSortChoice", [this] { secondSortChosen(); });
  second->setMinimumWidth(180);
  statisticsShown_ = new QCheckBox(QStringLiteral("Show the Statistics Rows"), tab);
  statisticsShown_->setObjectName(QStringLiteral("statisticsShown"));
  statisticsShown_->setToolTip(QStringLiteral("Rows 1-21 hold the averages of the groups; without them more "
                                              "flocks fit on the screen"));
  statisticsShown_->setChecked(true);
  connect(statisticsShown_, &QCheckBox::toggled, this, [this] { refresh(); });
  performanceLabel_ = bindLabel(state_.window.performanceLabel, "performanceLabel");
  performanceLabel_->setCursor(Qt::PointingHandCursor);
  performanceLabel_->installEventFilter(this);
  layout->addWidget(band(tab, {group(tab, {bindLabel(state_.window.firstSortLabel), first}),
                               group(tab, {bindLabel(state_.window.secondSortLabel), second}),
                               bindButton(state_.window.startSecondSortButton, "startSecondSortButton", [this] { startSecondSort(); }),
                               bindButton(state_.window.clearSecondSortButton, "clearSecondSortButton", [this] { clearSecondSort(); }),
                               bindButton(state_.window.plotButton, "plotButton", [this] { plotSortedData(); }),
                               bindLabel(state_.window.sortOrderLabel), performanceLabel_, statisticsShown_}));
  GridView* view = addGrid(ws.analysisGrid, GridId::Analysis, "analysisGrid");
  view->setPointSize(state_.window.analysisGridFontSize);
  layout->addWidget(view, 1);
  return tab;
}

GridView* MainWindow::addGrid(Grid& grid, GridId id, const char* name) {
  auto* view = new GridView(grid, this);
  view->setObjectName(QString::fromLatin1(name));
  view->setMinimumHeight(120);
  views_.at(static_cast<size_t>(id)) = view;
  connect(view, &GridView::activated, this, [this, id] { state_.workspace.activeGrid = id; });
  connect(view, &GridView::keyCommand, this, [this, id](GridKey key) { gridKey(id, key); });
  connect(view, &GridView::popupRequested, this, [this, id](const QPoint& at) { showPopup(id, at); });
  connect(view, &GridView::cellDoubleClicked, this, [this, id](int r, int c) { matchColumn(id, r, c); });
  connect(view->gridModel(), &GridModel::edited, this,
          [this, id](int r, int c, const std::string& before) { editCell(id, r, c, before); });
  if (id == GridId::Analysis)
    connect(view, &GridView::cellClicked, this, [this](int r, int c) {
      if (r == 0) sortByHeading(c);
    });
  return view;
}

QPushButton* MainWindow::bindButton(Button& button, const char* name, const std::function<void()>& action) {
  auto* widget = new QPushButton(this);
  widget->setObjectName(QString::fromLatin1(name));
  connect(widget, &QPushButton::clicked, this, [this, action] { act(action); });
  refreshers_.push_back([widget, &button] { showButton(widget, button); });
  return widget;
}

QComboBox* MainWindow::bindCombo(Combo& combo, const char* name, const std::function<void()>& chosen) {
  auto* widget = new QComboBox(this);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(widget, &QComboBox::activated, this, [this, &combo, chosen](int index) {
    act([&] {
      combo.choose(index);
      if (chosen) chosen();
    });
  });
  refreshers_.push_back([widget, &combo] { showCombo(widget, combo); });
  return widget;
}

QLineEdit* MainWindow::bindTextBox(TextBox& box, const char* name, bool readOnly) {
  auto* widget = new QLineEdit(this);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setReadOnly(readOnly);
  connect(widget, &QLineEdit::textEdited, this, [&box](const QString& text) { box.text = text.toStdString(); });
  refreshers_.push_back([widget, &box] { showTextBox(widget, box); });
  return widget;
}

QLabel* MainWindow::bindLabel(Label& label, const char* name) {
  auto* widget = new QLabel(this);
  if (name) widget->setObjectName(QString::fromLatin1(name));
  refreshers_.push_back([widget, &label] { showLabel(widget, label); });
  return widget;
}

void MainWindow::refresh() {
  showWorkspace(state_, state_.window);
  for (const auto& mirror : refreshers_) mirror();
  for (GridView* view : views_) {
    view->refresh();
    // The heading row and the fixed columns stay in view; the flock and analysis grids also
    // keep their first two data columns (farm and house in the usual table) beside them.
    const Grid& grid = view->grid();
    view->setFrozen(std::max(grid.fixedRows(), 1), grid.fixedCols() + (view == viewOf(GridId::Diet) ? 0 : 2));
  }
  viewOf(GridId::Analysis)->setRowsOutOfSight(1, statisticsShown_->isChecked() ? 0 : FirstFlockRow - 1);
  if (tabs_->currentIndex() != state_.workspace.shownTab) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(state_.workspace.shownTab);
  }
  showOpenWindows();
  refreshStatus();
}

}  // namespace plumetra::qt

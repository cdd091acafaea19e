// The main window's widgets and how each is bound to the core's control state.

#include "desktop/main_window.h"
#include "desktop/results_windows.h"

#include "state/startup.h"
#include "desktop/control_binding.h"
#include "desktop/grid_model.h"
#include "workspace/window_help.h"
#include "workspace/diet_grid.h"
#include "workspace/flock_import.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace plumetra::qt {

namespace {
constexpr int TwipsPerPixel = 15;
constexpr int StartWidthTwips = 20000;
constexpr int StartHeightPixels = 760;

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* box = new QWidget(parent);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) layout->addWidget(w);
  if (stretch) layout->addStretch(1);
  return box;
}
}  // namespace

MainWindow::MainWindow(const MainWindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      qtDialogs_(this),
      dialogs_(services.dialogs ? services.dialogs : &qtDialogs_),
      clipboard_(services.clipboard ? services.clipboard : &qtClipboard_) {
  setWindowTitle(QStringLiteral("Plumetra %1").arg(QStringLiteral(PLUMETRA_VERSION)));
  const std::filesystem::path appDir = services.appDir.empty()
                                           ? std::filesystem::path(QCoreApplication::applicationDirPath().toStdString())
                                           : services.appDir;
  FormLoad(state_, appDir, dialogs());

  buildMenus();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildTopPanel());
  tabs_ = new QTabWidget(central);
  const auto& captions = state_.workspace.tabs.captions;
  tabs_->addTab(buildFlockTab(), q(captions.at(FlockTab)));
  tabs_->addTab(buildDietTab(), q(captions.at(DietTab)));
  tabs_->addTab(buildAnalysisTab(), q(captions.at(AnalysisTab)));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { act([&] { selectTab(state_.workspace, tab); }); });
  layout->addWidget(tabs_, 1);
  setCentralWidget(central);
  resize(StartWidthTwips / TwipsPerPixel, StartHeightPixels);
  refresh();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
  Workspace& ws = state_.workspace;
  QMenu* open = menuBar()->addMenu(QStringLiteral("Open Data Files"));
  open->addAction(QStringLiteral("Flock Data in Excel 12 (.xls)"), this,
                  [this, &ws] { act([&] { OpenExcel1_Click(ws, state_.model.units, dialogs()); }); });
  // Workbooks of either form are read directly, so the newer form takes the same route.
  open->addAction(QStringLiteral("Flock Data in Excel 16(.xlsx)"), this,
                  [this, &ws] { act([&] { OpenExcel1_Click(ws, state_.model.units, dialogs()); }); });
  open->addAction(QStringLiteral("Flock Data in Comma Separated File (csv)"), this,
                  [this, &ws] { act([&] { CSVFlock(ws, state_.model.units, dialogs()); }); });
  menuBar()->addAction(QStringLiteral("Save Data"), this, [this] { saveData(); });
  menuBar()->addAction(QStringLiteral("Set Values"), this, [this] { openSettings(); });
  addResultsMenu(*menuBar(), state_, dialogs(), clipboard(), this);

  popup_ = new QMenu(QStringLiteral("Copy"), this);
  popup_->addAction(QStringLiteral("Copy Highlighted Cells"), this, [this] { gridKey(popupGrid_, GridKey::CopyHighlighted); });
  popup_->addAction(QStringLiteral("Copy All"), this, [this] { gridKey(popupGrid_, GridKey::CopyAll); });
  popup_->addAction(QStringLiteral("Clear"), this, [this] { gridKey(popupGrid_, GridKey::Clear); });
  popup_->addAction(QStringLiteral("Paste"), this, [this] { gridKey(popupGrid_, GridKey::Paste); });
  popup_->addAction(QStringLiteral("Save to Excel"), this, [this] { saveToExcel(); });
}

QWidget* MainWindow::buildTopPanel() {
  Workspace& ws = state_.workspace;
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);

  locationBox_ = bindTextBox(ws.locationBox, false);
  locationBox_->setMinimumWidth(320);
  locationBox_->installEventFilter(this);
  dataFileBox_ = bindTextBox(ws.dataFileBox, true);
  dataFileBox_->setMinimumWidth(240);
  dataFileBox_->installEventFilter(this);
  QLineEdit* hint = bindTextBox(ws.matchHintBox, true);
  hint->setMinimumWidth(330);
  grid->addWidget(row(panel, {bindLabel(ws.locationLabel), locationBox_,
                              bindButton(ws.gettingStartedButton, [this] { showGettingStarted(dialogs()); }),
                              dataFileBox_, hint}),
                  0, 0);

  flockSexLabel_ = bindLabel(ws.flockSexLabel);
  flockSexLabel_->setToolTip(q(kFlockSexLabelTip));
  flockSexLabel_->setCursor(Qt::PointingHandCursor);
  flockSexLabel_->installEventFilter(this);
  flockSexChoice_ = bindCombo(ws.flockSexChoice);
  flockSexChoice_->setToolTip(q(FlockSexTip));
  flockSexChoice_->installEventFilter(this);
  QLineEdit* high = bindTextBox(ws.highSplitBox, false);
  QLineEdit* med = bindTextBox(ws.middleSplitBox, false);
  QLineEdit* low = bindTextBox(ws.lowSplitBox, false);
  for (QLineEdit* box : {high, med, low}) box->setMaximumWidth(48);
  grid->addWidget(row(panel, {flockSexLabel_, flockSexChoice_, bindLabel(ws.splitLabel), bindLabel(ws.splitCaptions[0]), high,
                              bindLabel(ws.splitCaptions[1]), med, bindLabel(ws.splitCaptions[2]), low}),
                  1, 0);

  grid->addWidget(row(panel, {bindButton(ws.analyseButton, [this] { runAnalysis(); }),
                              bindButton(ws.calibrateButton, [this] { calibrateSplits(); }),
                              bindButton(ws.lowerCostButton, [this] { lookForLowerCost(); }),
                              bindButton(ws.revalueButton, [this] { revaluePredictions(); }),
                              bindButton(ws.outlierButton, [this] { identifyOutliers(); }),
                              bindButton(ws.correlationButton, [this] { showCorrelations(); }),
                              bindButton(ws.sortHelpButton, [this] { showSortHelp(dialogs()); }),
                              bindButton(ws.recordButton, [this] { act([&] { Record(state_.workspace, state_.model.units); }); })}),
                  2, 0);
  return panel;
}

QWidget* MainWindow::buildFlockTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* sheets = bindCombo(ws.flockSheetChoice, [this, &ws] { LoadFlockSheet(ws, state_.model.units, dialogs()); });
  sheets->setToolTip(q(SheetTip));
  sheets->setMinimumWidth(200);
  QComboBox* ids = bindCombo(ws.flockDataIds);
  ids->setToolTip(q(DataIdTip));
  ids->setMinimumWidth(220);
  QLineEdit* wt = bindTextBox(ws.averageWeightBox, true);
  QLineEdit* age = bindTextBox(ws.averageConversionBox, true);
  for (QLineEdit* box : {wt, age}) box->setMaximumWidth(90);
  layout->addWidget(row(tab, {sheets, bindLabel(ws.flockDataIdLabel), ids, bindButton(ws.clearFlockItemButton, [&ws] { ClearFlockItem(ws); }),
                              bindButton(ws.skipFlockItemButton, [&ws] { SkipItem(ws.flockDataIds); }), bindLabel(ws.averageWeightLabel), wt,
                              bindLabel(ws.averageConversionLabel), age}));
  layout->addWidget(addGrid(ws.flockGrid, GridId::Flock), 1);
  return tab;
}

QWidget* MainWindow::buildDietTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* sheets = bindCombo(ws.dietSheetChoice, [this, &ws] { LoadDietSheet(ws, dialogs()); });
  sheets->setToolTip(q(SheetTip));
  sheets->setMinimumWidth(200);
  QComboBox* ids = bindCombo(ws.dietDataIds);
  ids->setToolTip(q(DataIdTip));
  ids->setMinimumWidth(220);
  layout->addWidget(row(tab, {sheets, bindLabel(ws.dietDataIdLabel), ids, bindButton(ws.clearDietItemButton, [&ws] { ClearDietItem(ws); }),
                              bindButton(ws.skipDietItemButton, [&ws] { SkipItem(ws.dietDataIds); }),
                              bindButton(ws.openDietFileButton, [this, &ws] { openDietFile(ws, dialogs()); })}));
  layout->addWidget(addGrid(ws.dietGrid, GridId::Diet), 1);
  return tab;
}

QWidget* MainWindow::buildAnalysisTab() {
  Workspace& ws = state_.workspace;
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  QComboBox* first = bindCombo(ws.firstSortChoice, [this] { firstSortChosen(); });
  first->setToolTip(q(FirstSortTip));
  first->setMinimumWidth(180);
  QComboBox* second = bindCombo(ws.secondSortChoice, [this] { secondSortChosen(); });
  second->setMinimumWidth(180);
  performanceLabel_ = bindLabel(ws.performanceLabel);
  performanceLabel_->setCursor(Qt::PointingHandCursor);
  performanceLabel_->installEventFilter(this);
  layout->addWidget(row(tab, {bindLabel(ws.firstSortLabel), first, bindLabel(ws.secondSortLabel), second,
                              bindButton(ws.startSecondSortButton, [this] { startSecondSort(); }),
                              bindButton(ws.clearSecondSortButton, [this] { clearSecondSort(); }),
                              bindButton(ws.plotButton, [this] { plotSortedData(); }), bindLabel(ws.sortOrderLabel), performanceLabel_}));
  GridView* view = addGrid(ws.analysisGrid, GridId::Analysis);
  view->setPointSize(ws.analysisGridFontSize);
  layout->addWidget(view, 1);
  return tab;
}

GridView* MainWindow::addGrid(Grid& grid, GridId id) {
  auto* view = new GridView(grid, this);
  views_.at(static_cast<size_t>(id)) = view;
  connect(view, &GridView::activated, this, [this, id] { state_.workspace.ActiveGrid = id; });
  connect(view, &GridView::keyCommand, this, [this, id](GridKey key) { gridKey(id, key); });
  connect(view, &GridView::popupRequested, this, [this, id](const QPoint& at) { showPopup(id, at); });
  connect(view, &GridView::cellDoubleClicked, this, [this, id](int r, int c) { matchColumn(id, r, c); });
  if (id == GridId::Analysis)
    connect(view, &GridView::cellClicked, this, [this](int r, int c) {
      if (r == 0) sortByHeading(c);
    });
  return view;
}

QPushButton* MainWindow::bindButton(Button& button, const std::function<void()>& action) {
  auto* widget = new QPushButton(this);
  connect(widget, &QPushButton::clicked, this, [this, action] { act(action); });
  refreshers_.push_back([widget, &button] { showButton(widget, button); });
  return widget;
}

QComboBox* MainWindow::bindCombo(Combo& combo, const std::function<void()>& chosen) {
  auto* widget = new QComboBox(this);
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

QLineEdit* MainWindow::bindTextBox(TextBox& box, bool readOnly) {
  auto* widget = new QLineEdit(this);
  widget->setReadOnly(readOnly);
  connect(widget, &QLineEdit::textEdited, this, [&box](const QString& text) { box.text = text.toStdString(); });
  refreshers_.push_back([widget, &box] { showTextBox(widget, box); });
  return widget;
}

QLabel* MainWindow::bindLabel(Label& label) {
  auto* widget = new QLabel(this);
  refreshers_.push_back([widget, &label] { showLabel(widget, label); });
  return widget;
}

void MainWindow::refresh() {
  for (const auto& mirror : refreshers_) mirror();
  for (GridView* view : views_) view->refresh();
  if (tabs_->currentIndex() != state_.workspace.tabs.current) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(state_.workspace.tabs.current);
  }
  showOpenWindows();
}

}  // namespace plumetra::qt

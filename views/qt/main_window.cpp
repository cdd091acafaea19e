#include "views/qt/main_window.h"

#include "state/startup.h"
#include "views/qt/grid_model.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>

namespace plumetra::qt {

namespace {
constexpr int TwipsPerPixel = 15;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), dialogs_(this) {
  setWindowTitle(QStringLiteral("Plumetra %1").arg(QStringLiteral(PLUMETRA_VERSION)));
  FormLoad(state_, QCoreApplication::applicationDirPath().toStdString(), dialogs_);

  tabs_ = new QTabWidget(this);
  Workspace& ws = state_.workspace;
  const auto& captions = ws.SSTab1.captions;
  addGridTab(QString::fromStdString(captions.at(0)), ws.gridflockin, 0);
  addGridTab(QString::fromStdString(captions.at(1)), ws.GridDiets, 1);
  addGridTab(QString::fromStdString(captions.at(2)), ws.Gridanal, 2);
  setCentralWidget(tabs_);
  resize(20000 / TwipsPerPixel, 700);
  refresh();
}

MainWindow::~MainWindow() = default;

QTableView* MainWindow::addGridTab(const QString& caption, Grid& grid, int tab) {
  auto* view = new QTableView(tabs_);
  auto* model = new GridModel(grid, view);
  view->setModel(model);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  tabs_->addTab(view, caption);
  views_.at(static_cast<size_t>(tab)) = view;
  models_.at(static_cast<size_t>(tab)) = model;
  return view;
}

void MainWindow::refresh() {
  for (size_t tab = 0; tab < models_.size(); ++tab) {
    models_[tab]->refresh();
    const Grid& grid = models_[tab]->grid();
    QTableView* view = views_[tab];
    for (int c = 0; c < grid.cols(); ++c)
      if (grid.colWidth(c) > 0) view->setColumnWidth(c, grid.colWidth(c) / TwipsPerPixel);
  }
  tabs_->setCurrentIndex(state_.workspace.SSTab1.current);
}

}  // namespace plumetra::qt

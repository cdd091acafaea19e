#pragma once
// frmPlumetra: the main window. It shows the AppState's grids and controls and forwards
// the user's actions to the core; it holds no behaviour of its own.

#include "state/app_state.h"
#include "views/qt/qt_dialogs.h"

#include <QMainWindow>

#include <array>

class QTabWidget;
class QTableView;

namespace plumetra::qt {

class GridModel;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  AppState& state() { return state_; }
  QTabWidget* tabs() const { return tabs_; }
  QTableView* gridView(int tab) const { return views_.at(static_cast<size_t>(tab)); }
  // Shows the core's current state in the widgets.
  void refresh();

 private:
  QTableView* addGridTab(const QString& caption, Grid& grid, int tab);

  AppState state_;
  QtDialogs dialogs_;
  QTabWidget* tabs_ = nullptr;
  std::array<QTableView*, 3> views_{};
  std::array<GridModel*, 3> models_{};
};

}  // namespace plumetra::qt

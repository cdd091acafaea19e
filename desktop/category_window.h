#pragma once
// categoryWindow: the averages and standard deviations of every numeric column by category
// (averages), with "Copy All", "Save to Excel" and the t-values window tValueWindow (tValues).

#include "state/app_state.h"
#include "controls/dialogs.h"
#include "desktop/grid_window.h"

class QComboBox;

namespace plumetra::qt {

class TValueWindowView final : public GridWindow {
  Q_OBJECT
 public:
  TValueWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);
  void refresh() override;

 private:
  void calculate();

  AppState& state_;
  Dialogs& dialogs_;
  QComboBox* variables_;
};

class CategoryWindowView final : public GridWindow {
  Q_OBJECT
 public:
  CategoryWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);
  void refresh() override;
  void showTValues();

 private:
  AppState& state_;
  Dialogs& dialogs_;
};

}  // namespace plumetra::qt

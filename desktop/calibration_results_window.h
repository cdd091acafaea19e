#pragma once
// LowerCostWindowState: the lower-cost search's results (results) under its explanation (explanation).

#include "presenters/lower_cost_window.h"
#include "desktop/grid_window.h"

namespace plumetra::qt {

class CalibrationResultsWindow final : public GridWindow {
  Q_OBJECT
 public:
  CalibrationResultsWindow(LowerCostWindowState& window, Clipboard& clipboard, QWidget* parent);
  void refresh() override;

 private:
  LowerCostWindowState& window_;
};

}  // namespace plumetra::qt

#pragma once
// FrmCalibration: the lower-cost search's results (Grid1) under its explanation (Label1).

#include "calibration/lower_cost_window.h"
#include "views/qt/grid_window.h"

namespace plumetra::qt {

class CalibrationResultsWindow final : public GridWindow {
  Q_OBJECT
 public:
  CalibrationResultsWindow(FrmCalibration& window, Clipboard& clipboard, QWidget* parent);
  void refresh() override;

 private:
  FrmCalibration& window_;
};

}  // namespace plumetra::qt

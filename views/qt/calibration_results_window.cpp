#include "views/qt/calibration_results_window.h"

#include "views/qt/control_binding.h"

#include <QLabel>
#include <QMenuBar>

namespace plumetra::qt {

CalibrationResultsWindow::CalibrationResultsWindow(FrmCalibration& window, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Lower Cost with Feed Intake"), &window.Grid1, clipboard, parent), window_(window) {
  menus()->addAction(QStringLiteral("Copy All"), this, [this] {
    FrmCalibration_CopyAll(window_, this->clipboard());
    view()->refresh();
  });
  label()->setMinimumHeight(kLabel1Height / 15);
  refresh();
}

void CalibrationResultsWindow::refresh() {
  label()->setText(q(window_.Label1.caption));
  GridWindow::refresh();
}

}  // namespace plumetra::qt

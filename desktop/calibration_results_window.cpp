#include "desktop/calibration_results_window.h"

#include "desktop/control_binding.h"

#include <QLabel>
#include <QMenuBar>

namespace plumetra::qt {

CalibrationResultsWindow::CalibrationResultsWindow(LowerCostWindowState& window, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Lower Cost with Feed Intake"), &window.results, clipboard, parent), window_(window) {
  menus()->addAction(QStringLiteral("Copy All"), this, [this] {
    copyLowerCostWindow(window_, this->clipboard());
    view()->refresh();
  });
  label()->setMinimumHeight(ExplanationHeight / 15);
  refresh();
}

void CalibrationResultsWindow::refresh() {
  label()->setText(q(window_.explanation.caption));
  GridWindow::refresh();
}

}  // namespace plumetra::qt

#pragma once
// frmReval: the revalued flocks and group averages (GridReval) with the location box, the
// help button and the copy and paste menu.

#include "calibration/revaluation_window.h"
#include "views/dialogs.h"
#include "views/qt/grid_window.h"

class QLineEdit;

namespace plumetra::qt {

class RevaluationWindow final : public GridWindow {
  Q_OBJECT
 public:
  RevaluationWindow(FrmReval& window, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);
  void refresh() override;

 private:
  FrmReval& window_;
  QLineEdit* location_;
};

}  // namespace plumetra::qt

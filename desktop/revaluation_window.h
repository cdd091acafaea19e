#pragma once
// The revaluation window: the revalued flocks and group averages (revaluedGrid) with the location box, the
// help button and the copy and paste menu.

#include "presenters/revaluation_window.h"
#include "controls/dialogs.h"
#include "desktop/grid_window.h"

class QLineEdit;

namespace plumetra::qt {

class RevaluationWindow final : public GridWindow {
  Q_OBJECT
 public:
  RevaluationWindow(RevaluationWindowState& window, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);
  void refresh() override;

 private:
  RevaluationWindowState& window_;
  QLineEdit* location_;
};

}  // namespace plumetra::qt

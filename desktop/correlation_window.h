#pragma once
// The correlation window "Correlation by Convix": the correlation matrix of the analysis grid's numeric
// columns with its colour bands; copy, save, and a double-click charts the pair.

#include "state/app_state.h"
#include "controls/dialogs.h"
#include "desktop/grid_window.h"

namespace plumetra::qt {

class CorrelationWindow final : public GridWindow {
  Q_OBJECT
 public:
  CorrelationWindow(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);
  Grid& correlationGrid() { return ownGrid(); }
  // "Save File": the matrix as tab-separated text, and the column statistics list beside it.
  void save();

 private:
  void chartPair(int row, int col);

  AppState& state_;
  Dialogs& dialogs_;
};

}  // namespace plumetra::qt

#pragma once
// "Select Data to Save": the data set, the file kind, OK and Cancel, over the core's
// SaveDialog state.

#include "controls/dialogs.h"
#include "files/save_grids.h"
#include "workspace/workspace_state.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace plumetra::qt {

class SaveDialogView final : public QDialog {
  Q_OBJECT
 public:
  SaveDialogView(const Workspace& ws, Dialogs& dialogs, QWidget* parent);

  SaveDialog& dialog() { return dialog_; }
  // OK: asks for the file and writes it; the dialog closes.
  void ok();
  void refresh();

 private:
  const Workspace& ws_;
  Dialogs& dialogs_;
  SaveDialog dialog_;
  QComboBox* dataSet_;
  QCheckBox* check1_;
  QCheckBox* check2_;
};

}  // namespace plumetra::qt

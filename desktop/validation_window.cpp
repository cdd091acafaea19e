#include "desktop/validation_window.h"

#include "desktop/grid_view.h"
#include "files/workbook.h"

#include <QLabel>
#include <QVBoxLayout>

namespace plumetra::qt {

ValidationWindow::ValidationWindow(const CrossValidation& validation, const std::filesystem::path& folder,
                                   Clipboard& clipboard, QWidget* parent)
    : QDialog(parent), grid_(validationGrid(validation)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Validate Calibration"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(
      QString::fromStdString("Each of " + std::to_string(validation.folds.size()) +
                             " folds of flocks predicted by the groups calibrated without it (out of sample), beside "
                             "the groups calibrated on every flock (in sample) and the uncalibrated model. The sets "
                             "are stored in " + folder.string() + "."),
      this);
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* table = new GridView(grid_, this);
  layout->addWidget(table);
  connect(table, &GridView::keyCommand, this, [this, &clipboard](GridKey key) {
    if (key == GridKey::CopyAll) clipboard.setText(gridToTsv(grid_));
  });
  resize(1100, 440);
}

void validateCalibration(const AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent) {
  const std::filesystem::path folder = state.workspace.lastDir / "validation";
  dialogs.busy(true);
  const CrossValidation v = crossValidate(state.workspace, state.model, analysedFlocks(state).split,
                                          {5, 1, folder}, dialogs);
  dialogs.busy(false);
  if (!v.problem.empty()) {
    dialogs.message("Nothing was validated: " + v.problem + ".");
    return;
  }
  (new ValidationWindow(v, folder, clipboard, parent))->show();
}

}  // namespace plumetra::qt

#pragma once
// "Validate Calibration": five-fold cross-validation of the calibrated groups on the analysed
// flocks (analysis/cross_validation.h), its table shown in a window of its own.

#include "analysis/cross_validation.h"
#include "controls/clipboard.h"
#include "controls/dialogs.h"
#include "state/app_state.h"

#include <QDialog>

namespace plumetra::qt {

class ValidationWindow final : public QDialog {
  Q_OBJECT
 public:
  ValidationWindow(const CrossValidation& validation, const std::filesystem::path& folder, Clipboard& clipboard,
                   QWidget* parent);

 private:
  Grid grid_;
};

// Runs the validation with the fold sets stored in lastDir/validation and opens its window;
// a validation that cannot run says why through `dialogs`.
void validateCalibration(const AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent);

}  // namespace plumetra::qt

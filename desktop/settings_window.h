#pragma once
// The settings window "Set Location Values Here": the unit choices and the predominant breeds,
// shown over the core's SettingsWindow state. Not modal.

#include "model/model_settings.h"
#include "state/app_state.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace plumetra::qt {

class SettingsWindowView final : public QDialog {
  Q_OBJECT
 public:
  SettingsWindowView(AppState& state, Dialogs& dialogs, QWidget* parent);

  SettingsWindow& window() { return window_; }
  void refresh();
  // OK: true when the settings were taken and the window closes.
  bool confirm();
  // Cancel, Escape or the close box: the settings go back to what they were at opening.
  void reject() override;

 private:
  QComboBox* bindCombo(Combo& combo, const std::function<void(int)>& chosen);
  void act(const std::function<void()>& action);

  ModelState& model_;
  Dialogs& dialogs_;
  SettingsWindow window_;
  std::vector<std::function<void()>> refreshers_;
  QRadioButton* option1_;
  QRadioButton* option2_;
};

}  // namespace plumetra::qt

#include "desktop/settings_window.h"

#include "desktop/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace plumetra::qt {

namespace {
QLabel* wrapped(const Label& label, QWidget* parent) {
  auto* widget = new QLabel(q(label.caption), parent);
  widget->setWordWrap(true);
  return widget;
}
}  // namespace

SettingsWindowView::SettingsWindowView(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      model_(state.model),
      dialogs_(dialogs),
      window_(openSettingsWindow(state.model, state.workspace.appDir, dialogs)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(q(window_.caption));
  auto* layout = new QGridLayout(this);
  layout->addWidget(wrapped(window_.unitsNote, this), 0, 0, 1, 4);

  const auto unitChoice = [this](Combo& combo) { return bindCombo(combo, [&combo](int i) { combo.choose(i); }); };
  layout->addWidget(new QLabel(q(window_.weightLabel.caption), this), 1, 0);
  layout->addWidget(unitChoice(window_.weightUnit), 2, 0);
  layout->addWidget(new QLabel(q(window_.energyLabel.caption), this), 1, 1);
  layout->addWidget(unitChoice(window_.energyUnit), 2, 1);
  layout->addWidget(new QLabel(q(window_.aminoLabel.caption), this), 1, 2);
  layout->addWidget(bindCombo(window_.aminoBasis, [this](int i) { chooseAminoBasis(window_, model_, i); }), 2, 2);
  layout->addWidget(new QLabel(q(window_.costLabel.caption), this), 1, 3);
  layout->addWidget(unitChoice(window_.costUnit), 2, 3);

  layout->addWidget(wrapped(window_.locationNote, this), 3, 0, 1, 4);
  layout->addWidget(wrapped(window_.breedNote, this), 4, 0, 1, 4);
  for (int sex = 1; sex <= 2; ++sex) {
    Combo& breeds = sex == 1 ? window_.maleBreed : window_.femaleBreed;
    CheckBox& box = sex == 1 ? window_.maleBreastMeat : window_.femaleBreastMeat;
    const Label& caption = sex == 1 ? window_.maleBreedLabel : window_.femaleBreedLabel;
    const int column = (sex - 1) * 2;
    layout->addWidget(new QLabel(q(caption.caption), this), 5, column, 1, 2);
    layout->addWidget(bindCombo(breeds, [this, sex](int i) { chooseSettingsBreed(window_, model_, sex, i); }), 6,
                      column, 1, 2);
    auto* check = new QCheckBox(this);
    connect(check, &QCheckBox::clicked, this,
            [this, sex](bool ticked) { act([&] { setBreastMeat(window_, model_, sex, ticked); }); });
    refreshers_.push_back([check, &box] { showCheckBox(check, box); });
    layout->addWidget(check, 7, column, 1, 2);
  }

  option1_ = new QRadioButton(q(window_.leanBreedCaption), this);
  option2_ = new QRadioButton(q(window_.traditionalBreedCaption), this);
  connect(option1_, &QRadioButton::clicked, this, [this] { act([&] { setBreedType(window_, model_, false); }); });
  connect(option2_, &QRadioButton::clicked, this, [this] { act([&] { setBreedType(window_, model_, true); }); });
  layout->addWidget(option1_, 8, 0, 1, 4);
  layout->addWidget(option2_, 9, 0, 1, 4);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(cancel, 10, 2);
  layout->addWidget(ok, 10, 3);
  refresh();
}

QComboBox* SettingsWindowView::bindCombo(Combo& combo, const std::function<void(int)>& chosen) {
  auto* widget = new QComboBox(this);
  connect(widget, &QComboBox::activated, this, [this, chosen](int i) { act([&] { chosen(i); }); });
  refreshers_.push_back([widget, &combo] { showCombo(widget, combo); });
  return widget;
}

void SettingsWindowView::act(const std::function<void()>& action) {
  action();
  refresh();
}

void SettingsWindowView::refresh() {
  for (const auto& mirror : refreshers_) mirror();
  option1_->setChecked(window_.leanBreed);
  option2_->setChecked(window_.traditionalBreed);
}

void SettingsWindowView::reject() {
  cancelSettings(window_, model_);
  QDialog::reject();
}

bool SettingsWindowView::confirm() {
  const bool closes = confirmSettings(window_, model_, dialogs_);
  refresh();
  if (closes) accept();
  return closes;
}

}  // namespace plumetra::qt

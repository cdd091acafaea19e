#include "views/qt/settings_window.h"

#include "views/qt/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace plumetra::qt {

namespace {
// The location box still showing its hint counts as empty.
bool locationEntered(const Workspace& ws) {
  return !ws.TextLocation.text.empty() && ws.TextLocation.text != MainWindowControls{}.TextLocation.text;
}

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
      window_(OpenSettingsWindow(state.model, state.workspace.AppDir, locationEntered(state.workspace), dialogs)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(q(window_.caption));
  auto* layout = new QGridLayout(this);
  layout->addWidget(wrapped(window_.Label1, this), 0, 0, 1, 4);

  const auto unitChoice = [this](Combo& combo) { return bindCombo(combo, [&combo](int i) { combo.choose(i); }); };
  layout->addWidget(new QLabel(q(window_.Label2.caption), this), 1, 0);
  layout->addWidget(unitChoice(window_.Combo1), 2, 0);
  layout->addWidget(new QLabel(q(window_.Label3.caption), this), 1, 1);
  layout->addWidget(unitChoice(window_.Combo2), 2, 1);
  layout->addWidget(new QLabel(q(window_.Label4.caption), this), 1, 2);
  layout->addWidget(bindCombo(window_.Combo3, [this](int i) { ChooseAminoBasis(window_, model_, i); }), 2, 2);
  layout->addWidget(new QLabel(q(window_.Label5.caption), this), 1, 3);
  layout->addWidget(unitChoice(window_.Combo4), 2, 3);

  layout->addWidget(wrapped(window_.Label6, this), 3, 0, 1, 4);
  layout->addWidget(wrapped(window_.Label7, this), 4, 0, 1, 4);
  for (int sex = 1; sex <= 2; ++sex) {
    Combo& breeds = sex == 1 ? window_.ComboMales : window_.ComboFemales;
    CheckBox& box = sex == 1 ? window_.CheckMales : window_.Checkfemales;
    const Label& caption = sex == 1 ? window_.Label8 : window_.Label9;
    const int column = (sex - 1) * 2;
    layout->addWidget(new QLabel(q(caption.caption), this), 5, column, 1, 2);
    layout->addWidget(bindCombo(breeds, [this, sex](int i) { ChooseSettingsBreed(window_, model_, sex, i); }), 6,
                      column, 1, 2);
    auto* check = new QCheckBox(this);
    connect(check, &QCheckBox::clicked, this,
            [this, sex](bool ticked) { act([&] { SetBreastMeat(window_, model_, sex, ticked); }); });
    refreshers_.push_back([check, &box] { showCheckBox(check, box); });
    layout->addWidget(check, 7, column, 1, 2);
  }

  option1_ = new QRadioButton(q(window_.option1Caption), this);
  option2_ = new QRadioButton(q(window_.option2Caption), this);
  connect(option1_, &QRadioButton::clicked, this, [this] { act([&] { SetBreedType(window_, model_, false); }); });
  connect(option2_, &QRadioButton::clicked, this, [this] { act([&] { SetBreedType(window_, model_, true); }); });
  layout->addWidget(option1_, 8, 0, 1, 4);
  layout->addWidget(option2_, 9, 0, 1, 4);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
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
  option1_->setChecked(window_.Option1);
  option2_->setChecked(window_.Option2);
}

bool SettingsWindowView::confirm() {
  const bool closes = ConfirmSettings(window_, model_, dialogs_);
  refresh();
  if (closes) accept();
  return closes;
}

}  // namespace plumetra::qt

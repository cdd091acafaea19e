#include "desktop/save_dialog.h"

#include "analysis/analysis_state.h"
#include "desktop/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace plumetra::qt {

SaveDialogView::SaveDialogView(const Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), dialog_(openSaveDialog()) {
  setWindowTitle(q(dialog_.caption));
  dataSet_ = new QComboBox(this);
  check1_ = new QCheckBox(this);
  check2_ = new QCheckBox(this);
  auto* okButton = new QPushButton(q(dialog_.okButton.caption), this);
  auto* cancelButton = new QPushButton(q(dialog_.cancelButton.caption), this);
  okButton->setDefault(true);

  connect(dataSet_, &QComboBox::activated, this, [this](int i) { dialog_.dataSet.choose(i); });
  connect(check1_, &QCheckBox::clicked, this, [this](bool on) {
    tickAsText(dialog_, on);
    refresh();
  });
  connect(check2_, &QCheckBox::clicked, this, [this](bool on) {
    tickAsWorkbook(dialog_, on);
    refresh();
  });
  connect(okButton, &QPushButton::clicked, this, [this] { ok(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dataSet_);
  layout->addWidget(check1_);
  layout->addWidget(check2_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  layout->addLayout(buttons);
  refresh();
}

void SaveDialogView::refresh() {
  showCombo(dataSet_, dialog_.dataSet);
  showCheckBox(check1_, dialog_.asText);
  showCheckBox(check2_, dialog_.asWorkbook);
}

void SaveDialogView::ok() {
  // Accepted only when a file was written, so the main window knows its results are kept.
  if (saveChosenData(dialog_, {ws_.analysisGrid, ws_.flockGrid, ws_.dietGrid, FirstFlockRow}, ws_.locationFile,
                    ws_.lastDir, dialogs_))
    accept();
  else
    reject();
}

}  // namespace plumetra::qt

#include "views/qt/revaluation_window.h"

#include "views/qt/control_binding.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace plumetra::qt {

RevaluationWindow::RevaluationWindow(FrmReval& window, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Revalued Predictions"), &window.GridReval, clipboard, parent), window_(window) {
  location_ = new QLineEdit(this);
  location_->setReadOnly(true);
  location_->setMinimumWidth(300);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  connect(help, &QPushButton::clicked, this, [&dialogs] { FrmReval_Command1(dialogs); });
  addControls({location_, help});
  menus()->addAction(QStringLiteral("Copy All"), this, [this] {
    FrmReval_CopyAll(window_, this->clipboard());
    refresh();
  });
  menus()->addAction(QStringLiteral("Copy Highlighted Cells"), this,
                     [this] { FrmReval_Icopy(window_, this->clipboard()); });
  menus()->addAction(QStringLiteral("Paste"), this, [this] {
    FrmReval_aPaste(window_, this->clipboard());
    refresh();
  });
  refresh();
}

void RevaluationWindow::refresh() {
  showTextBox(location_, window_.TextLocation);
  GridWindow::refresh();
}

}  // namespace plumetra::qt

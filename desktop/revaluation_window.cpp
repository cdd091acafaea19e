#include "desktop/revaluation_window.h"

#include "desktop/control_binding.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace plumetra::qt {

RevaluationWindow::RevaluationWindow(RevaluationWindowState& window, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QStringLiteral("Revalued Predictions"), &window.revaluedGrid, clipboard, parent), window_(window) {
  location_ = new QLineEdit(this);
  location_->setReadOnly(true);
  location_->setMinimumWidth(300);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  connect(help, &QPushButton::clicked, this, [&dialogs] { showRevaluationHelp(dialogs); });
  addControls({location_, help});
  menus()->addAction(QStringLiteral("Copy All"), this, [this] {
    copyRevaluationWindow(window_, this->clipboard());
    refresh();
  });
  menus()->addAction(QStringLiteral("Copy Highlighted Cells"), this,
                     [this] { copyRevaluationSelection(window_, this->clipboard()); });
  menus()->addAction(QStringLiteral("Paste"), this, [this] {
    pasteIntoRevaluationWindow(window_, this->clipboard());
    refresh();
  });
  refresh();
}

void RevaluationWindow::refresh() {
  showTextBox(location_, window_.locationBox);
  GridWindow::refresh();
}

}  // namespace plumetra::qt

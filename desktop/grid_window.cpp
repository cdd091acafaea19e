#include "desktop/grid_window.h"

#include "presenters/window_copy.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace plumetra::qt {

GridWindow::GridWindow(const QString& caption, Grid* grid, Clipboard& clipboard, QWidget* parent)
    : QDialog(parent), clipboard_(clipboard), ownGrid_(grid ? nullptr : std::make_unique<Grid>()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  layout_ = new QVBoxLayout(this);
  menus_ = new QMenuBar(this);
  layout_->setMenuBar(menus_);
  label_ = new QLabel(this);
  label_->setWordWrap(true);
  label_->hide();
  layout_->addWidget(label_);
  view_ = new GridView(grid ? *grid : *ownGrid_, this);
  layout_->addWidget(view_, 1);
  connect(view_, &GridView::keyCommand, this, [this](GridKey key) {
    if (key == GridKey::CopyAll) copyAll();
    if (key == GridKey::CopyHighlighted) copyHighlighted();
  });
  resize(900, 560);
}

// The view goes before the grid it shows.
GridWindow::~GridWindow() { delete view_; }

void GridWindow::addControls(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  row->addStretch(1);
  layout_->insertLayout(layout_->indexOf(view_), row);
}

void GridWindow::refresh() {
  view_->refresh();
  label_->setVisible(!label_->text().isEmpty());
}

void GridWindow::copyAll() {
  copyAllCells(view_->grid(), clipboard_);
  view_->refresh();
}

void GridWindow::copyHighlighted() { clipboard_.setText(view_->grid().copySelection()); }

}  // namespace plumetra::qt

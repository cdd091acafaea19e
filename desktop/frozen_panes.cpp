#include "desktop/frozen_panes.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace plumetra::qt {

namespace {
enum Pane { TopRows, LeftColumns, Corner };
}  // namespace

FrozenPanes::FrozenPanes(QTableView* table) : QObject(table), table_(table) {
  table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  for (QTableView*& pane : panes_) {
    pane = new QTableView(table);
    pane->setModel(table->model());
    pane->setSelectionModel(table->selectionModel());
    pane->setSelectionMode(table->selectionMode());
    pane->setEditTriggers(table->editTriggers());
    pane->setWordWrap(false);
    pane->setFocusPolicy(Qt::NoFocus);  // keys stay with the table
    pane->horizontalHeader()->hide();
    pane->verticalHeader()->hide();
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    pane->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setAutoScroll(false);  // the shared current cell must not scroll a pane
    pane->hide();
  }
  // The heading rows scroll sideways with the table, the first columns up and down.
  connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, panes_[TopRows]->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(table->verticalScrollBar(), &QScrollBar::valueChanged, panes_[LeftColumns]->verticalScrollBar(),
          &QScrollBar::setValue);
  // The other direction of each pane stays at its start, whatever Qt scrolls it to.
  const auto pin = [](QScrollBar* bar) { connect(bar, &QScrollBar::valueChanged, bar, [bar] { bar->setValue(0); }); };
  pin(panes_[TopRows]->verticalScrollBar());
  pin(panes_[LeftColumns]->horizontalScrollBar());
  pin(panes_[Corner]->verticalScrollBar());
  pin(panes_[Corner]->horizontalScrollBar());
  connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int width) {
    for (QTableView* pane : panes_) pane->setColumnWidth(col, width);
    update();
  });
  connect(table->verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int height) {
    for (QTableView* pane : panes_) pane->setRowHeight(row, height);
    update();
  });
  connect(table->model(), &QAbstractItemModel::modelReset, this, [this] { update(); });
  table->viewport()->installEventFilter(this);
}

void FrozenPanes::setFrozen(int rows, int cols) {
  rows_ = rows;
  cols_ = cols;
  update();
}

void FrozenPanes::update() {
  const QAbstractItemModel* model = table_->model();
  const int rows = std::min(rows_, model->rowCount()), cols = std::min(cols_, model->columnCount());
  int height = 0, width = 0;
  for (int r = 0; r < rows; ++r)
    if (!table_->isRowHidden(r)) height += table_->rowHeight(r);
  for (int c = 0; c < cols; ++c) width += table_->columnWidth(c);
  const QRect area = table_->viewport()->geometry();
  height = std::min(height, area.height());
  width = std::min(width, area.width());
  covered_ = QSize(width, height);
  const std::array<QRect, 3> places{QRect(area.x(), area.y(), area.width(), height),
                                    QRect(area.x(), area.y(), width, area.height()),
                                    QRect(area.x(), area.y(), width, height)};
  for (int p = TopRows; p <= Corner; ++p) {
    QTableView* pane = panes_[p];
    if (pane->font() != table_->font()) pane->setFont(table_->font());
    pane->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
    for (int c = 0; c < model->columnCount(); ++c)
      if (pane->columnWidth(c) != table_->columnWidth(c)) pane->setColumnWidth(c, table_->columnWidth(c));
    const bool shown = !places[p].isEmpty();
    pane->setGeometry(places[p]);
    pane->setVisible(shown);
    if (shown) pane->raise();
  }
  panes_[TopRows]->horizontalScrollBar()->setValue(table_->horizontalScrollBar()->value());
  panes_[LeftColumns]->verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
}

bool FrozenPanes::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->viewport() && event->type() == QEvent::Resize) update();
  return QObject::eventFilter(watched, event);
}

}  // namespace plumetra::qt

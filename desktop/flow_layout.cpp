#include "desktop/flow_layout.h"

#include <QWidget>

#include <algorithm>

namespace plumetra::qt {

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent), spacing_(spacing) {
  setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::itemAt(int index) const {
  return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FlowLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

QSize FlowLayout::minimumSize() const {
  // As narrow as the widest single item: everything else wraps.
  QSize size;
  for (const QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
  const QMargins m = contentsMargins();
  return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
  int width = 0, height = 0;
  for (const QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;
    width += item->sizeHint().width() + spacing_;
    height = std::max(height, item->sizeHint().height());
  }
  return {std::max(width - spacing_, 0), height};
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const {
  const QMargins m = contentsMargins();
  const QRect area = rect.adjusted(m.left(), m.top(), -m.right(), -m.bottom());
  int x = area.x(), y = area.y(), lineHeight = 0;
  // Items of a line share its height and are centred in it, as in a row of a box layout.
  QList<std::pair<QLayoutItem*, QRect>> line;
  const auto placeLine = [&] {
    if (place)
      for (const auto& [item, at] : line) item->setGeometry(at.translated(0, (lineHeight - at.height()) / 2));
    line.clear();
  };
  for (QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;
    const QSize size = item->sizeHint().boundedTo(QSize(area.width(), QWIDGETSIZE_MAX));
    if (x > area.x() && x + size.width() > area.right() + 1) {
      placeLine();
      x = area.x();
      y += lineHeight + spacing_;
      lineHeight = 0;
    }
    line.append({item, QRect(QPoint(x, y), size)});
    x += size.width() + spacing_;
    lineHeight = std::max(lineHeight, size.height());
  }
  placeLine();
  return y + lineHeight - rect.y() + m.bottom();
}

}  // namespace plumetra::qt

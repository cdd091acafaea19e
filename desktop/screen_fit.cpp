#include "desktop/screen_fit.h"

#include <algorithm>

#include <QDialog>
#include <QEvent>
#include <QRect>
#include <QScreen>

namespace plumetra::qt {

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    auto* window = qobject_cast<QDialog*>(watched);
    if (window && window->screen()) {
      const QRect room = window->screen()->availableGeometry();
      // The frame (title bar and borders) takes room too.
      const QSize frame = window->frameGeometry().size() - window->geometry().size();
      const QSize fitted = window->size().boundedTo(room.size() - frame).expandedTo(window->minimumSize());
      if (fitted != window->size()) window->resize(fitted);
      QRect placed = window->frameGeometry();
      placed.moveLeft(std::clamp(placed.left(), room.left(), std::max(room.left(), room.right() - placed.width() + 1)));
      placed.moveTop(std::clamp(placed.top(), room.top(), std::max(room.top(), room.bottom() - placed.height() + 1)));
      if (placed.topLeft() != window->frameGeometry().topLeft()) window->move(placed.topLeft());
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plumetra::qt

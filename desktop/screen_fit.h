#pragma once
// Keeps every secondary window of the program on its screen: one about to show that is larger
// than the screen's free area (a tall window at 150 % scaling) is made to fit and moved inside.

#include <QObject>

namespace plumetra::qt {

class ScreenFit final : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace plumetra::qt

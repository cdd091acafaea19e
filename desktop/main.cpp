// plumetra: the desktop program.

#include "desktop/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plumetra"));
  QApplication::setApplicationVersion(QStringLiteral(PLUMETRA_VERSION));
  plumetra::qt::MainWindow window;
  window.show();
  return QApplication::exec();
}

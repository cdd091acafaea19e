// plumetra: the desktop program.

#include "desktop/main_window.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {
constexpr char Usage[] =
    "Usage: plumetra [FILE]\n"
    "Opens the Plumetra window; FILE, a flock workbook (.xls, .xlsx), a flock table (.csv, .txt)\n"
    "or a diet file (.dts), is opened in it.\n"
    "  --version  print the version and exit\n"
    "  --help     print this help and exit\n";
}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is needed, so they work without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("plumetra %s\n", PLUMETRA_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(Usage, stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Plumetra"));
  QApplication::setApplicationName(QStringLiteral("Plumetra"));
  QApplication::setApplicationVersion(QStringLiteral(PLUMETRA_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("plumetra"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("plumetra"), QIcon(QStringLiteral(":/plumetra.svg"))));
  plumetra::qt::MainWindow window;
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.openDataFile(arguments.at(1));
  return QApplication::exec();
}

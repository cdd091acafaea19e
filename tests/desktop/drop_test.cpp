// Files dropped on the main window open as the menu would open them, join the recent files
// and leave their folder as the one the next file dialog starts in, remembered for the next start.

#include "isolated_settings.h"
#include "recording_dialogs.h"
#include "desktop/main_window.h"

#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QLabel>
#include <QTemporaryDir>
#include <QUrl>
#include <QMenu>
#include <QtTest>

#include <filesystem>

using plumetra::qt::MainWindow;

namespace {
// Sends the drag-enter and drop a file manager sends; true when the window took the drop.
bool dropFile(QWidget& window, const QString& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  const QPoint at = window.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return drop.isAccepted();
}
}  // namespace

class DropTest : public QObject {
  Q_OBJECT
  IsolatedSettings settings_;
  RecordingDialogs dialogs_;
  plumetra::MemoryClipboard clipboard_;
  QTemporaryDir data_;

  QString copyExample(const QString& name) {
    const QString to = data_.filePath(name);
    QFile::copy(QStringLiteral(PLUMETRA_SOURCE_DIR "/examples/") + name, to);
    return to;
  }

 private slots:
  void droppedFlockAndDietFilesOpen() {
    const QString flocks = copyExample("flocks.csv");
    const QString diets = copyExample("diets.dts");
    {
      MainWindow window({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      auto& ws = window.state().workspace;

      QVERIFY(dropFile(window, flocks));
      // flocks.csv holds a heading line and 216 flocks.
      QCOMPARE(ws.flockCount, 216);
      QCOMPARE(std::filesystem::path(ws.lastDir), std::filesystem::path(data_.path().toStdString()));
      QCOMPARE(window.findChild<QLabel*>("flockCountStatus")->text(), QString("Flocks: 216"));

      QVERIFY(dropFile(window, diets));
      QVERIFY(ws.nutrientIdSet[1] && ws.nutrientIdSet[2] && ws.nutrientIdSet[3]);  // energy, M+C, lysine entered
      QCOMPARE(window.recentFiles(), QStringList({diets, flocks}));

      // A file of another kind is not taken, and nothing changes.
      QFile other(data_.filePath("notes.pdf"));
      QVERIFY(other.open(QIODevice::WriteOnly));
      other.close();
      QVERIFY(!dropFile(window, other.fileName()));
      QCOMPARE(ws.flockCount, 216);
      QVERIFY(window.close());
    }
    // The next start remembers the folder and the recent files.
    MainWindow again({&dialogs_, &clipboard_, PLUMETRA_SOURCE_DIR "/data"});
    QCOMPARE(std::filesystem::path(again.state().workspace.lastDir), std::filesystem::path(data_.path().toStdString()));
    // File > Open Recent lists the diet file too, each item with its full path as its tooltip.
    for (QMenu* menu : again.findChildren<QMenu*>())
      if (menu->title() == "Open &Recent") {
        QVERIFY(menu->toolTipsVisible());
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->toolTip(), diets);
        QCOMPARE(menu->actions().at(0)->text(), QString("&1 diets.dts"));
        return;
      }
    QFAIL("no Open Recent menu");
  }
};

QTEST_MAIN(DropTest)
#include "drop_test.moc"

#pragma once
// The log panel of the main window: one line for each thing a command did ("Calibrate and
// Store the Flock Splits: wrote ValleyCoTop.clb ... in /home/..."), newest last, and a button
// that opens the folder of the chosen line (or of the last line that names one).

#include <QDockWidget>
#include <QString>

class QAction;
class QListWidget;

namespace plumetra::qt {

class ActivityLog final : public QDockWidget {
  Q_OBJECT
 public:
  explicit ActivityLog(QWidget* parent);

  // Adds a line; `folder` is where the files it names lie (empty: none).
  void add(const QString& text, const QString& folder = {});
  QListWidget* lines() const { return lines_; }
  // "Open Folder", for the panel and the status bar alike.
  QAction* openFolderAction() const { return openFolder_; }
  // The folder "Open Folder" opens now (empty: none).
  QString folderToOpen() const;

 private:
  void updateButton();

  QListWidget* lines_;
  QAction* openFolder_;
};

}  // namespace plumetra::qt

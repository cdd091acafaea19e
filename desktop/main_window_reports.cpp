// How the main window tells what each command did: a status-bar line and a line of the log
// panel, the files a command or a save dialog wrote, and the messages shown.

#include "desktop/activity_log.h"
#include "desktop/control_binding.h"
#include "desktop/main_window.h"

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

#include <utility>

namespace plumetra::qt {

void MainWindow::reportWritten(const QString& command, const FolderSnapshot& folder, const QString& note) {
  report(command + QStringLiteral(": ") + q(writtenFilesText(folder.writtenSince(), folder.folder())) + note,
         q(folder.folder().string()));
}

void MainWindow::report(const QString& text, const QString& folder) {
  statusBar()->showMessage(text);
  if (log_) log_->add(text, folder);
}

void MainWindow::logMessage(const std::string& text) {
  // The message's first line says what it is about.
  const QString said = q(text).section(QLatin1Char('\n'), 0, 0).trimmed();
  if (log_ && !said.isEmpty()) log_->add(QStringLiteral("Message: ") + said);
}

void MainWindow::watchSave(const std::filesystem::path& file) {
  const bool first = pendingSaves_.empty();
  pendingSaves_.emplace_back(file.parent_path());
  // A long command reports when it ends; any other command has written once it returns.
  if (first && !commandRunning_) QTimer::singleShot(0, this, [this] { reportSaves(); });
}

void MainWindow::reportSaves() {
  // A question still open (replace the file?) comes before the writing: look once it is answered.
  if (QApplication::activeModalWidget() && !pendingSaves_.empty()) {
    QTimer::singleShot(200, this, [this] { reportSaves(); });
    return;
  }
  for (const FolderSnapshot& folder : std::exchange(pendingSaves_, {}))
    report(QStringLiteral("Save: ") + q(writtenFilesText(folder.writtenSince(), folder.folder())),
           q(folder.folder().string()));
}

}  // namespace plumetra::qt

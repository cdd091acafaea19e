#include "desktop/qt_dialogs.h"

#include "controls/message_kind.h"
#include "desktop/control_binding.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>

#include <cmath>

namespace plumetra::qt {

namespace {
QString titleOr(const std::string& title) { return title.empty() ? QStringLiteral("Plumetra") : q(title); }
QString startFolder(const FileDialogRequest& r) {
  std::filesystem::path p = r.initialFolder;
  if (!r.fileName.empty()) p /= r.fileName;
  return QString::fromStdString(p.string());
}
}  // namespace

QString qtFileFilter(const std::string& filter) {
  // The core's filters pair a caption with a pattern, all joined by "|"; Qt wants the
  // pattern in brackets after the caption.
  const QStringList parts = q(filter).split('|');
  QStringList out;
  for (int i = 0; i < parts.size(); i += 2) {
    const QString caption = parts[i].trimmed();
    if (caption.isEmpty()) continue;
    const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    out << (caption.contains('(') || pattern.isEmpty() ? caption : caption + " (" + pattern + ")");
  }
  return out.join(";;");
}

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}
QtDialogs::~QtDialogs() { busy(false); }

void QtDialogs::message(const std::string& text, const std::string& title) {
  switch (messageKind(text)) {
    case MessageKind::Failure:
      QMessageBox::warning(parent_, titleOr(title), readable(text));
      break;
    case MessageKind::Information:
      QMessageBox::information(parent_, titleOr(title), readable(text));
      break;
  }
}

bool QtDialogs::yesNo(const std::string& text, const std::string& title) {
  return QMessageBox::question(parent_, titleOr(title), readable(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, titleOr(title), readable(prompt), QLineEdit::Normal,
                                               q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

std::optional<std::filesystem::path> QtDialogs::openFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, q(request.title), startFolder(request), qtFileFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A location may be named before its files exist.
  dialog.setFileMode(request.newNameAllowed ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

std::optional<std::filesystem::path> QtDialogs::saveFile(const FileDialogRequest& request) {
  const QString path =
      QFileDialog::getSaveFileName(parent_, q(request.title), startFolder(request), qtFileFilter(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdString());
}

void QtDialogs::busy(bool on) {
  if (!on) progress_.reset();  // the long work has ended, whether or not it said 100 %
  if (on == busy_) return;
  busy_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

bool QtDialogs::progress(const std::string& text, double fraction) {
  if (!progress_) {
    progress_ = std::make_unique<QProgressDialog>(q(text), QStringLiteral("Cancel"), 0, 1000, parent_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(300);
  }
  progress_->setLabelText(q(text));
  progress_->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 1000)));
  QApplication::processEvents();
  const bool keepGoing = !progress_->wasCanceled();
  if (fraction >= 1.0 || !keepGoing) progress_.reset();
  return keepGoing;
}

std::string QtClipboard::text() const { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::setText(const std::string& text) { QGuiApplication::clipboard()->setText(q(text)); }

}  // namespace plumetra::qt

#include "desktop/activity_log.h"

#include <QAction>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

namespace plumetra::qt {

namespace {
constexpr int FolderRole = Qt::UserRole;
constexpr int MaxLines = 500;  // the oldest lines go first
}  // namespace

ActivityLog::ActivityLog(QWidget* parent)
    : QDockWidget(QStringLiteral("What Was Done"), parent), lines_(new QListWidget(this)),
      openFolder_(new QAction(QStringLiteral("Open Folder"), this)) {
  setObjectName(QStringLiteral("activityLog"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  lines_->setObjectName(QStringLiteral("activityLines"));
  lines_->setWordWrap(true);
  openFolder_->setToolTip(QStringLiteral("Opens the folder of the chosen line, or of the last line that names one"));
  auto* openButton = new QToolButton(this);
  openButton->setObjectName(QStringLiteral("openFolderButton"));
  openButton->setDefaultAction(openFolder_);
  auto* box = new QWidget(this);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(lines_, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(openButton);
  side->addStretch(1);
  layout->addLayout(side);
  setWidget(box);
  connect(lines_, &QListWidget::currentRowChanged, this, [this] { updateButton(); });
  connect(openFolder_, &QAction::triggered, this,
          [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folderToOpen())); });
  updateButton();
}

void ActivityLog::add(const QString& text, const QString& folder) {
  auto* line = new QListWidgetItem(QTime::currentTime().toString(QStringLiteral("HH:mm  ")) + text, lines_);
  line->setToolTip(text);
  line->setData(FolderRole, folder);
  while (lines_->count() > MaxLines) delete lines_->takeItem(0);
  lines_->scrollToBottom();
  updateButton();
}

QString ActivityLog::folderToOpen() const {
  if (const QListWidgetItem* chosen = lines_->currentItem(); chosen && !chosen->data(FolderRole).toString().isEmpty())
    return chosen->data(FolderRole).toString();
  for (int i = lines_->count() - 1; i >= 0; --i)
    if (const QString folder = lines_->item(i)->data(FolderRole).toString(); !folder.isEmpty()) return folder;
  return {};
}

void ActivityLog::updateButton() { openFolder_->setEnabled(!folderToOpen().isEmpty()); }

}  // namespace plumetra::qt

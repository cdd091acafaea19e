#pragma once
// The window tests keep what the window remembers (QSettings) in a folder of their own, so no
// test reads what another one, or the user's own program, stored.

#include <QSettings>
#include <QTemporaryDir>

class IsolatedSettings {
 public:
  IsolatedSettings() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
  }
  QString path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

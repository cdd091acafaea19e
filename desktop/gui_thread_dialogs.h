#pragma once
// The Dialogs a command running on a worker thread talks to: every call is carried out by
// the real dialogs on the window's thread, and the worker waits for the answer.

#include "controls/dialogs.h"

class QObject;

namespace plumetra::qt {

class GuiThreadDialogs final : public Dialogs {
 public:
  // `guiObject` lives on the window's thread, which must be running an event loop.
  GuiThreadDialogs(Dialogs& target, QObject* guiObject) : target_(target), guiObject_(guiObject) {}

  void message(const std::string& text, const std::string& title) override;
  bool yesNo(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) override;
  void busy(bool on) override;
  bool progress(const std::string& text, double fraction) override;

 private:
  Dialogs& target_;
  QObject* guiObject_;
};

}  // namespace plumetra::qt

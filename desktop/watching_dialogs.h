#pragma once
// The window's dialogs, watched for the log: each message is handed on and also told to the
// log, and a file chosen in a save dialog is told to the window, which then looks for what
// was written there.

#include "controls/dialogs.h"

#include <functional>

namespace plumetra::qt {

class WatchingDialogs final : public Dialogs {
 public:
  struct Watchers {
    std::function<void(const std::string& text)> told;
    std::function<void(const std::filesystem::path& file)> saveChosen;
  };
  WatchingDialogs(Dialogs& shown, Watchers watchers) : shown_(shown), watchers_(std::move(watchers)) {}

  void message(const std::string& text, const std::string& title) override;
  bool yesNo(const std::string& text, const std::string& title) override { return shown_.yesNo(text, title); }
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override {
    return shown_.input(prompt, title, defaultText);
  }
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) override {
    return shown_.openFile(request);
  }
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) override;
  void busy(bool on) override { shown_.busy(on); }
  bool progress(const std::string& text, double fraction) override { return shown_.progress(text, fraction); }

 private:
  Dialogs& shown_;
  Watchers watchers_;
};

}  // namespace plumetra::qt

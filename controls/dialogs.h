#pragma once
// Everything the core asks of or tells the user goes through this interface:
// the desktop shows real dialogs, the tests script the answers, the command line answers from options.

#include <filesystem>
#include <optional>
#include <string>

namespace plumetra {

struct FileDialogRequest {
  std::string title;
  std::string filter;    // e.g. "Excel (*.xls)|*.xls|All files (*.*)|*.*"
  std::string fileName;  // proposed name
  std::filesystem::path initialFolder;
  bool newNameAllowed = false;  // an open dialog that also takes a name of no existing file
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with an OK button.
  virtual void message(const std::string& text, const std::string& title = {}) = 0;
  // A Yes/No question: true for Yes.
  virtual bool yesNo(const std::string& text, const std::string& title = {}) = 0;
  // An input box; std::nullopt when cancelled (the program treats that as an empty answer).
  virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) = 0;
  // File dialogs: the chosen path, or std::nullopt when cancelled.
  virtual std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) = 0;
  // The hourglass pointer on or off.
  virtual void busy(bool on) = 0;
  // Progress of long work, fraction in 0..1; returns false when the user cancels.
  virtual bool progress(const std::string& text, double fraction) = 0;
};

}  // namespace plumetra

#pragma once
// Dialogs for tests: the expected prompts and their answers, in order.
// An unexpected prompt, a prompt of the wrong kind, or one whose text differs from a
// non-empty expected text is recorded as a failure and answered No / cancel; the
// scripted step it did not match stays next in line.

#include "controls/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace plumetra {

class ScriptedDialogs final : public Dialogs {
 public:
  enum class Kind { Message, YesNo, Input, OpenFile, SaveFile };
  struct Step {
    Kind kind;
    std::string text;    // the expected message or prompt ("" matches any)
    std::string answer;  // "Yes"/"No", the input text, or the file path ("" = cancel)
  };

  ScriptedDialogs& expectMessage(std::string text);
  ScriptedDialogs& expectYesNo(std::string text, bool yes);
  ScriptedDialogs& expectInput(std::string prompt, std::string answer);
  ScriptedDialogs& expectOpenFile(std::string title, std::string path);
  ScriptedDialogs& expectSaveFile(std::string title, std::string path);

  void message(const std::string& text, const std::string& title) override;
  bool yesNo(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) override;
  void busy(bool on) override { busy_ = on; }
  bool progress(const std::string&, double) override { return true; }

  // Everything shown, in order (messages, questions and prompts).
  const std::vector<std::string>& shown() const { return shown_; }
  // Unexpected or mismatched prompts; empty when the script was followed.
  const std::vector<std::string>& failures() const { return failures_; }
  // True when every scripted step was used and nothing failed.
  bool finished() const { return steps_.empty() && failures_.empty(); }
  bool isBusy() const { return busy_; }

 private:
  const Step* take(Kind kind, const std::string& text);
  std::deque<Step> steps_;
  Step current_{};
  std::vector<std::string> shown_, failures_;
  bool busy_ = false;
};

}  // namespace plumetra

#pragma once
// Dialogs for the command line, in its own voice: questions are answered from the options the
// user gave (by the start of the question's text, else a fallback) and each is told as the fact
// it settles ("Cost per bird: off (--cost to add it)"), messages the command line says in its
// own terms are restated or left out, other messages are told as they stand, failures as
// "warning: ..." (the reason of a stop is kept for the command's error line). Without a given file a
// file dialog counts as cancelled; an input box without a given answer takes its default text.
// setQuiet(true) silences everything.

#include "controls/dialogs.h"

#include <iosfwd>
#include <map>
#include <string>

namespace plumetra {

class BatchDialogs final : public Dialogs {
 public:
  explicit BatchDialogs(std::ostream& notes);

  // Answers by the start of the question's text; the longest matching start wins. When the
  // question comes, `fact` is told in its place (nothing when empty).
  void answerYesNo(std::string questionStart, bool yes, std::string fact = {});
  void answerInput(std::string promptStart, std::string answer, std::string fact = {});
  void answerFile(std::string titleStart, std::string path);
  // A message starting with messageStart is told as `text` instead (nothing when empty).
  void restate(std::string messageStart, std::string text);
  void setDefaultYesNo(bool yes) { defaultYes_ = yes; }
  void setQuiet(bool quiet) { quiet_ = quiet; }
  // Progress lines are for a person watching a terminal; off by default.
  void setProgressShown(bool shown) { progressShown_ = shown; }
  // Why the core stopped, for the command's error line: the last message that reported a
  // failure, else the last message told as it stands; empty when there was none.
  const std::string& lastReason() const { return lastFailure_.empty() ? lastMessage_ : lastFailure_; }

  void message(const std::string& text, const std::string& title) override;
  bool yesNo(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) override;
  void busy(bool) override {}
  // Prints "<text> <n>%" each time the work passes another tenth; never cancels.
  bool progress(const std::string& text, double fraction) override;

 private:
  struct Answer {
    std::string value;  // "1"/"0" for a yes/no question
    std::string fact;
  };
  void tell(const std::string& line);
  std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request);
  std::ostream& notes_;
  std::map<std::string, Answer> yesNo_, inputs_;
  std::map<std::string, std::string> files_, restated_;
  bool defaultYes_ = false;
  bool quiet_ = false;
  bool progressShown_ = false;
  std::string lastFailure_, lastMessage_;
  std::string progressText_;
  int progressStep_ = -1;
};

}  // namespace plumetra

#pragma once
// Dialogs for the command line: messages go to the given stream (standard error), questions
// are answered from the options the user gave (by the start of the question's text, else a
// fallback), and every question is echoed with the answer used, so the user sees what was
// assumed. Without a given file a file dialog counts as cancelled; an input box without a
// given answer takes its default text. setQuiet(true) silences everything.

#include "controls/dialogs.h"

#include <iosfwd>
#include <map>
#include <string>

namespace plumetra {

class BatchDialogs final : public Dialogs {
 public:
  explicit BatchDialogs(std::ostream& err);

  // Answers by the start of the question's text; the longest matching start wins.
  void answerYesNo(std::string questionStart, bool yes);
  void answerInput(std::string promptStart, std::string answer);
  void answerFile(std::string titleStart, std::string path);
  void setDefaultYesNo(bool yes) { defaultYes_ = yes; }
  void setQuiet(bool quiet) { quiet_ = quiet; }

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
  std::optional<std::filesystem::path> chooseFile(const char* kind, const FileDialogRequest& request);
  std::ostream& err_;
  std::map<std::string, bool> yesNo_;
  std::map<std::string, std::string> inputs_, files_;
  bool defaultYes_ = false;
  bool quiet_ = false;
  std::string progressText_;
  int progressStep_ = -1;
};

}  // namespace plumetra

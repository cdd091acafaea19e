#pragma once
// Dialogs for the window tests: every prompt is recorded; questions get a fixed answer,
// input boxes the next queued answer (or their default), file dialogs the next queued path
// (or cancel).

#include "controls/dialogs.h"

#include <deque>
#include <string>
#include <vector>

class RecordingDialogs final : public plumetra::Dialogs {
 public:
  bool answerYes = true;
  std::deque<std::filesystem::path> files;  // answers of the next file dialogs
  std::deque<std::string> inputs;           // answers of the next input boxes
  std::vector<std::string> shown;

  void message(const std::string& text, const std::string&) override { shown.push_back(text); }
  bool yesNo(const std::string& text, const std::string&) override {
    shown.push_back(text);
    return answerYes;
  }
  std::optional<std::string> input(const std::string& prompt, const std::string&,
                                   const std::string& defaultText) override {
    shown.push_back(prompt);
    if (inputs.empty()) return defaultText;
    std::string answer = inputs.front();
    inputs.pop_front();
    return answer;
  }
  std::optional<std::filesystem::path> openFile(const plumetra::FileDialogRequest& r) override { return next(r); }
  std::optional<std::filesystem::path> saveFile(const plumetra::FileDialogRequest& r) override { return next(r); }
  void busy(bool on) override { busyCalls += on ? 1 : 0; }
  bool progress(const std::string&, double) override { return true; }
  int busyCalls = 0;

 private:
  std::optional<std::filesystem::path> next(const plumetra::FileDialogRequest& r) {
    shown.push_back(r.title);
    if (files.empty()) return std::nullopt;
    std::filesystem::path path = files.front();
    files.pop_front();
    return path;
  }
};

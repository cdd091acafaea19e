#include "controls/batch_dialogs.h"

#include "controls/message_kind.h"

#include <cmath>
#include <ostream>

namespace plumetra {

namespace {

constexpr int ProgressSteps = 10;

// Dialog texts carry CR LF line breaks and the odd control character; a terminal wants
// plain lines.
std::string forTerminal(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c != '\n' && c != '\t' && static_cast<unsigned char>(c) < 0x20) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// A question no option answers, told as the statement it was taken for: without its
// question mark and trailing blanks.
std::string statementOf(const std::string& question) {
  std::string text = forTerminal(question);
  while (!text.empty() && (text.back() == '?' || text.back() == ' ' || text.back() == '\n')) text.pop_back();
  for (char& c : text)
    if (c == '?') c = '.';
  return text;
}

// The answer registered under the longest start of text, if any.
template <typename Value>
const Value* answerFor(const std::map<std::string, Value>& answers, const std::string& text) {
  const Value* best = nullptr;
  std::size_t bestLength = 0;
  for (const auto& [start, answer] : answers) {
    if (text.starts_with(start) && (!best || start.size() > bestLength)) {
      best = &answer;
      bestLength = start.size();
    }
  }
  return best;
}

}  // namespace

BatchDialogs::BatchDialogs(std::ostream& notes) : notes_(notes) {}

void BatchDialogs::answerYesNo(std::string questionStart, bool yes, std::string fact) {
  yesNo_[std::move(questionStart)] = {yes ? "1" : "0", std::move(fact)};
}

void BatchDialogs::answerInput(std::string promptStart, std::string answer, std::string fact) {
  inputs_[std::move(promptStart)] = {std::move(answer), std::move(fact)};
}

void BatchDialogs::answerFile(std::string titleStart, std::string path) {
  files_[std::move(titleStart)] = std::move(path);
}

void BatchDialogs::restate(std::string messageStart, std::string text) {
  restated_[std::move(messageStart)] = std::move(text);
}

void BatchDialogs::tell(const std::string& line) {
  if (!quiet_ && !line.empty()) notes_ << line << '\n';
}

// A dialog's title names a window of the desktop; the command line tells the text alone.
void BatchDialogs::message(const std::string& text, const std::string&) {
  if (const std::string* restated = answerFor(restated_, text)) {
    tell(*restated);
  } else if (messageKind(text) == MessageKind::Failure) {
    lastFailure_ = forTerminal(text);
    tell("warning: " + lastFailure_);
  } else {
    lastMessage_ = forTerminal(text);
    tell(lastMessage_);
  }
}

bool BatchDialogs::yesNo(const std::string& text, const std::string&) {
  if (const Answer* given = answerFor(yesNo_, text)) {
    tell(given->fact);
    return given->value == "1";
  }
  tell(std::string(defaultYes_ ? "assumed yes" : "assumed no") + " (no option settles it): " + statementOf(text));
  return defaultYes_;
}

std::optional<std::string> BatchDialogs::input(const std::string& prompt, const std::string&,
                                               const std::string& defaultText) {
  if (const Answer* given = answerFor(inputs_, prompt)) {
    tell(given->fact);
    return given->value;
  }
  tell("assumed \"" + defaultText + "\" (no option settles it): " + statementOf(prompt));
  return defaultText;
}

std::optional<std::filesystem::path> BatchDialogs::chooseFile(const FileDialogRequest& request) {
  const std::string* given = answerFor(files_, request.title);
  if (!given || given->empty()) {
    tell("no file given (no option names one): " + statementOf(request.title));
    return std::nullopt;
  }
  return std::filesystem::path(*given);
}

std::optional<std::filesystem::path> BatchDialogs::openFile(const FileDialogRequest& request) {
  return chooseFile(request);
}

std::optional<std::filesystem::path> BatchDialogs::saveFile(const FileDialogRequest& request) {
  return chooseFile(request);
}

// One line per tenth of the work at most; a new text starts its own count.
bool BatchDialogs::progress(const std::string& text, double fraction) {
  if (text != progressText_) {
    progressText_ = text;
    progressStep_ = -1;
  }
  const double clamped = std::isfinite(fraction) ? std::fmin(std::fmax(fraction, 0.0), 1.0) : 0.0;
  const int step = static_cast<int>(std::floor(clamped * ProgressSteps));
  if (step > progressStep_) {
    progressStep_ = step;
    if (progressShown_) tell(forTerminal(text) + ' ' + std::to_string(step * (100 / ProgressSteps)) + '%');
  }
  return true;
}

}  // namespace plumetra

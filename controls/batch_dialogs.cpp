#include "controls/batch_dialogs.h"

#include <cmath>
#include <ostream>

namespace plumetra {

namespace {

constexpr int kProgressSteps = 10;

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

std::string withTitle(const std::string& title, const std::string& text) {
  return title.empty() ? forTerminal(text) : forTerminal(title) + ": " + forTerminal(text);
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

const char* origin(bool registered) { return registered ? "(given)" : "(assumed)"; }

}  // namespace

BatchDialogs::BatchDialogs(std::ostream& err) : err_(err) {}

void BatchDialogs::answerYesNo(std::string questionStart, bool yes) {
  yesNo_[std::move(questionStart)] = yes;
}

void BatchDialogs::answerInput(std::string promptStart, std::string answer) {
  inputs_[std::move(promptStart)] = std::move(answer);
}

void BatchDialogs::answerFile(std::string titleStart, std::string path) {
  files_[std::move(titleStart)] = std::move(path);
}

void BatchDialogs::message(const std::string& text, const std::string& title) {
  if (!quiet_) err_ << "Message: " << withTitle(title, text) << '\n';
}

bool BatchDialogs::yesNo(const std::string& text, const std::string& title) {
  const bool* given = answerFor(yesNo_, text);
  const bool yes = given ? *given : defaultYes_;
  if (!quiet_)
    err_ << "Question: " << withTitle(title, text) << " -> " << (yes ? "Yes " : "No ")
         << origin(given) << '\n';
  return yes;
}

std::optional<std::string> BatchDialogs::input(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
  const std::string* given = answerFor(inputs_, prompt);
  const std::string answer = given ? *given : defaultText;
  if (!quiet_)
    err_ << "Input: " << withTitle(title, prompt) << " -> \"" << answer << "\" " << origin(given)
         << '\n';
  return answer;
}

std::optional<std::filesystem::path> BatchDialogs::chooseFile(const char* kind,
                                                              const FileDialogRequest& request) {
  const std::string* given = answerFor(files_, request.title);
  if (!quiet_) {
    err_ << kind << ": " << forTerminal(request.title) << " -> ";
    if (given) err_ << '"' << *given << "\" (given)\n";
    else err_ << "cancelled (no file given)\n";
  }
  if (!given || given->empty()) return std::nullopt;
  return std::filesystem::path(*given);
}

std::optional<std::filesystem::path> BatchDialogs::openFile(const FileDialogRequest& request) {
  return chooseFile("Open file", request);
}

std::optional<std::filesystem::path> BatchDialogs::saveFile(const FileDialogRequest& request) {
  return chooseFile("Save file", request);
}

// One line per tenth of the work at most; a new text starts its own count.
bool BatchDialogs::progress(const std::string& text, double fraction) {
  if (text != progressText_) {
    progressText_ = text;
    progressStep_ = -1;
  }
  const double clamped = std::isfinite(fraction) ? std::fmin(std::fmax(fraction, 0.0), 1.0) : 0.0;
  const int step = static_cast<int>(std::floor(clamped * kProgressSteps));
  if (step > progressStep_) {
    progressStep_ = step;
    if (!quiet_) err_ << forTerminal(text) << ' ' << step * (100 / kProgressSteps) << "%\n";
  }
  return true;
}

}  // namespace plumetra

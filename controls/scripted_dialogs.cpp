#include "controls/scripted_dialogs.h"

namespace plumetra {

namespace {

const char* kindName(ScriptedDialogs::Kind kind) {
  switch (kind) {
    case ScriptedDialogs::Kind::Message: return "message";
    case ScriptedDialogs::Kind::YesNo: return "question";
    case ScriptedDialogs::Kind::Input: return "input";
    case ScriptedDialogs::Kind::OpenFile: return "open file";
    case ScriptedDialogs::Kind::SaveFile: return "save file";
  }
  return "prompt";
}

std::string describe(ScriptedDialogs::Kind kind, const std::string& text) {
  return std::string(kindName(kind)) + " \"" + text + "\"";
}

}  // namespace

ScriptedDialogs& ScriptedDialogs::expectMessage(std::string text) {
  steps_.push_back({Kind::Message, std::move(text), {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectYesNo(std::string text, bool yes) {
  steps_.push_back({Kind::YesNo, std::move(text), yes ? "Yes" : "No"});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(std::string prompt, std::string answer) {
  steps_.push_back({Kind::Input, std::move(prompt), std::move(answer)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(std::string title, std::string path) {
  steps_.push_back({Kind::OpenFile, std::move(title), std::move(path)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSaveFile(std::string title, std::string path) {
  steps_.push_back({Kind::SaveFile, std::move(title), std::move(path)});
  return *this;
}

// A prompt that does not match the next step fails and leaves that step in place, so one
// extra prompt costs one failure and the rest of the script still lines up.
const ScriptedDialogs::Step* ScriptedDialogs::take(Kind kind, const std::string& text) {
  shown_.push_back(text);
  if (steps_.empty()) {
    failures_.push_back("unexpected " + describe(kind, text));
    return nullptr;
  }
  const Step& next = steps_.front();
  if (next.kind != kind || (!next.text.empty() && next.text != text)) {
    failures_.push_back("expected " + describe(next.kind, next.text) + ", got " +
                        describe(kind, text));
    return nullptr;
  }
  current_ = next;
  steps_.pop_front();
  return &current_;
}

void ScriptedDialogs::message(const std::string& text, const std::string&) {
  take(Kind::Message, text);
}

bool ScriptedDialogs::yesNo(const std::string& text, const std::string&) {
  const Step* step = take(Kind::YesNo, text);
  return step && step->answer == "Yes";
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt, const std::string&,
                                                  const std::string&) {
  const Step* step = take(Kind::Input, prompt);
  if (!step) return std::nullopt;
  return step->answer;
}

std::optional<std::filesystem::path> ScriptedDialogs::openFile(const FileDialogRequest& request) {
  const Step* step = take(Kind::OpenFile, request.title);
  if (!step || step->answer.empty()) return std::nullopt;
  return std::filesystem::path(step->answer);
}

std::optional<std::filesystem::path> ScriptedDialogs::saveFile(const FileDialogRequest& request) {
  const Step* step = take(Kind::SaveFile, request.title);
  if (!step || step->answer.empty()) return std::nullopt;
  return std::filesystem::path(step->answer);
}

}  // namespace plumetra

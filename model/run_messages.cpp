#include "model/run_messages.h"

#include "controls/number_format.h"

#include <algorithm>

namespace plumetra {

std::string zeroWeightText(const RunMessages::ZeroWeightDay& step) {
  return "OHHH The current day is " + numberText(step.day) + " " + numberText(step.stepCount);
}

std::string energyFaultText(int phase) { return "Check energy value of diet #" + numberText(phase); }

std::vector<std::string> runMessageTexts(const RunMessages& messages) {
  std::vector<std::string> texts;
  const int kept = std::min(messages.zeroWeightCount, RunMessages::MaxKeptZeroWeightDays);
  for (int i = 0; i < kept; ++i) texts.push_back(zeroWeightText(messages.zeroWeightDays[i]));
  if (messages.energyFaultPhase != 0) texts.push_back(energyFaultText(messages.energyFaultPhase));
  if (messages.targetMissed) texts.emplace_back(TargetMissedText);
  return texts;
}

void showRunMessages(const RunMessages& messages, Dialogs& dialogs) {
  for (const std::string& text : runMessageTexts(messages)) dialogs.message(text);
}

void RunMessageTally::count(const std::string& key, const std::string& text, const std::string& subject,
                            const char* check) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (it == entries_.end()) {
    entries_.push_back({key, text, subject, check, 1});
  } else {
    ++it->flocks;
  }
}

void RunMessageTally::add(const RunMessages& messages, const std::string& subject) {
  if (messages.zeroWeightCount > 0)
    count("zero weight", zeroWeightText(messages.zeroWeightDays[0]), subject,
          "the bird's weight was lost during the run; check the growth parameters and the diets");
  if (messages.energyFaultPhase != 0)
    count("energy " + std::to_string(messages.energyFaultPhase), energyFaultText(messages.energyFaultPhase), subject,
          "that diet has no usable energy; check its energy in kcal/kg");
  if (messages.targetMissed)
    count(TargetMissedText, TargetMissedText, subject,
          "the target was not reached by day 70; check the target and the feed amounts");
}

std::vector<std::string> RunMessageTally::texts() const {
  std::vector<std::string> texts;
  for (const Entry& e : entries_) {
    std::string text = e.firstText;
    if (!e.subject.empty()) text += " - " + e.subject + ": " + e.check;
    if (e.flocks > 1) text += " (" + std::to_string(e.flocks) + (e.subject.empty() ? " flocks)" : " times, the first named)");
    texts.push_back(std::move(text));
  }
  return texts;
}

void RunMessageTally::show(Dialogs& dialogs) const {
  for (const std::string& text : texts()) dialogs.message(text);
}

}  // namespace plumetra

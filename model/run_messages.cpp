#include "model/run_messages.h"

#include "controls/number_format.h"

#include <algorithm>

namespace plumetra {

std::string ZeroWeightText(const RunMessages::ZeroWeightDay& step) {
  return "OHHH The current day is " + numberText(step.day) + " " + numberText(step.stepCount);
}

std::string EnergyFaultText(int phase) { return "Check energy value of diet #" + numberText(phase); }

std::vector<std::string> RunMessageTexts(const RunMessages& messages) {
  std::vector<std::string> texts;
  const int kept = std::min(messages.zeroWeightCount, RunMessages::kMaxKeptZeroWeightDays);
  for (int i = 0; i < kept; ++i) texts.push_back(ZeroWeightText(messages.zeroWeightDays[i]));
  if (messages.energyFaultPhase != 0) texts.push_back(EnergyFaultText(messages.energyFaultPhase));
  if (messages.targetMissed) texts.emplace_back(kTargetMissedText);
  return texts;
}

void ShowRunMessages(const RunMessages& messages, Dialogs& dialogs) {
  for (const std::string& text : RunMessageTexts(messages)) dialogs.message(text);
}

void RunMessageTally::count(const std::string& key, const std::string& text) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (it == entries_.end()) {
    entries_.push_back({key, text, 1});
  } else {
    ++it->flocks;
  }
}

void RunMessageTally::add(const RunMessages& messages) {
  if (messages.zeroWeightCount > 0) count("zero weight", ZeroWeightText(messages.zeroWeightDays[0]));
  if (messages.energyFaultPhase != 0)
    count("energy " + std::to_string(messages.energyFaultPhase), EnergyFaultText(messages.energyFaultPhase));
  if (messages.targetMissed) count(kTargetMissedText, kTargetMissedText);
}

std::vector<std::string> RunMessageTally::texts() const {
  std::vector<std::string> texts;
  for (const Entry& e : entries_)
    texts.push_back(e.flocks == 1 ? e.firstText
                                  : e.firstText + " (" + std::to_string(e.flocks) + " flocks)");
  return texts;
}

void RunMessageTally::show(Dialogs& dialogs) const {
  for (const std::string& text : texts()) dialogs.message(text);
}

}  // namespace plumetra

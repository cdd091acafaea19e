#pragma once
// The messages of one growth run, kept as values so that a run touches nothing but its own
// model state (runs may go on threads); they are shown through `Dialogs` by the caller.

#include "controls/dialogs.h"

#include <array>
#include <string>
#include <vector>

namespace plumetra {

struct RunMessages {
  // One "OHHH" message per day step that found no start weight at all.
  struct ZeroWeightDay {
    int day = 0;
    int stepCount = 0;  // the day-step counter at that step
  };
  static constexpr int MaxKeptZeroWeightDays = 200;  // two sexes x 98 days fit
  std::array<ZeroWeightDay, MaxKeptZeroWeightDays> zeroWeightDays{};
  int zeroWeightCount = 0;  // all of them, also those beyond the kept ones
  bool targetMissed = false;  // "WOW": no target by day 70
  int energyFaultPhase = 0;   // "Check energy value of diet #": the phase, 0 when none

  void clear() {
    zeroWeightCount = 0;
    targetMissed = false;
    energyFaultPhase = 0;
  }
  void addZeroWeightDay(int day, int stepCount) {
    if (zeroWeightCount < MaxKeptZeroWeightDays) zeroWeightDays[zeroWeightCount] = {day, stepCount};
    ++zeroWeightCount;
  }
  bool empty() const { return zeroWeightCount == 0 && !targetMissed && energyFaultPhase == 0; }
};

// The message texts, as the user sees them.
std::string zeroWeightText(const RunMessages::ZeroWeightDay& step);
std::string energyFaultText(int phase);
inline constexpr const char* TargetMissedText = "WOW";

// Every message of one run, in the order the run met them.
void showRunMessages(const RunMessages& messages, Dialogs& dialogs);
// The same texts as a list (the command line prints them).
std::vector<std::string> runMessageTexts(const RunMessages& messages);

// Gathers the messages of many runs (one per flock) so that a command shows each kind of
// message once, saying for how many flocks it came up.
class RunMessageTally {
 public:
  // `subject` names the group or flock of the run ("the Top group", "flock 12 (Farm A)"); a
  // message with a subject says after its own text whose run it came from and what to check.
  void add(const RunMessages& messages, const std::string& subject = {});
  void show(Dialogs& dialogs) const;
  std::vector<std::string> texts() const;

 private:
  struct Entry {
    std::string key;        // the kind of message ("zero weight", "WOW", the fault's phase)
    std::string firstText;  // the message as the first flock showed it
    std::string subject;    // the first flock's or group's name, empty when not given
    std::string check;      // what to check
    int flocks = 0;
  };
  void count(const std::string& key, const std::string& text, const std::string& subject, const char* check);
  std::vector<Entry> entries_;  // in the order first met
};

}  // namespace plumetra

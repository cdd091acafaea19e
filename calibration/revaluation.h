#pragma once
// "ReValue Predictions" (revalueButton): every flock of the feed-conversion split is grown
// again with the calibration of its own group, on the feed it actually ate; the results go to
// base name + "Revaluage.txt", which the revaluation window then shows.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "calibration/calibration_record.h"
#include "model/model_state.h"
#include "controls/dialogs.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr const char* RevalDialogTitle = "Select the Files you want with top.clb";
inline constexpr const char* RevalDialogFilter = "YourNameTop.clb|*.clb|";
inline constexpr const char* RevalDialogFileName = "*.clb";

enum class RevalRead {
  Read,        // the three files read; name holds the base name
  NoFile,      // the chosen file does not exist: nothing read
  NoTop,       // the name holds no "Top": nothing read
  Refused,     // a file of the set is not a usable calibration: nothing read
};

// Reads name (a "...Top.clb"), base + "Middle.clb" and base + "Bottom.clb" into groups 1-3
// (items 0-4 of sexes 1 and 2) with the checked calibration reader, and the set's amino-acid
// basis (of its first file) into storedAminoBasis. "Top" is looked for in the file name, not in
// its folders. A Middle or Bottom file that does not exist leaves its group empty (a group
// that failed its calibration has no files): on Read *problem (when given) then names the
// missing groups. On Read, name holds the base name with its folder; otherwise the record is
// unchanged and *problem names the file at fault and why (with the line).
RevalRead readForReval(std::string& name, CalibrationRecord& calibration, std::string* problem = nullptr);

// One flock grown again with its group's calibration.
struct RevaluedFlockLine {
  FlockKey key;
  int group = 0;      // 1 Top, 2 Middle, 3 Bottom
  int position = 0;   // 1-based place in the split, lowest feed conversion first
  double weight = 0;  // grams
  double age = 0, feedConversion = 0, weightDay14 = 0, weightDay21 = 0;
};

struct RevaluationContext {
  Workspace& ws;
  ModelState& model;
  CalibrationRecord& calibration;
  const SplitFlocks& flocks;     // the feed-conversion split of the analysis
  std::filesystem::path folder;  // the current folder: the result file goes here
  std::string today;             // the date written on line 1
  std::array<int, 4> revalued{};  // out: flocks revalued per group 1-3 (what the averages cover)
  std::vector<RevaluedFlockLine> lines{};  // out: the flocks revalued, in the split's order
  std::filesystem::path written{};         // out: the result file, once written
};

enum class RevalEnd { NoCalibration, ReadFailed, WriteFailed, Done };

// Steps 2 onward with the calibrations in memory: writes the result file base name +
// "Revaluage.txt" (named in context.written). Each flock is grown at its own density; a
// flock without feed intakes is skipped with a message naming it and its group goes on; a
// group without a calibration is left out with a message. A group header gives the number
// of flock lines that follow it.
RevalEnd revalueFlocksAs(RevaluationContext& context, const std::string& baseName, Dialogs& dialogs);

// The button: the file dialog, then revalueFlocksAs.
RevalEnd revalueFlocks(RevaluationContext& context, Dialogs& dialogs);

// revaluation.tsv: one row per flock revalued: the flock key, its group (Top, Middle, Bottom),
// live weight (kg), age (days), feed conversion, and the weights on days 14 and 21 (kg).
Grid revaluedFlocksGrid(const std::vector<RevaluedFlockLine>& lines);

// Today's date as line 1 shows it (year-month-day).
std::string todayText();

}  // namespace plumetra

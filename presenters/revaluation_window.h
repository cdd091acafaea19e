#pragma once
// The revaluation window. revaluedGrid holds, in columns 0-4, each group's header row
// and its flocks (row number, live weight in kg, age, feed conversion), one empty row
// between groups; columns 5-9 hold the revalued group averages (rows 1-6), the groups'
// actual averages (rows 9-15) and the averages of the analysis run's first prediction
// (rows 17-23).

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "calibration/revaluation_file.h"
#include "controls/clipboard.h"
#include "controls/controls.h"
#include "controls/dialogs.h"
#include "controls/grid.h"
#include "workspace/split_flock.h"

namespace plumetra {

inline constexpr int RevaluationRows = 500;
inline constexpr int RevaluationCols = 10;
inline constexpr const char* RevalHelpText =
    "The Bottom Data Set is hardest and slowest to calibrate because the program puts all the "
    "feed to the finishing Broilers.  Some of the Feed went to Mortalies";

// A revalued group's mean and standard deviation of one measure, rounded as the window shows them.
struct RevaluedAverage {
  double mean = 0;
  double sd = 0;
};
// [group 1-3][live weight, age, feed conversion]; none for a measure without spread, and for
// every group from the first without flocks on.
using RevaluedAverages = std::array<std::array<std::optional<RevaluedAverage>, 3>, 4>;

// The averages over the flocks of the file's first three groups, of the values as the window
// shows them (live weight in kg).
RevaluedAverages revaluedAverages(const RevaluationFile& file);

struct RevaluationWindowState {
  Grid revaluedGrid{RevaluationRows, RevaluationCols};
  RevaluedAverages averages{};
  TextBox locationBox;
  std::filesystem::path file;  // the file shown
  bool visible = false;
};

// Opens `file`, or when it does not exist the one the user picks; false when none is read.
bool openRevaluationFile(RevaluationWindowState& window, const std::filesystem::path& file, const SplitFlocks& split,
                         Dialogs& dialogs);

// Fills the window from a read file and the split's group statistics (recorded and as the
// analysis predicted). The grid has at least 500 rows, more when the file's groups need them.
void fillRevaluationWindow(RevaluationWindowState& window, const RevaluationFile& file, const SplitFlocks& split);

void showRevaluationHelp(Dialogs& dialogs);
void copyRevaluationWindow(RevaluationWindowState& window, Clipboard& clipboard);
void copyRevaluationSelection(const RevaluationWindowState& window, Clipboard& clipboard);
void pasteIntoRevaluationWindow(RevaluationWindowState& window, const Clipboard& clipboard);

}  // namespace plumetra

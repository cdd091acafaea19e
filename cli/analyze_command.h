#pragma once
// `plumetra-cli analyze`: the analysis run from the command line. The option set and the
// load-and-run step are shared with the commands that analyse first (calibrate, lower-cost,
// revalue).

#include "analysis/analysis_batch.h"
#include "cli/command.h"
#include "cli/input_options.h"
#include "state/app_state.h"
#include "controls/batch_dialogs.h"

#include <filesystem>
#include <optional>
#include <string>

namespace plumetra::cli {

struct AnalyzeOptions {
  InputOptions input;
  // The analysis.
  std::string sex;               // mixed, males or females
  std::string split = "20,60,20";  // LOW,MID,HIGH percent
  std::filesystem::path location;
  bool cost = false;
  std::optional<int> removeOutliers;
  std::string sort, secondSort;
};

// Adds every option above to `command` (the caller adds its own, such as --out).
void addAnalyzeOptions(CLI::App& command, AnalyzeOptions& options);

// Start-up, model options, location, flock and diet tables, then the analysis run. Returns
// ExitOk when the run completed (outcome filled), else the exit code after the error line.
int loadAndAnalyze(AppState& state, const AnalyzeOptions& options, Console& console, BatchDialogs& dialogs,
                   AnalysisOutcome& outcome);

// "WHAT: the reason" with the reason the core told for stopping, else WHAT alone.
std::string withReason(const std::string& what, const BatchDialogs& dialogs);

// --json: the command's summary as one JSON document on stdout instead of the text summary.
void addJsonOption(CLI::App& command, bool& json);

}  // namespace plumetra::cli

#pragma once
// The tables that stand beside the analysis on the command line: the industry metrics
// (analyze adds them to its summary and its --out folder), the model fit, and the stored
// calibration set that fit and report read.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "controls/grid.h"
#include "workspace/split_flock.h"
#include "state/app_state.h"

namespace plumetra::cli {

// How the adjusted FCR is made: to which weight, by which slope (none: the defaults of
// fcrAdjustmentOf, the mean weight and the data's slope).
struct AdjustmentOptions {
  std::optional<double> standardWeight;  // kg
  std::optional<double> fcrSlope;        // FCR per kg
};

// --standard-weight and --fcr-slope.
void addAdjustmentOptions(CLI::App& command, AdjustmentOptions& options);

// --split-by: the measure the tables beside the analysis split the flocks by.
void addSplitByOption(CLI::App& command, std::string& splitBy);

// The analysis's flocks split by `splitBy` (fcr: as the analysis split them); none after an
// error line when a flock lacks the measure.
std::optional<SplitFlocks> splitFlocksBy(const AppState& state, const std::string& splitBy,
                                         const AdjustmentOptions& adjustment);

// The metrics lines of the analyze summary, with the adjusted FCR comparison.
void printMetricsSummary(std::ostream& out, const AppState& state, const SplitFlocks& split,
                         const AdjustmentOptions& adjustment);

// dir/metrics.tsv; false after a message on stderr.
bool writeMetricsTable(const AppState& state, const SplitFlocks& split, const AdjustmentOptions& adjustment,
                       const std::filesystem::path& dir);

// Writes `grid` to dir/name (creating dir); false after a message on stderr.
bool writeTable(const std::filesystem::path& dir, const char* name, const Grid& grid);

// The stored set named by a "...Top.clb" (or its base name) read into state.calibration, its
// base name in baseName; what the reader noted goes to `notes` as a warning. False after an
// error line.
bool readCalibrationSet(const std::filesystem::path& named, AppState& state, std::ostream& notes);

// The calibration set a command should use: --calibration when given, else the --location
// when its three groups' files exist; empty when none.
std::filesystem::path calibrationSetOf(const std::filesystem::path& calibration, const std::filesystem::path& location);

}  // namespace plumetra::cli

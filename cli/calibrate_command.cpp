// `plumetra-cli calibrate`: the analysis run, then the calibration of the Top, Middle and
// Bottom groups with their stored files (".cal", ".stg", ".clb", ".dts" per group) and
// "Predict.txt".

#include "analysis/split_flocks.h"
#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "calibration/predict_file.h"
#include "calibration/split_calibration.h"
#include "files/file_name.h"

#include <iostream>
#include <memory>

namespace plumetra::cli {

namespace {

struct CalibrateOptions {
  AnalyzeOptions analyze;
  std::string name;              // base name; empty: the flock file's name without extension
  std::filesystem::path outDir;  // empty: the current folder
};

void printRecord(const CalibrationRecord& record, const SplitCalibrationResult& result) {
  static constexpr const char* kItems[] = {"hatch weight", "time exponent", "log maturity ratio", "rate",
                                           "F E correction"};
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const GroupOutcome& outcome = result.groups[g];
    std::cout << groupWord(g) << ": "
              << (outcome.stored ? "stored" : "failed" + (outcome.reason.empty() ? "" : " (" + outcome.reason + ")"))
              << "; " << DensityText(outcome.density);
    if (outcome.stored)
      std::cout << "; age miss " << outcome.ageMiss << " d, feed conversion miss " << outcome.conversionMiss;
    std::cout << '\n';
    if (!outcome.stored) continue;
    for (int s = 1; s <= 2; ++s) {
      std::cout << groupWord(g) << (s == 1 ? " males:" : " females:");
      for (int k = 0; k <= kItemFeCorrection; ++k) std::cout << ' ' << kItems[k] << ' ' << record(g, s, k) << ';';
      std::cout << '\n';
    }
  }
}

int runCalibrate(const CalibrateOptions& options) {
  if (!options.name.empty() && !isPlainFileName(options.name)) {
    std::cerr << "plumetra-cli: --name \"" << plainFileName(options.name, "") << "\"" << kNotAPlainFileName << '\n';
    return ExitUsage;
  }
  BatchDialogs dialogs(std::cerr);
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, dialogs, outcome); code != ExitOk) return code;

  const std::filesystem::path dir = makeOutputFolder(options.outDir, "calibrate");
  if (dir.empty()) return ExitFailure;
  const std::string base =
      options.name.empty() ? plainFileName(options.analyze.input.flocks.stem().string(), "Flocks") : options.name;
  state->workspace.LastDir = dir;
  dialogs.answerInput("This creates 3 datasets", base);
  const SplitCalibrationResult result =
      calibrateGroups(state->workspace, state->model, state->calibration,
                      splitFlocksOf(state->workspace, state->analysis), dialogs);
  if (result.refused || result.baseName.empty()) return ExitFailure;
  printRecord(state->calibration, result);
  std::cerr << "Stored " << result.groupsStored << " of 3 groups as " << base << "Top/Middle/Bottom"
            << " (.cal, .stg, .clb, .dts) in " << dir.string()
            << (result.predictWritten ? std::string(", and ") + kPredictFileName : std::string()) << '\n';
  return result.allStored() && result.predictWritten ? ExitOk : ExitFailure;
}

}  // namespace

void registerCalibrate(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<CalibrateOptions>();
  auto* sub = app.add_subcommand(
      "calibrate", "Analyse, then calibrate the growth model to the three groups and store their files");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--name", options->name,
                  "Base name of the stored files; Top, Middle and Bottom are added (default: the flock "
                  "file's name without extension)");
  sub->add_option("--out", options->outDir, "Folder for the twelve files and Predict.txt (default: here)");
  sub->callback([options, &chosen] {
    options->analyze.input.listOut = options->outDir;
    chosen = [options] { return runCalibrate(*options); };
  });
}

}  // namespace plumetra::cli

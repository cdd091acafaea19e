// `plumetra-cli fit`: the analysis run, then predicted against recorded live weight, feed
// conversion and age per flock (fit.tsv) and per group the bias, MAPE and R squared; with a
// stored calibration set, the same for every flock grown with its own group's calibration.

#include <iomanip>
#include <iostream>
#include <memory>

#include "analysis/model_fit.h"
#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/side_tables.h"

namespace plumetra::cli {

namespace {

struct FitOptions {
  AnalyzeOptions analyze;
  std::filesystem::path calibration;
  std::filesystem::path outDir;
};

void printGrid(const Grid& grid) {
  for (int r = 0; r < grid.rows(); ++r) {
    for (int c = 0; c < grid.cols(); ++c)
      std::cout << std::left << std::setw(c == 0 ? 8 : c < 6 ? 13 : 17) << grid.text(r, c);
    std::cout << '\n';
  }
}

int runFit(const FitOptions& options) {
  BatchDialogs dialogs(std::cerr);
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, dialogs, outcome); code != ExitOk) return code;
  if (state->workspace.ModelSkipped) {
    std::cerr << "plumetra-cli fit: the growth model did not run (no growth parameters), so there is nothing to fit\n";
    return ExitFailure;
  }
  const SplitFlocks split = splitFlocksOf(state->workspace, state->analysis);
  ModelFit fit = initialFit(split);
  const std::filesystem::path set = calibrationSetOf(options.calibration, options.analyze.location);
  if (!set.empty()) {
    if (!readCalibrationSet(set, *state)) return ExitFailure;
    addCalibratedFit(fit, split, state->model, state->calibration, state->workspace.flockSexChoice.index);
  }
  printGrid(fitGroupGrid(fit));
  std::error_code ec;
  const std::filesystem::path dir = options.outDir.empty() ? std::filesystem::current_path(ec) : options.outDir;
  if (!writeTable(dir, "fit.tsv", fitFlockGrid(fit))) return ExitFailure;
  std::cerr << "Wrote " << (dir / "fit.tsv").string() << '\n';
  return ExitOk;
}

}  // namespace

void registerFit(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<FitOptions>();
  auto* sub = app.add_subcommand(
      "fit", "Analyse, then compare predicted with recorded weight, FCR and age per flock and per group");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--calibration", options->calibration,
                  "A stored ...Top.clb: also grow every flock with its own group's calibration")
      ->check(CLI::ExistingFile);
  sub->add_option("--out", options->outDir, "Folder for fit.tsv (default: here)");
  sub->callback([options, &chosen] { chosen = [options] { return runFit(*options); }; });
}

}  // namespace plumetra::cli

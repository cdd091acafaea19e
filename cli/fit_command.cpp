// `plumetra-cli fit`: the analysis run, then predicted against recorded live weight, feed
// conversion and age per flock (fit.tsv) and per group the bias, MAPE and R squared; with a
// stored calibration set, the same for every flock grown with its own group's calibration.

#include <iomanip>
#include <memory>

#include "analysis/model_fit.h"
#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/side_tables.h"

namespace plumetra::cli {

namespace {

struct FitOptions {
  AnalyzeOptions analyze;
  std::filesystem::path calibration;
  std::filesystem::path outDir;
  bool json = false;
};

void printGrid(std::ostream& out, const Grid& grid) {
  for (int r = 0; r < grid.rows(); ++r) {
    for (int c = 0; c < grid.cols(); ++c) out << std::left << std::setw(c == 0 ? 8 : c < 6 ? 13 : 17) << grid.text(r, c);
    out << '\n';
  }
}

void writeStatistics(JsonWriter& json, const char* name, const FitStatistics& s) {
  json.key(name).beginObject().member("n", s.n).member("bias", s.bias).member("mape_pct", s.mape);
  json.member("r_squared", s.rSquare).endObject();
}

// Per group and item the statistics of the analysis run's predictions (and of the calibrated ones).
void writeFitMember(JsonWriter& json, const ModelFit& fit) {
  json.key("fit").beginArray();
  for (int g = 1; g <= 4; ++g)
    for (int k = 0; k < FitItemCount; ++k) {
      json.beginObject().member("group", GroupNames[static_cast<std::size_t>(g)]).member("item", FitItemNames[static_cast<std::size_t>(k)]);
      writeStatistics(json, "predicted", fit.initial[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)]);
      if (fit.calibrated)
        writeStatistics(json, "calibrated", fit.withCalibration[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)]);
      json.endObject();
    }
  json.endArray();
}

int runFit(const FitOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  if (state->workspace.modelSkipped)
    return fail("the growth model did not run (no growth parameters), so there is nothing to fit", ExitFailure);
  const SplitFlocks split = outcome.result->split;
  ModelFit fit = initialFit(split);
  const std::filesystem::path set = calibrationSetOf(options.calibration, options.analyze.location);
  if (!set.empty()) {
    if (!readCalibrationSet(set, *state, console.notes())) return ExitFailure;
    addCalibratedFit(fit, split, state->model, state->calibration, state->workspace.chosenSex);
  }
  printGrid(console.out(options.json), fitGroupGrid(fit));
  std::error_code ec;
  const std::filesystem::path dir = options.outDir.empty() ? std::filesystem::current_path(ec) : options.outDir;
  if (!writeTable(dir, "fit.tsv", fitFlockGrid(fit))) return ExitFailure;
  console.notes() << "Wrote " << (dir / "fit.tsv").string() << '\n';
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "fit");
    writeAnalysisMember(json, outcome.summary, tidyTablesOf(state->workspace, outcome.result->split, std::nullopt));
    writeFitMember(json, fit);
    writeFilesMember(json, {dir / "fit.tsv"});
    json.endObject();
  }
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
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] { chosen = [options](Console& console) { return runFit(*options, console); }; });
}

}  // namespace plumetra::cli

// `plumetra-cli predict`: the analysis run, then the growth model's view of each flock, the
// predicted age, live weight, feed conversion and carcass values, to predictions.tsv.

#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "analysis/split_flocks.h"
#include "analysis/tidy_tables.h"
#include "files/free_format.h"
#include "workspace/flock_selection.h"

#include <charconv>
#include <memory>

namespace plumetra::cli {

namespace {

constexpr const char* PredictionsFile = "predictions.tsv";
constexpr const char* PredictionHeadings =
    "Predicted age (days)\tPredicted live weight (g)\tPredicted feed conversion\t"
    "Pred. Carc.\tCarcass estimate 2\tCarcass estimate 3\tPred. Breast\tPred. Leg & Thigh\tFat Pad\n";

std::string full(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// One line per flock in the flock table's order, with the key that joins it back to its row of
// the user's file. The model keeps the conversion as kg of feed per gram; the file gives kg per
// kg. A flock whose run did not finish has no conversion.
std::string predictionsText(const Workspace& ws, const FlockPredictionTable& predictions) {
  const int dateColumn = dateColumnOf(ws.flockGrid);
  std::string text = "Flock\tFlock ID\t" + flockKeyHeadings(dateColumn >= 0) + '\t' + PredictionHeadings;
  for (int r = 1; r <= ws.flockCount && r < PredictionTableRows; ++r) {
    const auto& p = predictions[r];
    text += std::to_string(r) + '\t' + ws.flockGrid.text(flockGridRow(ws, r), 0) + '\t' +
            flockKeyCells(flockKeyOf(ws, r, dateColumn), dateColumn >= 0) + '\t' + full(p[2]) + '\t' + full(p[1]) + '\t' +
            (p[0] > 0 ? full(p[0] * 1000) : std::string());
    for (int k = 3; k <= 8; ++k) text += '\t' + full(p[k]);
    text += '\n';
  }
  return text;
}

int runPredict(const AnalyzeOptions& options, const std::filesystem::path& outDir, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options, console, dialogs, outcome); code != ExitOk) return code;
  const std::filesystem::path dir = makeOutputFolder(outDir, "predict");
  if (dir.empty()) return ExitFailure;
  const std::filesystem::path file = dir / PredictionsFile;
  std::string error;
  if (!writeFileAtomically(file, predictionsText(state->workspace, state->analysis.flockPrediction), &error))
    return fail("cannot write " + file.string() + ": " + error, ExitFailure);
  console.out() << "Predicted " << state->workspace.flockCount << " flocks: " << file.string() << '\n';
  return ExitOk;
}

}  // namespace

void registerPredict(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<AnalyzeOptions>();
  auto out = std::make_shared<std::filesystem::path>();
  auto* sub = app.add_subcommand(
      "predict", "Predict each flock's age, live weight, feed conversion and carcass values from the feed it ate");
  addAnalyzeOptions(*sub, *options);
  sub->add_option("--out", *out, "Folder for predictions.tsv (default: here)");
  sub->callback([options, out, &chosen] { chosen = [options, out](Console& console) { return runPredict(*options, *out, console); }; });
}

}  // namespace plumetra::cli

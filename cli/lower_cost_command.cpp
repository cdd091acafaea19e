// `plumetra-cli lower-cost`: the analysis run, a calibration of the three groups (read from
// a stored set or "Predict.txt", or made here), then the lower-cost feeding search. Prints
// the results window and writes it to lowcost.tsv.

#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "calibration/lower_cost_command.h"
#include "calibration/predict_file.h"
#include "calibration/revaluation.h"
#include "calibration/split_calibration.h"
#include "controls/number_format.h"
#include "files/atomic_write.h"
#include "files/free_format.h"
#include "files/workbook.h"
#include "presenters/lower_cost_window.h"

#include <cctype>
#include <memory>

namespace plumetra::cli {

namespace {

constexpr const char* LowerCostFile = "lowcost.tsv";

struct LowerCostOptions {
  AnalyzeOptions analyze;
  std::optional<double> target;  // flock weight; below 2000 kilograms
  std::filesystem::path calibration;
  std::filesystem::path outDir;
  bool json = false;
};

bool isPredictFile(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "predict.txt";
}

// A stored set or "Predict.txt" into the record; false after saying why.
bool readCalibration(const std::filesystem::path& file, CalibrationRecord& record, Console& console) {
  if (isPredictFile(file)) {
    std::string problem;
    switch (readPredictFile(record, file, &problem)) {
      case PredictRead::Read: return true;
      case PredictRead::Implausible: fail(file.string() + " cannot be right at " + problem); return false;
      case PredictRead::Missing: fail(file.string() + " was not found"); return false;
      case PredictRead::Short: fail(file.string() + " ends before the three calibrations are complete"); return false;
    }
  }
  std::string name = file.string();
  std::string problem;
  switch (readForReval(name, record, &problem)) {
    case RevalRead::Read:
      if (!problem.empty()) console.warning(problem);
      return true;
    case RevalRead::NoFile: fail(file.string() + " was not found"); return false;
    case RevalRead::NoTop: fail(file.string() + " is neither a ...Top.clb file nor Predict.txt"); return false;
    case RevalRead::Refused: fail(problem); return false;
  }
  return false;
}

std::string windowText(const LowerCostWindowState& window) {
  std::string text = gridToTsv(window.results);
  text += "\r\n";
  for (const char c : window.explanation.caption) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return text + "\r\n";
}

// The results window's rows, cell by cell.
void writeLowerCostMember(JsonWriter& json, const LowerCostWindowState& window, double target) {
  json.key("lower_cost").beginObject().member("target_weight", target);
  json.key("rows").beginArray();
  for (int r = 0; r < window.results.rows(); ++r) {
    json.beginArray();
    for (int c = 0; c < window.results.cols(); ++c) json.value(window.results.text(r, c));
    json.endArray();
  }
  json.endArray().member("explanation", window.explanation.caption).endObject();
}

int runLowerCost(const LowerCostOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  Workspace& ws = state->workspace;
  if (!(ws.diets.dietTable[1][ValFeedCost] > 0))
    return fail("the lower-cost search needs feed costs, and diet 1 has no \"Feed Cost\" (a .dts diet file "
                "carries them)");

  const std::filesystem::path dir = makeOutputFolder(options.outDir, "lower-cost");
  if (dir.empty()) return ExitFailure;

  CalibrationRecord& calibration = state->calibration;
  const SplitFlocks split = outcome.result->split;
  if (!options.calibration.empty()) {
    if (!readCalibration(options.calibration, calibration, console)) return ExitFailure;
    calibration.targetWeight = middleGroupTarget(split);
  } else {
    ws.lastDir = dir;
    const std::string base = options.analyze.input.flocks.stem().string();
    dialogs.answerInput("This creates 3 datasets", base,
                        "Stored set: " + base + " (the flock file's name; --calibration uses a stored set) in " +
                            dir.string());
    const SplitCalibrationResult made = calibrateGroups(ws, state->model, calibration, split, dialogs);
    if (made.groupsStored == 0)
      return fail(withReason("no group could be calibrated, so there is nothing to search", dialogs));
  }
  if (options.target) calibration.targetWeight = *options.target;
  const double target = calibration.targetWeight;
  dialogs.answerInput("What Flock Weight do you want", generalNumber(target),
                      "Target flock weight: " + generalNumber(target) +
                          (options.target ? " (--target)" : " (the Middle group's mean; choose with --target)"));

  LowerCostContext context{ws, state->model, calibration, split, outcome.result->splitPercent, dir};
  LowerCostRecord record;
  if (runLowerCostSearch(context, dialogs, record) != LowerCostEnd::Searched)
    return fail(withReason("the lower-cost search did not run", dialogs));
  LowerCostWindowState window;
  fillLowerCostWindow(window, record, outcome.result->splitPercent);

  const std::string text = windowText(window);
  console.out(options.json) << text;
  const std::filesystem::path file = dir / LowerCostFile;
  std::string error;
  if (!writeFileAtomically(file, text, &error)) return fail("cannot write " + file.string() + ": " + error);
  console.notes() << "Wrote " << file.string() << '\n';
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "lower-cost");
    writeAnalysisMember(json, outcome.summary, tidyTablesOf(ws, outcome.result->split, std::nullopt));
    writeLowerCostMember(json, window, calibration.targetWeight);
    writeFilesMember(json, {file});
    json.endObject();
  }
  return ExitOk;
}

}  // namespace

void registerLowerCost(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<LowerCostOptions>();
  auto* sub = app.add_subcommand(
      "lower-cost", "Analyse, then search each group's feed amounts for the target weight at lower feed cost");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--target", options->target,
                  "Flock weight to reach; below 2000 it is kilograms (default: the Middle group's mean live "
                  "weight)");
  sub->add_option("--calibration", options->calibration,
                  "A stored ...Top.clb (its set is read) or a Predict.txt; without it the groups are calibrated "
                  "first")
      ->check(CLI::ExistingFile);
  sub->add_option("--out", options->outDir,
                  "Folder for lowcost.tsv (and the calibration files when made here; default: here)");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] {
    chosen = [options](Console& console) { return runLowerCost(*options, console); };
  });
}

}  // namespace plumetra::cli

// `plumetra-cli validate`: the analysis run, then k-fold cross-validation by flock: the groups
// calibrated and stored without each fold's flocks, those flocks predicted with their group's
// stored set; bias, MAPE and R squared out of sample beside in sample and uncalibrated.

#include <iomanip>
#include <memory>

#include "analysis/cross_validation.h"
#include "analysis/split_flocks.h"
#include "analysis/tidy_tables.h"
#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/output_folder.h"
#include "cli/side_tables.h"
#include "files/atomic_write.h"

namespace plumetra::cli {

namespace {

struct ValidateOptions {
  AnalyzeOptions analyze;
  int folds = 5;
  unsigned seed = 1;
  std::filesystem::path outDir;
  bool json = false;
};

// One row per flock: its key, group and fold, then recorded, uncalibrated and out-of-sample
// values of each item, in full.
std::string flocksText(const CrossValidation& v, bool dateKnown) {
  static constexpr std::array<const char*, FitItemCount> names{"live_weight_kg", "fcr", "age_d"};
  std::string text = flockKeyHeadings(dateKnown) + "\tgroup\tfold";
  for (const char* name : names)
    text += std::string("\trecorded_") + name + "\tuncalibrated_" + name + "\tout_of_sample_" + name;
  text += '\n';
  for (std::size_t i = 0; i < v.fit.flocks.size(); ++i) {
    const FlockFit& f = v.fit.flocks[i];
    text += flockKeyCells(f.key, dateKnown) + '\t' + GroupNames[static_cast<std::size_t>(f.group)] + '\t' +
            std::to_string(v.foldOfFlock[i]);
    for (std::size_t k = 0; k < FitItemCount; ++k)
      text += '\t' + tsvNumber(f.recorded[k]) + '\t' + tsvNumber(f.predicted[k]) + '\t' + tsvNumber(f.calibrated[k]);
    text += '\n';
  }
  return text;
}

void writeStatistics(JsonWriter& json, const char* name, const FitStatistics& s) {
  json.key(name).beginObject().member("n", s.n).member("bias", s.bias).member("mape_pct", s.mape);
  json.member("r_squared", s.rSquare).endObject();
}

void writeValidationMember(JsonWriter& json, const CrossValidation& v, const ValidateOptions& options) {
  json.key("validation").beginObject().member("folds", options.folds).member("seed", static_cast<int>(options.seed));
  json.key("fold_sets").beginArray();
  for (const ValidationFold& f : v.folds)
    json.beginObject()
        .member("training_flocks", f.trainingFlocks)
        .member("held_out_flocks", f.heldOutFlocks)
        .member("groups_stored", f.groupsStored)
        .member("set", f.set.string())
        .endObject();
  json.endArray();
  json.key("statistics").beginArray();
  for (std::size_t g = 1; g <= 4; ++g)
    for (std::size_t k = 0; k < FitItemCount; ++k) {
      json.beginObject().member("group", GroupNames[g]).member("item", FitItemNames[k]);
      writeStatistics(json, "uncalibrated", v.fit.initial[g][k]);
      writeStatistics(json, "in_sample", v.inSample[g][k]);
      writeStatistics(json, "out_of_sample", v.outOfSample[g][k]);
      json.endObject();
    }
  json.endArray().endObject();
}

void printGrid(std::ostream& out, const Grid& grid) {
  for (int r = 0; r < grid.rows(); ++r) {
    for (int c = 0; c < grid.cols(); ++c) out << std::left << std::setw(c < 2 ? 12 : 9) << grid.text(r, c) << ' ';
    out << '\n';
  }
}

int runValidate(const ValidateOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  const std::filesystem::path dir = makeOutputFolder(options.outDir, "validate");
  if (dir.empty()) return ExitFailure;
  const SplitFlocks split = analysedFlocks(*state).split;
  const CrossValidation v =
      crossValidate(state->workspace, state->model, split, {options.folds, options.seed, dir}, dialogs);
  if (!v.problem.empty()) return fail(v.problem, ExitFailure);
  const Grid table = validationGrid(v);
  printGrid(console.out(options.json), table);
  const std::filesystem::path flocksFile = dir / "validation_flocks.tsv";
  std::string error;
  if (!writeTable(dir, "validation.tsv", table)) return ExitFailure;
  if (!writeFileAtomically(flocksFile, flocksText(v, dateColumnOf(state->workspace.flockGrid) >= 0), &error))
    return fail("cannot write " + flocksFile.string() + ": " + error, ExitFailure);
  console.notes() << "Wrote " << (dir / "validation.tsv").string() << " and " << flocksFile.string()
                  << "; the fold sets in " << dir.string() << "/fold1 .. fold" << options.folds << " and all\n";
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "validate");
    writeValidationMember(json, v, options);
    writeFilesMember(json, {dir / "validation.tsv", flocksFile});
    json.endObject();
  }
  int missing = 0;
  for (const ValidationFold& f : v.folds) missing += 3 - f.groupsStored;
  if (missing == 0 && v.all.groupsStored == 3) return ExitOk;
  return fail(std::to_string(missing + 3 - v.all.groupsStored) +
                  " group calibrations failed; their flocks have no calibrated prediction",
              ExitFailure);
}

}  // namespace

void registerValidate(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<ValidateOptions>();
  auto* sub = app.add_subcommand(
      "validate", "Analyse, then cross-validate the calibrated groups on flocks they were not calibrated on");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--folds", options->folds, "Number of folds (default 5)")->check(CLI::Range(2, 50));
  sub->add_option("--seed", options->seed, "Seed of the flocks' shuffle into folds (default 1)");
  sub->add_option("--out", options->outDir,
                  "Folder for validation.tsv, validation_flocks.tsv and the stored sets of the folds (default: here)");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] {
    options->analyze.input.listOut = options->outDir;
    chosen = [options](Console& console) { return runValidate(*options, console); };
  });
}

}  // namespace plumetra::cli

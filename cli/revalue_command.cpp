// `plumetra-cli revalue`: the analysis run, then every flock predicted again with the stored
// calibration of its own group. Writes BASERevaluage.txt and revaluation.tsv (one row per
// flock, with its key) and prints the revalued group averages.

#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "calibration/group_inputs.h"
#include "calibration/revaluation.h"
#include "controls/number_format.h"
#include "files/atomic_write.h"
#include "files/free_format.h"
#include "files/workbook.h"
#include "presenters/revaluation_window.h"

#include <iomanip>
#include <cmath>
#include <memory>

namespace plumetra::cli {

namespace {

constexpr const char* RevaluationTable = "revaluation.tsv";

struct RevalueOptions {
  AnalyzeOptions analyze;
  std::filesystem::path calibration;
  std::filesystem::path outDir;
  bool json = false;
};

void printAverages(std::ostream& out, const Grid& grid, const std::array<int, 4>& revalued) {
  out << std::left << std::setw(8) << "Group" << std::setw(12) << "Live wt" << std::setw(12) << "Age"
            << "Feed/Gain\n";
  for (int g = 1; g <= 3; ++g)
    for (int line = 0; line < 2; ++line) {
      const int row = 2 * g - 1 + line;
      out << std::setw(8) << (line == 0 ? grid.text(row, 5) : std::string("  sd"));
      for (int c = 6; c <= 8; ++c) out << std::setw(12) << grid.text(row, c);
      if (line == 0) out << "over " << revalued[g] << " flocks";
      out << '\n';
    }
}

// The revalued groups' means and SDs as the window shows them.
void writeRevaluationMember(JsonWriter& json, const Grid& grid, const RevaluedAverages& averages,
                            const std::array<int, 4>& revalued) {
  static constexpr std::array<const char*, 3> names{"live_weight", "age_d", "fcr"};
  json.key("revaluation").beginArray();
  for (int g = 1; g <= 3; ++g) {
    json.beginObject().member("group", grid.text(2 * g - 1, 5)).member("flocks", revalued[g]);
    for (std::size_t k = 0; k < 3; ++k) {
      const std::optional<RevaluedAverage>& a = averages[static_cast<std::size_t>(g)][k];
      json.key(names[k]).beginObject();
      json.member("mean", a ? a->mean : std::nan("")).member("sd", a ? a->sd : std::nan("")).endObject();
    }
    json.endObject();
  }
  json.endArray();
}

int runRevalue(const RevalueOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;

  std::string name = options.calibration.string();
  std::string problem;
  switch (readForReval(name, state->calibration, &problem)) {
    case RevalRead::Read:
      if (!problem.empty()) console.warning(problem);
      break;
    case RevalRead::NoFile: return fail(options.calibration.string() + " was not found");
    case RevalRead::NoTop: return fail(options.calibration.string() + " is not a ...Top.clb file");
    case RevalRead::Refused: return fail(problem);
  }
  const std::string base = std::filesystem::path(name).filename().string();
  state->calibration.baseName = base;

  const std::filesystem::path dir = makeOutputFolder(options.outDir, "revalue");
  if (dir.empty()) return ExitFailure;

  const SplitFlocks split = outcome.result->split;
  RevaluationContext context{state->workspace, state->model, state->calibration, split, dir, todayText()};
  if (const std::string problem = dietsProblem(state->workspace, state->model, split); !problem.empty())
    return fail(problem + "; nothing was revalued");
  RevaluationWindowState window;
  if (revalueFlocksAs(context, base, dialogs) != RevalEnd::Done ||
      !openRevaluationFile(window, context.written, split, dialogs))
    return fail(withReason("the flocks could not be revalued", dialogs));
  printAverages(console.out(options.json), window.revaluedGrid, context.revalued);

  const std::filesystem::path table = dir / RevaluationTable;
  std::string error;
  if (!writeFileAtomically(table, gridToTsv(revaluedFlocksGrid(context.lines)), &error))
    return fail("cannot write " + table.string() + ": " + error);
  console.notes() << "Wrote " << window.file.string() << " and " << table.string() << '\n';
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "revalue");
    writeAnalysisMember(json, outcome.summary, tidyTablesOf(state->workspace, outcome.result->split, std::nullopt));
    writeRevaluationMember(json, window.revaluedGrid, window.averages, context.revalued);
    writeFilesMember(json, {window.file, table});
    json.endObject();
  }
  return ExitOk;
}

}  // namespace

void registerRevalue(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<RevalueOptions>();
  auto* sub = app.add_subcommand(
      "revalue", "Analyse, then predict every flock again with the stored calibration of its own group");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--calibration", options->calibration, "A stored ...Top.clb; its Middle and Bottom files are read too")
      ->required()
      ->check(CLI::ExistingFile);
  sub->add_option("--out", options->outDir, "Folder for BASERevaluage.txt and revaluation.tsv (default: here)");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] {
    chosen = [options](Console& console) { return runRevalue(*options, console); };
  });
}

}  // namespace plumetra::cli

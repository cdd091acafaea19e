// `plumetra-cli import`: the flock and diet tables read and matched to the Data IDs as the
// main window would, with the matches and the column types printed and the grids written out.

#include <memory>

#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/output_folder.h"
#include "cli/input_options.h"
#include "controls/batch_dialogs.h"
#include "files/workbook.h"
#include "workspace/flock_selection.h"
#include "workspace/list_file.h"
#include "workspace/matching.h"

namespace plumetra::cli {

namespace {

struct ImportOptions {
  InputOptions input;
  std::filesystem::path outDir;
};

void printList(std::ostream& out, const char* label, const std::vector<std::string>& names) {
  if (names.empty()) return;
  out << label << ':';
  for (const std::string& n : names) out << " \"" << n << '"';
  out << '\n';
}

// "\t(grams, converted to kg)" for a match whose heading gives a unit that is converted.
std::string unitNote(const ColumnMatch& m) {
  const std::string note = headingUnitNote(m.side, m.item, m.heading);
  return note.empty() ? note : "\t(" + note + ")";
}

void printReport(std::ostream& out, const Workspace& ws, const LoadInputsReport& report) {
  printList(out, "Sheets", report.sheets);
  printList(out, "Diet sheets", report.dietSheets);
  out << "Flocks: " << report.flockCount << '\n';
  if (!report.leftOut.empty()) out << leftOutMessage(report.leftOut) << '\n';
  if (report.dietsFromFile) out << "Diets from file: " << ws.diets.dietCount << '\n';
  out << "Matches:\n";
  for (const ColumnMatch& m : report.matches)
    out << "  " << (m.side == MatchSide::Flock ? "flock" : "diet ") << '\t'
              << dataIdList(m.side == MatchSide::Flock ? 0 : 1, m.item) << "\tcolumn " << m.column
              << "\t\"" << m.heading << '"' << unitNote(m) << '\n';
  printList(out, "Matched by the Data ID list", report.fromList);
  if (report.unmatchedRequired.empty()) {
    out << "All required Data IDs are matched.\n";
  } else {
    printList(out, "Required but unmatched", report.unmatchedRequired);
    out << missingItemsText(report.missing, "use --map '{}=<heading>'") << '\n';
  }
  out << "Flock columns (first ten data rows):\n";
  const Grid& grid = ws.flockGrid;
  for (int c = 1; c < std::min(grid.cols(), NonNumericEntries); ++c) {
    if (grid.text(0, c).empty()) continue;
    out << "  " << c << "\t\"" << grid.text(0, c) << "\"\t"
              << (ws.nonNumeric[static_cast<size_t>(c)] == -1 ? "text" : "numeric") << '\n';
  }
}

bool writeOutputs(std::ostream& out, const Workspace& ws, const std::filesystem::path& dir, Dialogs& dialogs) {
  if (makeOutputFolder(dir, "import").empty()) return false;
  const std::pair<const char*, const Grid*> tables[] = {{"flocks.tsv", &ws.flockGrid},
                                                        {"diets.tsv", &ws.dietGrid},
                                                        {"analysis.tsv", &ws.analysisGrid}};
  for (const auto& [name, grid] : tables) {
    const auto written = writeTsv(dir / name, *grid);
    if (!written.ok()) {
      fail(written.error(), ExitFailure);
      return false;
    }
  }
  const auto book = writeXlsx(dir / "workbook.xlsx", {{"Flock Data", &ws.flockGrid},
                                                      {"Diet Data", &ws.dietGrid},
                                                      {"Analysis Results", &ws.analysisGrid}});
  if (!book.ok()) {
    fail(book.error(), ExitFailure);
    return false;
  }
  const bool list = ws.listFileTarget && !ws.listFileTarget->empty();
  if (list && !writeListFile(ws, dialogs)) return false;
  out << "Written: " << (dir / "flocks.tsv").string() << ", diets.tsv, analysis.tsv, "
            << book.get().filename().string()
            << (list ? ", " + ws.listFileTarget->filename().string() : std::string()) << '\n';
  return true;
}

int runImport(const ImportOptions& options, Console& console) {
  std::string problem;
  const std::optional<LoadInputsOptions> load = loadOptionsFrom(options.input, problem);
  if (!load) return fail(problem, ExitUsage);
  BatchDialogs dialogs = console.dialogs();
  dialogs.answerYesNo("A list file", true,
                      "Data ID list: the matches stored beside the flock file are replayed (--no-lst to match afresh)");
  auto state = std::make_unique<AppState>();
  if (!startState(*state, options.input.model, dialogs)) return ExitUsage;
  const LoadInputsReport report = loadInputs(*state, *load, dialogs);
  if (!report.ok) return fail(withReason("the flock data could not be loaded or matched", dialogs), ExitFailure);
  findNumeric(state->workspace);
  printReport(console.out(), state->workspace, report);
  if (!options.outDir.empty() && !writeOutputs(console.out(), state->workspace, options.outDir, dialogs))
    return ExitFailure;
  return ExitOk;
}

}  // namespace

void registerImport(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<ImportOptions>();
  auto* sub = app.add_subcommand(
      "import", "Read the flock and diet tables and match their columns to the Data IDs");
  addInputOptions(*sub, options->input);
  sub->add_option("--out", options->outDir,
                  "Write flocks.tsv, diets.tsv, analysis.tsv and workbook.xlsx here");
  sub->callback([options, &chosen] {
    options->input.listOut = options->outDir;
    chosen = [options](Console& console) { return runImport(*options, console); };
  });
}

}  // namespace plumetra::cli

// `plumetra-cli import`: the flock and diet tables read and matched to the Data IDs as the
// main window would, with the matches and the column types printed and the grids written out.

#include <iostream>
#include <memory>

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

void printList(const char* label, const std::vector<std::string>& names) {
  if (names.empty()) return;
  std::cout << label << ':';
  for (const std::string& n : names) std::cout << " \"" << n << '"';
  std::cout << '\n';
}

void printReport(const Workspace& ws, const LoadInputsReport& report) {
  printList("Sheets", report.sheets);
  printList("Diet sheets", report.dietSheets);
  std::cout << "Flocks: " << report.flockCount << '\n';
  if (!report.leftOut.empty()) std::cout << leftOutMessage(report.leftOut) << '\n';
  if (report.dietsFromFile) std::cout << "Diets from file: " << ws.diets.DietCount << '\n';
  std::cout << "Matches:\n";
  for (const ColumnMatch& m : report.matches)
    std::cout << "  " << (m.side == MatchSide::Flock ? "flock" : "diet ") << '\t'
              << DataIdList(m.side == MatchSide::Flock ? 0 : 1, m.item) << "\tcolumn " << m.column
              << "\t\"" << m.heading << "\"\n";
  if (report.unmatchedRequired.empty()) {
    std::cout << "All required Data IDs are matched.\n";
  } else {
    printList("Required but unmatched", report.unmatchedRequired);
  }
  std::cout << "Flock columns (first ten data rows):\n";
  const Grid& grid = ws.flockGrid;
  for (int c = 1; c < std::min(grid.cols(), NonNumericEntries); ++c) {
    if (grid.text(0, c).empty()) continue;
    std::cout << "  " << c << "\t\"" << grid.text(0, c) << "\"\t"
              << (ws.NonNumeric[static_cast<size_t>(c)] == -1 ? "text" : "numeric") << '\n';
  }
}

bool writeOutputs(const Workspace& ws, const std::filesystem::path& dir, Dialogs& dialogs) {
  if (makeOutputFolder(dir, "import").empty()) return false;
  const std::pair<const char*, const Grid*> tables[] = {{"flocks.tsv", &ws.flockGrid},
                                                        {"diets.tsv", &ws.dietGrid},
                                                        {"analysis.tsv", &ws.analysisGrid}};
  for (const auto& [name, grid] : tables) {
    const auto written = writeTsv(dir / name, *grid);
    if (!written.ok()) {
      std::cerr << "plumetra-cli: " << written.error() << '\n';
      return false;
    }
  }
  const auto book = writeXlsx(dir / "workbook.xlsx", {{"Flock Data", &ws.flockGrid},
                                                      {"Diet Data", &ws.dietGrid},
                                                      {"Analysis Results", &ws.analysisGrid}});
  if (!book.ok()) {
    std::cerr << "plumetra-cli: " << book.error() << '\n';
    return false;
  }
  const bool list = ws.listFileTarget && !ws.listFileTarget->empty();
  if (list && !WriteListFile(ws, dialogs)) return false;
  std::cout << "Written: " << (dir / "flocks.tsv").string() << ", diets.tsv, analysis.tsv, "
            << book.get().filename().string()
            << (list ? ", " + ws.listFileTarget->filename().string() : std::string()) << '\n';
  return true;
}

int runImport(const ImportOptions& options) {
  std::string problem;
  const std::optional<LoadInputsOptions> load = loadOptionsFrom(options.input, problem);
  if (!load) {
    std::cerr << "plumetra-cli import: " << problem << '\n';
    return ExitUsage;
  }
  BatchDialogs dialogs(std::cerr);
  dialogs.answerYesNo("A list file", true);
  auto state = std::make_unique<AppState>();
  if (!startState(*state, options.input.model, dialogs)) return ExitUsage;
  const LoadInputsReport report = loadInputs(*state, *load, dialogs);
  if (!report.ok) {
    std::cerr << "plumetra-cli: the flock data could not be loaded or matched (see the message above)\n";
    return ExitFailure;
  }
  FindNumeric(state->workspace);
  printReport(state->workspace, report);
  if (!options.outDir.empty() && !writeOutputs(state->workspace, options.outDir, dialogs))
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
    chosen = [options] { return runImport(*options); };
  });
}

}  // namespace plumetra::cli

#include "cli/input_options.h"

#include "model/breed_data.h"
#include "state/startup.h"
#include "workspace/auto_match.h"

#include "cli/console.h"
#include "cli/command.h"

namespace plumetra::cli {

void addInputOptions(CLI::App& command, InputOptions& o) {
  command.add_option("--flocks", o.flocks, "Flock table: .csv, .txt/.tsv, .xls or .xlsx")
      ->required()
      ->check(CLI::ExistingFile);
  command.add_option("--sheet", o.sheet, "Flock sheet of a workbook (default: the first)");
  command.add_option("--diets", o.diets, "Diets: a .dts diet file, a table or a workbook")
      ->check(CLI::ExistingFile);
  command.add_option("--diet-sheet", o.dietSheet,
                     "Diet sheet (of --diets, else of the flocks workbook; default: the first)");
  auto* lst = command
                  .add_option("--lst", o.lst,
                              "Data ID list to replay instead of the one beside the data file (a "
                              "list is written only into --out)")
                  ->check(CLI::ExistingFile);
  command.add_flag("--no-lst", o.noLst, "Neither replay nor write a Data ID list")->excludes(lst);
  command.add_option("--map", o.map,
                     "Matches by heading: 'DATA ID=Heading;...' (e.g. 'Lysine *=Lys %'); the optional items "
                     "'Mortality %', 'Birds Sold' and 'Flock Sex' too");
  command.add_flag("--auto-match", o.autoMatch,
                   "Match the items still unmatched by their column headings");
  addModelOptions(command, o.model);
}

std::optional<LoadInputsOptions> loadOptionsFrom(const InputOptions& o, std::string& problem) {
  LoadInputsOptions load;
  load.flocks = std::filesystem::absolute(o.flocks);
  load.sheet = o.sheet;
  if (!o.diets.empty()) load.diets = std::filesystem::absolute(o.diets);
  load.dietSheet = o.dietSheet;
  if (o.noLst)
    load.listFile = std::filesystem::path();
  else if (!o.lst.empty())
    load.listFile = std::filesystem::absolute(o.lst);
  load.listFileTarget = std::filesystem::path();
  if (!o.noLst && !o.listOut.empty()) {
    std::filesystem::path list = std::filesystem::absolute(o.listOut) / o.flocks.filename();
    load.listFileTarget = list.replace_extension(".lst");
  }
  load.autoMatch = o.autoMatch;
  if (!o.map.empty()) {
    MatchMap map = parseMatchMap(o.map);
    if (!map.problem.empty()) {
      problem = "--map: " + map.problem;
      return std::nullopt;
    }
    load.map = std::move(map.entries);
  }
  return load;
}

bool startState(AppState& state, const ModelOptions& model, BatchDialogs& dialogs) {
  startUp(state, breedDataFolder(executableFolder()), dialogs);
  std::string error;
  if (applyModelOptions(model, state.model, dialogs, error)) return true;
  fail(error, ExitUsage);
  return false;
}

}  // namespace plumetra::cli

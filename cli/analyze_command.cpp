// `plumetra-cli analyze`: loads and matches the tables, runs the analysis with its
// statistics, outliers and correlations, prints the summary and writes the results.

#include "cli/analyze_command.h"
#include "cli/output_folder.h"

#include "analysis/analysis_legend.h"
#include "analysis/correlations.h"
#include "cli/commands.h"
#include "cli/side_tables.h"
#include "calibration/location.h"
#include "controls/number_format.h"
#include "files/workbook.h"

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace plumetra::cli {

namespace {

const std::map<std::string, int> SexByName{{"mixed", 0}, {"males", 1}, {"females", 2}};

std::optional<std::array<double, 3>> parseSplit(const std::string& text) {
  std::array<double, 3> split{};
  std::stringstream in(text);
  std::string field;
  std::size_t i = 0;
  while (std::getline(in, field, ',')) {
    if (i == split.size() || !readsAsNumber(field)) return std::nullopt;
    split[i++] = ReadNumber(field);
  }
  if (i != split.size()) return std::nullopt;
  return split;
}

bool usage(const std::string& text) {
  std::cerr << "plumetra-cli analyze: " << text << '\n';
  return false;
}

bool toSettings(const AnalyzeOptions& options, AnalysisSettings& settings) {
  if (options.sex.empty() && options.location.empty())
    return usage("--sex is required unless --location supplies the flock sex");
  if (!options.sex.empty()) settings.sex = SexByName.at(options.sex);
  const auto split = parseSplit(options.split);
  if (!split) return usage("--split takes three numbers: LOW,MID,HIGH");
  settings.split = *split;
  settings.removeOutliers = options.removeOutliers;
  settings.sortHeading = options.sort;
  settings.secondSortHeading = options.secondSort;
  return true;
}

void openLocation(AppState& state, const std::filesystem::path& location, BatchDialogs& dialogs) {
  Workspace& ws = state.workspace;
  std::filesystem::path base = std::filesystem::absolute(location);
  base.replace_extension();
  ws.LocationFile = base;
  ws.locationBox.text = base.string();
  if (base.has_parent_path()) ws.LastDir = base.parent_path();
  OpenLocation(ws, state.model, state.analysis.FirstSortDone, dialogs);
}

std::string groupingText(const AnalysisSummary& s) {
  if (s.textFirstSort) return "Flocks grouped by " + s.sortHeading + " (one group per value)";
  const std::string what = s.sortedByConversion ? "feed conversion (" + s.sortHeading + ")" : s.sortHeading;
  return "Flocks grouped by " + what + ", split " + s.splitText + " %; Low = lowest " +
         (s.sortedByConversion ? "feed conversion (best)" : s.sortHeading);
}

void printGroups(const AnalysisSummary& s) {
  std::size_t nameWidth = 8;
  for (const GroupLine& g : s.groups) nameWidth = std::max(nameWidth, g.name.size() + 2);
  std::cout << std::left << std::setw(static_cast<int>(nameWidth)) << (s.textFirstSort ? s.sortHeading : "Group")
            << std::setw(8) << "Flocks" << std::setw(12) << "Live Wt." << std::setw(10) << "Age" << "Feed/Gain\n";
  for (const GroupLine& g : s.groups)
    std::cout << std::setw(static_cast<int>(nameWidth)) << g.name << std::setw(8) << g.flocks << std::setw(12)
              << g.weight << std::setw(10) << g.age << g.conversion << '\n';
}

void printDifference(const char* what, const char* unit, const GroupDifference& d) {
  if (d.difference.empty()) return;
  std::cout << "  " << what << ": Low " << d.lowMean << ", High " << d.highMean << ", difference " << d.difference
            << unit;
  if (d.t.empty())
    std::cout << " (no spread: no t)\n";
  else
    std::cout << " (t = " << d.t << ", " << d.significance << ")\n";
}

void printFlockNotes(const char* heading, const std::vector<FlockNote>& notes) {
  std::cout << heading << '\n';
  for (const FlockNote& n : notes) std::cout << "  " << n.flock << ": " << n.note << '\n';
}

void printSummary(const AnalysisSummary& s) {
  std::cout << groupingText(s) << '\n'
            << "Units: live weight kg per bird, age days, feed conversion kg feed per kg live weight; "
               "means per group\n";
  printGroups(s);
  if (!s.textFirstSort && !s.conversion.difference.empty()) {
    std::cout << "Low against High (t with separate variances):\n";
    printDifference("Feed conversion", "", s.conversion);
    printDifference("Live weight", " kg", s.weight);
  }
  if (!s.tValueVariable.empty())
    std::cout << "t values of " << s.tValueVariable << " between the " << s.sortHeading << " groups: tvalues.tsv\n";
  std::cout << "Outliers found (highest feed conversion): " << s.outliersFound << '\n';
  if (!s.outliers.empty()) printFlockNotes("Outliers by house and feed conversion:", s.outliers);
  if (s.outliersRemoved > 0)
    std::cout << "Outliers removed: " << s.outliersRemoved << " (the " << s.outliersRemoved
              << " highest feed conversions; every statistic is over the flocks that stay)\n";
  if (s.leftOut.empty())
    std::cout << "Flocks left out: none\n";
  else
    printFlockNotes(("Flocks left out: " + std::to_string(s.leftOut.size())).c_str(), s.leftOut);
}

bool writeGrid(const std::filesystem::path& file, const Grid& grid) {
  const auto written = writeTsv(file, grid);
  if (!written.ok()) std::cerr << "plumetra-cli: " << written.error() << '\n';
  return written.ok();
}

bool writeResults(AppState& state, const AnalysisSummary& summary, const std::filesystem::path& dir) {
  if (makeOutputFolder(dir, "analyze").empty()) return false;
  const Grid& anal = state.workspace.analysisGrid;
  // Headings bold and frozen with the first two columns; the colours explained on a second sheet.
  const Grid legend = analysisLegend();
  const auto book = writeXlsx(dir / "analysis.xlsx", {{"Analysis Results", &anal, {1, 2, true, true}},
                                                      {"Legend", &legend, {1, 0, true, false}}});
  if (!book.ok()) {
    std::cerr << "plumetra-cli: " << book.error() << '\n';
    return false;
  }
  Grid corr;
  buildCorrelationGrid(anal, state.analysis, corr);
  std::string error;
  if (!writeGrid(dir / "analysis.tsv", anal) || !writeGrid(dir / "correlations.tsv", corr)) return false;
  if (!writeCorrelationList(dir, state.analysis.ColumnStats, &error)) {
    std::cerr << "plumetra-cli: " << CorrelationListFile << ": " << error << '\n';
    return false;
  }
  if (summary.textFirstSort && (!writeGrid(dir / "categories.tsv", state.analysis.categoryWindow.averages) ||
                                !writeGrid(dir / "tvalues.tsv", state.analysis.tValueWindow.tValues)))
    return false;
  std::cerr << "Written to " << dir.string() << ": analysis.tsv, analysis.xlsx, correlations.tsv, "
            << CorrelationListFile << (summary.textFirstSort ? ", categories.tsv, tvalues.tsv" : "") << '\n';
  return true;
}

}  // namespace

void addAnalyzeOptions(CLI::App& sub, AnalyzeOptions& o) {
  addInputOptions(sub, o.input);
  sub.add_option("--sex", o.sex, "Flock sex: mixed, males or females (required without --location)")
      ->check(CLI::IsMember({"mixed", "males", "females"}));
  sub.add_option("--split", o.split, "Flock split LOW,MID,HIGH in percent, adding to 100 (default 20,60,20)");
  sub.add_option("--location", o.location, "Calibrated location (.clb path or its base name)");
  sub.add_flag("--cost", o.cost, "Add the column of feed cost per bird");
  sub.add_option("--remove-outliers", o.removeOutliers, "When outliers are found, answer the removal question with N: the N flocks of highest "
                  "feed conversion leave the split (N may not exceed the outliers found)")
      ->check(CLI::NonNegativeNumber);
  sub.add_option("--sort", o.sort, "Sort by the analysis column with this heading after the run");
  sub.add_option("--second-sort", o.secondSort, "Second sort by this text column (after a text --sort)");
}

int loadAndAnalyze(AppState& state, const AnalyzeOptions& options, BatchDialogs& dialogs,
                   AnalysisOutcome& outcome) {
  AnalysisSettings settings;
  std::string problem;
  const std::optional<LoadInputsOptions> load = loadOptionsFrom(options.input, problem);
  if (!load || !toSettings(options, settings)) {
    if (!load) usage(problem);
    return ExitUsage;
  }
  dialogs.answerYesNo("A list file", true);
  dialogs.answerYesNo("Do you want a column of Cost per bird", options.cost);

  if (!startState(state, options.input.model, dialogs)) return ExitUsage;
  if (!options.location.empty()) {
    openLocation(state, options.location, dialogs);
    reapplyGivenOptions(options.input.model, state.model, std::cerr);
  }
  const LoadInputsReport report = loadInputs(state, *load, dialogs);
  if (!report.ok) {
    std::cerr << "plumetra-cli: the flock data could not be loaded (see the message above)\n";
    return ExitFailure;
  }
  dialogs.progress("Analysing " + std::to_string(report.flockCount) + " flocks", 0.0);
  outcome = runAnalysis(state.workspace, state.model, state.analysis, settings, dialogs);
  if (!outcome.problem.empty()) {
    std::cerr << "plumetra-cli analyze: " << outcome.problem << '\n';
    return ExitUsage;
  }
  if (outcome.end != AnalysisRunEnd::Completed) {
    std::cerr << "plumetra-cli: the analysis stopped (see the message above)\n";
    return ExitFailure;
  }
  return ExitOk;
}

void registerAnalyze(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<AnalyzeOptions>();
  auto out = std::make_shared<std::filesystem::path>();
  auto standardWeight = std::make_shared<std::optional<double>>();
  auto* sub = app.add_subcommand(
      "analyze", "Predict every flock, split the flocks by feed conversion and compare the groups");
  addAnalyzeOptions(*sub, *options);
  addStandardWeightOption(*sub, *standardWeight);
  sub->add_option("--out", *out,
                  "Write analysis.tsv, analysis.xlsx, correlations.tsv and listofCorr.txt here "
                  "(and categories.tsv, tvalues.tsv after a text sort)");
  sub->callback([options, out, standardWeight, &chosen] {
    options->input.listOut = *out;
    chosen = [options, out, standardWeight] {
      BatchDialogs dialogs(std::cerr);
      auto state = std::make_unique<AppState>();
      AnalysisOutcome outcome;
      const int code = loadAndAnalyze(*state, *options, dialogs, outcome);
      if (code != ExitOk) return code;
      printSummary(outcome.summary);
      printMetricsSummary(*state, *standardWeight);
      if (!out->empty() && !writeResults(*state, outcome.summary, *out)) return ExitFailure;
      if (!out->empty() && !writeMetricsTable(*state, *standardWeight, *out)) return ExitFailure;
      return ExitOk;
    };
  });
}

}  // namespace plumetra::cli

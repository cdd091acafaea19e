// `plumetra-cli analyze`: loads and matches the tables, runs the analysis with its
// statistics, outliers and correlations, prints the summary and writes the results.

#include "cli/analyze_command.h"
#include "cli/output_folder.h"

#include "analysis/analysis_legend.h"
#include "analysis/correlations.h"
#include "analysis/league_table.h"
#include "analysis/sex_comparison.h"
#include "analysis/tidy_tables.h"
#include "cli/analysis_json.h"
#include "cli/commands.h"
#include "cli/side_tables.h"
#include "calibration/location.h"
#include "calibration/split_calibration.h"
#include "controls/number_format.h"
#include "files/atomic_write.h"
#include "files/workbook.h"
#include "workspace/auto_match.h"

#include <algorithm>
#include <iomanip>
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
    split[i++] = readNumber(field);
  }
  if (i != split.size()) return std::nullopt;
  return split;
}

bool usage(const std::string& text) {
  fail(text, ExitUsage);
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
  ws.locationFile = base;
  if (base.has_parent_path()) ws.lastDir = base.parent_path();
  dialogs.restate("Can not find the file",
                  "Location: " + base.string() + " is new (no " + base.filename().string() + ".clb there yet)");
  loadLocation(ws, state.model, state.analysis.firstSortDone, dialogs);
}

std::string groupingText(const AnalysisSummary& s) {
  if (s.textFirstSort) return "Flocks grouped by " + s.sortHeading + " (one group per value)";
  const std::string what = s.sortedByConversion ? "feed conversion (" + s.sortHeading + ")" : s.sortHeading;
  return "Flocks grouped by " + what + ", split " + s.splitText + " %; Low = lowest " +
         (s.sortedByConversion ? "feed conversion (best)" : s.sortHeading);
}

void printGroups(std::ostream& out, const AnalysisSummary& s) {
  std::size_t nameWidth = 8;
  for (const GroupLine& g : s.groups) nameWidth = std::max(nameWidth, g.name.size() + 2);
  out << std::left << std::setw(static_cast<int>(nameWidth)) << (s.textFirstSort ? s.sortHeading : "Group")
            << std::setw(8) << "Flocks" << std::setw(12) << "Live Wt." << std::setw(10) << "Age" << "Feed/Gain\n";
  for (const GroupLine& g : s.groups)
    out << std::setw(static_cast<int>(nameWidth)) << g.name << std::setw(8) << g.flocks << std::setw(12)
              << g.weight << std::setw(10) << g.age << g.conversion << '\n';
}

void printDifference(std::ostream& out, const char* what, const char* unit, const GroupDifference& d) {
  if (d.difference.empty()) return;
  out << "  " << what << ": Low " << d.lowMean << ", High " << d.highMean << ", difference " << d.difference
            << unit;
  if (d.t.empty())
    out << " (no spread: no t)\n";
  else
    out << " (t = " << d.t << ", " << d.significance << ")\n";
}

void printFlockNotes(std::ostream& out, const char* heading, const std::vector<FlockNote>& notes) {
  out << heading << '\n';
  for (const FlockNote& n : notes) out << "  " << n.flock << ": " << n.note << '\n';
}

void printSummary(std::ostream& out, const AnalysisSummary& s) {
  out << groupingText(s) << '\n'
            << "Units: live weight kg per bird, age days, feed conversion kg feed per kg live weight; "
               "means per group\n";
  printGroups(out, s);
  if (!s.textFirstSort && !s.conversion.difference.empty()) {
    out << "Low against High (t with separate variances):\n";
    printDifference(out, "Feed conversion", "", s.conversion);
    printDifference(out, "Live weight", " kg", s.weight);
  }
  if (!s.tValueVariable.empty())
    out << "t values of " << s.tValueVariable << " between the " << s.sortHeading << " groups: tvalues.tsv\n";
  out << "Outliers found (highest feed conversion): " << s.outliersFound << '\n';
  if (!s.outliers.empty()) printFlockNotes(out, "Outliers by house and feed conversion:", s.outliers);
  if (s.outliersRemoved > 0)
    out << "Outliers removed: " << s.outliersRemoved << " (the " << s.outliersRemoved
              << " highest feed conversions; every statistic is over the flocks that stay)\n";
  if (s.leftOut.empty())
    out << "Flocks left out: none\n";
  else
    printFlockNotes(out, ("Flocks left out: " + std::to_string(s.leftOut.size())).c_str(), s.leftOut);
}

// After a text first sort: the categories' FCR compared pair by pair, Holm-adjusted; none when
// the sorted column is not a column of the flock table.
std::optional<LeagueTable> categoryPairs(const AppState& state, const AnalysisSummary& s, const SplitFlocks& split) {
  if (!s.textFirstSort) return std::nullopt;
  const MetricsTable metrics = metricsOf(state.workspace, split, std::nullopt);
  const LeagueFlocks flocks = leagueFlocksOf(state.workspace, split, metrics, {s.sortHeading});
  if (!flocks.problem.empty()) return std::nullopt;
  return leagueOf(flocks.flocks, LeagueFcr);
}

bool writeGrid(const std::filesystem::path& file, const Grid& grid) {
  const auto written = writeTsv(file, grid);
  if (!written.ok()) fail(written.error(), ExitFailure);
  return written.ok();
}

bool writeText(const std::filesystem::path& file, const std::string& text) {
  std::string error;
  if (writeFileAtomically(file, text, &error)) return true;
  fail("cannot write " + file.string() + ": " + error, ExitFailure);
  return false;
}

// The screen-layout files, then the tidy tables beside them; the names of the files written
// are added to `files`.
bool writeResults(AppState& state, const AnalysisSummary& summary, const TidyTables& tables,
                  const std::filesystem::path& dir, std::vector<std::filesystem::path>& files) {
  if (makeOutputFolder(dir, "analyze").empty()) return false;
  const Grid& anal = state.workspace.analysisGrid;
  // Headings bold and frozen with the first two columns; the colours explained on a second sheet.
  const Grid legend = analysisLegend();
  const auto book = writeXlsx(dir / "analysis.xlsx", {{"Analysis Results", &anal, {1, 2, true, true}},
                                                      {"Legend", &legend, {1, 0, true, false}}});
  if (!book.ok()) {
    fail(book.error(), ExitFailure);
    return false;
  }
  files.push_back(dir / "analysis.xlsx");
  Grid corr;
  buildCorrelationGrid(anal, state.analysis, corr);
  std::string error;
  if (!writeGrid(dir / "analysis.tsv", anal) || !writeGrid(dir / "correlations.tsv", corr)) return false;
  files.insert(files.end(), {dir / "analysis.tsv", dir / "correlations.tsv"});
  if (!writeCorrelationList(dir, state.analysis.columnStats, &error)) {
    fail(std::string(CorrelationListFile) + ": " + error, ExitFailure);
    return false;
  }
  files.push_back(dir / CorrelationListFile);
  if (summary.textFirstSort) {
    if (!writeGrid(dir / "categories.tsv", state.analysis.categoryWindow.averages) ||
        !writeGrid(dir / "tvalues.tsv", state.analysis.tValueWindow.tValues))
      return false;
    files.insert(files.end(), {dir / "categories.tsv", dir / "tvalues.tsv"});
  }
  if (!writeText(dir / "flocks.tsv", flocksTsv(tables)) || !writeText(dir / "groups.tsv", groupsTsv(tables)))
    return false;
  files.insert(files.end(), {dir / "flocks.tsv", dir / "groups.tsv"});
  return true;
}

// Which breeds the model grows, and where that choice came from.
std::string breedsFact(const ModelSettings& settings, const AnalyzeOptions& options) {
  const auto name = [&](int breed) { return settings.breedNames[static_cast<std::size_t>(std::max(breed, 0))]; };
  if (settings.maleBreed < 0 && settings.femaleBreed < 0)
    return "Breeds: " + name(0) + ", the built-in default (choose with --male-breed/--female-breed)";
  const char* origin = options.input.model.maleBreed.empty() && options.input.model.femaleBreed.empty() &&
                               !options.location.empty()
                           ? " (from the location)"
                           : "";
  return "Breeds: males " + name(settings.maleBreed) + ", females " + name(settings.femaleBreed) + origin;
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

int loadAndAnalyze(AppState& state, const AnalyzeOptions& options, Console& console, BatchDialogs& dialogs,
                   AnalysisOutcome& outcome) {
  AnalysisSettings settings;
  std::string problem;
  const std::optional<LoadInputsOptions> load = loadOptionsFrom(options.input, problem);
  if (!load || !toSettings(options, settings)) {
    if (!load) usage(problem);
    return ExitUsage;
  }
  dialogs.answerYesNo("A list file", true, "Data ID list: the matches stored beside the flock file are replayed (--no-lst to match afresh)");
  dialogs.answerYesNo("Do you want a column of Cost per bird", options.cost,
                      options.cost ? "Cost per bird: on (--cost)" : "Cost per bird: off (--cost to add it)");
  // The breeds are told once, before the run; the calibration's reminder would name a window.
  dialogs.restate(SetBreedsText, "");
  // The summary's first line says how the flocks were grouped.
  dialogs.restate("First Sort is always by Feed Conversion", "");

  if (!startState(state, options.input.model, dialogs)) return ExitUsage;
  if (!options.location.empty()) {
    openLocation(state, options.location, dialogs);
    reapplyGivenOptions(options.input.model, state.model, console.notes());
  }
  console.notes() << breedsFact(state.model.settings, options) << '\n';
  const LoadInputsReport report = loadInputs(state, *load, dialogs);
  if (!report.ok) return fail(withReason("the flock data could not be loaded", dialogs), ExitFailure);
  // Each required item no column is matched to, with the headings most like it.
  if (!report.missing.empty())
    return fail(missingItemsText(report.missing, options.input.autoMatch ? "use --map '{}=HEADING'"
                                                                         : "use --map '{}=HEADING' or --auto-match"),
                ExitFailure);
  state.workspace.diets.pricing = givenPricing(options.input.model, state.model, !options.location.empty());
  for (const ColumnMatch& m : report.matches)
    if (const std::string note = headingUnitNote(m.side, m.item, m.heading); !note.empty())
      console.notes() << m.heading << ": " << note << '\n';
  dialogs.progress("Analysing " + std::to_string(report.flockCount) + " flocks", 0.0);
  outcome = runAnalysis(state.workspace, state.model, state.analysis, settings, dialogs);
  if (!outcome.problem.empty()) return fail(outcome.problem, ExitUsage);
  if (!outcome.result) return fail(withReason("the analysis stopped", dialogs), ExitFailure);
  state.analysisResult = outcome.result;
  return ExitOk;
}

std::string withReason(const std::string& what, const BatchDialogs& dialogs) {
  return dialogs.lastReason().empty() ? what : what + ": " + dialogs.lastReason();
}

void addJsonOption(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "Write the summary as one JSON document on stdout instead of text");
}

void registerAnalyze(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<AnalyzeOptions>();
  auto out = std::make_shared<std::filesystem::path>();
  auto adjustment = std::make_shared<AdjustmentOptions>();
  auto splitBy = std::make_shared<std::string>("fcr");
  auto json = std::make_shared<bool>(false);
  auto* sub = app.add_subcommand(
      "analyze", "Predict every flock, split the flocks by feed conversion and compare the groups");
  addAnalyzeOptions(*sub, *options);
  addAdjustmentOptions(*sub, *adjustment);
  addSplitByOption(*sub, *splitBy);
  addJsonOption(*sub, *json);
  sub->add_option("--out", *out,
                  "Write analysis.tsv, analysis.xlsx, correlations.tsv and listofCorr.txt here (and "
                  "categories.tsv, tvalues.tsv after a text sort), with metrics.tsv, flocks.tsv (one row per "
                  "flock) and groups.tsv (one row per group and measure)");
  sub->callback([options, out, adjustment, splitBy, json, &chosen] {
    options->input.listOut = *out;
    chosen = [options, out, adjustment, splitBy, json](Console& console) {
      BatchDialogs dialogs = console.dialogs();
      auto state = std::make_unique<AppState>();
      AnalysisOutcome outcome;
      const int code = loadAndAnalyze(*state, *options, console, dialogs, outcome);
      if (code != ExitOk) return code;
      const std::optional<SplitFlocks> split = splitFlocksBy(*state, *splitBy, *adjustment);
      if (!split) return ExitFailure;
      TidyTables tables = tidyTablesOf(state->workspace, *split, adjustment->standardWeight, adjustment->fcrSlope);
      tables.splitBy = *splitBy;
      printSummary(console.out(*json), outcome.summary);
      if (!outcome.summary.textFirstSort)
        console.out(*json) << sexComparisonText(outcome.result->split, state->workspace.chosenSex,
                                                outcome.result->splitPercent);
      const std::optional<LeagueTable> pairs = categoryPairs(*state, outcome.summary, *split);
      if (pairs)
        console.out(*json) << "FCR of the " << outcome.summary.sortHeading << " categories, pair by pair: "
                           << pairs->pairs << " pairs compared, " << pairs->pairsDiffering
                           << " differ (Holm-adjusted p < 0.05); league --by \"" << outcome.summary.sortHeading
                           << "\" --rank-by fcr lists them\n";
      if (*splitBy != "fcr")
        console.out(*json) << "Metrics and tidy tables: the flocks split by " << *splitBy
                           << " (lowest in Low), in the groups' sizes; the groups above stay split by FCR\n";
      printMetricsSummary(console.out(*json), *state, *split, *adjustment);
      std::vector<std::filesystem::path> files;
      if (!out->empty()) {
        if (!writeResults(*state, outcome.summary, tables, *out, files) ||
            !writeMetricsTable(*state, *split, *adjustment, *out))
          return ExitFailure;
        files.push_back(*out / "metrics.tsv");
        console.notes() << "Written to " << out->string() << ": analysis.tsv, analysis.xlsx, correlations.tsv, "
                        << CorrelationListFile << (outcome.summary.textFirstSort ? ", categories.tsv, tvalues.tsv" : "")
                        << ", metrics.tsv, flocks.tsv, groups.tsv\n";
      }
      if (*json) {
        JsonWriter writer(console.json());
        writer.beginObject().member("command", "analyze");
        writeAnalysisMember(writer, outcome.summary, tables);
        writeBySexMember(writer, outcome.result->split, state->workspace.chosenSex,
                         outcome.result->splitPercent);
        if (pairs) writePairTestsMember(writer, "category_pairs", *pairs);
        writeFilesMember(writer, files);
        writer.endObject();
      }
      return ExitOk;
    };
  });
}

}  // namespace plumetra::cli

// `plumetra-cli trends`: the analysis run, then per month or quarter of the flocks' dates the
// flocks and the means with 95 % intervals of FCR, adjusted FCR, ADG, EPEF and feed cost per
// kg; trends.tsv in --out.

#include <cstdio>
#include <memory>

#include "analysis/split_flocks.h"
#include "analysis/trends.h"
#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/output_folder.h"
#include "cli/side_tables.h"
#include "controls/fixed_text.h"
#include "files/atomic_write.h"

namespace plumetra::cli {

namespace {

struct TrendsOptions {
  AnalyzeOptions analyze;
  AdjustmentOptions adjustment;
  std::string period = "month";
  std::filesystem::path outDir;
  bool json = false;
};

std::string meanText(const LeagueEntry& e, LeagueMeasure k, int decimals) {
  return e.moments[k].n == 0 ? "-" : fixedText(e.moments[k].mean, decimals);
}

void printTrends(std::ostream& out, const Trends& trends) {
  out << "Period    Flocks  FCR    Adj.FCR  ADG   EPEF  Cost/kg\n";
  for (const LeagueEntry& e : trends.periods) {
    char line[128];
    std::snprintf(line, sizeof line, "%-8s  %-6d  %-5s  %-7s  %-4s  %-4s  %s\n", e.name.c_str(), e.flocks,
                  meanText(e, LeagueFcr, 3).c_str(), meanText(e, LeagueAdjustedFcr, 3).c_str(),
                  meanText(e, LeagueGain, 1).c_str(), meanText(e, LeagueEpef, 0).c_str(),
                  meanText(e, LeagueCostPerKg, 3).c_str());
    out << line;
  }
}

void writeTrendsMember(JsonWriter& json, const Trends& trends) {
  json.key("trends").beginObject();
  json.member("period", trends.period == TrendPeriod::Month ? "month" : "quarter").member("undated_flocks", trends.undated);
  json.key("periods").beginArray();
  for (const LeagueEntry& e : trends.periods) {
    json.beginObject().member("period", e.name).member("flocks", e.flocks);
    for (std::size_t k = 0; k < LeagueMeasureCount; ++k) {
      json.key(measureName(static_cast<LeagueMeasure>(k), trends.costCurrency)).beginObject().member("n", e.moments[k].n).member("mean", e.moments[k].mean);
      json.member("ci95_low", e.ci95[k].low).member("ci95_high", e.ci95[k].high).endObject();
    }
    json.endObject();
  }
  json.endArray().endObject();
}

int runTrends(const TrendsOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  const SplitFlocks split = analysedFlocks(*state).split;
  const MetricsTable metrics =
      metricsOf(state->workspace, split, options.adjustment.standardWeight, options.adjustment.fcrSlope);
  const Trends trends = trendsOf(split, metrics, options.period == "month" ? TrendPeriod::Month : TrendPeriod::Quarter,
                                 dateColumnOf(state->workspace.flockGrid) >= 0);
  if (!trends.dateKnown)
    return fail("the flock table has no date column (a heading that names a date, such as \"Placement Date\")",
                ExitFailure);
  if (trends.undated > 0)
    console.warning(std::to_string(trends.undated) + " flocks left out: their date does not read as year-month-day");
  printTrends(console.out(options.json), trends);
  std::vector<std::filesystem::path> files;
  if (!options.outDir.empty()) {
    if (makeOutputFolder(options.outDir, "trends").empty()) return ExitFailure;
    const std::filesystem::path file = options.outDir / "trends.tsv";
    std::string error;
    if (!writeFileAtomically(file, trendsTsv(trends), &error))
      return fail("cannot write " + file.string() + ": " + error, ExitFailure);
    console.notes() << "Wrote " << file.string() << '\n';
    files.push_back(file);
  }
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "trends");
    writeTrendsMember(json, trends);
    writeFilesMember(json, files);
    json.endObject();
  }
  return ExitOk;
}

}  // namespace

void registerTrends(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<TrendsOptions>();
  auto* sub = app.add_subcommand(
      "trends", "Analyse, then show FCR, adjusted FCR, ADG, EPEF and feed cost by month or quarter of the flocks' dates");
  addAnalyzeOptions(*sub, options->analyze);
  addAdjustmentOptions(*sub, options->adjustment);
  sub->add_option("--period", options->period, "month (default) or quarter")->check(CLI::IsMember({"month", "quarter"}));
  sub->add_option("--out", options->outDir, "Folder for trends.tsv");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] { chosen = [options](Console& console) { return runTrends(*options, console); }; });
}

}  // namespace plumetra::cli

// `plumetra-cli league`: the analysis run, then the farms (or the values of any text column)
// ranked by a performance measure with their means, 95 % intervals and quartiles, every pair
// compared with Holm-adjusted p; league.tsv and league_pairs.tsv in --out.

#include <map>
#include <memory>

#include "analysis/league_table.h"
#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/commands.h"
#include "cli/output_folder.h"
#include "cli/side_tables.h"
#include "files/atomic_write.h"

namespace plumetra::cli {

namespace {

const std::map<std::string, LeagueMeasure> MeasureByOption{{"fcr", LeagueFcr},
                                                           {"adjusted-fcr", LeagueAdjustedFcr},
                                                           {"adg", LeagueGain},
                                                           {"epef", LeagueEpef},
                                                           {"cost", LeagueCostPerKg}};

struct LeagueOptions {
  AnalyzeOptions analyze;
  AdjustmentOptions adjustment;
  std::string by;
  std::string rankBy = "adjusted-fcr";
  std::string from, to;
  std::filesystem::path outDir;
  bool json = false;
};

// --from/--to as dates; false after a usage error.
bool readRange(const LeagueOptions& options, LeagueChoice& choice) {
  for (auto [text, date, name] : {std::tuple{&options.from, &choice.from, "--from"}, {&options.to, &choice.to, "--to"}}) {
    if (text->empty()) continue;
    *date = calendarDateOf(*text);
    if (!*date) {
      fail(std::string(name) + " takes a date as year-month-day (2024-03-07), not \"" + *text + "\"", ExitUsage);
      return false;
    }
  }
  return true;
}

void writeLeagueMember(JsonWriter& json, const LeagueTable& league, const std::string& heading, int undated) {
  json.key("league").beginObject();
  json.member("grouped_by", heading)
      .member("ranked_by", leagueMeasureName(league, league.rankedBy))
      .member("lower_is_better", LowerIsBetter[league.rankedBy])
      .member("pairs", league.pairs)
      .member("pairs_differing_holm_05", league.pairsDiffering)
      .member("flocks_without_a_date", undated);
  json.key("entries").beginArray();
  for (const LeagueEntry& e : league.entries) {
    json.beginObject().member("name", e.name).member("flocks", e.flocks);
    json.key("rank");
    e.rank > 0 ? json.value(e.rank) : json.null();
    json.key("quartile");
    e.quartile > 0 ? json.value(e.quartile) : json.null();
    for (int k = 0; k < LeagueMeasureCount; ++k) {
      const auto i = static_cast<std::size_t>(k);
      json.key(leagueMeasureName(league, static_cast<LeagueMeasure>(k))).beginObject().member("n", e.moments[i].n).member("mean", e.moments[i].mean);
      json.member("sd", e.moments[i].sd).member("ci95_low", e.ci95[i].low).member("ci95_high", e.ci95[i].high);
      json.endObject();
    }
    json.member("p_vs_leader", e.pAgainstLeader).member("holm_p_vs_leader", e.holmAgainstLeader).endObject();
  }
  json.endArray();
  writePairTestsMember(json, "pair_tests", league);
  json.endObject();
}

int runLeague(const LeagueOptions& options, Console& console) {
  LeagueChoice choice;
  choice.column = options.by;
  if (!readRange(options, choice)) return ExitUsage;
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  const SplitFlocks split = analysedFlocks(*state).split;
  const MetricsTable metrics =
      metricsOf(state->workspace, split, options.adjustment.standardWeight, options.adjustment.fcrSlope);
  const LeagueFlocks flocks = leagueFlocksOf(state->workspace, split, metrics, choice);
  if (!flocks.problem.empty()) return fail(flocks.problem, ExitUsage);
  if (flocks.flocks.empty()) return fail("no flock of the split lies in the date range", ExitFailure);
  if (flocks.undated > 0)
    console.warning(std::to_string(flocks.undated) + " flocks left out of the date range: their date does not read as "
                                                     "year-month-day");
  LeagueTable league = leagueOf(flocks.flocks, MeasureByOption.at(options.rankBy));
  league.costCurrency = metrics.pricing.currency;
  const std::string heading = options.by.empty() ? "Farm" : options.by;
  for (const std::string& line : leagueLines(league, heading)) console.out(options.json) << line << '\n';
  std::vector<std::filesystem::path> files;
  if (!options.outDir.empty()) {
    if (makeOutputFolder(options.outDir, "league").empty()) return ExitFailure;
    for (const auto& [name, text] : {std::pair{"league.tsv", leagueTsv(league, heading)},
                                     std::pair{"league_pairs.tsv", leaguePairsTsv(league)}}) {
      const std::filesystem::path file = options.outDir / name;
      std::string error;
      if (!writeFileAtomically(file, text, &error))
        return fail("cannot write " + file.string() + ": " + error, ExitFailure);
      files.push_back(file);
    }
    console.notes() << "Wrote league.tsv and league_pairs.tsv in " << options.outDir.string() << '\n';
  }
  if (options.json) {
    JsonWriter json(console.json());
    json.beginObject().member("command", "league");
    writeLeagueMember(json, league, heading, flocks.undated);
    writeFilesMember(json, files);
    json.endObject();
  }
  return ExitOk;
}

}  // namespace

void registerLeague(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<LeagueOptions>();
  auto* sub = app.add_subcommand(
      "league", "Analyse, then rank the farms by a performance measure with intervals, quartiles and pair tests");
  addAnalyzeOptions(*sub, options->analyze);
  addAdjustmentOptions(*sub, options->adjustment);
  sub->add_option("--by", options->by, "Heading of the text column to group by (default: the farm column)");
  sub->add_option("--rank-by", options->rankBy, "Measure to rank by: fcr, adjusted-fcr (default), adg, epef or cost")
      ->check(CLI::IsMember({"fcr", "adjusted-fcr", "adg", "epef", "cost"}));
  sub->add_option("--from", options->from, "Only flocks dated on or after this day (year-month-day)");
  sub->add_option("--to", options->to, "Only flocks dated on or before this day (year-month-day)");
  sub->add_option("--out", options->outDir, "Folder for league.tsv and league_pairs.tsv (every pair of farms)");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] { chosen = [options](Console& console) { return runLeague(*options, console); }; });
}

}  // namespace plumetra::cli

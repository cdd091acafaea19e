#include "analysis/league_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

#include "analysis/holm.h"
#include "workspace/not_known.h"
#include "analysis/split_flocks.h"
#include "analysis/tidy_tables.h"
#include "controls/fixed_text.h"
#include "workspace/flock_selection.h"

namespace plumetra {

namespace {

constexpr std::array<int, LeagueMeasureCount> LeagueDecimals{3, 3, 1, 0, 3};

// Better first by the ranking measure; entries without it after, by name.
bool ranksBefore(const LeagueEntry& a, const LeagueEntry& b, LeagueMeasure by) {
  const double x = a.moments[by].mean, y = b.moments[by].mean;
  const bool knownA = a.moments[by].n > 0, knownB = b.moments[by].n > 0;
  if (knownA != knownB) return knownA;
  if (knownA && x != y) return LowerIsBetter[by] ? x < y : x > y;
  return a.name < b.name;
}

void rank(LeagueTable& league) {
  const LeagueMeasure by = league.rankedBy;
  std::sort(league.entries.begin(), league.entries.end(),
            [by](const LeagueEntry& a, const LeagueEntry& b) { return ranksBefore(a, b, by); });
  int ranked = 0;
  for (const LeagueEntry& e : league.entries) ranked += e.moments[by].n > 0 ? 1 : 0;
  for (int i = 0; i < ranked; ++i) {
    LeagueEntry& e = league.entries[static_cast<std::size_t>(i)];
    const bool tied = i > 0 && e.moments[by].mean == league.entries[static_cast<std::size_t>(i - 1)].moments[by].mean;
    e.rank = tied ? league.entries[static_cast<std::size_t>(i - 1)].rank : i + 1;
    e.quartile = 4 * (e.rank - 1) / ranked + 1;
  }
}

// Welch's test of every pair of ranked entries, Holm-adjusted together; each entry keeps its
// pair with the leader.
void comparePairs(LeagueTable& league) {
  const LeagueMeasure by = league.rankedBy;
  std::size_t ranked = 0;
  while (ranked < league.entries.size() && league.entries[ranked].rank > 0) ++ranked;
  std::vector<double> p;
  p.reserve(ranked * (ranked - std::min<std::size_t>(ranked, 1)) / 2);
  league.pairTests.reserve(p.capacity());
  for (std::size_t a = 0; a < ranked; ++a)
    for (std::size_t b = a + 1; b < ranked; ++b) {
      const Moments& x = league.entries[a].moments[by];
      const Moments& y = league.entries[b].moments[by];
      const double t = welchT(x, y);
      const double df = std::isfinite(t) ? welchDf(x, y) : NotKnown;
      league.pairTests.push_back({a, b, x.mean - y.mean, t, df, twoSidedP(t, df), NotKnown});
      p.push_back(league.pairTests.back().p);
    }
  const std::vector<double> holm = holmAdjusted(p);
  for (std::size_t i = 0; i < holm.size(); ++i) league.pairTests[i].holmP = holm[i];
  for (LeagueEntry& e : league.entries) e.pAgainstLeader = e.holmAgainstLeader = NotKnown;
  for (const LeaguePair& pair : league.pairTests) {
    if (pair.first == 0) {
      league.entries[pair.second].pAgainstLeader = pair.p;
      league.entries[pair.second].holmAgainstLeader = pair.holmP;
    }
    if (std::isfinite(pair.holmP)) {
      ++league.pairs;
      league.pairsDiffering += pair.holmP < SignificanceLevel ? 1 : 0;
    }
  }
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

int columnHeaded(const Grid& grid, const std::string& heading) {
  for (int c = 0; c < grid.cols(); ++c)
    if (lowered(grid.text(0, c)) == lowered(heading)) return c;
  return -1;
}

bool inRange(const std::optional<CalendarDate>& date, const LeagueChoice& choice) {
  return date && (!choice.from || *date >= *choice.from) && (!choice.to || *date <= *choice.to);
}

std::string meanText(const LeagueEntry& e, int k) {
  const Moments& m = e.moments[static_cast<std::size_t>(k)];
  return m.n == 0 ? "-" : fixedText(m.mean, LeagueDecimals[static_cast<std::size_t>(k)]);
}

}  // namespace

std::vector<LeagueEntry> entriesByName(std::span<const LeagueFlock> flocks) {
  std::map<std::string, std::vector<const LeagueFlock*>> byName;
  for (const LeagueFlock& f : flocks) byName[f.name].push_back(&f);
  std::vector<LeagueEntry> entries;
  std::vector<double> values;
  for (const auto& [name, members] : byName) {
    LeagueEntry e;
    e.name = name;
    e.flocks = static_cast<int>(members.size());
    for (std::size_t k = 0; k < LeagueMeasureCount; ++k) {
      values.clear();
      for (const LeagueFlock* f : members) values.push_back(f->values[k]);
      e.moments[k] = momentsOf(values);
      e.ci95[k] = meanInterval95(e.moments[k]);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

LeagueTable leagueOf(std::span<const LeagueFlock> flocks, LeagueMeasure rankedBy) {
  LeagueTable league;
  league.rankedBy = rankedBy;
  league.entries = entriesByName(flocks);
  rank(league);
  comparePairs(league);
  return league;
}

std::array<double, LeagueMeasureCount> leagueValues(const SplitFlock& flock, const MetricsTable& metrics,
                                                    std::size_t index) {
  const auto& m = metrics.values[index];
  return {flock.feedConversion > 0 ? flock.feedConversion : NotKnown, m[MetricAdjustedFcr], m[MetricGain],
          m[MetricEpef], m[MetricCostPerKg]};
}

LeagueFlocks leagueFlocksOf(const Workspace& ws, const SplitFlocks& split, const MetricsTable& metrics,
                            const LeagueChoice& choice) {
  LeagueFlocks out;
  const int column = choice.column.empty() ? -1 : columnHeaded(ws.flockGrid, choice.column);
  if (!choice.column.empty() && column < 0) {
    out.problem = "the flock table has no column headed \"" + choice.column + "\"";
    return out;
  }
  const bool ranged = choice.from || choice.to;
  if (ranged && dateColumnOf(ws.flockGrid) < 0) {
    out.problem = "a date range needs a date column (a heading that names a date, such as \"Placement Date\")";
    return out;
  }
  for (std::size_t i = 0; i < split.flocks.size() && i < metrics.values.size(); ++i) {
    const SplitFlock& f = split.flocks[i];
    if (ranged && !inRange(calendarDateOf(f.key.date), choice)) {
      out.undated += calendarDateOf(f.key.date) ? 0 : 1;
      continue;
    }
    out.flocks.push_back({column < 0 ? f.key.farm : ws.flockGrid.text(flockGridRow(ws, f.flock), column),
                          leagueValues(f, metrics, i)});
  }
  return out;
}

std::string measureName(LeagueMeasure measure, const std::string& costCurrency) {
  const std::string name = LeagueMeasureNames[measure];
  return measure == LeagueCostPerKg && !costCurrency.empty() ? name + "_" + tsvText(costCurrency) : name;
}

std::string leagueMeasureName(const LeagueTable& league, LeagueMeasure measure) {
  return measureName(measure, league.costCurrency);
}

std::string leagueMeasureCaption(const LeagueTable& league, LeagueMeasure measure) {
  const std::string caption = LeagueMeasureCaptions[measure];
  return measure == LeagueCostPerKg && !league.costCurrency.empty() ? caption + " (" + league.costCurrency + ")"
                                                                     : caption;
}

std::string leagueTsv(const LeagueTable& league, const std::string& nameHeading) {
  std::string text = "rank\tquartile\t" + tsvText(nameHeading) + "\tflocks";
  for (int k = 0; k < LeagueMeasureCount; ++k) {
    const std::string n = leagueMeasureName(league, static_cast<LeagueMeasure>(k));
    text += '\t' + n + "_mean\t" + n + "_ci95_low\t" + n + "_ci95_high";
  }
  text += "\tp_vs_leader\tholm_p_vs_leader\n";
  for (const LeagueEntry& e : league.entries) {
    text += (e.rank > 0 ? std::to_string(e.rank) : "") + '\t' + (e.quartile > 0 ? std::to_string(e.quartile) : "") +
            '\t' + tsvText(e.name) + '\t' + std::to_string(e.flocks);
    for (int k = 0; k < LeagueMeasureCount; ++k) {
      const auto i = static_cast<std::size_t>(k);
      text += '\t' + (e.moments[i].n > 0 ? tsvNumber(e.moments[i].mean) : "") + '\t' + tsvNumber(e.ci95[i].low) +
              '\t' + tsvNumber(e.ci95[i].high);
    }
    text += '\t' + tsvNumber(e.pAgainstLeader) + '\t' + tsvNumber(e.holmAgainstLeader) + '\n';
  }
  return text;
}

Grid leagueGrid(const LeagueTable& league, const std::string& nameHeading) {
  constexpr int firstMeasureCol = 4;
  const int cols = firstMeasureCol + 2 * LeagueMeasureCount + 1;
  Grid grid(static_cast<int>(league.entries.size()) + 1, cols);
  const std::array<std::string, firstMeasureCol> headings{"Rank", "Quartile", nameHeading, "Flocks"};
  for (int c = 0; c < firstMeasureCol; ++c) grid.setText(0, c, headings[static_cast<std::size_t>(c)]);
  for (std::size_t k = 0; k < LeagueMeasureCount; ++k) {
    grid.setText(0, firstMeasureCol + 2 * static_cast<int>(k), leagueMeasureCaption(league, static_cast<LeagueMeasure>(k)));
    grid.setText(0, firstMeasureCol + 2 * static_cast<int>(k) + 1, "95 % interval");
  }
  grid.setText(0, cols - 1, "p vs leader (Holm)");
  int row = 1;
  for (const LeagueEntry& e : league.entries) {
    grid.setText(row, 0, e.rank > 0 ? std::to_string(e.rank) : "");
    grid.setText(row, 1, e.quartile > 0 ? std::to_string(e.quartile) : "");
    grid.setText(row, 2, e.name);
    grid.setText(row, 3, std::to_string(e.flocks));
    for (std::size_t k = 0; k < LeagueMeasureCount; ++k) {
      const int c = firstMeasureCol + 2 * static_cast<int>(k);
      grid.setText(row, c, fixedText(e.moments[k].mean, LeagueDecimals[k]));
      const std::string low = fixedText(e.ci95[k].low, LeagueDecimals[k]);
      grid.setText(row, c + 1, low.empty() ? "" : low + " to " + fixedText(e.ci95[k].high, LeagueDecimals[k]));
    }
    grid.setText(row, cols - 1, std::isfinite(e.holmAgainstLeader) ? fixedText(e.holmAgainstLeader, 3) : "");
    ++row;
  }
  return grid;
}

std::string leaguePairsTsv(const LeagueTable& league) {
  std::string text = "first\tsecond\tdifference\tt\tdf\tp\tholm_p\n";
  for (const LeaguePair& pair : league.pairTests)
    text += tsvText(league.entries[pair.first].name) + '\t' + tsvText(league.entries[pair.second].name) + '\t' +
            tsvNumber(pair.difference) + '\t' + tsvNumber(pair.t) + '\t' + tsvNumber(pair.df) + '\t' +
            tsvNumber(pair.p) + '\t' + tsvNumber(pair.holmP) + '\n';
  return text;
}

std::vector<std::string> leagueLines(const LeagueTable& league, const std::string& nameHeading) {
  const LeagueMeasure by = league.rankedBy;
  std::vector<std::string> lines{
      "League of " + std::to_string(league.entries.size()) + " by " + nameHeading + ", ranked by " +
          LeagueMeasureCaptions[by] + (LowerIsBetter[by] ? " (lowest first)" : " (highest first)") + "; " +
          std::to_string(league.pairs) + " pairs compared, " + std::to_string(league.pairsDiffering) +
          " differ (Holm-adjusted p < 0.05); feed cost per kg " +
          (league.costCurrency.empty() ? std::string("per unit of cost") : "in " + league.costCurrency),
      "Rank  Q  Flocks  FCR    Adj.FCR  ADG   EPEF  Cost/kg  p vs leader (Holm)  " + nameHeading};
  for (const LeagueEntry& e : league.entries) {
    char line[160];
    std::snprintf(line, sizeof line, "%-4s  %-1s  %-6d  %-5s  %-7s  %-4s  %-4s  %-7s  %-18s  ",
                  e.rank > 0 ? std::to_string(e.rank).c_str() : "-",
                  e.quartile > 0 ? std::to_string(e.quartile).c_str() : "-", e.flocks, meanText(e, LeagueFcr).c_str(),
                  meanText(e, LeagueAdjustedFcr).c_str(), meanText(e, LeagueGain).c_str(),
                  meanText(e, LeagueEpef).c_str(), meanText(e, LeagueCostPerKg).c_str(),
                  std::isfinite(e.holmAgainstLeader) ? pText(e.holmAgainstLeader).c_str() : "");
    lines.push_back(line + e.name);
  }
  return lines;
}

}  // namespace plumetra

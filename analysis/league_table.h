#pragma once
// The farm league: per farm (or per value of any text column) its flocks, the mean and 95 %
// interval of each performance measure, and its rank and quartile by one of them. Every pair of
// ranked farms is compared on that measure, and the p-values are Holm-adjusted for the number
// of pairs, so a user sees which differences hold up.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/calendar_date.h"
#include "analysis/flock_metrics.h"
#include "analysis/group_comparison.h"
#include "analysis/t_probability.h"
#include "controls/grid.h"

namespace plumetra {

enum LeagueMeasure { LeagueFcr, LeagueAdjustedFcr, LeagueGain, LeagueEpef, LeagueCostPerKg, LeagueMeasureCount };
inline constexpr std::array<const char*, LeagueMeasureCount> LeagueMeasureNames{"fcr", "adjusted_fcr", "adg_g_day",
                                                                                "epef", "feed_cost_per_kg"};
inline constexpr std::array<const char*, LeagueMeasureCount> LeagueMeasureCaptions{"FCR", "Adjusted FCR", "ADG g/day",
                                                                                   "EPEF", "Feed Cost per kg"};
// Feed conversion and cost rank the lowest first; gain and EPEF the highest.
inline constexpr std::array<bool, LeagueMeasureCount> LowerIsBetter{true, true, false, false, true};

struct LeagueFlock {
  std::string name;                               // the farm, or the chosen column's text
  std::array<double, LeagueMeasureCount> values;  // not finite where unknown
};

struct LeagueEntry {
  std::string name;
  int flocks = 0;
  std::array<Moments, LeagueMeasureCount> moments{};
  std::array<Interval, LeagueMeasureCount> ci95{};
  int rank = 0;      // 1 the best by the ranking measure, equal means share a rank; 0 unranked
  int quartile = 0;  // rank r of n ranked is in quartile floor(4 (r - 1) / n) + 1; 0 unranked
  double pAgainstLeader = 0;     // Welch's p against the first entry; not finite where no t
  double holmAgainstLeader = 0;  // the same p Holm-adjusted over every pair of ranked farms
};

// Two ranked entries compared on the ranking measure.
struct LeaguePair {
  std::size_t first = 0, second = 0;  // indices into entries, first ranked higher
  double difference = 0;              // first's mean - second's
  double t = 0, df = 0, p = 0;        // Welch's; not finite where a group has no spread
  double holmP = 0;                   // p Holm-adjusted over every pair
};

struct LeagueTable {
  LeagueMeasure rankedBy = LeagueAdjustedFcr;
  std::vector<LeagueEntry> entries;  // rank order; unranked ones (no value to rank by) last
  std::vector<LeaguePair> pairTests;  // every pair of ranked entries
  int pairs = 0;                     // pairs of ranked farms that have a p
  int pairsDiffering = 0;            // of them, those with a Holm-adjusted p below 0.05
  std::string costCurrency;          // the feed costs' currency; empty when none was given
};

// A measure's name in tables ("feed_cost_per_kg_EUR" with the costs' currency) and its caption
// ("Feed Cost per kg (EUR)").
std::string measureName(LeagueMeasure measure, const std::string& costCurrency);
std::string leagueMeasureName(const LeagueTable& league, LeagueMeasure measure);
std::string leagueMeasureCaption(const LeagueTable& league, LeagueMeasure measure);

// One entry per name with its flocks' moments and intervals, in the names' order; not ranked.
std::vector<LeagueEntry> entriesByName(std::span<const LeagueFlock> flocks);

LeagueTable leagueOf(std::span<const LeagueFlock> flocks, LeagueMeasure rankedBy);

// Which flocks of the split enter the league, and under what name.
struct LeagueChoice {
  std::string column;                  // heading of the flock-table column to group by; empty: the farm
  std::optional<CalendarDate> from{};  // the flock's date at or after; needs the date column
  std::optional<CalendarDate> to{};    // at or before
};

struct LeagueFlocks {
  std::vector<LeagueFlock> flocks;
  int undated = 0;  // flocks left out of a date range because their date does not read as one
  std::string problem;  // why no league can be made ("no column headed ..."); empty when it can
};

// The measures of one flock of the split, from `metrics` row `index` (made from the same split).
std::array<double, LeagueMeasureCount> leagueValues(const SplitFlock& flock, const MetricsTable& metrics,
                                                    std::size_t index);

// The split's flocks with their measures from `metrics` (made from the same split).
LeagueFlocks leagueFlocksOf(const Workspace& ws, const SplitFlocks& split, const MetricsTable& metrics,
                            const LeagueChoice& choice);

// As tab-separated text: rank, quartile, the name, flocks, then per measure the mean and its
// interval, then the p against the leader, raw and Holm-adjusted; unknowns are empty cells.
std::string leagueTsv(const LeagueTable& league, const std::string& nameHeading);

// As a grid for a window: Rank, Quartile, the name, Flocks, per measure its mean and interval,
// and the Holm-adjusted p against the leader.
Grid leagueGrid(const LeagueTable& league, const std::string& nameHeading);

// Every pair as tab-separated text: the two names, the difference, t, degrees of freedom, p and
// Holm-adjusted p.
std::string leaguePairsTsv(const LeagueTable& league);

// The summary: what ranks, how many pairs differ, and one line per entry.
std::vector<std::string> leagueLines(const LeagueTable& league, const std::string& nameHeading);

}  // namespace plumetra

#pragma once
// Performance over time when the flock table has a date column: per month or quarter of the
// flocks' dates, the flocks and the mean and 95 % interval of each league measure.

#include <string>
#include <vector>

#include "analysis/league_table.h"

namespace plumetra {

enum class TrendPeriod { Month, Quarter };

struct Trends {
  TrendPeriod period = TrendPeriod::Month;
  std::vector<LeagueEntry> periods;  // named "2024-03" or "2024-Q1", oldest first; not ranked
  int undated = 0;                   // flocks whose date does not read as one
  bool dateKnown = false;            // the flock table has a date column
  std::string costCurrency;          // the feed costs' currency; empty when none was given
};

// "2024-03" for a month, "2024-Q1" for a quarter.
std::string periodName(const CalendarDate& date, TrendPeriod period);

// The split's flocks with their measures from `metrics` (made from the same split), by the
// period of their date.
Trends trendsOf(const SplitFlocks& split, const MetricsTable& metrics, TrendPeriod period, bool dateKnown);

// As tab-separated text: period, flocks, then per measure n, mean and its interval.
std::string trendsTsv(const Trends& trends);

}  // namespace plumetra

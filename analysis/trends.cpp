#include "analysis/trends.h"

#include <cstdio>

#include "analysis/tidy_tables.h"

namespace plumetra {

std::string periodName(const CalendarDate& date, TrendPeriod period) {
  char text[32];
  if (period == TrendPeriod::Month)
    std::snprintf(text, sizeof text, "%04d-%02d", date.year, date.month);
  else
    std::snprintf(text, sizeof text, "%04d-Q%d", date.year, (date.month - 1) / 3 + 1);
  return text;
}

Trends trendsOf(const SplitFlocks& split, const MetricsTable& metrics, TrendPeriod period, bool dateKnown) {
  Trends trends;
  trends.period = period;
  trends.dateKnown = dateKnown;
  if (!dateKnown) return trends;
  std::vector<LeagueFlock> flocks;
  for (std::size_t i = 0; i < split.flocks.size() && i < metrics.values.size(); ++i) {
    const auto date = calendarDateOf(split.flocks[i].key.date);
    if (!date) {
      ++trends.undated;
      continue;
    }
    flocks.push_back({periodName(*date, period), leagueValues(split.flocks[i], metrics, i)});
  }
  trends.periods = entriesByName(flocks);  // the names sort as the periods do
  trends.costCurrency = metrics.pricing.currency;
  return trends;
}

std::string trendsTsv(const Trends& trends) {
  std::string text = "period\tflocks";
  for (int k = 0; k < LeagueMeasureCount; ++k) {
    const std::string n = measureName(static_cast<LeagueMeasure>(k), trends.costCurrency);
    text += '\t' + n + "_n\t" + n + "_mean\t" + n + "_ci95_low\t" + n + "_ci95_high";
  }
  text += '\n';
  for (const LeagueEntry& e : trends.periods) {
    text += e.name + '\t' + std::to_string(e.flocks);
    for (std::size_t k = 0; k < LeagueMeasureCount; ++k)
      text += '\t' + std::to_string(e.moments[k].n) + '\t' + tsvNumber(e.moments[k].mean) + '\t' +
              tsvNumber(e.ci95[k].low) + '\t' + tsvNumber(e.ci95[k].high);
    text += '\n';
  }
  return text;
}

}  // namespace plumetra

// Calendar dates as the flock tables write them, and the trends of the flocks by month and quarter.

#include "analysis/calendar_date.h"
#include "analysis/trends.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

TEST(CalendarDate, ReadsYearMonthDayAndSpreadsheetDayNumbersNotGuesses) {
  EXPECT_EQ(calendarDateOf("2024-03-07"), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf(" 2024/3/7 "), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf("2024-03-07 00:00:00"), (CalendarDate{2024, 3, 7}));
  // Day 45358 of a spreadsheet (day 1 = 1900-01-01 with its false 1900-02-29) is 2024-03-07.
  EXPECT_EQ(calendarDateOf("45358"), (CalendarDate{2024, 3, 7}));
  EXPECT_EQ(calendarDateOf("2024-02-29"), (CalendarDate{2024, 2, 29}));
  // What it would have to guess is refused.
  for (const char* text : {"07/03/2024", "2023-02-29", "2024-13-01", "2024-03", "24-03-07", "2024-03-07x", "", "X",
                           "1.5", "120"})
    EXPECT_FALSE(calendarDateOf(text)) << text;
}

// Four flocks: FCR 1.5 on 2024-01-15, 1.7 on 2024-01-31, 1.6 on 2024-04-01, one without a date.
TEST(Trends, MonthsAndQuartersOfTheDatesOldestFirst) {
  SplitFlocks split;
  MetricsTable metrics;
  const std::array<std::pair<const char*, double>, 4> flocks{
      {{"2024-01-15", 1.5}, {"2024-01-31", 1.7}, {"2024-04-01", 1.6}, {"", 1.8}}};
  for (const auto& [date, fcr] : flocks) {
    SplitFlock f;
    f.key.date = date;
    f.feedConversion = fcr;
    split.flocks.push_back(f);
    std::array<double, MetricCount> values;
    values.fill(NAN);
    values[MetricAdjustedFcr] = fcr - 0.1;
    metrics.values.push_back(values);
  }
  const Trends months = trendsOf(split, metrics, TrendPeriod::Month, true);
  ASSERT_EQ(months.periods.size(), 2u);
  EXPECT_EQ(months.undated, 1);
  EXPECT_EQ(months.periods[0].name, "2024-01");
  EXPECT_EQ(months.periods[0].flocks, 2);
  EXPECT_NEAR(months.periods[0].moments[LeagueFcr].mean, 1.6, 1e-12);
  EXPECT_NEAR(months.periods[0].moments[LeagueAdjustedFcr].mean, 1.5, 1e-12);
  EXPECT_EQ(months.periods[1].name, "2024-04");
  EXPECT_EQ(months.periods[1].moments[LeagueGain].n, 0);

  const Trends quarters = trendsOf(split, metrics, TrendPeriod::Quarter, true);
  ASSERT_EQ(quarters.periods.size(), 2u);
  EXPECT_EQ(quarters.periods[0].name, "2024-Q1");
  EXPECT_EQ(quarters.periods[1].name, "2024-Q2");
  EXPECT_EQ(periodName({2023, 12, 31}, TrendPeriod::Quarter), "2023-Q4");

  EXPECT_TRUE(trendsOf(split, metrics, TrendPeriod::Month, false).periods.empty());
}

}  // namespace
}  // namespace plumetra

#include "analysis/trends.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

// Four flocks: FCR 1.5 on 2024-01-15, 1.7 on 2024-01-31, 1.6 on 2024-04-01, one without a date.
struct DatedFlocks {
  SplitFlocks split;
  MetricsTable metrics;
  DatedFlocks() {
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
  }
};

TEST(Trends, MonthsAndQuartersOfTheDatesOldestFirst) {
  const DatedFlocks d;
  const Trends months = trendsOf(d.split, d.metrics, TrendPeriod::Month, true);
  ASSERT_EQ(months.periods.size(), 2u);
  EXPECT_EQ(months.undated, 1);
  EXPECT_EQ(months.periods[0].name, "2024-01");
  EXPECT_EQ(months.periods[0].flocks, 2);
  EXPECT_NEAR(months.periods[0].moments[LeagueFcr].mean, 1.6, 1e-12);
  EXPECT_NEAR(months.periods[0].moments[LeagueAdjustedFcr].mean, 1.5, 1e-12);
  EXPECT_EQ(months.periods[1].name, "2024-04");
  EXPECT_EQ(months.periods[1].moments[LeagueGain].n, 0);

  const Trends quarters = trendsOf(d.split, d.metrics, TrendPeriod::Quarter, true);
  ASSERT_EQ(quarters.periods.size(), 2u);
  EXPECT_EQ(quarters.periods[0].name, "2024-Q1");
  EXPECT_EQ(quarters.periods[1].name, "2024-Q2");
  EXPECT_EQ(periodName({2023, 12, 31}, TrendPeriod::Quarter), "2023-Q4");

  EXPECT_TRUE(trendsOf(d.split, d.metrics, TrendPeriod::Month, false).periods.empty());
}

}  // namespace
}  // namespace plumetra

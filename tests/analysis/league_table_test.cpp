// The farm league on farms worked by hand: ranks with ties, quartiles, intervals, the pairs
// compared and their Holm adjustment; and the Holm adjustment on its own.

#include "analysis/league_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/holm.h"

namespace plumetra {
namespace {

// Adjusted FCR of each flock (the other measures unknown, but FCR = adjusted + 0.1).
std::vector<LeagueFlock> farms(const std::vector<std::pair<std::string, double>>& flocks) {
  std::vector<LeagueFlock> out;
  for (const auto& [name, adjusted] : flocks) {
    LeagueFlock f{name, {}};
    f.values.fill(NAN);
    f.values[LeagueAdjustedFcr] = adjusted;
    f.values[LeagueFcr] = adjusted + 0.1;
    out.push_back(f);
  }
  return out;
}

const LeagueEntry& entryNamed(const LeagueTable& t, const std::string& name) {
  for (const LeagueEntry& e : t.entries)
    if (e.name == name) return e;
  throw std::runtime_error("no entry " + name);
}

TEST(Holm, StepDownWorkedByHand) {
  // Four finite p: 0.005 x 4 = 0.02; 0.01 x 3 = 0.03; 0.03 x 2 = 0.06; 0.04 x 1 = 0.04, raised
  // to the 0.06 before it. The NaN stays and does not count.
  const std::vector<double> p{0.01, 0.04, 0.03, NAN, 0.005};
  const std::vector<double> q = holmAdjusted(p);
  EXPECT_NEAR(q[0], 0.03, 1e-15);
  EXPECT_NEAR(q[1], 0.06, 1e-15);
  EXPECT_NEAR(q[2], 0.06, 1e-15);
  EXPECT_TRUE(std::isnan(q[3]));
  EXPECT_NEAR(q[4], 0.02, 1e-15);
  EXPECT_DOUBLE_EQ(holmAdjusted(std::vector<double>{0.6, 0.7})[0], 1.0);  // capped at 1
}

TEST(League, RanksQuartilesIntervalsAndPairsWorkedByHand) {
  // A 1.50 1.52 1.54 (mean 1.52), B 1.60 1.62 1.64 (1.62), C 1.55 alone, D 1.70 1.72 (1.71),
  // F 1.80 1.90 (1.85); E has no adjusted FCR and is not ranked.
  auto flocks = farms({{"B", 1.60}, {"A", 1.50}, {"F", 1.80}, {"A", 1.52}, {"C", 1.55}, {"D", 1.70},
                       {"B", 1.62}, {"A", 1.54}, {"D", 1.72}, {"B", 1.64}, {"F", 1.90}, {"E", NAN}});
  const LeagueTable t = leagueOf(flocks, LeagueAdjustedFcr);
  ASSERT_EQ(t.entries.size(), 6u);
  const std::vector<std::string> order{"A", "C", "B", "D", "F", "E"};
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(t.entries[i].name, order[i]);
  // Quartile of rank r among 5: floor(4 (r - 1) / 5) + 1 -> 1, 1, 2, 3, 4.
  const std::vector<int> quartiles{1, 1, 2, 3, 4, 0};
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(t.entries[i].rank, i < 5 ? static_cast<int>(i) + 1 : 0) << order[i];
    EXPECT_EQ(t.entries[i].quartile, quartiles[i]) << order[i];
  }
  const LeagueEntry& a = entryNamed(t, "A");
  EXPECT_EQ(a.flocks, 3);
  EXPECT_NEAR(a.moments[LeagueAdjustedFcr].mean, 1.52, 1e-12);
  EXPECT_NEAR(a.moments[LeagueFcr].mean, 1.62, 1e-12);
  // 1.52 -/+ t(0.975, 2) x 0.02 / sqrt(3), t = 4.303 from the tables.
  EXPECT_NEAR(a.ci95[LeagueAdjustedFcr].low, 1.52 - 4.303 * 0.02 / std::sqrt(3.0), 1e-5);
  // Welch's pairs among A, B, D, F (C has one flock, so no t): 6 pairs. Their p, by numerical
  // integration of the t density: AB 0.0036022 (t -6.1237, 4 df), AD 0.0013582, AF 0.0821799,
  // BD 0.0109071, BF 0.1213405, DF 0.2072224. Holm: AD 0.0081490, AB 0.0180112, BD 0.0436285,
  // the rest 0.2465396; three pairs differ.
  EXPECT_EQ(t.pairTests.size(), 10u);  // the 5 ranked farms two by two, C's with no p
  EXPECT_EQ(t.pairs, 6);
  EXPECT_EQ(t.pairsDiffering, 3);
  EXPECT_TRUE(std::isnan(a.pAgainstLeader));
  EXPECT_NEAR(entryNamed(t, "B").holmAgainstLeader, 0.0180112, 1e-6);
  EXPECT_NEAR(entryNamed(t, "D").holmAgainstLeader, 0.0081490, 1e-6);
  EXPECT_NEAR(entryNamed(t, "F").holmAgainstLeader, 0.2465396, 1e-6);
  EXPECT_TRUE(std::isnan(entryNamed(t, "C").holmAgainstLeader));
}

TEST(League, EqualMeansShareARankAndHigherIsBetterForGain) {
  std::vector<LeagueFlock> flocks = farms({{"A", 1.6}, {"B", 1.5}, {"C", 1.6}, {"D", 1.7}});
  const LeagueTable t = leagueOf(flocks, LeagueAdjustedFcr);
  EXPECT_EQ(entryNamed(t, "A").rank, 2);
  EXPECT_EQ(entryNamed(t, "C").rank, 2);
  EXPECT_EQ(entryNamed(t, "D").rank, 4);
  for (LeagueFlock& f : flocks) f.values[LeagueGain] = f.values[LeagueAdjustedFcr] * 40;
  const LeagueTable gain = leagueOf(flocks, LeagueGain);
  EXPECT_EQ(gain.entries.front().name, "D");
  EXPECT_EQ(gain.entries.back().name, "B");
  EXPECT_EQ(leagueOf({}, LeagueFcr).entries.size(), 0u);
}

TEST(League, TsvHasOneRowPerEntryAndEveryColumn) {
  const auto flocks = farms({{"A\tB", 1.5}, {"C", 1.6}});
  const std::string tsv = leagueTsv(leagueOf(flocks, LeagueAdjustedFcr), "Farm");
  EXPECT_EQ(tsv.rfind("rank\tquartile\tFarm\tflocks\tfcr_mean\tfcr_ci95_low", 0), 0u);
  const auto columns = std::count(tsv.begin(), tsv.begin() + static_cast<long>(tsv.find('\n')), '\t');
  EXPECT_EQ(columns, 3 + 3 * LeagueMeasureCount + 2);
  EXPECT_NE(tsv.find("\n1\t1\tA B\t1\t1.6\t"), std::string::npos);  // the tab in a name is a blank
  // One farm-pair row, its difference 1.5 - 1.6 with no t (one flock each).
  EXPECT_EQ(leaguePairsTsv(leagueOf(flocks, LeagueAdjustedFcr)),
            "first\tsecond\tdifference\tt\tdf\tp\tholm_p\nA B\tC\t-0.10000000000000009\t\t\t\t\n");
}

}  // namespace
}  // namespace plumetra

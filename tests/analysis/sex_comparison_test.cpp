// The flocks split again, worked out by hand: by another measure in the same group sizes, and
// Low against High within each flock sex.

#include "analysis/resplit.h"
#include "analysis/sex_comparison.h"

#include <gtest/gtest.h>

#include <cmath>

#include "workspace/flock_sex.h"

namespace plumetra {
namespace {

TEST(Resplit, SortsByTheMeasureAndKeepsTheGroupSizesUnlessAFlockLacksIt) {
  // Five flocks split 1 / 3 / 1 by FCR (flocks 1..5 in that order).
  SplitFlocks five;
  for (int i = 1; i <= 5; ++i) {
    SplitFlock f;
    f.flock = i;
    f.group = i == 1 ? 1 : i == 5 ? 3 : 2;
    five.flocks.push_back(f);
  }
  five.sizes = {0, 1, 3, 1};
  // Values 3.0 1.0 2.0 1.0 0.5: lowest first 5, 2, 4 (equal to 2, after it in the old order), 3, 1.
  const Resplit r = resplitBy(five, std::vector<double>{3.0, 1.0, 2.0, 1.0, 0.5}, "EPEF");
  std::vector<int> flocks, groups;
  for (const SplitFlock& f : r.split.flocks) {
    flocks.push_back(f.flock);
    groups.push_back(f.group);
  }
  EXPECT_EQ(flocks, (std::vector<int>{5, 2, 4, 3, 1}));
  EXPECT_EQ(groups, (std::vector<int>{1, 2, 2, 2, 3}));
  EXPECT_EQ(r.split.sizes, five.sizes);

  const Resplit refused = resplitBy(five, std::vector<double>{3.0, NAN, 2.0, 1.0, 0.5}, "EPEF");
  EXPECT_EQ(refused.problem, "1 of the 5 flocks have no EPEF, so the flocks cannot be split by it");
  EXPECT_TRUE(refused.split.flocks.empty());
}

SplitFlock flock(int group, std::optional<int> sex, double fcr, double weight) {
  SplitFlock f;
  f.group = group;
  f.sex = sex;
  f.feedConversion = fcr;
  f.liveWeight = weight;
  return f;
}

// Half Low, half High: each sex's flocks split on their own.
constexpr std::array<double, 4> Halves{100, 50, 0, 50};

// Males: Low 1.5, 1.6 against High 1.8, 2.0. Females: one Low flock and a flock of unknown sex
// (the chosen Females) in Middle. Mixed: Middle only.
TEST(SexComparison, EachSexSplitsItsOwnFlocksAndComparesLowAndHighGivenASexColumn) {
  SplitFlocks split;
  split.sexColumn = true;
  split.flocks = {flock(1, MaleSex, 1.5, 2.6),   flock(1, MaleSex, 1.6, 2.5),     flock(1, FemaleSex, 1.7, 2.2),
                  flock(2, MixedSex, 1.75, 2.4), flock(2, std::nullopt, 1.7, 2.3), flock(3, MaleSex, 1.8, 2.4),
                  flock(3, MaleSex, 2.0, 2.2)};
  const std::vector<SexComparison> bySex = compareBySex(split, FemaleSex, Halves);
  ASSERT_EQ(bySex.size(), 3u);
  const SexComparison& males = bySex[0];
  EXPECT_EQ(males.sex, MaleSex);
  EXPECT_EQ(males.flocks, (std::array<int, 4>{0, 2, 0, 2}));
  EXPECT_EQ(males.ownSplit, (std::array<int, 4>{4, 2, 0, 2}));
  EXPECT_NEAR(males.fcr.difference, 1.55 - 1.9, 1e-12);
  // Welch: -0.35 / sqrt(0.005 / 2 + 0.02 / 2)
  EXPECT_NEAR(males.fcr.t, -0.35 / std::sqrt(0.0125), 1e-9);
  EXPECT_NEAR(males.weight.difference, 2.55 - 2.3, 1e-12);

  const SexComparison& females = bySex[1];  // the Low flock and the unknown one, grown as Females
  EXPECT_EQ(females.flocks, (std::array<int, 4>{0, 1, 1, 0}));
  EXPECT_EQ(females.ownSplit, (std::array<int, 4>{2, 1, 0, 1}));
  EXPECT_FALSE(std::isfinite(females.fcr.t));  // one flock a side
  EXPECT_EQ(bySex[2].sex, MixedSex);
  EXPECT_EQ(bySex[2].ownSplit, (std::array<int, 4>{1, 0, 1, 0}));  // half of one flock rounds to none

  const std::string text = sexComparisonText(split, FemaleSex, Halves);
  EXPECT_NE(text.find("  Males (4 flocks; Low 2, High 2 of their own; in the groups above 2 Low, 0 Middle, 2 High): "
                      "feed conversion Low 1.550, High 1.900, difference -0.350 (t = -3.13, p = "),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("feed conversion Low 1.700, High 1.700, difference 0.000 (too few flocks for a t)"),
            std::string::npos);
  EXPECT_NE(text.find("  Mixed (1 flock; Low 0, High 0 of their own; in the groups above 0 Low, 1 Middle, 0 High): "
                      "feed conversion: no Low or no High flock"),
            std::string::npos);
  EXPECT_NE(text.find("A calibrated group keeps one sex, its flocks' majority: Low Males, Middle Mixed, High Males\n"),
            std::string::npos);

  // Nothing without a sex column.
  split.sexColumn = false;
  EXPECT_TRUE(compareBySex(split, MixedSex, Halves).empty());
  EXPECT_EQ(sexComparisonText(split, MixedSex, Halves), "");
}

}  // namespace
}  // namespace plumetra

#include "analysis/resplit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

// Five flocks split 1 / 3 / 1 by FCR (flocks 1..5 in that order).
SplitFlocks fiveFlocks() {
  SplitFlocks split;
  for (int i = 1; i <= 5; ++i) {
    SplitFlock f;
    f.flock = i;
    f.group = i == 1 ? 1 : i == 5 ? 3 : 2;
    split.flocks.push_back(f);
  }
  split.sizes = {0, 1, 3, 1};
  return split;
}

TEST(Resplit, SortsByTheMeasureAndKeepsTheGroupSizes) {
  // Values 3.0 1.0 2.0 1.0 0.5: lowest first 5, 2, 4 (equal to 2, after it in the old order), 3, 1.
  const Resplit r = resplitBy(fiveFlocks(), std::vector<double>{3.0, 1.0, 2.0, 1.0, 0.5}, "EPEF");
  ASSERT_TRUE(r.problem.empty());
  std::vector<int> flocks, groups;
  for (const SplitFlock& f : r.split.flocks) {
    flocks.push_back(f.flock);
    groups.push_back(f.group);
  }
  EXPECT_EQ(flocks, (std::vector<int>{5, 2, 4, 3, 1}));
  EXPECT_EQ(groups, (std::vector<int>{1, 2, 2, 2, 3}));
  EXPECT_EQ(r.split.sizes, fiveFlocks().sizes);
}

TEST(Resplit, RefusesWhenAFlockLacksTheMeasure) {
  const Resplit r = resplitBy(fiveFlocks(), std::vector<double>{3.0, NAN, 2.0, 1.0, 0.5}, "EPEF");
  EXPECT_EQ(r.problem, "1 of the 5 flocks have no EPEF, so the flocks cannot be split by it");
  EXPECT_TRUE(r.split.flocks.empty());
}

}  // namespace
}  // namespace plumetra

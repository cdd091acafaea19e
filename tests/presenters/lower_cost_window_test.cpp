#include "presenters/lower_cost_window.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/calibration/calibration_fixture.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

namespace {

constexpr std::array<double, 4> Split{100, 20, 60, 20};

}  // namespace

TEST(LowerCostWindowTest, GridCellsAndPatterns) {
  LowerCostRecord r;
  r.targetWeight = 2450;
  r.dietCount = 3;
  // lowest, initial, feed conversion, age per group
  const double values[4][4] = {{}, {1.0, 1.2, 1.5, 38.25}, {1.1, 1.25, 1.6, 40.0}, {1.3, 1.3, 1.8, 43.5}};
  for (int g = 1; g <= 3; ++g) {
    LowerCostGroup& group = r.groups[g];
    std::tie(group.lowestCost, group.initialCost, group.feedConversion, group.finalAge) =
        std::tuple(values[g][0], values[g][1], values[g][2], values[g][3]);
    group.bestFeed = {0, 0.4 + g, 1.25, 2.0625, 9};
    group.searched = true;
  }
  LowerCostWindowState w;
  fillLowerCostWindow(w, r, Split);
  // The target in kg, as the explanation names it; every caption carries its unit.
  expectCells(w.results, {{0, 0, "2.450 kg"}, {0, 1, "Low Cost per Bird"}, {0, 5, "Final Age, days"},
                          {1, 0, "Low (Top)"}, {3, 0, "High (Bottom)"}, {8, 1, "Diet 1, kg per Bird"},
                          {8, 4, ""}});  // the phases fed only
  EXPECT_NE(w.explanation.caption.find("Target Flock Weight of 2.450 kg,"), std::string::npos);
  // Group rows: lowest cost, saving with its leading zero, age (38.25 half to even).
  expectCells(w.results, {{1, 1, "1.000"}, {1, 3, "0.200"}, {3, 3, "0.000"}, {1, 5, "38.2"}, {3, 5, "43.5"}});
  // 0.2 Low + 0.6 Middle + 0.2 High of the cells as shown: 0.2 + 0.66 + 0.26, 0.04 + 0.09
  // + 0, 7.64 + 24 + 8.7 (40.34); the saving per 100,000 birds (0.2 x 20 + 0.15 x 60 + 0) x 1000.
  expectCells(w.results, {{5, 1, "1.120"}, {5, 3, "0.130"}, {5, 5, "40.3"}, {6, 0, "Saving per 100,000 Birds"},
                          {6, 3, "13000.0"}});
  // Best feed amounts (2.0625 half to even), three phases only.
  expectCells(w.results, {{10, 1, "2.400"}, {11, 3, "2.062"}, {11, 4, ""}});

  // A group that missed the target is named in its row and left out of the averages:
  // (0.2 x 1.0 + 0.2 x 1.3) / 0.4 = 1.15; saving (0.2 x 20 + 0) x 1000.
  r.groups[2].searched = false;
  fillLowerCostWindow(w, r, Split);
  expectCells(w.results, {{2, 1, "target not reached"}, {2, 3, ""}, {5, 1, "1.150"}, {6, 3, "4000.0"}, {10, 2, ""}});
}

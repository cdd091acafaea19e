// The windows of the calibrated groups' results: the lower-cost feeding and the revaluation.

#include "presenters/lower_cost_window.h"
#include "presenters/revaluation_window.h"

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

TEST(RevaluationWindowTest, GroupsOf3And4And2AndTheirAveragesAndASingleFlock) {
  RevaluationFile file;
  file.location = "Springfield";
  file.groups.push_back(revaluedGroup("FarmTop", 21, {{2000, 40, 1.5}, {2200, 41, 1.6}, {2400, 42, 1.7}}));
  file.groups.push_back(revaluedGroup("FarmMiddle", 21, {{2100, 40, 1.6}, {2100, 41, 1.6}, {2100, 42, 1.6}, {2500, 43, 2.0}}));
  file.groups.push_back(revaluedGroup("FarmBottom", 21, {{2300, 42.5, 1.8}, {2500, 42.5, 1.9}}));
  RevaluationWindowState w;
  fillRevaluationWindow(w, file, SplitFlocks{});
  const Grid& g = w.revaluedGrid;

  EXPECT_EQ(w.locationBox.text, "Springfield");
  // The flocks: header, then row number + H, weight, age, feed conversion; a gap after each.
  expectCells(g, {{0, 0, file.groups[0].header}, {1, 1, "22"}, {1, 2, "2.000"}, {1, 3, "40.0"}, {1, 4, " 1.500"},
                  {4, 1, ""}, {5, 0, file.groups[1].header}, {9, 1, "25"}, {11, 0, file.groups[2].header},
                  {13, 3, "42.5"}, {14, 1, ""}});
  // Averages, mean then standard deviation. Top: weights 2.0-2.4 (sd 0.2), ages 40-42
  // (sd 1), FC 1.5-1.7 (sd 0.1). Middle: weights 2.1 x 3 and 2.5, sd sqrt(0.12 / 3) = 0.2.
  // Bottom: sd sqrt(0.02); two ages of 42.5 have no spread, so their cells stay empty.
  expectCells(g, {{1, 5, "Low (Top)"}, {1, 6, " 2.200"}, {2, 6, " 0.200"}, {1, 7, " 41.000"}, {2, 7, " 1.000"},
                  {2, 8, " 0.100"}, {3, 5, "Middle"}, {3, 6, " 2.200"}, {4, 6, " 0.200"}, {3, 7, " 41.500"},
                  {5, 5, "High (Bottom)"}, {5, 6, " 2.400"}, {6, 6, " 0.141"}, {5, 7, ""}, {6, 7, ""}, {5, 8, " 1.850"}});

  // A single flock shows its value over root two: 2.4 / sqrt 2 and 40 / sqrt 2; no Middle group:
  // the averages end there.
  RevaluationFile single;
  single.groups.push_back(revaluedGroup("FarmTop", 21, {{2400, 40, 1.6}}));
  fillRevaluationWindow(w, single, SplitFlocks{});
  expectCells(w.revaluedGrid, {{1, 6, " 2.400"}, {2, 6, " 1.697"}, {2, 7, " 28.284"}, {3, 5, ""}});
}

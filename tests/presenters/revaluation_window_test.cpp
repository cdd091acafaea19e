#include "presenters/revaluation_window.h"

#include <gtest/gtest.h>

#include "tests/calibration/calibration_fixture.h"

using namespace plumetra;
using namespace plumetra::calibration_test;

TEST(RevaluationWindowTest, GroupsOf3And4And2AndTheirAverages) {
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
}

TEST(RevaluationWindowTest, SingleFlockShowsItsValueOverRootTwo) {
  RevaluationFile file;
  file.groups.push_back(revaluedGroup("FarmTop", 21, {{2400, 40, 1.6}}));
  RevaluationWindowState w;
  fillRevaluationWindow(w, file, SplitFlocks{});
  // 2.4 / sqrt 2 and 40 / sqrt 2; no Middle group: the averages end there.
  expectCells(w.revaluedGrid, {{1, 6, " 2.400"}, {2, 6, " 1.697"}, {2, 7, " 28.284"}, {3, 5, ""}});
}

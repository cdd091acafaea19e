// The mortality and birds-sold columns as producers' files give them: percent signs, shares
// below 1, and feed headings that look like birds sold.

#include "workspace/livability_columns.h"

#include <gtest/gtest.h>

#include "workspace_fixture.h"

namespace plumetra {
namespace {

using testing::fillGrid;

TEST(LivabilityColumns, PercentCellsReadAsPercent) {
  EXPECT_EQ(percentCell("3.2%"), 3.2);
  EXPECT_EQ(percentCell(" 3.2 % "), 3.2);
  EXPECT_EQ(percentCell("3,2"), 3.2);
  EXPECT_FALSE(percentCell("3.2%%"));
  EXPECT_FALSE(percentCell("n/a"));

  Grid g;
  fillGrid(g, "House\tBirds\tMortality\n1\t20000\t3.2%\n2\t20000\t4.5 %\n", 3, 3);
  const LivabilityColumns found = findLivabilityColumns(g, 1);
  ASSERT_EQ(found.mortality, 2);
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 1, found, 20000), 96.8);
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 2, found, 20000), 95.5);
  g.setText(0, 2, "Mortality (birds)");  // a count of dead birds is no percentage
  EXPECT_EQ(findLivabilityColumns(g, 1).mortality, -1);
}

TEST(LivabilityColumns, AShareBelowOneIsToldNotGuessed) {
  Grid share;
  fillGrid(share, "House\tMortality\n1\t0.032\n2\t0.045\n", 3, 2);
  const LivabilityColumns found = findLivabilityColumns(share, -1);
  EXPECT_EQ(found.mortality, -1);
  EXPECT_NE(found.problem.find("\"Mortality\" holds only numbers below 1"), std::string::npos) << found.problem;

  // With a percent sign in the heading, numbers below 1 are small percentages.
  Grid small;
  fillGrid(small, "House\tMortality %\n1\t0.8\n2\t0.9\n", 3, 2);
  EXPECT_EQ(findLivabilityColumns(small, -1).mortality, 1);
}

TEST(LivabilityColumns, FeedOrWeightDeliveredIsNoBirdsSold) {
  Grid g;
  fillGrid(g, "House\tBirds Placed\tFeed delivered (t)\tLive weight sold (kg)\tBirds processed\n"
              "1\t20000\t75\t48000\t19400\n", 2, 5);
  const LivabilityColumns sold = findLivabilityColumns(g, 1);
  EXPECT_EQ(sold.birdsSold, 4);
  EXPECT_EQ(findLivabilityColumns(g, 4).birdsSold, -1);  // the column matched as the birds placed
  EXPECT_DOUBLE_EQ(livabilityPercent(g, 1, sold, 20000), 97.0);  // 19,400 / 20,000
  EXPECT_LT(livabilityPercent(g, 1, sold, 0), 0);      // no birds placed: unknown
  EXPECT_LT(livabilityPercent(g, 1, sold, 15000), 0);  // more sold than placed
}

}  // namespace
}  // namespace plumetra

#include "analysis/t_probability.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

TEST(TwoSidedP, MatchesClosedFormsAndTheTablesAndShowsThreeDecimals) {
  // One degree of freedom is the Cauchy distribution: P(|T| > 1) = 1/2.
  EXPECT_NEAR(twoSidedP(1.0, 1.0), 0.5, 1e-12);
  // Two degrees of freedom: P(|T| > t) = 1 - t / sqrt(2 + t^2).
  EXPECT_NEAR(twoSidedP(2.0, 2.0), 1.0 - 2.0 / std::sqrt(6.0), 1e-12);
  EXPECT_NEAR(twoSidedP(-2.0, 2.0), 1.0 - 2.0 / std::sqrt(6.0), 1e-12);
  // The printed critical values at 0.05 and 0.10 (three decimals).
  EXPECT_NEAR(twoSidedP(2.228, 10.0), 0.05, 2e-4);
  EXPECT_NEAR(twoSidedP(1.812, 10.0), 0.10, 2e-4);
  EXPECT_NEAR(twoSidedP(1.984, 100.0), 0.05, 2e-4);
  EXPECT_DOUBLE_EQ(twoSidedP(0.0, 5.0), 1.0);
  EXPECT_LT(twoSidedP(30.0, 80.0), 1e-40);
  // Unknown without a usable t or df.
  for (const auto& [t, df] : {std::pair{NAN, 10.0}, {2.0, 0.0}, {2.0, NAN}}) EXPECT_TRUE(std::isnan(twoSidedP(t, df)));

  // Shown to three decimals or as below one in a thousand.
  EXPECT_EQ(pText(0.0342), "p = 0.034");
  EXPECT_EQ(pText(0.0004), "p < 0.001");
  EXPECT_EQ(pText(NAN), "p -");
}

TEST(TCritical95, MatchesThePrintedTables) {
  // t(0.975, df) printed to three decimals.
  const std::pair<double, double> printed[] = {{1.0, 12.706}, {3.0, 3.182}, {10.0, 2.228}, {30.0, 2.042}, {1e7, 1.960}};
  for (const auto& [df, t] : printed)
    EXPECT_NEAR(tCritical95(df), t, 5e-4) << df;
  EXPECT_TRUE(std::isnan(tCritical95(0.0)));
  // Without a spread there is no interval (one on hand values: the farm league's).
  EXPECT_TRUE(std::isnan(meanInterval95({1, 10.0, NAN}).low));
}

TEST(WelchDifference, TwoGroupsWorkedByHandAndTheirDegreesOfFreedom) {
  // Means 1.5 and 1.7, SD 0.1, four flocks each: SE = sqrt(0.01 / 4 x 2) = 0.0707107,
  // t = -2.828427, 6 df (equal groups), p 0.030020 (the density integrated numerically), and
  // the interval -0.2 -/+ 2.447 x 0.0707107 with t(0.975, 6) = 2.447 from the tables.
  const MeanDifference d = welchDifference({4, 1.5, 0.1}, {4, 1.7, 0.1});
  EXPECT_NEAR(d.difference, -0.2, 1e-12);
  EXPECT_NEAR(d.t, -2.828427, 1e-6);
  EXPECT_NEAR(d.p, 0.030020, 1e-6);
  EXPECT_NEAR(d.ci95.low, -0.2 - 2.447 * std::sqrt(0.005), 1e-4);
  // A group of one flock has no spread: a difference, but no t, p or interval.
  const MeanDifference one = welchDifference({1, 1.5, NAN}, {4, 1.7, 0.1});
  EXPECT_NEAR(one.difference, -0.2, 1e-12);
  EXPECT_TRUE(std::isnan(one.p));
  EXPECT_TRUE(std::isnan(one.ci95.low));
  // Welch's degrees of freedom: equal groups give the pooled df, too few values none.
  EXPECT_NEAR(welchDf({10, 5.0, 1.0}, {10, 6.0, 1.0}), 18.0, 1e-12);
  // Variances of the means 0.0025 and 0.01, one degree of freedom each.
  EXPECT_NEAR(welchDf({2, 1.45, std::sqrt(0.005)}, {2, 1.9, std::sqrt(0.02)}), 0.0125 * 0.0125 / 0.00010625, 1e-9);
  EXPECT_TRUE(std::isnan(welchDf({1, 5.0, 0.0}, {10, 6.0, 1.0})));
  EXPECT_TRUE(std::isnan(welchDf({5, 5.0, 0.0}, {5, 6.0, 0.0})));
}

}  // namespace
}  // namespace plumetra

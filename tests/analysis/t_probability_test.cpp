#include "analysis/t_probability.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

TEST(TwoSidedP, MatchesClosedFormsAndTheTables) {
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
}

TEST(TwoSidedP, IsUnknownWithoutAUsableTOrDf) {
  EXPECT_TRUE(std::isnan(twoSidedP(std::nan(""), 10.0)));
  EXPECT_TRUE(std::isnan(twoSidedP(2.0, 0.0)));
  EXPECT_TRUE(std::isnan(twoSidedP(2.0, std::nan(""))));
}

TEST(WelchDf, EqualGroupsGiveThePooledDfAndTooFewValuesNone) {
  EXPECT_NEAR(welchDf({10, 5.0, 1.0}, {10, 6.0, 1.0}), 18.0, 1e-12);
  // Variances of the means 0.0025 and 0.01, one degree of freedom each.
  EXPECT_NEAR(welchDf({2, 1.45, std::sqrt(0.005)}, {2, 1.9, std::sqrt(0.02)}), 0.0125 * 0.0125 / 0.00010625, 1e-9);
  EXPECT_TRUE(std::isnan(welchDf({1, 5.0, 0.0}, {10, 6.0, 1.0})));
  EXPECT_TRUE(std::isnan(welchDf({5, 5.0, 0.0}, {5, 6.0, 0.0})));
}

}  // namespace
}  // namespace plumetra

// Model-fit statistics against sums worked out by hand.

#include "analysis/model_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

TEST(ModelFit, BiasMapeAndRSquare) {
  // recorded 2.0, 2.5, 3.0; predicted 2.1, 2.4, 3.3 (the NaN pair is left out).
  // bias = (0.1 - 0.1 + 0.3) / 3 = 0.1; MAPE = (0.1/2 + 0.1/2.5 + 0.3/3) / 3 x 100 = (0.05 + 0.04 + 0.1) / 3
  // x 100 = 6.333333; R2 = 1 - (0.01 + 0.01 + 0.09) / (0.25 + 0 + 0.25) = 1 - 0.22 = 0.78.
  const std::vector<double> recorded{2.0, 2.5, NAN, 3.0};
  const std::vector<double> predicted{2.1, 2.4, 2.7, 3.3};
  const FitStatistics s = fitStatistics(recorded, predicted);
  EXPECT_EQ(s.n, 3);
  EXPECT_NEAR(s.bias, 0.1, 1e-12);
  EXPECT_NEAR(s.mape, 6.333333333, 1e-8);
  EXPECT_NEAR(s.rSquare, 0.78, 1e-12);
}

TEST(ModelFit, EdgeCases) {
  // Predictions worse than the recorded mean give a negative R2: recorded 1, 3 (mean 2, total 2),
  // predicted 3, 1 (residual 4 + 4 = 8): 1 - 8/2 = -3.
  const std::vector<double> r{1, 3}, p{3, 1};
  EXPECT_DOUBLE_EQ(fitStatistics(r, p).rSquare, -3.0);
  // No spread in the recorded values: no R2; a recorded 0 stays out of MAPE only.
  const std::vector<double> flat{0, 0}, near{0.1, -0.1};
  const FitStatistics s = fitStatistics(flat, near);
  EXPECT_FALSE(std::isfinite(s.rSquare));
  EXPECT_FALSE(std::isfinite(s.mape));
  EXPECT_NEAR(s.bias, 0.0, 1e-15);
  EXPECT_EQ(fitStatistics({}, {}).n, 0);
}

}  // namespace
}  // namespace plumetra

// Model-fit statistics against sums worked out by hand, and the folds of the cross-validation;
// that each fold's predictions are those of its stored set is checked on the example by the
// command line's tests (validate against fit).

#include "analysis/cross_validation.h"
#include "analysis/model_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "controls/batch_dialogs.h"

namespace plumetra {
namespace {

TEST(ModelFit, BiasMapeAndRSquareAndTheirEdgeCases) {
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

  // Predictions worse than the recorded mean give a negative R2: recorded 1, 3 (mean 2, total 2),
  // predicted 3, 1 (residual 4 + 4 = 8): 1 - 8/2 = -3.
  const std::vector<double> r{1, 3}, p{3, 1};
  EXPECT_DOUBLE_EQ(fitStatistics(r, p).rSquare, -3.0);
  // No spread in the recorded values: no R2; a recorded 0 stays out of MAPE only.
  const std::vector<double> flat{0, 0}, near{0.1, -0.1};
  const FitStatistics flatFit = fitStatistics(flat, near);
  EXPECT_FALSE(std::isfinite(flatFit.rSquare));
  EXPECT_FALSE(std::isfinite(flatFit.mape));
  EXPECT_EQ(fitStatistics({}, {}).n, 0);
}

TEST(AssignFolds, EveryFlockInOneFoldOfNearlyEqualSizeAndTheSameForTheSameSeed) {
  const std::vector<int> folds = assignFolds(10, 3, 1);
  ASSERT_EQ(folds.size(), 10u);
  // Dealt in turn: 10 flocks into 3 folds are 4, 3 and 3.
  EXPECT_EQ(std::count(folds.begin(), folds.end(), 1), 4);
  EXPECT_EQ(std::count(folds.begin(), folds.end(), 2), 3);
  EXPECT_EQ(std::count(folds.begin(), folds.end(), 3), 3);
  EXPECT_EQ(assignFolds(10, 3, 1), folds);
  // Another seed shuffles otherwise (for these seeds; any two could in principle agree).
  EXPECT_NE(assignFolds(216, 5, 2), assignFolds(216, 5, 1));
}

TEST(CrossValidate, RefusesWithoutPredictionsOrWithTooFewFlocks) {
  auto ws = std::make_unique<Workspace>();
  auto model = std::make_unique<ModelState>();
  std::ostringstream told;
  BatchDialogs silent(told);
  SplitFlocks split;
  split.flocks.resize(3);
  split.sizes = {0, 1, 1, 1};
  EXPECT_NE(crossValidate(*ws, *model, split, {}, silent).problem.find("did not run"), std::string::npos);
  for (SplitFlock& f : split.flocks) f.predicted = FlockPredicted{2.5, 40, 1.6};
  EXPECT_NE(crossValidate(*ws, *model, split, {5, 1, {}}, silent).problem.find("5 folds"), std::string::npos);
}

}  // namespace
}  // namespace plumetra

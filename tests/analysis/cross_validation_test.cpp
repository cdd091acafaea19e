// The folds of the cross-validation; that each fold's predictions are those of its stored set
// is checked on the example by the command line's tests (validate against fit).

#include "analysis/cross_validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "controls/batch_dialogs.h"

namespace plumetra {
namespace {

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

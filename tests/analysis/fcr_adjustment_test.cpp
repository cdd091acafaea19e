// The adjusted feed conversion: the data's slope with its standard error and interval, the
// adjusted groups and the sentence that answers whether they still differ, worked by hand.

#include "analysis/fcr_adjustment.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace plumetra {
namespace {

// Six flocks, two per group, on the line FCR = 0.9 + 0.3 x weight, each off it by +0.01 or
// -0.01 in turn: weights 2.0 2.1 | 2.4 2.5 | 2.8 2.9, FCR 1.51 1.52 | 1.63 1.64 | 1.75 1.76.
SplitFlocks sixFlocks() {
  SplitFlocks split;
  constexpr std::array<double, 6> weights{2.0, 2.1, 2.4, 2.5, 2.8, 2.9};
  for (int i = 0; i < 6; ++i) {
    SplitFlock f;
    f.flock = i + 1;
    f.group = i / 2 + 1;
    f.liveWeight = weights[static_cast<std::size_t>(i)];
    f.feedConversion = 0.9 + 0.3 * f.liveWeight + (i % 2 == 0 ? 0.01 : -0.01);
    split.flocks.push_back(f);
  }
  split.sizes = {0, 2, 2, 2};
  return split;
}

TEST(RegressionSlope, FiveFlocksWorkedByHandAndNoneFromTooFew) {
  // Weights 2.0 .. 2.8 by 0.2, FCR 1.50 1.58 1.60 1.70 1.72: Sxy 0.112, Sxx 0.4 -> slope 0.28,
  // intercept 0.948; residuals -0.008 0.016 -0.020 0.024 -0.012 sum to squares 0.00144, so
  // SE = sqrt(0.00144 / 3 / 0.4) = 0.0346410; t(0.975, 3) = 3.182 (printed tables).
  const std::array<double, 5> weights{2.0, 2.2, 2.4, 2.6, 2.8};
  const std::array<double, 5> fcrs{1.50, 1.58, 1.60, 1.70, 1.72};
  const auto s = regressionSlope(weights, fcrs);
  ASSERT_TRUE(s);
  EXPECT_NEAR(s->slope, 0.28, 1e-12);
  EXPECT_NEAR(s->ci95.low, 0.28 - 3.182 * std::sqrt(0.0012), 2e-5);
  EXPECT_EQ(s->flocks, 5);
  EXPECT_EQ(s->source, SlopeSource::Data);
  // Unknown values are left out (two usable pairs are too few), and equal weights give no slope.
  EXPECT_FALSE(regressionSlope(std::array<double, 5>{2.0, 0.0, 2.4, NAN, 2.8},
                               std::array<double, 5>{1.50, 1.58, 1.60, 1.70, -1}));
  EXPECT_FALSE(regressionSlope(std::array<double, 3>{2.5, 2.5, 2.5}, std::array<double, 3>{1.5, 1.6, 1.7}));
}

TEST(FcrAdjustment, ChosenSlopeWinsTooFewFlocksFallBackToTheRuleAndAdjustedComparisonsWorkedByHand) {
  const SplitFlocks split = sixFlocks();
  const FcrAdjustment chosen = fcrAdjustmentOf(split, 2.0, 0.3675);
  EXPECT_EQ(chosen.slope.source, SlopeSource::Chosen);
  // 1.76 + (2.0 - 2.9) x 0.3675 = 1.42925.
  EXPECT_NEAR(chosen.adjusted(1.76, 2.9), 1.42925, 1e-12);
  EXPECT_TRUE(std::isnan(chosen.adjusted(1.76, 0.0)));

  SplitFlocks two = split;
  two.flocks.resize(2);
  const FcrAdjustment rule = fcrAdjustmentOf(two, std::nullopt, std::nullopt);
  EXPECT_EQ(rule.slope.source, SlopeSource::Rule);
  EXPECT_DOUBLE_EQ(rule.slope.slope, 2.205 / 6.0);
  EXPECT_DOUBLE_EQ(rule.standardWeight, 2.05);

  // Mean weight 2.45; the deviations' cross-products with the weights sum to -0.003 and
  // Sxx = 0.655, so the slope is 0.3 - 0.003 / 0.655 = 0.29541985. Adjusted, each flock is
  // 1.635 + 0.00458015 x (weight - 2.45) +/- 0.01: Low 1.64293893, 1.62339695; High
  // 1.64660305, 1.62706107; difference -0.00366412, SE 0.0138182, t -0.26517, 2 df, p 0.816
  // (the density integrated numerically).
  const AdjustedComparison c = compareAdjustedFcr(split, fcrAdjustmentOf(split, std::nullopt, std::nullopt));
  EXPECT_NEAR(c.adjustment.standardWeight, 2.45, 1e-12);
  EXPECT_NEAR(c.adjustment.slope.slope, 0.29541985, 1e-8);
  EXPECT_NEAR(c.adjusted.groups[1].mean, 1.63316794, 1e-8);
  EXPECT_NEAR(c.adjustedLowHigh.difference, -0.00366412, 1e-8);
  EXPECT_NEAR(c.adjustedLowHigh.t, -0.26517, 1e-4);
  EXPECT_NEAR(c.adjustedLowHigh.p, 0.8157, 1e-3);
  // Raw: Low 1.515, High 1.755, SD 0.00707107 each: t = -0.24 / 0.00707107 = -33.941.
  EXPECT_NEAR(c.rawLowHigh.t, -33.941125, 1e-5);
  EXPECT_EQ(adjustedVerdict(c), "Adjusted to 2.45 kg, the groups do not differ: the split mostly reflects weight and age");

  // Slope 0.15: Low 1.5775, 1.5725; High 1.6975, 1.6925; difference -0.12 of the raw -0.24.
  const AdjustedComparison half = compareAdjustedFcr(split, fcrAdjustmentOf(split, std::nullopt, 0.15));
  EXPECT_EQ(adjustedVerdict(half),
            "Adjusted to 2.45 kg, the groups still differ (p < 0.001): Low's FCR is 0.120 below High's; weight "
            "explains 50 % of the raw difference");
  // A slope so steep that the order turns: 0.6 gives Low 1.78, 1.73 and High 1.54, 1.49;
  // t = 0.24 / 0.0353553 = 6.788 on 2 df, p 0.021.
  const AdjustedComparison turned = compareAdjustedFcr(split, fcrAdjustmentOf(split, std::nullopt, 0.6));
  EXPECT_EQ(adjustedVerdict(turned),
            "Adjusted to 2.45 kg, Low converts worse than High by 0.240 (p = 0.021): the split reflects weight and "
            "age, not better conversion");

  // Groups of one flock cannot be compared.
  SplitFlocks single = split;
  single.flocks = {split.flocks[0], split.flocks[2], split.flocks[4]};
  single.sizes = {0, 1, 1, 1};
  const AdjustedComparison none = compareAdjustedFcr(single, fcrAdjustmentOf(single, std::nullopt, std::nullopt));
  EXPECT_NE(adjustedVerdict(none).find("cannot be compared"), std::string::npos);
}

}  // namespace
}  // namespace plumetra

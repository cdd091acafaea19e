#pragma once
// Feed conversion adjusted to a standard live weight, and whether the feed-conversion groups
// still differ once adjusted. Heavier, older birds convert worse and the split sorts by raw
// feed conversion, so its groups differ by construction; the adjusted comparison tells how
// much of that difference is weight.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/group_comparison.h"
#include "analysis/t_probability.h"
#include "workspace/split_flock.h"

namespace plumetra {

// Feed conversion falls by one sixth per pound of extra live weight: the rule the flock
// table's expected feed conversion uses, and the slope when the data cannot give one.
inline constexpr double AdjustmentPerKg = 2.205 / 6.0;

enum class SlopeSource {
  Data,    // the regression of FCR on live weight across the flocks
  Chosen,  // given by the user
  Rule,    // AdjustmentPerKg, for want of flocks to estimate a slope from
};

struct FcrSlope {
  double slope = AdjustmentPerKg;  // FCR per kg live weight
  double standardError = 0;        // of a regression's slope; not finite otherwise
  Interval ci95{};                 // 95 %, from t with flocks - 2 degrees of freedom
  int flocks = 0;                  // flocks of the regression
  SlopeSource source = SlopeSource::Rule;
};

// Least squares of FCR on live weight over the pairs where both are known (finite and above
// 0); none for fewer than three such flocks or when their weights are all the same.
std::optional<FcrSlope> regressionSlope(std::span<const double> weights, std::span<const double> fcrs);

struct FcrAdjustment {
  double standardWeight = 0;  // kg
  FcrSlope slope{};
  // FCR + (standard weight - live weight) x slope; not finite without a weight or an FCR.
  double adjusted(double fcr, double liveWeight) const;
};

// The standard weight defaults to the flocks' mean live weight; the slope is `chosenSlope`
// when given, else the data's regression, else the fixed rule.
FcrAdjustment fcrAdjustmentOf(const SplitFlocks& split, std::optional<double> standardWeight,
                              std::optional<double> chosenSlope);

// Raw and adjusted FCR by group, and the Low-High difference of each.
struct AdjustedComparison {
  FcrAdjustment adjustment;
  GroupComparison raw, adjusted;
  MeanDifference rawLowHigh, adjustedLowHigh;
};
AdjustedComparison compareAdjustedFcr(const SplitFlocks& split, const FcrAdjustment& adjustment);

// The answer in one sentence: "Adjusted to 2.53 kg, the groups do not differ: the split mostly
// reflects weight and age", or how much they still differ.
std::string adjustedVerdict(const AdjustedComparison& c);

// The slope with its interval, the raw and adjusted Low-High differences, and the verdict.
std::vector<std::string> adjustedComparisonLines(const AdjustedComparison& c);

}  // namespace plumetra

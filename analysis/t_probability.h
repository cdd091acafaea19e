#pragma once
// Student's t distribution for p-values and confidence intervals beside the t values: the split
// tables give only the 0.10 and 0.05 levels, a spreadsheet or R user wants the number. The
// distribution functions are Boost.Math's.

#include <string>

#include "analysis/group_comparison.h"

namespace plumetra {

// P(|T| >= |t|) for T with `df` degrees of freedom (df > 0, not necessarily whole). Not finite
// when t or df is not usable.
double twoSidedP(double t, double df);

// The level below which a p-value says two groups differ.
inline constexpr double SignificanceLevel = 0.05;

// The t value that a two-sided 95 % interval spans on either side, t(0.975, df); not finite
// when df is not usable.
double tCritical95(double df);

// The Welch-Satterthwaite degrees of freedom of welchT(a, b); not finite where welchT is not.
double welchDf(const Moments& a, const Moments& b);

// A mean's two-sided 95 % interval from its moments, mean -/+ t(0.975, n-1) sd / sqrt(n); not
// finite for fewer than two values.
struct Interval {
  double low = 0, high = 0;
};
Interval meanInterval95(const Moments& m);

// a.mean - b.mean with Welch's standard error, t, degrees of freedom, two-sided p and 95 %
// interval; all but the difference are not finite where welchT is not.
struct MeanDifference {
  double difference = 0, standardError = 0, t = 0, df = 0, p = 0;
  Interval ci95{};
};
MeanDifference welchDifference(const Moments& a, const Moments& b);

// "p = 0.034", "p < 0.001"; "p -" when unknown.
std::string pText(double p);

}  // namespace plumetra

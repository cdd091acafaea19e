#pragma once
// The two-sided probability of Student's t, for p-values beside the t values: the split tables
// give only the 0.10 and 0.05 levels, a spreadsheet or R user wants the number.

#include "analysis/group_comparison.h"

namespace plumetra {

// P(|T| >= |t|) for T with `df` degrees of freedom (df > 0, not necessarily whole):
// I_x(df/2, 1/2) with x = df / (df + t^2). Not finite when t or df is not usable.
double twoSidedP(double t, double df);

// The Welch-Satterthwaite degrees of freedom of welchT(a, b); not finite where welchT is not.
double welchDf(const Moments& a, const Moments& b);

}  // namespace plumetra

#pragma once
// Simplex minimiser without derivatives (Nelder and Mead), in the Applied Statistics
// AS 47 form: convergence checked every `konvge` iterations on the spread of the simplex
// values, a factorial test around the result, and a restart from it when the test finds
// a lower point.
//
// Vectors are 0-based: x[0] is the first variable. The simplex holds points 0..n; point n
// is the start point and point j (j < n) the start moved along coordinate j.

#include <functional>
#include <vector>

namespace plumetra {

inline constexpr int MaxNelderMeadVars = 20;
inline constexpr double Reflection = 1.0;
inline constexpr double Expansion = 2.0;
inline constexpr double Contraction = 0.5;
inline constexpr double Shrink = 0.5;
inline constexpr double FirstSimplexScale = 2.0;    // del of the first simplex
inline constexpr double RestartSimplexScale = 1.0;  // del of every restart
inline constexpr double FactorialOffset = 1.0;      // test offset as a multiple of the step

enum class NelderMeadFault {
  None = 0,          // converged and passed the factorial test
  BadInput = 1,      // reqmin <= 0, n outside 1..20, konvge < 1, or vectors of the wrong size
  NotConverged = 2,  // evaluation limit passed
};

struct NelderMeadResult {
  std::vector<double> xmin;  // best point found
  double ynewlo = 0;         // objective at xmin
  long icount = 0;           // evaluations made
  int numres = 0;            // restarts made
  NelderMeadFault ifault = NelderMeadFault::None;
};

using NelderMeadObjective = std::function<double(const std::vector<double>& x)>;

// Minimises f from `start` (n = start.size()); `start` is overwritten by the restart points.
// step[i] sizes the simplex along coordinate i; the iteration ends when the sum of squared
// deviations of the n + 1 simplex values is at most reqmin x n; kcount caps the
// evaluations. Bad input returns BadInput without any evaluation.
NelderMeadResult nelderMead(std::vector<double>& start, const std::vector<double>& step, double reqmin,
                            int konvge, long kcount, const NelderMeadObjective& f);

}  // namespace plumetra

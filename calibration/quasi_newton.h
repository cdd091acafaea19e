#pragma once
// One pass of a quasi-Newton minimiser with simple bounds. The pass keeps the Hessian
// approximation (not its inverse) as L·D·Lᵀ factors packed in one vector, takes
// forward-difference gradients, cuts a failed step by four, and applies the BFGS update
// as two rank-one modifications of the factors. Callers restart passes as they see fit.
//
// Vectors here are 0-based (x[0] is the first variable); the packed factor positions
// keep the classic 1-based formula, see PackedFactors::position.

#include <functional>
#include <vector>

namespace plumetra {

inline constexpr int MaxQuasiNewtonVars = 20;
inline constexpr double PivotFloor = 1e-6;
inline constexpr double GradientStepFloor = 1e-6;
inline constexpr double GradientStepFraction = 1.0 / 1000.0;
inline constexpr int MaxStepCuts = 50;
inline constexpr double StepCut = 4.0;
inline constexpr int MaxPassIterations = 500;
inline constexpr double PassTolerance = 1e-14;

// The factors L (unit lower triangular) and D (diagonal) of an n x n matrix, packed as
// the upper triangle row by row: slot (i, i) holds Di and slot (i, j), i < j, holds Lji.
class PackedFactors {
 public:
  explicit PackedFactors(int n);

  int size() const { return n_; }
  // 1-based position of element (i, j), 1 <= i <= j <= n.
  static int position(int n, int i, int j) { return (i - 1) * n - (i - 1) * (i - 2) / 2 + (j - i + 1); }
  // Element (i, j) of the packed upper triangle, 1-based, i <= j.
  double& at(int i, int j) { return packed_[static_cast<size_t>(position(n_, i, j) - 1)]; }
  double at(int i, int j) const { return packed_[static_cast<size_t>(position(n_, i, j) - 1)]; }
  // Lij for i > j (1-based), and Di.
  double L(int i, int j) const { return at(j, i); }
  double D(int i) const { return at(i, i); }
  const std::vector<double>& packed() const { return packed_; }

  // Root-free Cholesky of the symmetric matrix whose upper triangle the vector holds;
  // a pivot that is zero or negative is replaced by the pivot floor.
  void factorise();

 private:
  int n_;
  std::vector<double> packed_;  // n(n+1)/2 entries
};

// Solves (L·D·Lᵀ) d = b in place.
void factorSolve(const PackedFactors& factors, std::vector<double>& b);
// Replaces the factors of A by those of A + sigma·z·zᵀ. When a new diagonal element would
// be zero or negative, the update stops there (earlier diagonal elements keep their new
// values, L stays unchanged).
void factorUpdate(PackedFactors& factors, double sigma, std::vector<double> z);
// xi <= lower gives lower; xi >= upper gives upper.
void clampToBounds(std::vector<double>& x, const std::vector<double>& lower, const std::vector<double>& upper);

struct QuasiNewtonObjective {
  // f at x.
  std::function<double(const std::vector<double>& x)> value;
  // Optional: f at several points, in order, giving exactly what as many calls of value()
  // in that order would give (a caller may evaluate them in parallel).
  std::function<std::vector<double>(const std::vector<std::vector<double>>& points)> values;
  // Optional: the caller's stop condition, tested after each line-search evaluation.
  std::function<bool()> stop;
};

// Forward-difference gradient at x with f0 = f(x): step |xi| / 1000, at least 1e-6.
// The points are not clamped; x is left exactly as it was.
std::vector<double> forwardGradient(std::vector<double>& x, double f0, const QuasiNewtonObjective& f,
                                    long& evaluations);

enum class PassEnd {
  Converged,       // change of f and of every step below the tolerance
  StepCutsFailed,  // no decrease within the step cuts; x is back at the iteration's start
  IterationLimit,  // the iteration cap was reached
  Stopped,         // the caller's stop condition held
};

struct PassResult {
  PassEnd end = PassEnd::Converged;
  double value = 0;  // f at the returned x (or the last trial when stopped)
  int iterations = 0;
};

// One pass from x (clamped first); x holds the final point on return. Every evaluation
// is added to `evaluations`.
PassResult quasiNewtonPass(std::vector<double>& x, const std::vector<double>& lower,
                           const std::vector<double>& upper, const QuasiNewtonObjective& f,
                           long& evaluations);

}  // namespace plumetra

#include "calibration/quasi_newton.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace plumetra {

namespace {

double dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

}  // namespace

PackedFactors::PackedFactors(int n) : n_(n), packed_(static_cast<size_t>(n * (n + 1) / 2), 0.0) {
  for (int i = 1; i <= n; ++i) at(i, i) = 1.0;
  factorise();
}

void PackedFactors::factorise() {
  for (int k = 1; k <= n_; ++k) {
    double& pivot = at(k, k);
    if (pivot <= 0) pivot = PivotFloor;
    for (int j = k + 1; j <= n_; ++j) at(k, j) /= pivot;
    // Reduce the trailing part: a(i, j) -= L(i, k) * D(k) * L(j, k).
    for (int i = k + 1; i <= n_; ++i)
      for (int j = i; j <= n_; ++j) at(i, j) -= at(k, i) * at(k, j) * pivot;
  }
}

void factorSolve(const PackedFactors& factors, std::vector<double>& b) {
  const int n = factors.size();
  for (int i = 1; i <= n; ++i) {
    double sum = b[i - 1];
    for (int j = 1; j < i; ++j) sum -= factors.L(i, j) * b[j - 1];
    b[i - 1] = sum;
  }
  for (int i = 1; i <= n; ++i) b[i - 1] /= factors.D(i);
  for (int i = n - 1; i >= 1; --i) {
    double sum = b[i - 1];
    for (int j = i + 1; j <= n; ++j) sum -= factors.L(j, i) * b[j - 1];
    b[i - 1] = sum;
  }
}

void factorUpdate(PackedFactors& factors, double sigma, std::vector<double> z) {
  const int n = factors.size();
  // L·w = z by forward substitution.
  std::vector<double> w(z);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j < i; ++j) w[i - 1] -= factors.L(i, j) * w[j - 1];

  std::vector<double> beta(static_cast<size_t>(n), 0.0);
  for (int j = 1; j <= n; ++j) {
    const double wj = w[j - 1];
    const double dbar = factors.D(j) + sigma * wj * wj;
    if (dbar <= 0) return;  // abandoned where it stands
    beta[j - 1] = sigma * wj / dbar;
    sigma -= beta[j - 1] * beta[j - 1] * dbar;
    factors.at(j, j) = dbar;
  }
  for (int j = 1; j < n; ++j) {
    for (int r = j + 1; r <= n; ++r) {
      double& lrj = factors.at(j, r);
      z[r - 1] -= lrj * w[j - 1];
      lrj += beta[j - 1] * z[r - 1];
    }
  }
}

void clampToBounds(std::vector<double>& x, const std::vector<double>& lower, const std::vector<double>& upper) {
  for (size_t i = 0; i < x.size(); ++i) {
    if (x[i] <= lower[i]) x[i] = lower[i];
    if (x[i] >= upper[i]) x[i] = upper[i];
  }
}

std::vector<double> forwardGradient(std::vector<double>& x, double f0, const QuasiNewtonObjective& f,
                                    long& evaluations) {
  const size_t n = x.size();
  std::vector<double> steps(n);
  for (size_t i = 0; i < n; ++i) steps[i] = std::max(std::fabs(x[i]) * GradientStepFraction, GradientStepFloor);

  std::vector<double> values;
  if (f.values) {
    std::vector<std::vector<double>> points(n, x);
    for (size_t i = 0; i < n; ++i) points[i][i] = x[i] + steps[i];
    values = f.values(points);
  } else {
    values.resize(n);
    for (size_t i = 0; i < n; ++i) {
      const double saved = x[i];
      x[i] = saved + steps[i];
      values[i] = f.value(x);
      x[i] = saved;  // back to the saved value, not x + h - h
    }
  }
  evaluations += static_cast<long>(n);

  std::vector<double> g(n);
  for (size_t i = 0; i < n; ++i) g[i] = (values[i] - f0) / steps[i];
  return g;
}

PassResult quasiNewtonPass(std::vector<double>& x, const std::vector<double>& lower,
                           const std::vector<double>& upper, const QuasiNewtonObjective& f,
                           long& evaluations) {
  const size_t n = x.size();
  PackedFactors factors(static_cast<int>(n));
  PassResult result;

  clampToBounds(x, lower, upper);
  double fPrev = f.value(x);
  ++evaluations;
  std::vector<double> g = forwardGradient(x, fPrev, f, evaluations);

  std::vector<double> d(n), xOld(n), gOld(n), y(n);
  for (int it = 1;; ++it) {
    result.iterations = it;
    for (size_t i = 0; i < n; ++i) d[i] = -g[i];
    factorSolve(factors, d);
    const double slope = dot(d, g);
    xOld = x;
    gOld = g;

    // Line search: accept the first trial below f_prev, cutting the step by four.
    double t = 1.0;
    double fNew = 0;
    for (int tries = 0;;) {
      for (size_t i = 0; i < n; ++i) x[i] = xOld[i] + t * d[i];
      clampToBounds(x, lower, upper);
      fNew = f.value(x);
      ++evaluations;
      if (f.stop && f.stop()) {
        result.end = PassEnd::Stopped;
        result.value = fNew;
        return result;
      }
      if (fNew < fPrev) break;
      if (++tries >= MaxStepCuts) {
        x = xOld;
        result.end = PassEnd::StepCutsFailed;
        result.value = fPrev;
        return result;
      }
      t /= StepCut;
    }
    result.value = fNew;
    if (it >= MaxPassIterations) {
      result.end = PassEnd::IterationLimit;
      return result;
    }
    bool converged = std::fabs(fPrev - fNew) / (std::fabs(fNew) + 1) <= PassTolerance;
    for (size_t i = 0; converged && i < n; ++i)
      converged = std::fabs(t * d[i]) / (std::fabs(x[i]) + 1) <= PassTolerance;
    if (converged) {
      result.end = PassEnd::Converged;
      return result;
    }
    fPrev = fNew;

    g = forwardGradient(x, fNew, f, evaluations);
    for (size_t i = 0; i < n; ++i) y[i] = g[i] - gOld[i];
    const double dy = dot(d, y);
    if (dy <= 0) continue;  // no curvature information: keep the factors
    factorUpdate(factors, 1.0 / (t * dy), y);
    factorUpdate(factors, 1.0 / slope, gOld);
  }
}

}  // namespace plumetra

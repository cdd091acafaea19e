#include "analysis/t_probability.h"

#include <cmath>
#include <limits>

namespace plumetra {

namespace {

constexpr double NotKnown = std::numeric_limits<double>::quiet_NaN();

// The continued fraction of the regularized incomplete beta function (modified Lentz), good
// for x < (a + 1) / (a + b + 2).
double betaFraction(double a, double b, double x) {
  constexpr double tiny = 1e-300;
  constexpr double epsilon = 1e-15;
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  d = 1.0 / (std::fabs(d) < tiny ? tiny : d);
  double h = d;
  for (int m = 1; m <= 300; ++m) {
    const double m2 = 2.0 * m;
    for (const double step : {m * (b - m) * x / ((a + m2 - 1.0) * (a + m2)),
                              -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0))}) {
      d = 1.0 + step * d;
      d = 1.0 / (std::fabs(d) < tiny ? tiny : d);
      c = 1.0 + step / c;
      if (std::fabs(c) < tiny) c = tiny;
      h *= d * c;
      if (step < 0 && std::fabs(d * c - 1.0) < epsilon) return h;
    }
  }
  return h;
}

// I_x(a, b), the regularized incomplete beta function, for 0 <= x <= 1.
double incompleteBeta(double a, double b, double x) {
  if (x <= 0.0) return 0.0;
  if (x >= 1.0) return 1.0;
  const double front =
      std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * betaFraction(a, b, x) / a;
  return 1.0 - front * betaFraction(b, a, 1.0 - x) / b;
}

}  // namespace

double twoSidedP(double t, double df) {
  if (!std::isfinite(t) || !(df > 0) || !std::isfinite(df)) return NotKnown;
  return incompleteBeta(df / 2.0, 0.5, df / (df + t * t));
}

double welchDf(const Moments& a, const Moments& b) {
  if (a.n < 2 || b.n < 2) return NotKnown;
  const double va = a.sd * a.sd / a.n;
  const double vb = b.sd * b.sd / b.n;
  const double denominator = va * va / (a.n - 1) + vb * vb / (b.n - 1);
  if (!(denominator > 0)) return NotKnown;
  return (va + vb) * (va + vb) / denominator;
}

}  // namespace plumetra

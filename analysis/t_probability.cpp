#include "analysis/t_probability.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>

#include "workspace/not_known.h"
#include "controls/fixed_text.h"

namespace plumetra {

namespace {


// Bad arguments are caught before Boost sees them; whatever slips through gives NaN, never an
// exception.
using Quiet = boost::math::policies::policy<boost::math::policies::domain_error<boost::math::policies::ignore_error>,
                                            boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
                                            boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;
using StudentsT = boost::math::students_t_distribution<double, Quiet>;

bool usableDf(double df) { return df > 0 && std::isfinite(df); }

}  // namespace

double twoSidedP(double t, double df) {
  if (!std::isfinite(t) || !usableDf(df)) return NotKnown;
  return 2.0 * boost::math::cdf(boost::math::complement(StudentsT(df), std::fabs(t)));
}

double tCritical95(double df) {
  if (!usableDf(df)) return NotKnown;
  return boost::math::quantile(boost::math::complement(StudentsT(df), 0.025));
}

double welchDf(const Moments& a, const Moments& b) {
  if (a.n < 2 || b.n < 2) return NotKnown;
  const double va = a.sd * a.sd / a.n;
  const double vb = b.sd * b.sd / b.n;
  const double denominator = va * va / (a.n - 1) + vb * vb / (b.n - 1);
  if (!(denominator > 0)) return NotKnown;
  return (va + vb) * (va + vb) / denominator;
}

Interval meanInterval95(const Moments& m) {
  if (m.n < 2) return {NotKnown, NotKnown};
  const double half = tCritical95(m.n - 1) * m.sd / std::sqrt(static_cast<double>(m.n));
  return {m.mean - half, m.mean + half};
}

MeanDifference welchDifference(const Moments& a, const Moments& b) {
  MeanDifference d;
  d.difference = a.mean - b.mean;
  d.t = welchT(a, b);
  d.df = std::isfinite(d.t) ? welchDf(a, b) : NotKnown;
  d.standardError = std::isfinite(d.t) ? std::sqrt(a.sd * a.sd / a.n + b.sd * b.sd / b.n) : NotKnown;
  d.p = twoSidedP(d.t, d.df);
  const double half = tCritical95(d.df) * d.standardError;
  d.ci95 = {d.difference - half, d.difference + half};
  return d;
}

std::string pText(double p) {
  if (!std::isfinite(p)) return "p -";
  if (p < 0.001) return "p < 0.001";
  return "p = " + fixedText(p, 3);
}

}  // namespace plumetra

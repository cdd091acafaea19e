#include "calibration/nelder_mead.h"

#include <cstddef>

namespace plumetra {

namespace {

using Point = std::vector<double>;

// The simplex and its bookkeeping; every evaluation goes through evaluate().
class Simplex {
 public:
  Simplex(size_t n, const NelderMeadObjective& f, long& icount)
      : n_(n), points_(n + 1, Point(n)), values_(n + 1), f_(f), icount_(icount) {}

  double evaluate(const Point& x) {
    ++icount_;
    return f_(x);
  }

  // Point n is the start, point j the start moved by del x step[j] along coordinate j.
  void build(const Point& start, const Point& step, double del) {
    points_[n_] = start;
    values_[n_] = evaluate(start);
    for (size_t j = 0; j < n_; ++j) {
      points_[j] = start;
      points_[j][j] += del * step[j];
      values_[j] = evaluate(points_[j]);
    }
    findLowest();
  }

  void findLowest() {
    ilo_ = 0;
    for (size_t i = 1; i <= n_; ++i)
      if (values_[i] < values_[ilo_]) ilo_ = i;
  }

  // One iteration. Returns false after a shrink (the convergence count is skipped then).
  bool iterate() {
    size_t ihi = 0;
    for (size_t i = 1; i <= n_; ++i)
      if (values_[ihi] < values_[i]) ihi = i;

    Point pbar(n_, 0.0);
    for (size_t j = 0; j <= n_; ++j)
      if (j != ihi)
        for (size_t i = 0; i < n_; ++i) pbar[i] += points_[j][i];
    for (double& c : pbar) c /= static_cast<double>(n_);

    const Point pstar = along(pbar, points_[ihi], -Reflection);
    const double ystar = evaluate(pstar);

    if (ystar < values_[ilo_]) {
      const Point p2star = along(pbar, pstar, Expansion);
      const double y2star = evaluate(p2star);
      if (ystar < y2star)
        replace(ihi, pstar, ystar);
      else
        replace(ihi, p2star, y2star);
    } else {
      int better = 0;  // points whose value is above the reflection's
      for (size_t i = 0; i <= n_; ++i)
        if (ystar < values_[i]) ++better;
      if (better > 1) {
        replace(ihi, pstar, ystar);
      } else if (better == 0) {
        const Point p2star = along(pbar, points_[ihi], Contraction);
        const double y2star = evaluate(p2star);
        if (values_[ihi] < y2star) {
          shrink();
          return false;
        }
        replace(ihi, p2star, y2star);
      } else {
        const Point p2star = along(pbar, pstar, Contraction);
        const double y2star = evaluate(p2star);
        if (y2star <= ystar)
          replace(ihi, p2star, y2star);
        else
          replace(ihi, pstar, ystar);
      }
    }
    if (values_[ihi] < values_[ilo_]) ilo_ = ihi;
    return true;
  }

  // Sum of squared deviations of the values from their mean.
  double spread() const {
    double mean = 0;
    for (double y : values_) mean += y;
    mean /= static_cast<double>(n_ + 1);
    double sum = 0;
    for (double y : values_) sum += (y - mean) * (y - mean);
    return sum;
  }

  const Point& best() const { return points_[ilo_]; }
  double bestValue() const { return values_[ilo_]; }

 private:
  // from + factor x (to - from).
  Point along(const Point& from, const Point& to, double factor) const {
    Point p(n_);
    for (size_t i = 0; i < n_; ++i) p[i] = from[i] + factor * (to[i] - from[i]);
    return p;
  }

  void replace(size_t index, const Point& p, double y) {
    points_[index] = p;
    values_[index] = y;
  }

  // Every point halfway towards the best one, all re-evaluated.
  void shrink() {
    const Point low = points_[ilo_];
    for (size_t j = 0; j <= n_; ++j) {
      for (size_t i = 0; i < n_; ++i) points_[j][i] = (points_[j][i] + low[i]) * Shrink;
      values_[j] = evaluate(points_[j]);
    }
    findLowest();
  }

  size_t n_;
  std::vector<Point> points_;
  std::vector<double> values_;
  size_t ilo_ = 0;
  const NelderMeadObjective& f_;
  long& icount_;
};

}  // namespace

NelderMeadResult nelderMead(std::vector<double>& start, const std::vector<double>& step, double reqmin,
                            int konvge, long kcount, const NelderMeadObjective& f) {
  NelderMeadResult result;
  const size_t n = start.size();
  if (reqmin <= 0 || n < 1 || n > static_cast<size_t>(MaxNelderMeadVars) || konvge < 1 ||
      step.size() != n) {
    result.ifault = NelderMeadFault::BadInput;
    return result;
  }

  int jcount = konvge;
  const double rq = reqmin * static_cast<double>(n);
  double del = FirstSimplexScale;
  Simplex simplex(n, f, result.icount);

  for (;;) {
    simplex.build(start, step, del);
    while (result.icount < kcount) {
      if (!simplex.iterate()) continue;
      if (--jcount > 0) continue;
      if (result.icount <= kcount) {
        jcount = konvge;
        if (simplex.spread() <= rq) break;
      }
    }

    result.xmin = simplex.best();
    result.ynewlo = simplex.bestValue();
    if (result.icount > kcount) {
      result.ifault = NelderMeadFault::NotConverged;
      return result;
    }

    // Factorial test: one step either way along each coordinate must not go lower.
    bool passed = true;
    for (size_t i = 0; i < n && passed; ++i) {
      const double centre = result.xmin[i];
      const double delta = FactorialOffset * step[i];
      for (double offset : {delta, -delta}) {
        result.xmin[i] = centre + offset;
        if (simplex.evaluate(result.xmin) < result.ynewlo) passed = false;
        if (!passed) break;
      }
      result.xmin[i] = centre;
    }
    if (passed) {
      result.ifault = NelderMeadFault::None;
      return result;
    }

    start = result.xmin;
    del = RestartSimplexScale;
    ++result.numres;
  }
}

}  // namespace plumetra

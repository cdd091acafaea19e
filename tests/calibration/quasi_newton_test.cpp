#include "calibration/quasi_newton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace plumetra;

namespace {

using Matrix = std::vector<std::vector<double>>;

// Packs the upper triangle of a symmetric matrix and factorises it.
PackedFactors factorsOf(const Matrix& a) {
  const int n = static_cast<int>(a.size());
  PackedFactors f(n);
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) f.at(i, j) = a[i - 1][j - 1];
  f.factorise();
  return f;
}

// L·D·Lᵀ formed from the factors.
Matrix product(const PackedFactors& f) {
  const int n = f.size();
  Matrix a(n, std::vector<double>(n, 0.0));
  auto l = [&](int i, int k) { return i == k ? 1.0 : (i > k ? f.L(i, k) : 0.0); };
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      for (int k = 1; k <= n; ++k) a[i - 1][j - 1] += l(i, k) * f.D(k) * l(j, k);
  return a;
}

const Matrix Spd = {{4, 1, 0.5}, {1, 3, -0.2}, {0.5, -0.2, 2}};

QuasiNewtonObjective objective(std::function<double(const std::vector<double>&)> f) {
  QuasiNewtonObjective o;
  o.value = std::move(f);
  return o;
}

// An objective that records every point it is asked about.
QuasiNewtonObjective recording(std::vector<std::vector<double>>& seen,
                               std::function<double(const std::vector<double>&)> f) {
  return objective([&seen, f](const std::vector<double>& x) {
    seen.push_back(x);
    return f(x);
  });
}

double rosenbrock(const std::vector<double>& x) {
  return 100 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]) + (1 - x[0]) * (1 - x[0]);
}

// Restarts passes until the value stops changing, as a caller does.
double minimise(std::vector<double>& x, const std::vector<double>& lo, const std::vector<double>& hi,
                const QuasiNewtonObjective& f) {
  long evaluations = 0;
  double previous = 1e300, value = 0;
  for (int r = 0; r < 50; ++r) {
    value = quasiNewtonPass(x, lo, hi, f, evaluations).value;
    if (std::fabs(previous - value) <= 1e-12) break;
    previous = value;
  }
  return value;
}

}  // namespace

TEST(PackedFactors, BadPivotsAreRaisedToTheFloor) {
  const PackedFactors bad = factorsOf({{-3, 0}, {0, 0}});
  EXPECT_DOUBLE_EQ(bad.D(1), PivotFloor);
  EXPECT_DOUBLE_EQ(bad.D(2), PivotFloor);
}

TEST(FactorUpdate, MatchesTheRankOneModificationFormedDirectly) {
  struct Case {
    double sigma;
    std::vector<double> z;
  };
  for (const Case& c : {Case{0.7, {1, 2, -1}}, Case{-0.3, {0.5, 1, 0.25}}}) {
    PackedFactors f = factorsOf(Spd);
    factorUpdate(f, c.sigma, c.z);
    const Matrix got = product(f);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        EXPECT_NEAR(got[i][j], Spd[i][j] + c.sigma * c.z[i] * c.z[j], 1e-12) << "sigma " << c.sigma;
  }
}

TEST(FactorUpdate, StopsWhereADiagonalElementWouldNotStayPositive) {
  // Identity, sigma -0.75, z (1, 1): D1 becomes 0.25, then D2 would be 1 - 3 = -2.
  PackedFactors f(2);
  factorUpdate(f, -0.75, {1, 1});
  EXPECT_DOUBLE_EQ(f.D(1), 0.25);
  EXPECT_DOUBLE_EQ(f.D(2), 1.0);
  EXPECT_DOUBLE_EQ(f.L(2, 1), 0.0);
}

TEST(ForwardGradient, StepIsAThousandthWithAFloorAndXIsRestored) {
  std::vector<std::vector<double>> seen;
  const auto f = recording(seen, [](const std::vector<double>& x) { return 3 * x[0] + 2 * x[1]; });
  std::vector<double> x = {0.0, 5000.0};
  long evaluations = 0;
  const std::vector<double> g = forwardGradient(x, 10000.0, f, evaluations);
  EXPECT_EQ(seen, (std::vector<std::vector<double>>{{1e-6, 5000.0}, {0.0, 5005.0}}));
  EXPECT_EQ(x, (std::vector<double>{0.0, 5000.0}));
  EXPECT_EQ(evaluations, 2);
  EXPECT_NEAR(g[0], 3.0, 1e-6);
  EXPECT_NEAR(g[1], 2.0, 1e-9);
}

TEST(QuasiNewtonPass, FirstDirectionIsTheNegativeGradient) {
  auto fn = [](const std::vector<double>& x) { return 0.25 * (x[0] * x[0] + x[1] * x[1]); };
  std::vector<std::vector<double>> seen;
  std::vector<double> x = {2.0, -4.0};
  long evaluations = 0;
  quasiNewtonPass(x, {-10, -10}, {10, 10}, recording(seen, fn), evaluations);
  ASSERT_GE(seen.size(), 4u);
  // Forward differences with steps 0.002 and 0.004: g = x / 2 + h / 4 = (1.0005, -1.999).
  EXPECT_NEAR(seen[3][0], 2.0 - 1.0005, 1e-9);
  EXPECT_NEAR(seen[3][1], -4.0 + 1.999, 1e-9);
}

TEST(QuasiNewtonPass, FiftyFailedCutsLeaveXAtTheStartOfTheIteration) {
  std::vector<std::vector<double>> seen;
  std::vector<double> x = {0.0};
  long evaluations = 0;
  const auto f = recording(seen, [](const std::vector<double>& p) { return std::fabs(p[0]); });
  EXPECT_EQ(quasiNewtonPass(x, {-1}, {1}, f, evaluations).end, PassEnd::StepCutsFailed);
  EXPECT_EQ(x[0], 0.0);
  EXPECT_EQ(evaluations, 1 + 1 + MaxStepCuts);
  EXPECT_DOUBLE_EQ(seen.back()[0], -std::pow(4.0, -49));  // the fiftieth trial
}

TEST(QuasiNewtonPass, FindsTheMinimumOfAQuadraticInsideAndOnTheBounds) {
  // Forward differences bias the gradient by about (curvature x step), so the pass stops
  // within about one gradient step of the minimum: 0.0005 near 0.5, 0.1 near 100.
  auto plate = [](const std::vector<double>& x) {
    return 2 * (x[0] - 0.5) * (x[0] - 0.5) + (x[1] + 0.25) * (x[1] + 0.25) + (x[0] - 0.5) * (x[1] + 0.25);
  };
  std::vector<double> x = {0, 0, 90};
  minimise(x, {-10, -10, 80}, {10, 10, 120},
           objective([&](const std::vector<double>& p) { return plate(p) + 4 * (p[2] - 100) * (p[2] - 100); }));
  EXPECT_NEAR(x[0], 0.5, 2e-3);
  EXPECT_NEAR(x[1], -0.25, 2e-3);
  EXPECT_NEAR(x[2], 100, 0.1);

  // The free minimum at 0.5 lies above the upper bound 0.2: the bound holds the variable
  // and the other one settles at -0.25 - (0.2 - 0.5) / 2.
  std::vector<double> y = {0, 0};
  minimise(y, {-10, -10}, {0.2, 10}, objective(plate));
  EXPECT_DOUBLE_EQ(y[0], 0.2);
  EXPECT_NEAR(y[1], -0.1, 2e-3);
}

TEST(QuasiNewtonPass, RosenbrockFromNearAndFarStartsAndBatchEvaluation) {
  const auto single = objective(rosenbrock);
  // The forward-difference step limits the accuracy, so only a large drop is asked for.
  for (const std::vector<double>& start : {std::vector<double>{1.2, 1.2}, std::vector<double>{-1.2, 1.0}}) {
    std::vector<double> x = start;
    const double value = minimise(x, {-5, -5}, {5, 5}, single);
    EXPECT_LT(value, 0.05) << start[0];
    EXPECT_LT(value, rosenbrock(start) / 100);
  }

  QuasiNewtonObjective batch = single;
  batch.values = [](const std::vector<std::vector<double>>& points) {
    std::vector<double> out;
    for (const auto& p : points) out.push_back(rosenbrock(p));
    return out;
  };
  std::vector<double> a = {-1.2, 1.0}, b = a;
  long ea = 0, eb = 0;
  quasiNewtonPass(a, {-5, -5}, {5, 5}, single, ea);
  quasiNewtonPass(b, {-5, -5}, {5, 5}, batch, eb);
  EXPECT_EQ(a, b);
  EXPECT_EQ(ea, eb);
}

#include "calibration/nelder_mead.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plumetra;

namespace {

double bowl(const std::vector<double>& x) {  // minimum 0 at (1, -2, 3)
  return (x[0] - 1) * (x[0] - 1) + 2 * (x[1] + 2) * (x[1] + 2) + 0.5 * (x[2] - 3) * (x[2] - 3);
}

double rosenbrock(const std::vector<double>& x) {  // minimum 0 at (1, 1)
  return 100 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]) + (1 - x[0]) * (1 - x[0]);
}

}  // namespace

TEST(NelderMead, BadInputMakesNoEvaluation) {
  struct Case {
    int n;
    double reqmin;
    int konvge;
  };
  for (const Case c : {Case{2, 0.0, 5}, Case{0, 1e-8, 5}, Case{21, 1e-8, 5}, Case{2, 1e-8, 0}, Case{2, -1.0, 5}}) {
    int calls = 0;
    std::vector<double> start(static_cast<size_t>(c.n), 1.0), step(static_cast<size_t>(c.n), 1.0);
    const auto r = nelderMead(start, step, c.reqmin, c.konvge, 1000, [&](const std::vector<double>&) {
      ++calls;
      return 0.0;
    });
    EXPECT_EQ(r.ifault, NelderMeadFault::BadInput) << c.n << " " << c.reqmin << " " << c.konvge;
    EXPECT_EQ(r.icount, 0);
    EXPECT_EQ(calls, 0);
  }
}

TEST(NelderMead, FindsTheMinimumOfAQuadraticAndRosenbrock) {
  struct Case {
    double (*f)(const std::vector<double>&);
    std::vector<double> start, step, expected;
    double reqmin, tolerance;
  };
  for (const Case& c : {Case{bowl, {0, 0, 0}, {1, 1, 1}, {1, -2, 3}, 1e-12, 1e-3},
                        Case{rosenbrock, {-1.2, 1}, {1, 1}, {1, 1}, 1e-10, 2e-3}}) {
    SCOPED_TRACE(c.start[0]);
    std::vector<double> start = c.start, step = c.step;
    const auto r = nelderMead(start, step, c.reqmin, 10, 10000, c.f);
    EXPECT_EQ(r.ifault, NelderMeadFault::None);
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_NEAR(r.xmin[i], c.expected[i], c.tolerance);
    EXPECT_LT(r.ynewlo, 1e-6);
    EXPECT_DOUBLE_EQ(r.ynewlo, c.f(r.xmin));
  }
}

TEST(NelderMead, EvaluationLimitKeepsTheBestPointSoFar) {
  std::vector<double> start{-1.2, 1}, step{1, 1};
  const auto r = nelderMead(start, step, 1e-10, 10, 20, rosenbrock);
  EXPECT_EQ(r.ifault, NelderMeadFault::NotConverged);
  EXPECT_GT(r.icount, 20);
  EXPECT_EQ(r.ynewlo, rosenbrock(r.xmin));
  EXPECT_LT(r.ynewlo, rosenbrock({-1.2, 1}));
}

// f = (x - 10)^2 from 0 with step 1 and a tolerance so wide that every convergence check
// passes. By hand: the first simplex {2, 0} expands to 6, the factorial test finds 7
// lower (and stops there); the restart {7, 6} expands to 9, the test finds 10 lower; the restart {10, 9}
// contracts to 9.5 and the test around 10 passes: 16 evaluations, two restarts.
TEST(NelderMead, FactorialTestRestartsFromTheLowerPoint) {
  std::vector<double> start{0}, step{1};
  std::vector<double> calls;
  const auto r = nelderMead(start, step, 1e9, 1, 1000, [&](const std::vector<double>& x) {
    calls.push_back(x[0]);
    return (x[0] - 10) * (x[0] - 10);
  });
  EXPECT_EQ(r.ifault, NelderMeadFault::None);
  EXPECT_EQ(r.numres, 2);
  EXPECT_EQ(r.icount, 16);
  EXPECT_EQ(r.xmin, std::vector<double>{10});
  EXPECT_EQ(r.ynewlo, 0);
  EXPECT_EQ(start, std::vector<double>{9});  // the last restart point
  EXPECT_EQ(calls, (std::vector<double>{0, 2, 4, 6, 7, 6, 7, 8, 9, 10, 9, 10, 11, 9.5, 11, 9}));
}

// f = x^2 from 0: the simplex {2, 0} reflects 2 to -2, whose value equals the worst one.
// It does not count as better than the worst point, so the contraction goes towards the
// worst point (to 1), not towards the reflection (-1).
TEST(NelderMead, EqualToTheWorstIsNotBetter) {
  std::vector<double> start{0}, step{1};
  std::vector<double> calls;
  nelderMead(start, step, 1e-8, 100, 4, [&](const std::vector<double>& x) {
    calls.push_back(x[0]);
    return x[0] * x[0];
  });
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls[2], -2);
  EXPECT_EQ(calls[3], 1);
}

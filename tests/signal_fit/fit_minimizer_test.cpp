// The simplex and the pattern search: convergence on closed-form minima,
// the call counts of the edge cases, progress codes and NaN targets.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/fit/minimizer.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Trial {
  Minimizer m{};
  double p[2] = {0, 0};
  std::vector<Dword> codes;
  Dword answer61 = 0;

  Trial(double a, double b, MinimizerTarget target, bool vary = true, Dword flags = 0) {
    p[0] = a;
    p[1] = b;
    MinimizerInit(&m, flags, nullptr, this);
    double* all[2] = {&p[0], &p[1]};
    double* none[2] = {nullptr, nullptr};
    EXPECT_EQ(MinimizerSetProblem(&m, flags, 2, all, vary ? all : none, target), 0u);
  }
  ~Trial() { MinimizerKill(&m); }
  void Record() {
    m.progress = [](Minimizer* mm, Dword code) -> Dword {
      Trial* r = static_cast<Trial*>(mm->userData);
      r->codes.push_back(code);
      return code == kMinimizerFirstEval ? r->answer61 : 0;
    };
  }
  Qword Count(Dword code) const {
    Qword c = 0;
    for (Dword k : codes) c += k == code;
    return c;
  }
};

double* P(Minimizer* m) { return static_cast<Trial*>(m->userData)->p; }

Dword Rosenbrock(Minimizer* m) {
  const double* p = P(m);
  m->value = 100 * (p[1] - p[0] * p[0]) * (p[1] - p[0] * p[0]) + (1 - p[0]) * (1 - p[0]);
  return 0;
}

Dword Bowl(Minimizer* m) {  // minimum 0.25 at (0.3, -0.7)
  const double* p = P(m);
  m->value = (p[0] - 0.3) * (p[0] - 0.3) + 2 * (p[1] + 0.7) * (p[1] + 0.7) + 0.25;
  return 0;
}

// Undefined beyond x = 0.2; optimum (0.05, 1) inside the defined region.
Dword NaNBeyond(Minimizer* m) {
  const double* p = P(m);
  m->value = p[0] > 0.2 ? kNaN : (p[0] - 0.05) * (p[0] - 0.05) + (p[1] - 1) * (p[1] - 1);
  return 0;
}

Dword AlwaysNaN(Minimizer* m) {
  m->value = kNaN;
  return 0;
}

TEST(FitMinimizer, InitSetsDefaults) {
  Minimizer m{};
  int user = 0;
  MinimizerInit(&m, 0x80000002u, nullptr, &user);
  EXPECT_EQ(m.flags, 0x80000002u);
  EXPECT_EQ(m.maxCalls, 100000u);
  EXPECT_EQ(m.tolerance, 1e-4);
  EXPECT_EQ(m.initialStep, 0.2);
  EXPECT_EQ(m.method, 0u);
  EXPECT_EQ(m.userData, &user);
  EXPECT_EQ(m.params, nullptr);
  double a = 0;
  double* ptr[1] = {&a};
  EXPECT_EQ(MinimizerSetParams(&m, 0, ptr, ptr), kErrMissingInputData);
  EXPECT_EQ(MinimizerSetParams(&m, 1, nullptr, ptr), kErrMissingInputData);
  EXPECT_EQ(MinimizerSetProblem(&m, 5, 1, ptr, nullptr, Bowl), kErrMissingInputData);
  EXPECT_EQ(m.flags, 0x80000002u);  // unchanged before the check passes
  EXPECT_EQ(MinimizerSetParams(&m, 1, ptr, ptr), 0u);
  EXPECT_EQ(m.params[0], &a);
  MinimizerKill(&m);
  EXPECT_EQ(m.params, nullptr);
  EXPECT_EQ(m.variedParams, nullptr);
}

TEST(FitMinimizer, SimplexSolvesRosenbrock) {
  Trial r(-1.2, 1, Rosenbrock);
  EXPECT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), 0u);
  EXPECT_NEAR(r.p[0], 1, 1e-8);
  EXPECT_NEAR(r.p[1], 1, 1e-8);
  EXPECT_DOUBLE_EQ(r.m.firstValue, 24.2);
  // The final evaluation belongs to the returned point.
  EXPECT_EQ(r.m.value, 100 * std::pow(r.p[1] - r.p[0] * r.p[0], 2) + std::pow(1 - r.p[0], 2));
}

TEST(FitMinimizer, SimplexAndPatternFindBowl) {
  for (Qword method : {kMinimizerSimplex, kMinimizerPatternSearch}) {
    Trial r(2, 2, Bowl);
    r.m.tolerance = 1e-7;
    EXPECT_EQ(MinimizerRun(&r.m, method), 0u) << method;
    EXPECT_NEAR(r.p[0], 0.3, 1e-6) << method;
    EXPECT_NEAR(r.p[1], -0.7, 1e-6) << method;
    EXPECT_NEAR(r.m.value, 0.25, 1e-11) << method;
  }
}

TEST(FitMinimizer, SimplexSmallBudgetEvaluatesOnce) {
  for (Qword budget : {0, 1}) {
    Trial r(-1.2, 1, Rosenbrock);
    r.m.maxCalls = budget;
    EXPECT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), 0u);
    EXPECT_EQ(r.m.calls, 1u);
    EXPECT_EQ(r.p[0], -1.2);
  }
}

TEST(FitMinimizer, NoVariedParameter) {
  Trial s(1, 2, Bowl, false);
  EXPECT_EQ(MinimizerRun(&s.m, kMinimizerSimplex), 0u);
  EXPECT_EQ(s.m.calls, 3u);  // start, vertex 0, final
  Trial p(1, 2, Bowl, false);
  EXPECT_EQ(MinimizerRun(&p.m, kMinimizerPatternSearch), 0u);
  EXPECT_EQ(p.m.calls, 1u);
  EXPECT_EQ(p.p[0], 1);
}

TEST(FitMinimizer, MethodsZeroAndUnknown) {
  Trial r(1, 2, Bowl);
  r.Record();
  EXPECT_EQ(MinimizerRun(&r.m, 0), 0u);
  EXPECT_EQ(r.m.calls, 0u);
  EXPECT_TRUE(r.codes.empty());
  EXPECT_EQ(MinimizerRun(&r.m, 2), kErrNotYetImplemented);
  EXPECT_TRUE(r.codes.empty());  // no code 64 either
  EXPECT_EQ(MinimizerRun(&r.m, 1), 0u);
  ASSERT_FALSE(r.codes.empty());
  EXPECT_EQ(r.codes.front(), kMinimizerFirstEval);
  EXPECT_EQ(r.codes.back(), kMinimizerEnd);
  EXPECT_EQ(r.Count(kMinimizerEval), r.m.calls);
  EXPECT_EQ(r.Count(kMinimizerNewBest), 0u);  // bit 31 clear
}

TEST(FitMinimizer, ProgressAnswerEndsRun) {
  for (Qword method : {kMinimizerSimplex, kMinimizerPatternSearch}) {
    Trial r(1, 2, Bowl);
    r.Record();
    r.answer61 = 77;
    EXPECT_EQ(MinimizerRun(&r.m, method), 77u);
    EXPECT_EQ(r.m.calls, 0u);
    EXPECT_EQ(r.codes, (std::vector<Dword>{kMinimizerFirstEval, kMinimizerEnd}));
  }
}

TEST(FitMinimizer, NewBestCodesWithBit31) {
  Trial r(2, 2, Bowl, true, 0x80000000u);
  r.Record();
  ASSERT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), 0u);
  EXPECT_GT(r.Count(kMinimizerNewBest), 3u);
  // A start at the minimum is never beaten.
  Trial s(0.3, -0.7, Bowl, true, 0x80000000u);
  s.Record();
  ASSERT_EQ(MinimizerRun(&s.m, kMinimizerSimplex), 0u);
  EXPECT_EQ(s.Count(kMinimizerNewBest), 0u);
}

TEST(FitMinimizer, BudgetKeepsBestWithBoundedOvershoot) {
  for (Qword budget : {2, 7, 20, 51, 333}) {
    Trial r(-1.2, 1, Rosenbrock);
    r.m.maxCalls = budget;
    EXPECT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), kErrTooManyFunctionCalls) << budget;
    EXPECT_GT(r.m.calls, budget);
    EXPECT_LE(r.m.calls, budget + 2 + 3) << budget;
    EXPECT_LE(r.m.value, 24.2);
    EXPECT_EQ(r.m.value, 100 * std::pow(r.p[1] - r.p[0] * r.p[0], 2) + std::pow(1 - r.p[0], 2));
  }
  Trial p(-1.2, 1, Rosenbrock);
  p.m.maxCalls = 40;
  EXPECT_EQ(MinimizerRun(&p.m, kMinimizerPatternSearch), kErrTooManyFunctionCalls);
  EXPECT_EQ(p.m.calls, 40u);  // the pattern search stops at the budget
  EXPECT_EQ(p.m.value, 100 * std::pow(p.p[1] - p.p[0] * p.p[0], 2) + std::pow(1 - p.p[0], 2));
}

TEST(FitMinimizer, NaNRanksWorst) {
  for (Qword method : {kMinimizerSimplex, kMinimizerPatternSearch}) {
    Trial r(0.1, 0.2, NaNBeyond);
    r.m.tolerance = 1e-8;
    EXPECT_EQ(MinimizerRun(&r.m, method), 0u) << method;
    EXPECT_NEAR(r.p[0], 0.05, 1e-5) << method;
    EXPECT_NEAR(r.p[1], 1, 1e-5) << method;
    EXPECT_LT(r.m.calls, 5000u);
  }
}

TEST(FitMinimizer, NaNAtStartIsAnError) {
  for (Qword method : {kMinimizerSimplex, kMinimizerPatternSearch}) {
    Trial r(0.1, 0.2, AlwaysNaN);
    EXPECT_EQ(MinimizerRun(&r.m, method), kErrIllegalArgument);
    EXPECT_EQ(r.m.calls, 0u);
  }
}

// A constant target ties every vertex: vertex 0 is both lowest and highest,
// reflection and contraction never replace it, every iteration shrinks the
// other two towards it and multiplies the size measure by f = 0.5^(1/2).
// The size falls below 1e-4 at iteration 27 (f^26 = 1.22e-4, f^27 =
// 8.6e-5); the quiet counter reaches 3n = 6 at the check of iteration 32.
// Calls: start, 3 vertices, 32 iterations of 4, the final evaluation.
TEST(FitMinimizer, TiesAndQuietCounterAsWritten) {
  Trial r(0.75, -2.5, [](Minimizer* m) -> Dword { return m->value = 3, 0u; });
  EXPECT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), 0u);
  EXPECT_EQ(r.m.calls, 1u + 3u + 32u * 4u + 1u);
  EXPECT_EQ(r.p[0], 0.75);
  EXPECT_EQ(r.p[1], -2.5);
}

TEST(FitMinimizer, TargetErrorStopsRun) {
  Trial r(1, 2, [](Minimizer* m) -> Dword { return m->calls >= 4 ? 99u : (m->value = 1, 0u); });
  EXPECT_EQ(MinimizerRun(&r.m, kMinimizerSimplex), 99u);
  EXPECT_EQ(r.m.calls, 4u);
}

}  // namespace

#include "scalar/numerical_tools.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scalar/real_helpers.h"
#include "support/accuracy.h"

namespace {

const double kPi = 3.141592653589793;

double One(Qword) { return 1.0; }
double Square2(double x) { return x * x - 2; }
double Cubic(double x) { return x * x * x - 1000; }  // root 10: spacing there exceeds 5 eps
double ShiftedSquare(double x, double p) { return x * x - p; }
double PowerUser(double x, Qlong n) { return std::pow(x, static_cast<double>(n)) - 5; }
double ExpTerm(double x, Qlong k) {
  double t = 1;
  for (Qlong i = 1; i <= k; ++i) t *= x / static_cast<double>(i);
  return t;
}
double Geometric3(double a, double r, double, Qlong k) {
  return a * std::pow(r, static_cast<double>(k));
}
double Sin(double x) { return std::sin(x); }

TEST(ConvergenceTest, HistoryAndTolerances) {
  double h0 = 0, h1 = ___SqrtMaxReal, h2 = -___Root3MaxReal;
  EXPECT_FALSE(rConvergenceTest3(1.0, &h0, &h1, &h2, 1e-12));
  EXPECT_EQ(h0, 1.0);
  EXPECT_FALSE(rConvergenceTest3(1.0, &h0, &h1, &h2, 1e-12));
  EXPECT_FALSE(rConvergenceTest3(1.0, &h0, &h1, &h2, 1e-12));
  EXPECT_TRUE(rConvergenceTest3(1.0, &h0, &h1, &h2, 1e-12));  // fourth agreeing value
  double a = 1.0, b = 1.05, c = 0.95;
  EXPECT_TRUE(rConvergenceTest3(1.0, &a, &b, &c, -0.1));  // absolute
  a = 1.0, b = 1.05, c = 0.95;
  EXPECT_FALSE(rConvergenceTest3(1.0, &a, &b, &c, -0.01));
  a = 100, b = 101, c = 99;
  EXPECT_TRUE(rConvergenceTest3(100, &a, &b, &c, 0.011));  // relative
}

TEST(Series, SumsAndLimits) {
  double s = 0;
  EXPECT_EQ(rSeriesTermFunc(1.5, &s, ExpTerm, 200, 0), 0u);
  EXPECT_NEAR(s, std::exp(1.5), 4 * kEps * std::exp(1.5));
  EXPECT_EQ(rSeriesTermFunc(1.5, &s, ExpTerm, 5, 0), 39u);
  EXPECT_EQ(rSeriesTermFunc(1.5, &s, nullptr, 5, 0), 26u);
  EXPECT_EQ(rSeriesTermFunc3(2, 0.5, 0, &s, Geometric3, 500, 0), 0u);
  EXPECT_NEAR(s, 4, 4 * 4 * kEps);
}

TEST(Series, HyperbolicRatioSeries) {
  EXPECT_TRUE(std::isnan(rCoshSeries(0)));
  // sum over n >= 1 of sinh x / sinh(n x) against a long direct sum.
  const double x = 0.7;
  double direct = 0;
  for (int n = 200; n >= 1; --n) direct += std::sinh(x) / std::sinh(n * x);
  EXPECT_NEAR(rSinhSeries(x), direct, 8 * kEps * direct);
  EXPECT_TRUE(std::isnan(rSinhSeries(0)));
  double cosh_direct = 0;
  for (int n = 200; n >= 0; --n) cosh_direct += std::cosh(x) / std::cosh(n * x);
  EXPECT_NEAR(rCoshSeries(x), cosh_direct, 8 * kEps * cosh_direct);
}

TEST(GeneratingFunctions, ClosedForms) {
  const double x = 0.4375;
  double v = 0;
  const struct {
    Dword (*fn)(double, double*, GfCoefFunc, Qlong, Qword, Qword);
    Qlong shift;
    double want;
  } rows[] = {
      {rEgfCoefFunc, 0, std::exp(x)},
      {rEgfCoefFunc, 1, std::exp(x)},
      {rEgfCoefFunc, 3, std::exp(x)},
      {rEgfCoefFunc, -1, std::exp(x) - 1},
      {rEgfCoefFunc, -2, std::exp(x) - 1 - x},
      {rEgfCoefRatioFunc, 0, std::exp(x)},
      {rEgfCoefRatioFunc, 2, std::exp(x)},
      {rEgfCoefRatioFunc, -1, std::exp(x) - 1},
      {rOgfCoefFunc, 0, 1 / (1 - x)},
      {rOgfCoefFunc, -1, -std::log(1 - x)},
      {rOgfCoefFunc, 1, 1 / ((1 - x) * (1 - x))},
      {rOgfCoefFunc, 2, 2 / ((1 - x) * (1 - x) * (1 - x))},
      {rOgfCoefRatioFunc, 0, 1 / (1 - x)},
      {rOgfCoefRatioFunc, -1, -std::log(1 - x)},
      {rOgfCoefRatioFunc, 1, 1 / ((1 - x) * (1 - x))},
  };
  for (const auto& r : rows) {
    ASSERT_EQ(r.fn(x, &v, One, r.shift, 1000, 0), 0u) << r.shift;
    EXPECT_NEAR(v, r.want, 32 * kEps * std::fabs(r.want)) << r.shift;
  }
  EXPECT_EQ(rEgfCoefFunc(x, &v, nullptr, 0, 10, 0), 26u);
  EXPECT_EQ(rOgfCoefFunc(0.999, &v, One, 0, 10, 0), 39u);
}

// Continued fraction of tan x: x / (1 - x^2 / (3 - x^2 / (5 - ...))).
double TanCoef(Qword k, double x, double* a) {
  *a = k == 1 ? x : -x * x;
  return k == 0 ? 0 : 2.0 * static_cast<double>(k) - 1;
}

TEST(ContinuedFractions, ArraysCallbacksAndPowerForm) {
  // sqrt(2) = 1 + 1/(2 + 1/(2 + ...)).
  double b[40], approx[40];
  b[0] = 1;
  for (int k = 1; k < 40; ++k) b[k] = 2;
  double v = 0;
  EXPECT_EQ(rContFrac(0, &v, 40, nullptr, b, approx, 100, 3), 0u);
  EXPECT_NEAR(v, std::sqrt(2.0), 2 * kEps);
  EXPECT_EQ(approx[0], 1);
  EXPECT_EQ(approx[1], 1.5);
  EXPECT_DOUBLE_EQ(approx[2], 1.4);
  // Without a test the steps are min(max steps, n - 1), status 0.
  EXPECT_EQ(rContFrac(0, &v, 5, nullptr, b, nullptr, 100, 0), 0u);
  EXPECT_DOUBLE_EQ(v, 41.0 / 29);
  // With the test active and too few steps: 39.
  EXPECT_EQ(rContFrac(0, &v, 40, nullptr, b, nullptr, 4, 1), 39u);
  EXPECT_EQ(rContFrac(0, &v, 0, nullptr, nullptr, nullptr, 10, 0), 0u);
  EXPECT_EQ(v, 1);
  // A tail value 0 gives the plain approximants; the true tail sqrt(2) - 1 added
  // to the last denominator gives sqrt(2) at once.
  double a[5] = {0, 1, 1, 1, 1};
  EXPECT_EQ(rContFrac(0, &v, 3, a, b, nullptr, 100, 0), 0u);
  EXPECT_DOUBLE_EQ(v, 1.4);
  a[0] = std::sqrt(2.0) - 1;
  EXPECT_EQ(rContFrac(0, &v, 2, a, b, nullptr, 100, 0), 0u);
  EXPECT_NEAR(v, std::sqrt(2.0), 2 * kEps);

  EXPECT_EQ(rContFracCoefFunc(0.7, &v, TanCoef, nullptr, 200, 3), 0u);
  EXPECT_NEAR(v, std::tan(0.7), 4 * kEps);
  EXPECT_EQ(rContFracCoefFunc(0.7, &v, nullptr, nullptr, 200, 3), 26u);

  // b0 + c1 x / (1 + c2 x / (1 + ...)) with all c = 1 at x = 2: the root 2 of
  // y = 1 + 2 / y's fixed point shifted: 1 + 2/(1 + 2/(1 + ...)) = 2.
  double c[200];
  for (double& ci : c) ci = 1;
  EXPECT_EQ(rContFracCtype(2, &v, 0, 1, c, nullptr, nullptr, 150, 3), 0u);
  EXPECT_NEAR(v, 2, 4 * kEps);
  Qword e[200];
  for (Qword& ei : e) ei = 1;
  EXPECT_EQ(rContFracCtype(2, &v, 0, 1, c, e, nullptr, 150, 3), 0u);
  EXPECT_NEAR(v, 2, 4 * kEps);
}

TEST(Aitken, ExtrapolatesOrFlags) {
  uint8_t flag = 7;
  EXPECT_EQ(rAitkenDelta2(1, 0.5, 0.25, &flag), 0);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(rAitkenDelta2(1, 2, 4, &flag), 4);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(rAitkenDelta2(0, 1, 0, nullptr), 0.5);
  EXPECT_EQ(rEgfFactor(5, 0), 1);
  EXPECT_DOUBLE_EQ(rEgfFactor(2, 3), 4.0 / 3);
}

TEST(Derivative, SevenPoints) {
  EXPECT_NEAR(rDerivative(0.5, Sin), std::cos(0.5), 1e-8);
  EXPECT_NEAR(rDerivative(1.25, Square2), 2.5, 1e-8);
}

TEST(Solvers, BracketsAndTermination) {
  double fr = 0;
  EXPECT_NEAR(rSolveBinDiv(1, 2, Square2, &fr, 0), std::sqrt(2.0), 2 * ___5EpsReal);
  EXPECT_LE(std::fabs(fr), 1e-14);
  EXPECT_TRUE(std::isnan(rSolveBinDiv(2, 3, Square2, &fr, 0)));
  EXPECT_TRUE(std::isnan(fr));
  // A root of magnitude 10 cannot be bracketed within 5 eps: the loop still ends.
  EXPECT_NEAR(rSolveBinDiv(5, 20, Cubic, &fr, 0), 10, 4e-15);
  EXPECT_NEAR(rSolveNewton(5, 20, Cubic, &fr, 0), 10, 4e-14);
  EXPECT_NEAR(rSolveNewtonRp(0, 3, ShiftedSquare, 2, &fr, 1e-13), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(rSolveBinDivRp(1, 2, PowerUser, 3, &fr, 1e-14), std::cbrt(5.0), 1e-13);
}

TEST(Quadratic, RootsWithoutCancellation) {
  double r1 = 0, r2 = 0;
  EXPECT_EQ(rSolveQuadratic(1, -3, 2, &r1, &r2), 1);
  EXPECT_EQ(r1, 2);
  EXPECT_EQ(r2, 0);
  EXPECT_EQ(rSolveQuadratic(1, 3, 2, &r1, &r2), -2);
  EXPECT_EQ(r1, -1);
  EXPECT_EQ(rSolveQuadratic(1, 2, 5, &r1, &r2), -1);
  EXPECT_EQ(r1, -1);
  EXPECT_EQ(r2, 2);
  EXPECT_EQ(rSolveQuadratic(0, 2, -4, &r1, &r2), 2);
  EXPECT_TRUE(std::isnan(rSolveQuadratic(0, 0, 1, &r1, &r2)));
  EXPECT_EQ(rSolveQuadratic(0, 0, 0, &r1, &r2), 0);
  // x^2 - 1e8 x + 1: the small root keeps full precision.
  const double small = rSolveQuadratic(1, -1e8, 1, &r1, &r2);
  EXPECT_NEAR(small, 1e-8, 1e-8 * 4 * kEps);
  // a x^2 = 0: the double root 0, not NaN.
  EXPECT_EQ(rSolveQuadratic(3, 0, 0, &r1, &r2), 0);
  EXPECT_EQ(r1, 0);
  EXPECT_EQ(r2, 0);
}

TEST(Rotations, GivensAndJacobi) {
  double a = 3, b = 4, c = 0, s = 0;
  rGivensRotation(&a, &b, &c, &s);
  EXPECT_DOUBLE_EQ(c, 0.6);
  EXPECT_DOUBLE_EQ(s, 0.8);
  EXPECT_DOUBLE_EQ(a, 5);
  EXPECT_EQ(b, 0);
  a = 0, b = 0;
  rGivensRotation(&a, &b, &c, &s);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(s, 0);
  a = 1e300, b = 1e300;  // no overflow in the norm
  rGivensRotation(&a, &b, &c, &s);
  EXPECT_DOUBLE_EQ(a, std::sqrt(2.0) * 1e300);

  double app = 3, aqq = 1, apq = 1;
  rJacobiRotation(&app, &aqq, &apq, &c, &s);
  EXPECT_NEAR(app, 2 + std::sqrt(2.0), 4 * kEps * 4);
  EXPECT_NEAR(aqq, 2 - std::sqrt(2.0), 4 * kEps * 4);
  EXPECT_EQ(apq, 0);
  EXPECT_NEAR(c, std::cos(kPi / 8), 2 * kEps);
  EXPECT_NEAR(s, std::sin(kPi / 8), 2 * kEps);
  app = 2, aqq = 2, apq = -1;
  rJacobiRotation(&app, &aqq, &apq, &c, &s);
  EXPECT_DOUBLE_EQ(app, 3);
  EXPECT_DOUBLE_EQ(aqq, 1);
  EXPECT_DOUBLE_EQ(s, -1 / std::sqrt(2.0));
  // Negligible coupling with app below aqq: the entries swap by a quarter turn.
  app = 1, aqq = 5, apq = 1e-20;
  rJacobiRotation(&app, &aqq, &apq, &c, &s);
  EXPECT_EQ(app, 5);
  EXPECT_EQ(aqq, 1);
  EXPECT_EQ(apq, 0);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(s, 1);
}

TEST(Intervals, Table) {
  double lo = 5, hi = 1;
  EXPECT_EQ(rIntervalNormalize(&lo, &hi), -4);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 5);
  Dword flags = 0;
  lo = -2, hi = 3;
  EXPECT_EQ(rIntervalAbsVal(-7, &lo, &hi, &flags), 7);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 3);
  EXPECT_EQ(flags, 2u);
  lo = 5, hi = -1;
  rIntervalAbsVal(0, &lo, &hi, &flags);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 5);
  EXPECT_EQ(flags, 3u);
  lo = -4, hi = -1;
  rIntervalAbsVal(0, &lo, &hi, &flags);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 4);
  EXPECT_EQ(flags, 0u);

  const struct {
    double lo1, hi1, lo2, hi2, u_lo, u_hi, g_lo, g_hi;
    bool meet;
  } rows[] = {
      {0, 1, 3, 4, 0, 4, 1, 3, false},
      {3, 4, 0, 1, 0, 4, 1, 3, false},
      {0, 2, 1, 3, 0, 3, 1, 2, true},
      {0, 1, 1, 2, 0, 2, 1, 1, true},
  };
  for (const auto& r : rows) {
    double a = r.lo1, b = r.hi1, c = r.lo2, d = r.hi2;
    EXPECT_EQ(rIntervalsGapAndUnion(&a, &b, &c, &d), r.meet);
    EXPECT_EQ(a, r.u_lo);
    EXPECT_EQ(b, r.u_hi);
    EXPECT_EQ(c, r.g_lo);
    EXPECT_EQ(d, r.g_hi);
  }
  EXPECT_EQ(rIntervalDistanceFromPoint(5, 1, 3), 2);
  EXPECT_EQ(rIntervalDistanceFromPoint(0, 3, 1), -1);
  EXPECT_EQ(rIntervalDistanceFromPoint(2, 1, 3), 0);
  EXPECT_EQ(rIntervalsDistance(0, 1, 3, 4), 2);
  EXPECT_EQ(rIntervalsDistance(3, 4, 0, 1), -2);
  EXPECT_EQ(rIntervalsDistance(0, 2, 1, 4), 0);
}

}  // namespace

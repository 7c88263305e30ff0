// The complex convergence test and generating-function sums: the loop
// rules (steps, tests, status codes) and convergence to closed forms.
#include "complexvec/complex_tools.h"

#include <cmath>
#include <limits>
#include <vector>

#include "scalar/real_helpers.h"
#include "support/complex_accuracy.h"

using ctest::Identical;
using ctest::Show;

namespace {

#include "complex_tools_reference.inc"

constexpr LibErrorCode kIllegalArgument = 26;
constexpr LibErrorCode kTooManyIterations = 39;

TEST(ComplexConvergenceTest, RealPartsFirstThenImaginary) {
  COMPLEX h0(0, 0), h1(___SqrtMaxReal, ___Root3MaxReal), h2(-___Root3MaxReal, -___SqrtMaxReal);
  const COMPLEX x(1.5, -2.5);
  // A fresh history never passes; the real history shifts, the imaginary
  // one does not while the real parts fail.
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_EQ(h0.re, 1.5);
  EXPECT_EQ(h1.re, 0);
  EXPECT_EQ(h2.re, ___SqrtMaxReal);
  EXPECT_EQ(h0.im, 0);
  EXPECT_EQ(h1.im, ___Root3MaxReal);
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_EQ(h0.im, 0);  // still unshifted
  // Real history now (x, x, x): the real parts pass, so the imaginary
  // history is tested (and fails) and shifts for the first time.
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_EQ(h0.im, -2.5);
  EXPECT_EQ(h1.im, 0);
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_FALSE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  EXPECT_TRUE(cConvergenceTest3(x, &h0, &h1, &h2, ___5EpsReal));
  // An absolute tolerance (negative) accepts differences up to |tol|.
  COMPLEX a(1, 1), b(1.25, 1), c(1.5, 1.25);
  EXPECT_TRUE(cConvergenceTest3(COMPLEX(1.25, 1.25), &a, &b, &c, -0.5));
}

COMPLEX Ones(Qword) { return COMPLEX(1, 0); }
COMPLEX InverseFactorialRatio(Qword k) {  // c_k = 1/k!
  return k == 0 ? COMPLEX(1, 0) : COMPLEX(1.0 / static_cast<double>(k), 0);
}
COMPLEX KPlusOneRatio(Qword k) {  // c_k = k + 1
  return k == 0 ? COMPLEX(1, 0) : COMPLEX((k + 1.0) / static_cast<double>(k), 0);
}

struct SumRow {
  const char* what;
  LibErrorCode (*f)(COMPLEX, COMPLEX*, CGfCoefFunction, Qlong, Qword, Qword);
  CGfCoefFunction coef;
  Qlong s;
  COMPLEX want;
};

TEST(ComplexGeneratingFunctions, ClosedForms) {
  const SumRow rows[] = {
      {"egf 1, s=0", cEgfCoefFunc, Ones, 0, kExpZ0},
      {"egf 1, s=1", cEgfCoefFunc, Ones, 1, kExpZ0},
      {"egf 1, s=3", cEgfCoefFunc, Ones, 3, kExpZ0},
      {"egf 1, s=-1", cEgfCoefFunc, Ones, -1, kExpm1Z0},
      {"egf 1, s=-2", cEgfCoefFunc, Ones, -2, kExpm1MinusZ0},
      {"ogf 1, s=0", cOgfCoefFunc, Ones, 0, kGeometricZ0},
      {"ogf 1, s=1", cOgfCoefFunc, Ones, 1, kGeometricD1Z0},
      {"ogf 1, s=2", cOgfCoefFunc, Ones, 2, kGeometricD2Z0},
      {"ogf 1, s=-1", cOgfCoefFunc, Ones, -1, kMinusLog1mZ0},
      {"ogf ratio 1/k!, s=0", cOgfCoefRatioFunc, InverseFactorialRatio, 0, kExpZ0},
      {"ogf ratio 1/k!, s=2", cOgfCoefRatioFunc, InverseFactorialRatio, 2, kExpZ0},
      {"ogf ratio 1/k!, s=-1", cOgfCoefRatioFunc, InverseFactorialRatio, -1, kExpm1Z0},
      {"egf ratio k+1, s=0", cEgfCoefRatioFunc, KPlusOneRatio, 0, kOnePlusZExpZ0},
      {"egf ratio k+1, s=1", cEgfCoefRatioFunc, KPlusOneRatio, 1, kTwoPlusZExpZ0},
      {"egf ratio k+1, s=-1", cEgfCoefRatioFunc, KPlusOneRatio, -1, kZExpZ0},
  };
  // The geometric series converge slowly (|z| = 0.56), so rounding
  // accumulates over about 60 terms.
  AccuracyTally tally("generating functions", kTol1);
  for (const auto& r : rows) {
    COMPLEX v;
    EXPECT_EQ(r.f(kZ0, &v, r.coef, r.s, 10000, 0), 0u) << r.what;
    tally.Add(ctest::ErrorEps(v, r.want), r.what, kTol1, Show(v) + " want " + Show(r.want));
  }
}

TEST(ComplexGeneratingFunctions, RealSeriesOfTheExponential) {
  // c_k = 1 at z = 1: e, e - 1 for the integral, e again for the derivative.
  const double e = 2.718281828459045;
  COMPLEX v;
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, 0, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(e, 0)), kTol0);
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, -1, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.718281828459045, 0)), kTol0);
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, 1, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(e, 0)), kTol0);
}

TEST(ComplexGeneratingFunctions, StepLimitAndMissingCallback) {
  // Too few steps: 39. The ordinary sum applies z^m before reporting it,
  // the others stop at once: after 5 steps of the integral of 1/(1 - z)
  // at z0 the value is z0 * sum_{i<=5} z0^i/(i+1), or that sum without z0.
  COMPLEX partial(0, 0), p(1, 0);
  for (int i = 0; i <= 5; ++i) {
    partial += p / static_cast<double>(i + 1);
    p = p * kZ0;
  }
  COMPLEX v;
  EXPECT_EQ(cOgfCoefFunc(kZ0, &v, Ones, -1, 5, 0), kTooManyIterations);
  EXPECT_LE(ctest::ErrorEps(v, partial * kZ0), kTol0) << Show(v);
  EXPECT_EQ(cEgfCoefFunc(kZ0, &v, Ones, -1, 5, 0), kTooManyIterations);
  COMPLEX egf_partial(0, 0);
  double f = 1;
  p = COMPLEX(1, 0);
  for (int i = 0; i <= 5; ++i) {
    f *= i + 1;
    egf_partial += p / f;
    p = p * kZ0;
  }
  EXPECT_LE(ctest::ErrorEps(v, egf_partial), kTol0) << Show(v);
  EXPECT_EQ(cOgfCoefRatioFunc(kZ0, &v, Ones, 0, 2, 0), kTooManyIterations);
  EXPECT_EQ(cEgfCoefRatioFunc(kZ0, &v, Ones, 0, 2, 0), kTooManyIterations);

  COMPLEX set(5, 5);
  EXPECT_EQ(cOgfCoefFunc(kZ0, &set, nullptr, 0, 10, 0), kIllegalArgument);
  EXPECT_TRUE(Identical(set, COMPLEX(0, 0)));
  for (auto f2 : {cOgfCoefRatioFunc, cEgfCoefFunc, cEgfCoefRatioFunc}) {
    COMPLEX kept(5, 5);
    EXPECT_EQ(f2(kZ0, &kept, nullptr, 0, 10, 0), kIllegalArgument);
    EXPECT_TRUE(Identical(kept, COMPLEX(5, 5)));
  }
}

TEST(ComplexGeneratingFunctions, HugeShiftsEndQuickly) {
  // The factorial of the shift saturates; the loop over the shift must not
  // run 2^62 times.
  COMPLEX v;
  // The derivative's terms are infinite (a NaN difference passes the test).
  cOgfCoefFunc(kZ0, &v, Ones, Qlong{1} << 62, 50, 0);
  EXPECT_FALSE(std::isfinite(v.re));
  // The integral's leading factor 1/m! is 0, and so is the value.
  EXPECT_EQ(cOgfCoefFunc(kZ0, &v, Ones, -(Qlong{1} << 62), 50, 0), 0u);
  EXPECT_EQ(v.re, 0);
}

}  // namespace

// Complex continued fractions and generating-function sums: the loop rules
// (steps, tests, status codes) and convergence to closed forms.
#include "complexvec/complex_tools.h"

#include <cmath>
#include <limits>
#include <vector>

#include "complex_test_support.h"
#include "scalar/real_helpers.h"

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

// Lambert's fraction tan z = z/(1 - z^2/(3 - z^2/(5 - ...))) as arrays:
// b0 = 0, a1 = z, b1 = 1, then a_k = -z^2, b_k = 2k - 1.
void TanArrays(COMPLEX z, Qword n, std::vector<COMPLEX>* a, std::vector<COMPLEX>* b) {
  a->assign(n, COMPLEX());
  b->assign(n, COMPLEX());
  (*a)[0] = COMPLEX(0, 0);  // tail value 0: plain approximants
  (*b)[0] = COMPLEX(0, 0);
  (*a)[1] = z;
  (*b)[1] = COMPLEX(1, 0);
  for (Qword k = 2; k < n; ++k) {
    (*a)[k] = -(z * z);
    (*b)[k] = COMPLEX(static_cast<double>(2 * k - 1), 0);
  }
}

TEST(ComplexContFrac, ArraysReachTheClosedForm) {
  std::vector<COMPLEX> a, b;
  TanArrays(kZ0, 40, &a, &b);
  COMPLEX v;
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 40, a.data(), b.data(), nullptr, 1000, 3), 0u);
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), ctest::kTol1) << Show(v);
  // Without the tail value (a null a would mean all ones, so keep a).
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 40, a.data(), b.data(), nullptr, 1000, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), ctest::kTol1) << Show(v);
}

TEST(ComplexContFrac, StepCountsAndStatus) {
  std::vector<COMPLEX> a, b;
  TanArrays(kZ0, 20, &a, &b);
  const COMPLEX guard(-7.5, 7.5);
  std::vector<COMPLEX> approx(22, guard);
  COMPLEX v;
  // Min steps 0: no test, exactly min(max, n - 1) steps, status 0.
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 20, a.data(), b.data(), approx.data(), 5, 0), 0u);
  for (int k = 0; k <= 5; ++k) EXPECT_FALSE(Identical(approx[k], guard)) << k;
  EXPECT_TRUE(Identical(approx[6], guard));
  EXPECT_TRUE(Identical(approx[5], v));
  EXPECT_TRUE(Identical(approx[0], COMPLEX(0, 0)));  // b0
  EXPECT_TRUE(Identical(approx[1], kZ0));            // z/1
  std::fill(approx.begin(), approx.end(), guard);
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 20, a.data(), b.data(), approx.data(), 100, 0), 0u);
  EXPECT_FALSE(Identical(approx[19], guard));
  EXPECT_TRUE(Identical(approx[20], guard));
  // Min 2, max 3: the one test, against the start history, cannot pass.
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 20, a.data(), b.data(), nullptr, 3, 2), kTooManyIterations);
  // n = 0 gives b0 at once; with b null that is (1, 0).
  COMPLEX b0(2.5, -1);
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 0, nullptr, &b0, nullptr, 10, 1), 0u);
  EXPECT_TRUE(Identical(v, b0));
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 0, nullptr, nullptr, nullptr, 10, 1), 0u);
  EXPECT_TRUE(Identical(v, COMPLEX(1, 0)));
  EXPECT_EQ(cContFrac(COMPLEX(), nullptr, 5, nullptr, nullptr, nullptr, 10, 1), kIllegalArgument);
}

TEST(ComplexContFrac, NullArraysMeanOnes) {
  // 1 + 1/(1 + 1/(1 + ...)) converges to the golden ratio.
  COMPLEX v;
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 200, nullptr, nullptr, nullptr, 1000, 4), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), ctest::kTol0) << Show(v);
}

TEST(ComplexContFrac, TailValue) {
  // With a[0] = w the value after step k is (A_k + w A_(k-1))/(B_k + w B_(k-1)):
  // one step of 1 + 1/(1 + w) with w = 1 gives 1 + 1/2.
  COMPLEX a[3] = {COMPLEX(1, 0), COMPLEX(1, 0), COMPLEX(1, 0)};
  COMPLEX v;
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 2, a, nullptr, nullptr, 10, 0), 0u);
  EXPECT_TRUE(Identical(v, COMPLEX(1.5, 0))) << Show(v);
}

TEST(ComplexContFrac, RescalingKeepsTheApproximants) {
  // Large non-real denominators push |B(k)| past 1e10 within a few steps;
  // every approximant must match the plain recurrence in long form.
  const Qword n = 12;
  std::vector<COMPLEX> a(n), b(n);
  for (Qword k = 0; k < n; ++k) {
    a[k] = COMPLEX(0.75 + k, -0.5);
    b[k] = COMPLEX(1000.0 * (k + 1), 333.0 * k);
  }
  a[0] = COMPLEX(0, 0);
  std::vector<COMPLEX> approx(n);
  COMPLEX v;
  ASSERT_EQ(cContFrac(COMPLEX(), &v, n, a.data(), b.data(), approx.data(), 100, 0), 0u);
  for (Qword k = 1; k < n; ++k) {
    // Evaluate b0 + a1/(b1 + ... + a_k/b_k) from the bottom up.
    COMPLEX t = b[k];
    for (Qword j = k; j >= 2; --j) t = b[j - 1] + a[j] / t;
    const COMPLEX want = b[0] + a[1] / t;
    EXPECT_LE(ctest::ErrorEps(approx[k], want), ctest::kTol1) << k;
  }
}

TEST(ComplexContFrac, ZeroDenominatorDoesNotPoisonLaterSteps) {
  // 0 + 1/(0 + 1/(1 + 1/(1 + ...))) = phi: B(1) = 0 exactly. Scaling by its
  // infinite inverse would make every later approximant NaN.
  std::vector<COMPLEX> b(60, COMPLEX(1, 0));
  b[0] = COMPLEX(0, 0);
  b[1] = COMPLEX(0, 0);
  COMPLEX v;
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 60, nullptr, b.data(), nullptr, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), ctest::kTol0) << Show(v);
}

COMPLEX TanCoef(Qword k, COMPLEX x, COMPLEX* a) {
  if (k == 0) {
    *a = COMPLEX(99, 99);  // overwritten by b0
    return COMPLEX(0, 0);
  }
  *a = k == 1 ? x : -(x * x);
  return COMPLEX(static_cast<double>(2 * k - 1), 0);
}

TEST(ComplexContFrac, CoefficientCallback) {
  COMPLEX v;
  EXPECT_EQ(cContFracCoefFunc(kZ0, &v, TanCoef, nullptr, 1000, 2), 0u);
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), ctest::kTol1) << Show(v);
  std::vector<COMPLEX> approx(4);
  EXPECT_EQ(cContFracCoefFunc(kZ0, &v, TanCoef, approx.data(), 3, 0), 0u);
  EXPECT_TRUE(Identical(approx[0], COMPLEX(0, 0)));
  EXPECT_TRUE(Identical(approx[3], v));
  EXPECT_EQ(cContFracCoefFunc(kZ0, &v, TanCoef, nullptr, 3, 1), kTooManyIterations);
  COMPLEX untouched(4, 4);
  EXPECT_EQ(cContFracCoefFunc(kZ0, &untouched, nullptr, nullptr, 3, 1), kIllegalArgument);
  EXPECT_TRUE(Identical(untouched, COMPLEX(4, 4)));
}

TEST(ComplexContFrac, CtypeForm) {
  // tan z = z/(1 + (-z^2/3)/(1 + (-z^2/15)/(1 + ...))): c1 = 1 with x^1,
  // c_k = -1/((2k-3)(2k-1)) with x^2.
  const Qword n = 40;
  std::vector<COMPLEX> c(n);
  std::vector<Qlong> e(n, 2);
  c[1] = COMPLEX(1, 0);
  e[1] = 1;
  for (Qword k = 2; k < n; ++k) c[k] = COMPLEX(-1.0 / ((2.0 * k - 3) * (2.0 * k - 1)), 0);
  COMPLEX v;
  EXPECT_EQ(cContFracCtype(kZ0, &v, 0, COMPLEX(0, 0), c.data(), e.data(), nullptr, n - 1, 3), 0u);
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), ctest::kTol1) << Show(v);
  // Null exponents mean c_k x: with c_k = 1 and x = 1 that is the golden ratio.
  std::vector<COMPLEX> ones(200, COMPLEX(1, 0));
  EXPECT_EQ(
      cContFracCtype(COMPLEX(1, 0), &v, 0, COMPLEX(1, 0), ones.data(), nullptr, nullptr, 199, 3),
      0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), ctest::kTol0) << Show(v);
  EXPECT_EQ(cContFracCtype(kZ0, &v, 0, COMPLEX(0, 0), nullptr, nullptr, nullptr, 5, 0),
            kIllegalArgument);
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
  ctest::Worst worst;
  for (const auto& r : rows) {
    COMPLEX v;
    EXPECT_EQ(r.f(kZ0, &v, r.coef, r.s, 10000, 0), 0u) << r.what;
    const double err = ctest::ErrorEps(v, r.want);
    worst.Note(err, r.what);
    // The geometric series converge slowly (|z| = 0.56), so rounding
    // accumulates over about 60 terms.
    EXPECT_LE(err, ctest::kTol1) << r.what << ": " << Show(v) << " want " << Show(r.want);
  }
  worst.Report("generating functions");
}

TEST(ComplexGeneratingFunctions, RealSeriesFromTheSpec) {
  // c_k = 1 at z = 1: e, e - 1 for the integral, e again for the derivative.
  const double e = 2.718281828459045;
  COMPLEX v;
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, 0, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(e, 0)), ctest::kTol0);
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, -1, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.718281828459045, 0)), ctest::kTol0);
  EXPECT_EQ(cEgfCoefFunc(COMPLEX(1, 0), &v, Ones, 1, 100, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(e, 0)), ctest::kTol0);
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
  EXPECT_LE(ctest::ErrorEps(v, partial * kZ0), ctest::kTol0) << Show(v);
  EXPECT_EQ(cEgfCoefFunc(kZ0, &v, Ones, -1, 5, 0), kTooManyIterations);
  COMPLEX egf_partial(0, 0);
  double f = 1;
  p = COMPLEX(1, 0);
  for (int i = 0; i <= 5; ++i) {
    f *= i + 1;
    egf_partial += p / f;
    p = p * kZ0;
  }
  EXPECT_LE(ctest::ErrorEps(v, egf_partial), ctest::kTol0) << Show(v);
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

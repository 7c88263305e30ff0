// Complex continued fractions: the loop rules (steps, tests, status codes),
// rescaling and convergence to closed forms.
#include <cmath>
#include <limits>
#include <vector>

#include "complexvec/complex_tools.h"
#include "scalar/real_helpers.h"
#include "support/complex_accuracy.h"

using ctest::Identical;
using ctest::Show;

namespace {

#include "complex_tools_reference.inc"

constexpr LibErrorCode kIllegalArgument = 26;
constexpr LibErrorCode kTooManyIterations = 39;

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
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), kTol1) << Show(v);
  // Without the tail value (a null a would mean all ones, so keep a).
  EXPECT_EQ(cContFrac(COMPLEX(), &v, 40, a.data(), b.data(), nullptr, 1000, 0), 0u);
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), kTol1) << Show(v);
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
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), kTol0) << Show(v);
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
    EXPECT_LE(ctest::ErrorEps(approx[k], want), kTol1) << k;
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
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), kTol0) << Show(v);
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
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), kTol1) << Show(v);
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
  EXPECT_LE(ctest::ErrorEps(v, kTanZ0), kTol1) << Show(v);
  // Null exponents mean c_k x: with c_k = 1 and x = 1 that is the golden ratio.
  std::vector<COMPLEX> ones(200, COMPLEX(1, 0));
  EXPECT_EQ(
      cContFracCtype(COMPLEX(1, 0), &v, 0, COMPLEX(1, 0), ones.data(), nullptr, nullptr, 199, 3),
      0u);
  EXPECT_LE(ctest::ErrorEps(v, COMPLEX(1.6180339887498949, 0)), kTol0) << Show(v);
  EXPECT_EQ(cContFracCtype(kZ0, &v, 0, COMPLEX(0, 0), nullptr, nullptr, nullptr, 5, 0),
            kIllegalArgument);
}

}  // namespace

// Chebyshev polynomials against mpmath (from cos(n·acos x) and its kin),
// discrete orthogonality at the zeros, and the coefficient fills against
// exact integer recurrences and closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/rarr.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "orthopoly_reference.inc"
#include "scalar/orthogonal_polys.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"
#include "support/alloc_failure.h"

namespace {
// On [-1, 1] the values are bounded by 1 (T) and n + 1 (U) and pass through
// zeros: error against that scale; outside, relative error.
template <size_t N>
void CheckPolyTable(const char* name, const PolyRow (&rows)[N], double (*f)(double, Qword),
                    double tol, bool second_kind) {
  AccuracyTally inside(name, tol, 1);
  AccuracyTally outside(name, tol);
  for (const PolyRow& r : rows) {
    const double got = f(r.x, r.n);
    if (std::fabs(r.x) <= 1) {
      const double scale = second_kind ? static_cast<double>(r.n + 1) : 1;
      inside.Check(r.x, got / scale, r.value / scale, r.n);
    } else {
      outside.Check(r.x, got, r.value, r.n);
    }
  }
}
}  // namespace

TEST(Chebyshev, ValuesAgainstReference) {
  // T_1001 near x = 0.7 is as sensitive as n·x/sqrt(1 - x²) ≈ 1000 eps to
  // the rounding of x alone.
  CheckPolyTable("rChebyshevT", kChebyshevTRef, rChebyshevT, kTol3, false);
  CheckPolyTable("rChebyshevU", kChebyshevURef, rChebyshevU, kTol2, true);
  CheckPolyTable(
      "rCosNFromCos", kChebyshevTRef,
      [](double x, Qword n) { return std::fabs(x) <= 1 ? rCosNFromCos(x, n) : rChebyshevT(x, n); },
      kTol3, false);
}

TEST(Chebyshev, DerivativesAndIntegralsAgainstReference) {
  AccuracyTally td("rChebyshevTD", kTol2, 1), ud("rChebyshevUD", kTol2, 1);
  for (const PolyRow& r : kChebyshevTDRef) {
    const double scale = static_cast<double>(r.n * r.n);  // the bound of T_n' on [-1, 1]
    td.Check(r.x, rChebyshevTD(r.x, r.n) / scale, r.value / scale, r.n);
  }
  for (const PolyRow& r : kChebyshevUDRef) {
    const double scale = static_cast<double>(r.n * r.n * r.n);
    ud.Check(r.x, rChebyshevUD(r.x, r.n) / scale, r.value / scale, r.n);
  }
  AccuracyTally ta("rChebyshevTA", kTol1, 1), ua("rChebyshevUA", kTol1, 1);
  for (const PolyRow& r : kChebyshevTIntRef) {
    const Qlong n = static_cast<Qlong>(r.n);
    ta.Check(r.x, rChebyshevTA(r.x, n) - rChebyshevTA(0, n), r.value, r.n);
    ta.Check(r.x, rChebyshevTA(r.x, -n) - rChebyshevTA(0, -n), r.value, r.n);  // T_-n = T_n
  }
  for (const PolyRow& r : kChebyshevUIntRef) {
    const Qlong n = static_cast<Qlong>(r.n);
    ua.Check(r.x, rChebyshevUA(r.x, n) - rChebyshevUA(0, n), r.value, r.n);
    // U_(-n-2) = -U_n.
    ua.Check(r.x, rChebyshevUA(0, -n - 2) - rChebyshevUA(r.x, -n - 2), r.value, r.n);
  }
  EXPECT_EQ(rChebyshevUA(0.3, -1), 0);
}

TEST(Chebyshev, SpecialValues) {
  EXPECT_EQ(rChebyshevT(0.3, 0), 1);
  EXPECT_NEAR(rChebyshevT(0.5, 3), -1, 1e-15);
  for (double t : {0.1, 0.7, 1.3, 2.9}) {
    EXPECT_NEAR(rChebyshevT(std::cos(t), 9), std::cos(9 * t), 1e-13) << t;  // halving path
    EXPECT_NEAR(rChebyshevT(std::cos(t), 8), std::cos(8 * t), 1e-13) << t;
  }
  for (Qword n : {0ull, 1ull, 5ull, 40ull})
    EXPECT_EQ(rChebyshevU(1, n), static_cast<double>(n + 1));
  EXPECT_EQ(rChebyshevTRoot(0, 1), std::cos(M_PI / 2));
  EXPECT_TRUE(std::isnan(rChebyshevTRoot(3, 3)));
  EXPECT_TRUE(std::isnan(rChebyshevTRoot(0, 0)));
  EXPECT_EQ(rChebyshevURoot(0, 1), std::cos(M_PI / 2));
  EXPECT_NEAR(rChebyshevURoot(0, 2), 0.5, 4e-16);
  EXPECT_NEAR(rChebyshevURoot(1, 2), -0.5, 4e-16);
  EXPECT_TRUE(std::isnan(rChebyshevURoot(2, 2)));
  EXPECT_EQ(rChebyshevWeight(0), 1);
  EXPECT_TRUE(std::isnan(rChebyshevWeight(1.5)));
  EXPECT_EQ(rChebyshevWeight(1), ___PlsINF);
  for (double x : {1e-3, 0.2385, -0.6, 0.999}) {
    EXPECT_LE(ErrorInEps(rChebyshevWeight(x), 1 / std::sqrt((1 - x) * (1 + x))), kTol0 + 2) << x;
  }
  // A degree near 2^64 costs 64 halvings.
  EXPECT_EQ(rChebyshevT(1, ~Qword{0}), 1);
  EXPECT_EQ(rChebyshevT(-1, ~Qword{0}), -1);
  EXPECT_EQ(rChebyshevT(-1, ~Qword{0} - 1), 1);
}

TEST(Chebyshev, MultipleAngleGuards) {
  EXPECT_NEAR(rCosNFromCos(0.5, 3), -1, 1e-15);
  EXPECT_TRUE(std::isnan(rCosNFromCos(1.5, 2)));
  EXPECT_TRUE(std::isnan(rSinNDivSinFromCos(-1.0000001, 2)));
  EXPECT_EQ(rCosNFromCos(0.3, 0), 1);
  for (double c : {-1.0, -0.4, 0.0, 0.77, 1.0}) {
    EXPECT_EQ(rSinNDivSinFromCos(c, 1), 1);
    EXPECT_EQ(rSinNDivSinFromCos(c, 0), 0);
  }
  for (double t : {0.3, 1.1, 2.2}) {
    EXPECT_NEAR(rSinNDivSinFromCos(std::cos(t), 7), std::sin(7 * t) / std::sin(t), 1e-13);
  }
}

TEST(Chebyshev, DiscreteOrthogonalityAtTheZeros) {
  // Gauss-Chebyshev: Σ_k T_i(x_k)·T_j(x_k) over the N zeros of T_N is 0 for
  // i ≠ j, N/2 for i = j > 0, N for i = j = 0 (i, j < N).
  const Qword n = 23;
  for (Qword i = 0; i < n; ++i) {
    for (Qword j = 0; j <= i; ++j) {
      double s = 0;
      for (Qword k = 0; k < n; ++k) {
        const double x = rChebyshevTRoot(k, n);
        s += rChebyshevT(x, i) * rChebyshevT(x, j);
      }
      const double want = i != j ? 0 : (i == 0 ? n : n / 2.0);
      EXPECT_NEAR(s, want, 1e-13) << i << " " << j;
    }
  }
  // The zeros of U_n.
  for (Qword k = 0; k < 17; ++k) EXPECT_NEAR(rChebyshevU(rChebyshevURoot(k, 17), 17), 0, 1e-13);
}

TEST(Chebyshev, Series) {
  const double c[] = {0.5, -1.25, 2.385, 0.75, -3.0};
  for (double x : {-0.9, 0.1, 0.65, 1.7}) {
    double t = 0, u = 0;
    for (Qword k = 0; k < 5; ++k) {
      t += c[k] * rChebyshevT(x, k);
      u += c[k] * rChebyshevU(x, k);
    }
    EXPECT_NEAR(rChebyshevTSeries(x, c, 4), t, 1e-13 * std::fabs(t) + 1e-14);
    EXPECT_NEAR(rChebyshevUSeries(x, c, 4), u, 1e-13 * std::fabs(u) + 1e-14);
  }
  EXPECT_EQ(rChebyshevTSeries(0.3, c, 0), 0.5);
  EXPECT_EQ(rChebyshevUSeries(0.3, c, 0), 0.5);
  EXPECT_TRUE(std::isnan(rChebyshevTSeries(0.3, nullptr, 2)));
  EXPECT_TRUE(std::isnan(rChebyshevUSeries(0.3, nullptr, 2)));
}

namespace {
// The exact recurrence on integer coefficient vectors, modulo 2^64.
std::vector<Qword> IntegerRecurrence(Qword n, Qword lead) {
  std::vector<Qword> older{1}, newer{0, lead};
  if (n == 0) return older;
  for (Qword i = 2; i <= n; ++i) {
    std::vector<Qword> next(i + 1, 0);
    for (Qword j = 0; j <= i; ++j) {
      const Qword up = j >= 1 && j - 1 < newer.size() ? 2 * newer[j - 1] : 0;
      const Qword keep = j < older.size() ? older[j] : 0;
      next[j] = up - keep;
    }
    older = newer;
    newer = next;
  }
  return newer;
}
}  // namespace

TEST(ChebyshevFill, AgainstExactIntegerRecurrence) {
  for (Qword lead : {1ull, 2ull}) {
    for (Qword n = 0; n <= 80; ++n) {
      const std::vector<Qword> want = IntegerRecurrence(n, lead);
      std::vector<Qlong> iq(n + 3, 77);
      std::vector<double> r(n + 3, 77);
      const Dword s1 =
          lead == 1 ? rChebyshevTFillPolyIQ(n, iq.data()) : rChebyshevUFillPolyIQ(n, iq.data());
      const Dword s2 =
          lead == 1 ? rChebyshevTFillPoly(n, r.data()) : rChebyshevUFillPoly(n, r.data());
      ASSERT_EQ(s1, 0u);
      ASSERT_EQ(s2, 0u);
      for (Qword k = 0; k <= n; ++k) {
        EXPECT_EQ(static_cast<Qword>(iq[k]), want[k]) << lead << " " << n << " " << k;
        // Exact in double while the coefficients stay below 2^53.
        if (n <= 40) {
          EXPECT_EQ(r[k], static_cast<double>(static_cast<Qlong>(want[k]))) << n << " " << k;
        }
      }
      EXPECT_EQ(iq[n + 1], 77);  // nothing beyond the n + 1 entries
      EXPECT_EQ(r[n + 2], 77);
    }
  }
}

TEST(ChebyshevFill, ClosedFormsAndExamples) {
  double p[5];
  ASSERT_EQ(rChebyshevTFillPoly(4, p), 0u);
  EXPECT_EQ(std::vector<double>(p, p + 5), (std::vector<double>{1, 0, -8, 0, 8}));
  ASSERT_EQ(rChebyshevUFillPoly(3, p), 0u);
  EXPECT_EQ(std::vector<double>(p, p + 4), (std::vector<double>{0, -4, 0, 8}));
  Qlong q[3];
  ASSERT_EQ(rChebyshevTFillPolyIQ(2, q), 0u);
  EXPECT_EQ(std::vector<Qlong>(q, q + 3), (std::vector<Qlong>{-1, 0, 2}));
  // T_n: coefficient of x^(n-2k) is (-1)^k·n/(n-k)·C(n-k, k)·2^(n-2k-1);
  // U_n: (-1)^k·C(n-k, k)·2^(n-2k).
  const Qword n = 30;
  std::vector<Qlong> t(n + 1), u(n + 1);
  ASSERT_EQ(rChebyshevTFillPolyIQ(n, t.data()), 0u);
  ASSERT_EQ(rChebyshevUFillPolyIQ(n, u.data()), 0u);
  for (Qword k = 0; 2 * k <= n; ++k) {
    double binom = 1;
    for (Qword i = 1; i <= k; ++i)
      binom = binom * static_cast<double>(n - k - k + i) / static_cast<double>(i);
    const double sign = k % 2 ? -1 : 1;
    const double tk = sign * static_cast<double>(n) / static_cast<double>(n - k) * binom *
                      std::ldexp(1.0, static_cast<int>(n - 2 * k) - 1);
    const double uk = sign * binom * std::ldexp(1.0, static_cast<int>(n - 2 * k));
    EXPECT_EQ(static_cast<double>(t[n - 2 * k]), std::round(tk)) << k;
    EXPECT_EQ(static_cast<double>(u[n - 2 * k]), std::round(uk)) << k;
  }
}

TEST(ChebyshevFill, ErrorsAndNewForms) {
  EXPECT_EQ(rChebyshevTFillPoly(3, nullptr), kErrMissingOutputBuffer);
  EXPECT_EQ(rChebyshevUFillPoly(3, nullptr), kErrMissingOutputBuffer);
  EXPECT_EQ(rChebyshevTFillPolyIQ(3, nullptr), kErrMissingOutputBuffer);
  EXPECT_EQ(rChebyshevUFillPolyIQ(0, nullptr), kErrMissingOutputBuffer);

  Dword error = 99;
  double* t = rChebyshevTNewPoly(&error, 6);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(t[6], 32);
  EXPECT_EQ(t[0], -1);
  RArrKill(&t);
  EXPECT_EQ(t, nullptr);
  Qlong* u = rChebyshevUNewPolyIQ(&error, 5);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(u[5], 32);
  EXPECT_EQ(u[1], 6);
  IQArrKill(&u);
  double* z = rChebyshevUNewPoly(nullptr, 0);  // no error word wanted
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(z[0], 1);
  RArrKill(&z);
  EXPECT_EQ(rChebyshevTNewPolyIQ(&error, ~Qword{0}), nullptr);
  EXPECT_EQ(error, kErrAlloc);

  // Failing allocations: the array itself, then each working array; every
  // block is released (the sanitizer build checks for leaks).
  for (Qlong ok = 0; ok < 3; ++ok) {
    AllocFailureGuard fail(ok);
    error = 0;
    EXPECT_EQ(rChebyshevTNewPoly(&error, 9), nullptr) << ok;
    EXPECT_EQ(error, kErrAlloc) << ok;
    fail.FailAfter(ok);
    error = 0;
    EXPECT_EQ(rChebyshevUNewPolyIQ(&error, 9), nullptr) << ok;
    EXPECT_EQ(error, kErrAlloc) << ok;
    fail.FailAfter(ok);
    double p[10];
    EXPECT_EQ(rChebyshevUFillPoly(9, p), ok < 2 ? kErrAlloc : 0u) << ok;
    fail.Release();
  }
}

// Singular values alone of tall complex matrices, which go through the
// triangular factor of a QR decomposition: against reference LAPACK's
// zgesvd, against exact singular values of matrices built exactly from
// unitary Hadamard factors, and no less accurate than the decomposition
// with V (the original path, whose values are those job 0 gave before).
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "complexvec/cmat_svd.h"
#include "zlapack_ref.h"

namespace {

typedef std::vector<COMPLEX> CVec;
constexpr double kEpsilon = DBL_EPSILON;

CVec Uniform(size_t count, unsigned seed) {
  std::mt19937_64 g(seed);
  CVec v(count);
  for (COMPLEX& z : v) {
    z.re = static_cast<double>(g() >> 11) * 0x1p-52 - 1.0;
    z.im = static_cast<double>(g() >> 11) * 0x1p-52 - 1.0;
  }
  return v;
}

// Sylvester's Hadamard matrix of order 2^k (k even) with rows permuted and
// multiplied by random powers of i, divided by 2^(k/2): exactly unitary.
CVec ExactUnitary(int k, unsigned seed) {
  const int n = 1 << k;
  std::mt19937_64 g(seed);
  std::vector<int> perm(n);
  for (int i = 0; i < n; ++i) perm[i] = i;
  std::shuffle(perm.begin(), perm.end(), g);
  const double scale = std::ldexp(1.0, -k / 2);
  const COMPLEX phases[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  CVec Q(static_cast<size_t>(n) * n);
  for (int i = 0; i < n; ++i) {
    const COMPLEX ph = phases[g() & 3];
    for (int j = 0; j < n; ++j) {
      const double h = scale * (__builtin_popcount(perm[i] & j) % 2 ? -1 : 1);
      Q[i + static_cast<size_t>(n) * j] = COMPLEX(h * ph.re, h * ph.im);
    }
  }
  return Q;
}

// A = Q1(:, 1..p) diag(d) Q2^H with powers of two d within 40 binary orders:
// every part of every element is a sum of +-d/2^s, so exact.
CVec ExactProduct(int k1, int k2, const std::vector<double>& d, unsigned seed) {
  const int m = 1 << k1, p = 1 << k2;
  const CVec Q1 = ExactUnitary(k1, seed), Q2 = ExactUnitary(k2, seed + 1);
  CVec A(static_cast<size_t>(m) * p);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < p; ++j) {
      COMPLEX s(0.0, 0.0);
      for (int l = 0; l < p; ++l) {
        const COMPLEX q2c(Q2[j + p * l].re, -Q2[j + p * l].im);
        s = s + (d[l] * Q1[i + m * l]) * q2c;
      }
      A[i + m * j] = s;
    }
  return A;
}

// Real parts of the values of job 0 (the triangle path) and of job 1.
void BothPaths(const CVec& A, int m, int n, std::vector<double>* fast,
               std::vector<double>* classic) {
  CVec U(static_cast<size_t>(m) * m), V(static_cast<size_t>(n) * n), s(n, COMPLEX(-1, -1));
  ASSERT_EQ(CMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), 0), 0u);
  fast->clear();
  for (const COMPLEX& z : s) {
    EXPECT_EQ(z.im, 0.0);
    fast->push_back(z.re);
  }
  ASSERT_EQ(CMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), 1), 0u);
  classic->clear();
  for (const COMPLEX& z : s) classic->push_back(z.re);
}

TEST(CMatSVDValues, TallAgainstZgesvd) {
  struct Case {
    int m, n;
    double scale;
  };
  const Case cases[] = {{16, 10, 1},  {2, 1, 1},   {30, 1, 1},         {100, 12, 1},
                        {200, 70, 1}, {50, 20, 1}, {50, 20, 0x1p-540}, {50, 20, 0x1p+500}};
  unsigned seed = 11;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.m << " x " << c.n << " scale " << c.scale);
    const CVec B = Uniform(static_cast<size_t>(c.m) * c.n, seed++);
    CVec A = B;
    for (COMPLEX& z : A) z = COMPLEX(z.re * c.scale, z.im * c.scale);
    std::vector<double> fast, classic;
    BothPaths(A, c.m, c.n, &fast, &classic);
    const zlapack::Svd ref = zlapack::Decompose(B, c.m, c.n);
    ASSERT_TRUE(ref.ok);
    const double tol = 16.0 * c.m * kEpsilon * ref.s[0];
    for (int i = 0; i < c.n; ++i) {
      EXPECT_NEAR(fast[i] / c.scale, ref.s[i], tol) << i;
      EXPECT_GE(fast[i], 0.0) << i;
      if (i > 0) {
        EXPECT_LE(fast[i], fast[i - 1]) << i;
      }
    }
  }
}

TEST(CMatSVDValues, ExactSingularValuesNoWorseThanBefore) {
  struct Case {
    int k1, k2;
    std::vector<int> exponents;  // d = 2^e; 1000 stands for a zero value
  };
  const Case cases[] = {
      {6, 4, {10, 9, 7, 7, 7, 3, 0, -1, -5, -8, -12, -15, -20, -24, -27, -29}},
      {6, 2, {0, -20, -25, 1000}},
      {4, 2, {3, 3, 1000, -30}},
  };
  unsigned seed = 70;
  for (const Case& c : cases) {
    const int m = 1 << c.k1, n = 1 << c.k2;
    SCOPED_TRACE(::testing::Message() << m << " x " << n);
    std::vector<double> d;
    for (int e : c.exponents) d.push_back(e == 1000 ? 0.0 : std::ldexp(1.0, e));
    const CVec A = ExactProduct(c.k1, c.k2, d, seed++);
    std::vector<double> fast, classic;
    BothPaths(A, m, n, &fast, &classic);
    std::sort(d.begin(), d.end(), [](double a, double b) { return a > b; });
    double worst_fast = 0, worst_classic = 0;
    for (int i = 0; i < n; ++i) {
      worst_fast = std::max(worst_fast, std::fabs(fast[i] - d[i]));
      worst_classic = std::max(worst_classic, std::fabs(classic[i] - d[i]));
    }
    EXPECT_LE(worst_fast, 8 * n * kEpsilon * d[0]);
    EXPECT_LE(worst_fast, 4 * std::max(worst_classic, kEpsilon * d[0]));
  }
}

// Elements whose norms overflow: no decomposition, status 35, no hang.
TEST(CMatSVDValues, OverflowEndsWith35) {
  CVec A(40 * 4, COMPLEX(1.5e308, -1.5e308)), U(40 * 40), s(4), V(16);
  EXPECT_EQ(CMatSVD(A.data(), 40, 4, U.data(), s.data(), V.data(), 0), 35u);
}

}  // namespace

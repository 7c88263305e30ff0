// Singular values alone of tall matrices, which go through the triangular
// factor of a QR decomposition: against the reference LAPACK, against exact
// singular values of matrices built exactly from Hadamard factors, and no
// less accurate than the decomposition with vectors (which keeps the
// original path and so gives the values the job-0 path gave before).
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "lapack_ref.h"

namespace {

typedef std::vector<double> Vec;
constexpr double kEpsilon = DBL_EPSILON;

Vec Uniform(size_t count, unsigned seed) {
  std::mt19937_64 g(seed);
  Vec v(count);
  for (double& x : v) x = static_cast<double>(g() >> 11) * 0x1p-52 - 1.0;
  return v;
}

// Sylvester's Hadamard matrix of order 2^k with rows permuted and signs
// flipped at random, divided by 2^(k/2) (k must be even): exactly orthogonal, every
// entry +-2^(-k/2).
Vec ExactOrthogonal(int k, unsigned seed) {
  const int n = 1 << k;
  std::mt19937_64 g(seed);
  std::vector<int> perm(n);
  for (int i = 0; i < n; ++i) perm[i] = i;
  std::shuffle(perm.begin(), perm.end(), g);
  const double scale = std::ldexp(1.0, -k / 2);
  Vec Q(static_cast<size_t>(n) * n);
  for (int i = 0; i < n; ++i) {
    const double sign = g() & 1 ? -1.0 : 1.0;
    for (int j = 0; j < n; ++j)
      Q[i + static_cast<size_t>(n) * j] =
          sign * scale * (__builtin_popcount(perm[i] & j) % 2 ? -1 : 1);
  }
  return Q;
}

// A = Q1(:, 1..p) diag(d) Q2^T, rows 2^k1, cols p = 2^k2. Every d is a
// power of two within 40 binary orders, so each element, a sum of +-d/2^s,
// is exact: the singular values of A are d exactly.
Vec ExactProduct(int k1, int k2, const Vec& d, unsigned seed) {
  const int m = 1 << k1, p = 1 << k2;
  const Vec Q1 = ExactOrthogonal(k1, seed), Q2 = ExactOrthogonal(k2, seed + 1);
  Vec A(static_cast<size_t>(m) * p, 0.0);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < p; ++j) {
      double s = 0;
      for (int l = 0; l < p; ++l) s += Q1[i + m * l] * d[l] * Q2[j + p * l];
      A[i + m * j] = s;
    }
  return A;
}

// Values of job 0 (the triangle path) and of job 1 (V only: the original
// path, whose values are those job 0 gave before).
void BothPaths(const Vec& A0, int m, int n, Vec* fast, Vec* classic) {
  Vec A = A0, V(static_cast<size_t>(n) * n);
  fast->assign(n, -1.0);
  classic->assign(n, -1.0);
  ASSERT_EQ(RMatSVD(A.data(), m, n, nullptr, fast->data(), nullptr, 0), 0u);
  A = A0;
  ASSERT_EQ(RMatSVD(A.data(), m, n, nullptr, classic->data(), V.data(), 1), 0u);
}

TEST(RMatSVDValues, TallAgainstReference) {
  struct Case {
    int m, n;
    double scale;
    bool graded, zero_column;
  };
  const Case cases[] = {
      {16, 10, 1, false, false},    {17, 10, 1, false, false},  {2, 1, 1, false, false},
      {30, 1, 1, false, false},     {100, 12, 1, false, false}, {500, 40, 1, false, false},
      {200, 120, 1, false, false},  {60, 20, 1, true, false},   {60, 20, 1e-160, false, false},
      {60, 20, 1e150, false, true}, {40, 9, 1, false, true},
  };
  unsigned seed = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.m << " x " << c.n << " scale " << c.scale);
    const Vec B = Uniform(static_cast<size_t>(c.m) * c.n, seed++);
    Vec A(B.size()), Bref = B;
    for (int j = 0; j < c.n; ++j)
      for (int i = 0; i < c.m; ++i) {
        double& b = Bref[i + c.m * j];
        if (c.graded) b *= std::pow(10.0, -0.6 * j);
        if (c.zero_column && j == 2) b = 0.0;
        A[i + c.m * j] = b * c.scale;
      }
    Vec fast, classic;
    BothPaths(A, c.m, c.n, &fast, &classic);
    const Vec ref = lapack::SingularValues(Bref, c.m, c.n);
    ASSERT_EQ(static_cast<int>(ref.size()), c.n);
    const double tol = 20.0 * c.m * kEpsilon * ref[0];
    for (int i = 0; i < c.n; ++i) {
      EXPECT_NEAR(fast[i] / c.scale, ref[i], tol) << i;
      EXPECT_GE(fast[i], 0.0) << i;
      if (i > 0) {
        EXPECT_LE(fast[i], fast[i - 1]) << i;
      }
    }
  }
}

TEST(RMatSVDValues, ExactSingularValuesNoWorseThanBefore) {
  struct Case {
    int k1, k2;
    std::vector<int> exponents;  // d = 2^e; 1000 stands for a zero value
  };
  const Case cases[] = {
      {6, 4, {10, 9, 7, 7, 7, 3, 0, -1, -5, -8, -12, -15, -20, -24, -27, -29}},
      {6, 2, {0, -20, -25, 1000}},
      {4, 2, {3, 3, 1000, -30}},
      {4, 4, {3, 3, 3, 3, 1000, 1000, -30, -30, 2, 1, 0, -1, -2, -3, -4, 1000}},
      {8, 4, {12, 0, -3, -6, -9, -12, -15, -18, -21, -24, -27, 1000, 1000, -2, 5, -26}},
  };
  unsigned seed = 50;
  for (const Case& c : cases) {
    const int m = 1 << c.k1, n = 1 << c.k2;
    SCOPED_TRACE(::testing::Message() << m << " x " << n);
    Vec d;
    for (int e : c.exponents) d.push_back(e == 1000 ? 0.0 : std::ldexp(1.0, e));
    const Vec A = ExactProduct(c.k1, c.k2, d, seed++);
    Vec fast, classic;
    BothPaths(A, m, n, &fast, &classic);
    std::sort(d.begin(), d.end(), [](double a, double b) { return a > b; });
    double worst_fast = 0, worst_classic = 0;
    for (int i = 0; i < n; ++i) {
      worst_fast = std::max(worst_fast, std::fabs(fast[i] - d[i]));
      worst_classic = std::max(worst_classic, std::fabs(classic[i] - d[i]));
    }
    // Absolute accuracy to a small multiple of eps times the largest value,
    // for the tiny values too (a method that squared A would lose them).
    EXPECT_LE(worst_fast, 8 * n * kEpsilon * d[0]);
    EXPECT_LE(worst_fast, 4 * std::max(worst_classic, kEpsilon * d[0]));
  }
}

// Below 1.6 rows per column, and with any vector, the original path runs:
// the values match those of the job with V exactly.
TEST(RMatSVDValues, OtherShapesKeepTheOriginalPath) {
  for (auto [m, n] : {std::pair{15, 10}, {10, 10}, {10, 15}}) {
    const Vec A = Uniform(static_cast<size_t>(m) * n, 77);
    Vec fast, classic;
    BothPaths(A, m, n, &fast, &classic);
    for (int i = 0; i < std::min(m, n); ++i) EXPECT_EQ(fast[i], classic[i]) << m << "x" << n;
  }
}

// Elements whose norms overflow: no decomposition, status 39, no hang.
TEST(RMatSVDValues, OverflowEndsWith39) {
  Vec A(40 * 4, 1.5e308), s(4);
  for (size_t i = 1; i < A.size(); i += 3) A[i] = -A[i];
  EXPECT_EQ(RMatSVD(A.data(), 40, 4, nullptr, s.data(), nullptr, 0), 39u);
}

}  // namespace

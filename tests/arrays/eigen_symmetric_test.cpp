#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "base/memory.h"
#include "lapack_ref.h"
#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {

typedef std::vector<double> Vec;

TEST(RMatDiagonalize, TwoByTwoAndTrivialSizes) {
  double A[4] = {2, 1, 1, 2}, w[2];
  ASSERT_EQ(RMatDiagonalize(A, 2, w), 0u);
  EXPECT_NEAR(w[0], 1.0, 4 * kEps);
  EXPECT_NEAR(w[1], 3.0, 4 * kEps);
  const double h = std::sqrt(0.5);
  EXPECT_NEAR(A[0], h, 4 * kEps);
  EXPECT_NEAR(A[1], -h, 4 * kEps);
  EXPECT_NEAR(A[2], h, 4 * kEps);
  EXPECT_NEAR(A[3], h, 4 * kEps);
  double one[1] = {-2.5}, w1[1];
  ASSERT_EQ(RMatDiagonalize(one, 1, w1), 0u);
  EXPECT_EQ(w1[0], -2.5);
  EXPECT_EQ(one[0], 1.0);
  EXPECT_EQ(RMatDiagonalize(one, 0, w1), 26u);
  EXPECT_EQ(RMatDiagonalize(nullptr, 2, w1), 14u);
  EXPECT_EQ(RMatDiagonalize(A, 2, nullptr), 18u);
  double d[2], e[2];
  EXPECT_EQ(RMatTriDiagonalize(nullptr, 2, d, e), 14u);
  EXPECT_EQ(RMatTriDiQL(A, 2, d, nullptr), 18u);
  EXPECT_EQ(RMatTriDiQL(A, 0, d, e), 26u);
  AllocFailureGuard fail(0);
  double B[4] = {2, 1, 1, 2};
  EXPECT_EQ(RMatDiagonalize(B, 2, w), 0x80001u);
  fail.FailAfter(1);
  EXPECT_EQ(RMatDiagonalize(B, 2, w), 0x80001u);
  fail.Release();
  EXPECT_EQ(B[1], 1.0);
}

// Eigenvalues against the reference, residuals |Av - wv| and orthogonality.
void CheckAgainstReference(const Vec& A0, int n, const char* what) {
  Vec A = A0, w(n);
  ASSERT_EQ(RMatDiagonalize(A.data(), n, w.data()), 0u) << what;
  const Vec ref = lapack::SymEigenvalues(A0, n);
  ASSERT_EQ(static_cast<int>(ref.size()), n);
  double norm = 0;
  for (double v : ref) norm = std::max(norm, std::fabs(v));
  Vec sorted = w;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < n; ++i) EXPECT_NEAR(sorted[i], ref[i], 20 * n * kEps * norm) << what << i;
  double resid = 0, orth = 0;
  for (int k = 0; k < n; ++k) {
    for (int i = 0; i < n; ++i) {
      double s = 0;
      for (int j = 0; j < n; ++j) s += A0[i + n * j] * A[j + n * k];
      resid = std::max(resid, std::fabs(s - w[k] * A[i + n * k]));
    }
    for (int l = 0; l < n; ++l) {
      double s = 0;
      for (int i = 0; i < n; ++i) s += A[i + n * k] * A[i + n * l];
      orth = std::max(orth, std::fabs(s - (k == l ? 1.0 : 0.0)));
    }
  }
  EXPECT_LT(resid, 20 * n * kEps * norm) << what;
  EXPECT_LT(orth, 20 * n * kEps) << what;
}

TEST(RMatDiagonalize, RandomSymmetricAgainstReference) {
  for (int n : {2, 3, 10, 57}) {
    std::mt19937_64 g(n);
    std::uniform_real_distribution<double> u(-1, 1);
    Vec A(n * n);
    for (int j = 0; j < n; ++j)
      for (int i = 0; i <= j; ++i) A[i + n * j] = A[j + n * i] = u(g);
    CheckAgainstReference(A, n, "random");
  }
}

// Wilkinson's W21+: pairs of nearly equal eigenvalues.
TEST(RMatDiagonalize, WilkinsonW21Plus) {
  const int n = 21;
  Vec A(n * n, 0.0);
  for (int i = 0; i < n; ++i) {
    A[i + n * i] = std::fabs(10.0 - i);
    if (i + 1 < n) A[i + n * (i + 1)] = A[(i + 1) + n * i] = 1.0;
  }
  CheckAgainstReference(A, n, "W21+");
}

TEST(RMatDiagonalize, ExtremeScales) {
  const int n = 12;
  std::mt19937_64 g(3);
  std::uniform_real_distribution<double> u(-1, 1);
  Vec B(n * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i <= j; ++i) B[i + n * j] = B[j + n * i] = u(g);
  for (double scale : {1e200, 1e-200}) {
    Vec A(n * n);
    for (int i = 0; i < n * n; ++i) A[i] = B[i] * scale;
    Vec V = A, w(n);
    ASSERT_EQ(RMatDiagonalize(V.data(), n, w.data()), 0u);
    const Vec ref = lapack::SymEigenvalues(B, n);
    double norm = 0;
    for (double v : ref) norm = std::max(norm, std::fabs(v));
    std::sort(w.begin(), w.end());
    for (int i = 0; i < n; ++i) EXPECT_NEAR(w[i] / scale, ref[i], 20 * n * kEps * norm) << scale;
  }
}

// The row-wise Householder reduction exactly as described, 1-based; the
// library's column-wise form must give the same bits.
void TriDiagonalizeRowWise(Vec& a, int n, Vec& dv, Vec& ev) {
  auto A = [&](int r, int c) -> double& { return a[(r - 1) + n * (c - 1)]; };
  auto d = [&](int i) -> double& { return dv[i - 1]; };
  auto e = [&](int i) -> double& { return ev[i - 1]; };
  for (int i = n; i >= 2; --i) {
    const int l = i - 1;
    double h = 0;
    if (l > 1) {
      double scale = 0;
      for (int k = 1; k <= l; ++k) scale += std::fabs(A(i, k));
      if (scale == 0) {
        e(i) = A(i, l);
      } else {
        for (int k = 1; k <= l; ++k) {
          A(i, k) /= scale;
          h += A(i, k) * A(i, k);
        }
        double f = A(i, l);
        double g = f >= 0 ? -std::sqrt(h) : std::sqrt(h);
        e(i) = scale * g;
        h -= f * g;
        A(i, l) = f - g;
        f = 0;
        for (int j = 1; j <= l; ++j) {
          A(j, i) = A(i, j) / h;
          g = 0;
          for (int k = 1; k <= j; ++k) g += A(j, k) * A(i, k);
          for (int k = j + 1; k <= l; ++k) g += A(k, j) * A(i, k);
          e(j) = g / h;
          f += e(j) * A(i, j);
        }
        const double hh = f / (h + h);
        for (int j = 1; j <= l; ++j) {
          f = A(i, j);
          e(j) = g = e(j) - hh * f;
          for (int k = 1; k <= j; ++k) A(j, k) -= (f * e(k) + g * A(i, k));
        }
      }
    } else {
      e(i) = A(i, l);
    }
    d(i) = h;
  }
  d(1) = 0;
  e(1) = 0;
  for (int i = 1; i <= n; ++i) {
    const int l = i - 1;
    if (d(i) != 0) {
      for (int j = 1; j <= l; ++j) {
        double g = 0;
        for (int k = 1; k <= l; ++k) g += A(i, k) * A(k, j);
        for (int k = 1; k <= l; ++k) A(k, j) -= g * A(k, i);
      }
    }
    d(i) = A(i, i);
    A(i, i) = 1;
    for (int j = 1; j <= l; ++j) A(j, i) = A(i, j) = 0;
  }
}

TEST(RMatTriDiagonalize, SameBitsAsTheRowWiseReduction) {
  for (int n : {1, 2, 3, 4, 5, 6, 9, 17, 40}) {
    std::mt19937_64 g(100 + n);
    std::uniform_real_distribution<double> u(-1, 1);
    Vec A(n * n);
    for (int j = 0; j < n; ++j)
      for (int i = 0; i <= j; ++i) A[i + n * j] = A[j + n * i] = u(g);
    if (n == 6) A[5 + 6 * 0] = A[5 + 6 * 1] = A[5 + 6 * 2] = A[5 + 6 * 3] = A[5 + 6 * 4] = 0;
    if (n == 17)  // two blocks: a row with nothing to reduce between two that have
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
          if ((i < 8) != (j < 8)) A[i + n * j] = 0;
    Vec B = A, d(n), e(n), rd(n), re(n);
    ASSERT_EQ(RMatTriDiagonalize(A.data(), n, d.data(), e.data()), 0u);
    TriDiagonalizeRowWise(B, n, rd, re);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(d[i], rd[i]) << n << " " << i;
      EXPECT_EQ(e[i], re[i]) << n << " " << i;
    }
    for (int i = 0; i < n * n; ++i) EXPECT_EQ(A[i], B[i]) << n << " " << i;
  }
}

TEST(RMatDiagonalize, NonFiniteInputStops) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Vec A = {1, 2, 0, 2, nan, 1, 0, 1, 3};
  Vec w(3);
  EXPECT_EQ(RMatDiagonalize(A.data(), 3, w.data()), 3u);
}

}  // namespace

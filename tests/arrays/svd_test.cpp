#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "arrays/rmat.h"
#include "arrays/rmat_linalg.h"
#include "base/memory.h"
#include "lapack_ref.h"
#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {

typedef std::vector<double> Vec;

Vec Random(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  Vec v(n);
  for (auto& x : v) x = u(g);
  return v;
}

double Frobenius(const Vec& A) {
  double s = 0;
  for (double x : A) s += x * x;
  return std::sqrt(s);
}

// Largest |Q^T Q - I| over the first k columns of the m-row matrix Q.
double OrthogonalityError(const Vec& Q, int m, int k) {
  double worst = 0;
  for (int a = 0; a < k; ++a)
    for (int b = 0; b < k; ++b) {
      double s = 0;
      for (int i = 0; i < m; ++i) s += Q[i + m * a] * Q[i + m * b];
      worst = std::max(worst, std::fabs(s - (a == b ? 1.0 : 0.0)));
    }
  return worst;
}

// Orthogonal n x n matrix: a product of three Householder reflections.
Vec RandomOrthogonal(int n, unsigned seed) {
  Vec Q(n * n, 0.0);
  for (int i = 0; i < n; ++i) Q[i + n * i] = 1.0;
  for (int r = 0; r < 3; ++r) {
    const Vec v = Random(n, seed + r);
    double vv = 0;
    for (double x : v) vv += x * x;
    for (int j = 0; j < n; ++j) {
      double s = 0;
      for (int i = 0; i < n; ++i) s += v[i] * Q[i + n * j];
      for (int i = 0; i < n; ++i) Q[i + n * j] -= 2.0 * v[i] * s / vv;
    }
  }
  return Q;
}

TEST(RMatSVD, ArgumentChecks) {
  double A[4] = {1, 2, 3, 4}, s[3], U[4], V[4];
  EXPECT_EQ(RMatSVD(nullptr, 2, 2, U, s, V, 11), 22u);
  EXPECT_EQ(RMatSVD(A, 0, 2, U, s, V, 11), 22u);
  EXPECT_EQ(RMatSVD(A, 2, 0, U, s, V, 11), 22u);
  EXPECT_EQ(RMatSVD(A, 2, 2, U, nullptr, V, 11), 18u);
  EXPECT_EQ(RMatSVD(A, 2, 2, nullptr, s, V, 11), 18u);
  EXPECT_EQ(RMatSVD(A, 2, 2, U, s, nullptr, 11), 18u);
  EXPECT_EQ(RMatSVD(A, 2, 2, nullptr, s, nullptr, 0), 0u);  // only s
  const Vec ref = lapack::SingularValues({1, 2, 3, 4}, 2, 2);
  EXPECT_NEAR(s[0], ref[0], 40 * kEps * ref[0]);
  EXPECT_NEAR(s[1], ref[1], 40 * kEps * ref[0]);
  double B[4] = {1, 2, 3, 4};
  EXPECT_EQ(RMatSVD(B, 2, 2, nullptr, s, V, 101), 0u);  // digits above the tens ignored
}

TEST(RMatSVD, DiagonalGivesSignsAndOrder) {
  double A[4] = {1, 0, 0, 3}, s[2], U[4], V[4];
  ASSERT_EQ(RMatSVD(A, 2, 2, U, s, V, 11), 0u);
  EXPECT_EQ(s[0], 3.0);
  EXPECT_EQ(s[1], 1.0);
  const double want[4] = {0, 1, -1, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(U[i], want[i]) << i;
    EXPECT_EQ(V[i], want[i]) << i;
  }
}

TEST(RMatSVD, WideMatrixWritesOneMoreValue) {
  double A[6] = {1, 4, 2, 5, 3, 6}, s[3] = {-1, -1, -1}, V[9];
  ASSERT_EQ(RMatSVD(A, 2, 3, nullptr, s, V, 1), 0u);
  EXPECT_EQ(s[2], 0.0);
  const Vec ref = lapack::SingularValues({1, 4, 2, 5, 3, 6}, 2, 3);
  EXPECT_NEAR(s[0], ref[0], 20 * 3 * kEps * ref[0]);
  EXPECT_NEAR(s[1], ref[1], 20 * 3 * kEps * ref[0]);
}

TEST(RMatSVD, ThinWritesOnlyMinColumnsOfU) {
  Vec A = Random(8, 4);
  Vec U(8 + 4, 1234.5), s(2), V(4);
  ASSERT_EQ(RMatThinSVD(A.data(), 4, 2, U.data(), s.data(), V.data()), 0u);
  for (int i = 8; i < 12; ++i) EXPECT_EQ(U[i], 1234.5);
  EXPECT_LT(OrthogonalityError(U, 4, 2), 10 * kEps);
}

// Singular values against the reference, reconstruction and orthogonality,
// for the full and the thin forms.
TEST(RMatSVD, ShapesAgainstReference) {
  const int shapes[][2] = {{40, 25}, {25, 40}, {7, 1}, {1, 7}, {1, 1}, {2, 2}, {60, 60}};
  for (auto [m, n] : shapes)
    for (Dword job : {11u, 22u}) {
      const Vec A0 = Random(m * n, m * 131 + n);
      const int k = std::min(m, n), ucols = job == 11 ? m : k;
      Vec A = A0, U(m * ucols), s(std::min(m + 1, n)), V(n * n);
      ASSERT_EQ(RMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), job), 0u);
      const Vec ref = lapack::SingularValues(A0, m, n);
      ASSERT_EQ(static_cast<int>(ref.size()), k);
      const double tol = 20.0 * std::max(m, n) * kEps * ref[0];
      for (int i = 0; i < k; ++i) {
        EXPECT_NEAR(s[i], ref[i], tol) << m << "x" << n << " job " << job << " i " << i;
        EXPECT_GE(s[i], 0.0);
        if (i > 0) {
          EXPECT_LE(s[i], s[i - 1]);
        }
      }
      EXPECT_LT(OrthogonalityError(U, m, ucols), 50 * std::max(m, n) * kEps);
      EXPECT_LT(OrthogonalityError(V, n, n), 50 * std::max(m, n) * kEps);
      Vec R(m * n);
      if (job == 11) {
        ASSERT_EQ(RMatFromSVD(R.data(), m, n, U.data(), s.data(), V.data()), 0u);
      } else if (m >= n) {
        ASSERT_EQ(RMatFromThinSVD(R.data(), m, n, U.data(), s.data(), V.data()), 0u);
      } else {
        // The thin rebuild reads cols columns of U and cols values of s.
        Vec Uw(m * n, 0.0), sw(n, 0.0);
        std::copy(U.begin(), U.end(), Uw.begin());
        std::copy(s.begin(), s.begin() + k, sw.begin());
        ASSERT_EQ(RMatFromThinSVD(R.data(), m, n, Uw.data(), sw.data(), V.data()), 0u);
      }
      Vec D(m * n);
      for (int i = 0; i < m * n; ++i) D[i] = R[i] - A0[i];
      EXPECT_LT(Frobenius(D), 1e-13 * Frobenius(A0)) << m << "x" << n << " job " << job;
    }
}

// Small singular values come out to full absolute accuracy: a method that
// squares the matrix would lose everything below 1e-8.
TEST(RMatSVD, SmallSingularValuesAbsolute) {
  const int n = 3;
  const Vec Q1 = RandomOrthogonal(n, 17), Q2 = RandomOrthogonal(n, 29);
  const double d[3] = {1.0, 1e-8, 1e-12};
  Vec A(n * n, 0.0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) A[i + n * j] += Q1[i + n * k] * d[k] * Q2[j + n * k];
  for (Dword job : {0u, 11u}) {
    Vec W = A, U(9), s(3), V(9);
    ASSERT_EQ(RMatSVD(W.data(), n, n, U.data(), s.data(), V.data(), job), 0u);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(s[i], d[i], 1e-15) << i;
  }
}

// Entries near 1e-160: the squares underflow, the scaled norms do not.
TEST(RMatSVD, TinyEntriesScale) {
  const int m = 12, n = 9;
  const Vec B = Random(m * n, 77);
  Vec A(m * n);
  for (int i = 0; i < m * n; ++i) A[i] = B[i] * 1e-160;
  Vec U(m * m), s(n), V(n * n), A0 = A;
  ASSERT_EQ(RMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), 11), 0u);
  const Vec ref = lapack::SingularValues(B, m, n);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(s[i] / 1e-160, ref[i], 20 * m * kEps * ref[0]) << i;
  Vec R(m * n);
  ASSERT_EQ(RMatFromSVD(R.data(), m, n, U.data(), s.data(), V.data()), 0u);
  double worst = 0;
  for (int i = 0; i < m * n; ++i) worst = std::max(worst, std::fabs(R[i] - A0[i]) / 1e-160);
  EXPECT_LT(worst, 1e-13 * Frobenius(B));
}

// No decomposition exists: the call ends with 39 and never hangs.
TEST(RMatSVD, NonFiniteInputEndsWith39) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (double v : bad)
    for (auto [m, n] : {std::pair{1, 1}, {3, 3}, {5, 2}, {2, 5}})
      for (Dword job : {0u, 11u, 22u}) {
        Vec A = Random(m * n, 5);
        A[(m * n) / 2] = v;
        Vec U(m * m), s(n + 1), V(n * n);
        EXPECT_EQ(RMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), job), 39u)
            << v << " " << m << "x" << n << " job " << job;
      }
  // Finite entries whose norm overflows.
  double A[4] = {1.5e308, 1.5e308, 1.5e308, -1.5e308}, s[2], U[4], V[4];
  EXPECT_EQ(RMatSVD(A, 2, 2, U, s, V, 11), 39u);
}

TEST(RMatSVD, AllocationFailureWritesNothing) {
  Vec A = Random(12, 3), s(3, -7.0), U(16), V(9);
  AllocFailureGuard fail(0);
  EXPECT_EQ(RMatSVD(A.data(), 4, 3, U.data(), s.data(), V.data(), 11), 0x80001u);
  fail.FailAfter(1);
  EXPECT_EQ(RMatSVD(A.data(), 4, 3, U.data(), s.data(), V.data(), 11), 0x80001u);
  fail.Release();
  for (double x : s) EXPECT_EQ(x, -7.0);
}

TEST(RMatFromSVD, ChecksAndBothShapes) {
  double A[6], U[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, s[3] = {1, 1, 1},
               V[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  EXPECT_EQ(RMatFromSVD(A, 0, 2, U, s, V), 22u);
  EXPECT_EQ(RMatFromSVD(A, 2, 2, U, nullptr, V), 22u);
  EXPECT_EQ(RMatFromSVD(nullptr, 2, 2, U, s, V), 18u);
  // A null or empty factor is refused, not reported as success.
  EXPECT_EQ(RMatFromThinSVD(A, 2, 2, nullptr, s, V), 22u);
  EXPECT_EQ(RMatFromThinSVD(A, 0, 2, U, s, V), 22u);
  EXPECT_EQ(RMatFromThinSVD(A, 2, 0, U, s, V), 22u);
  EXPECT_EQ(RMatFromThinSVD(A, 2, 2, U, s, nullptr), 22u);
  EXPECT_EQ(RMatFromThinSVD(A, 2, 2, U, nullptr, V), 18u);
  EXPECT_EQ(RMatFromThinSVD(nullptr, 2, 2, U, s, V), 18u);
  for (auto [m, n] : {std::pair{2, 3}, {3, 2}}) {
    const Vec A0 = Random(m * n, 40 + m);
    Vec W = A0, Uf(m * m), sf(3), Vf(n * n), R(m * n);
    ASSERT_EQ(RMatSVD(W.data(), m, n, Uf.data(), sf.data(), Vf.data(), 11), 0u);
    ASSERT_EQ(RMatFromSVD(R.data(), m, n, Uf.data(), sf.data(), Vf.data()), 0u);
    for (int i = 0; i < m * n; ++i) EXPECT_NEAR(R[i], A0[i], 1e-14);
  }
}

TEST(RMatSVDBacksub, SkipsZeroValuesAndWorksInPlace) {
  // U = V = I, s = (2, 0): x = (b0/2, 0).
  const double I[4] = {1, 0, 0, 1}, s[2] = {2, 0};
  double b[2] = {3, 5}, x[2];
  EXPECT_EQ(RMatSVDBacksub(I, s, I, 2, 2, b, x), 0u);
  EXPECT_EQ(x[0], 1.5);
  EXPECT_EQ(x[1], 0.0);
  EXPECT_EQ(RMatSVDBacksub(I, s, I, 2, 2, b, b), 0u);
  EXPECT_EQ(b[0], 1.5);
  EXPECT_EQ(RMatSVDBacksub(nullptr, s, I, 2, 2, b, x), 14u);
  EXPECT_EQ(RMatSVDBacksub(I, s, I, 2, 2, b, nullptr), 18u);
}

TEST(SolveLinearSystemBySVD, ChecksAndExactSquare) {
  double A[4] = {2, 1, 1, 3}, b[2] = {5, 10}, x[2];
  EXPECT_EQ(SolveLinearSystemBySVD(nullptr, x, b, 2, 2, 0), 14u);
  EXPECT_EQ(SolveLinearSystemBySVD(A, x, nullptr, 2, 2, 0), 14u);
  EXPECT_EQ(SolveLinearSystemBySVD(A, nullptr, b, 2, 2, 0), 18u);
  EXPECT_EQ(SolveLinearSystemBySVD(A, x, b, 0, 2, 0), 22u);
  ASSERT_EQ(SolveLinearSystemBySVD(A, x, b, 2, 2, 0), 0u);
  // 2x + y = 5, x + 3y = 10: x = 1, y = 3.
  EXPECT_NEAR(x[0], 1.0, 4 * kEps);
  EXPECT_NEAR(x[1], 3.0, 8 * kEps);
  EXPECT_EQ(A[0], 2.0);  // A is not touched
  AllocFailureGuard fail(2);
  EXPECT_EQ(SolveLinearSystemBySVD(A, x, b, 2, 2, 0), 0x80001u);
  fail.Release();
}

TEST(SolveLinearSystemBySVD, ThresholdClearsOnlyTheSmallValues) {
  // diag(10, 1, 1e-5): threshold 1e-3 drops the third component only.
  double A[9] = {10, 0, 0, 0, 1, 0, 0, 0, 1e-5}, b[3] = {10, 2, 1}, x[3];
  ASSERT_EQ(SolveLinearSystemBySVD(A, x, b, 3, 3, 1e-3), 0u);
  EXPECT_NEAR(x[0], 1.0, 4 * kEps);
  EXPECT_NEAR(x[1], 2.0, 4 * kEps);
  EXPECT_EQ(x[2], 0.0);
}

// Against the reference minimum-norm least-squares solver with the same
// cut-off, placed in a gap of the spectrum so both keep the same rank.
TEST(SolveLinearSystemBySVD, AgainstReferenceLeastSquares) {
  struct Case {
    int m, n, rank;
    bool kernel;
  };
  for (Case c : {Case{3, 6, 3, false}, Case{20, 8, 5, false}, Case{200, 60, 60, true}}) {
    const int m = c.m, n = c.n;
    Vec A(m * n);
    if (c.kernel) {
      for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j)
          A[i + m * j] = std::exp(-(0.01 + 0.05 * i) * std::pow(10.0, -2.0 + 4.0 * j / (n - 1)));
    } else {
      const Vec L = Random(m * c.rank, m + 1), R = Random(c.rank * n, n + 2);
      for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
          double s = 0;
          for (int k = 0; k < c.rank; ++k) s += L[i + m * k] * R[k + c.rank * j];
          A[i + m * j] = s;
        }
    }
    const Vec b = Random(m, 99);
    const Vec sv = lapack::SingularValues(A, m, n);
    double threshold = 1e-10;
    for (size_t k = 0; k + 1 < sv.size(); ++k)
      if (sv[k + 1] < 1e-9 * sv[0]) {
        threshold = std::sqrt(sv[k] * sv[k + 1]) / sv[0];
        break;
      }
    Vec x(n);
    ASSERT_EQ(SolveLinearSystemBySVD(A.data(), x.data(), b.data(), m, n, threshold), 0u);
    const Vec ref = lapack::LeastSquares(A, m, n, b, threshold);
    ASSERT_EQ(static_cast<int>(ref.size()), n);
    const double scale = Frobenius(ref);
    // Perturbation bound of the truncated problem: the kept condition number
    // kappa, and kappa squared times the relative residual.
    double smallest = sv[0];
    for (double v : sv)
      if (v >= threshold * sv[0]) smallest = v;
    const double kappa = sv[0] / smallest;
    Vec r(b);
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < m; ++i) r[i] -= A[i + m * j] * ref[j];
    const double rel = Frobenius(r) / (sv[0] * scale);
    const double tol = 10.0 * std::max(m, n) * kEps * (kappa + kappa * kappa * rel) * scale;
    for (int j = 0; j < n; ++j)
      EXPECT_NEAR(x[j], ref[j], tol) << m << "x" << n << " j " << j << " kappa " << kappa;
  }
}

}  // namespace

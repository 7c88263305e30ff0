// The complex SVD against reference LAPACK's zgesvd: singular values,
// singular vectors up to a unit phase, unitarity, reconstruction; the
// worked small cases; argument and failure statuses.
#include "complexvec/cmat_svd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "arrays/svd_job.h"
#include "base/error_codes.h"
#include "support/alloc_failure.h"
#include "support/complex_accuracy.h"
#include "zlapack_ref.h"

namespace {

std::vector<COMPLEX> Random(int m, int n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  std::vector<COMPLEX> a(static_cast<size_t>(m) * n);
  for (COMPLEX& z : a) {
    z.re = d(g);
    z.im = d(g);
  }
  return a;
}

double Abs(COMPLEX z) { return std::hypot(z.re, z.im); }
COMPLEX Conj(COMPLEX z) { return COMPLEX(z.re, -z.im); }

// max |(X^H X - I)(i, j)| over the k columns of the r x k matrix X.
double UnitaryDefect(const std::vector<COMPLEX>& X, int r, int k) {
  double worst = 0;
  for (int a = 0; a < k; ++a)
    for (int b = 0; b < k; ++b) {
      COMPLEX s(0, 0);
      for (int i = 0; i < r; ++i) s = s + Conj(X[i + r * a]) * X[i + r * b];
      if (a == b) s = s - 1.0;
      worst = std::fmax(worst, Abs(s));
    }
  return worst;
}

struct Shape {
  int m, n;
  Dword job;
};

// Runs CMatSVD on A and checks it against zgesvd; tol in units of eps,
// relative to the largest singular value.
void CheckAgainstLapack(const std::vector<COMPLEX>& A, int m, int n, Dword job, double tol) {
  SCOPED_TRACE(::testing::Message() << m << " x " << n << " job " << job);
  const SvdJob jb = SvdJobDecode(job);
  const int k = m < n ? m : n;
  const int ns = n < m + 1 ? n : m + 1;
  const int ucols = jb.thin_u ? k : m;
  std::vector<COMPLEX> U(static_cast<size_t>(m) * m, COMPLEX(9, 9)), s(ns, COMPLEX(9, 9)),
      V(static_cast<size_t>(n) * n, COMPLEX(9, 9));
  const std::vector<COMPLEX> A0 = A;
  ASSERT_EQ(CMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), job), 0u);
  for (size_t i = 0; i < A.size(); ++i) ASSERT_TRUE(ctest::Identical(A[i], A0[i]));

  const zlapack::Svd ref = zlapack::Decompose(A, m, n);
  ASSERT_TRUE(ref.ok);
  const double s1 = ref.s[0];
  const double bound = tol * std::max(m, n) * kEps;
  for (int i = 0; i < ns; ++i) {
    const double want = i < k ? ref.s[i] : 0.0;
    EXPECT_EQ(s[i].im, 0.0) << i;
    EXPECT_GE(s[i].re, 0.0) << i;
    if (i > 0) {
      EXPECT_LE(s[i].re, s[i - 1].re) << i;
    }
    EXPECT_LE(std::fabs(s[i].re - want), bound * s1) << "singular value " << i;
  }
  if (jb.wantu) {
    EXPECT_LE(UnitaryDefect(U, m, ucols), bound) << "U^H U";
  }
  if (jb.wantv) {
    EXPECT_LE(UnitaryDefect(V, n, n), bound) << "V^H V";
  }
  if (jb.wantu && jb.wantv) {
    // A = U diag(s) V^H over the first k columns.
    double worst = 0;
    for (int i = 0; i < m; ++i)
      for (int j = 0; j < n; ++j) {
        COMPLEX t(0, 0);
        for (int l = 0; l < k; ++l) t = t + U[i + m * l] * s[l].re * Conj(V[j + n * l]);
        worst = std::fmax(worst, Abs(t - A[i + m * j]));
      }
    EXPECT_LE(worst, bound * s1) << "reconstruction";
  }
  // Columns of U and V match zgesvd's up to one unit phase per singular
  // value; the error allowed grows as the value nears its neighbours.
  for (int l = 0; l < k; ++l) {
    double gap = INFINITY;
    for (int j = 0; j < k; ++j)
      if (j != l) gap = std::fmin(gap, std::fabs(ref.s[l] - ref.s[j]) / s1);
    if (!(gap > 1e-6) || ref.s[l] < 1e-8 * s1) continue;
    const double vtol = bound / std::fmin(gap, 1.0);
    COMPLEX phase(1, 0);
    if (jb.wantu) {
      COMPLEX d(0, 0);
      for (int i = 0; i < m; ++i) d = d + Conj(ref.u[i + m * l]) * U[i + m * l];
      phase = d / Abs(d);
      double err = 0;
      for (int i = 0; i < m; ++i)
        err = std::fmax(err, Abs(U[i + m * l] - phase * ref.u[i + m * l]));
      EXPECT_LE(err, vtol) << "U column " << l;
    }
    if (jb.wantv) {
      // zgesvd gives V^H: column l of V is the conjugate of row l.
      COMPLEX d(0, 0);
      for (int j = 0; j < n; ++j) d = d + ref.vt[l + n * j] * V[j + n * l];
      const COMPLEX vphase = d / Abs(d);
      double err = 0;
      for (int j = 0; j < n; ++j)
        err = std::fmax(err, Abs(V[j + n * l] - vphase * Conj(ref.vt[l + n * j])));
      EXPECT_LE(err, vtol) << "V column " << l;
      // A v = s u fixes the same phase on both sides.
      if (jb.wantu) {
        EXPECT_LE(Abs(vphase - phase), vtol) << "phase " << l;
      }
    }
  }
}

}  // namespace

TEST(CMatSVD, AgreesWithZgesvdOnRandomMatrices) {
  const Shape shapes[] = {{1, 1, 11},  {3, 3, 11},   {6, 4, 11},   {4, 6, 11},   {7, 1, 11},
                          {1, 7, 11},  {20, 13, 11}, {13, 20, 11}, {30, 30, 11}, {25, 9, 21},
                          {9, 25, 21}, {12, 12, 1},  {12, 8, 10},  {8, 12, 0}};
  unsigned seed = 17;
  for (const Shape& sh : shapes)
    CheckAgainstLapack(Random(sh.m, sh.n, seed++), sh.m, sh.n, sh.job, 16);
}

TEST(CMatSVD, ScalesThroughTheWholeExponentRange) {
  // Powers of two scale exactly, so the reference is the unscaled matrix.
  const int m = 9, n = 6;
  const auto A = Random(m, n, 99);
  const zlapack::Svd ref = zlapack::Decompose(A, m, n);
  ASSERT_TRUE(ref.ok);
  for (int e2 : {-530, -1000, 500, 1000}) {
    SCOPED_TRACE(e2);
    std::vector<COMPLEX> B = A;
    for (COMPLEX& z : B) z = COMPLEX(std::ldexp(z.re, e2), std::ldexp(z.im, e2));
    std::vector<COMPLEX> U(m * m), s(n), V(n * n);
    ASSERT_EQ(CMatSVD(B.data(), m, n, U.data(), s.data(), V.data(), 11), 0u);
    for (int i = 0; i < n; ++i)
      EXPECT_LE(std::fabs(std::ldexp(s[i].re, -e2) - ref.s[i]), 16 * m * kEps * ref.s[0]) << i;
    EXPECT_LE(UnitaryDefect(U, m, m), 16 * m * kEps);
    EXPECT_LE(UnitaryDefect(V, n, n), 16 * m * kEps);
  }
}

TEST(CMatSVD, RankDeficientAndGradedMatrices) {
  // Rank 2: the outer products of two random pairs of vectors.
  const int m = 8, n = 7;
  const auto x = Random(m, 2, 5), y = Random(n, 2, 6);
  std::vector<COMPLEX> A(m * n);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < n; ++j) A[i + m * j] = x[i] * Conj(y[j]) + 0.5 * x[i + m] * Conj(y[j + n]);
  CheckAgainstLapack(A, m, n, 11, 16);
  // Columns graded over twelve decades.
  std::vector<COMPLEX> G = Random(10, 10, 8);
  for (int j = 0; j < 10; ++j)
    for (int i = 0; i < 10; ++i) G[i + 10 * j] = G[i + 10 * j] * std::pow(10.0, -1.2 * j);
  CheckAgainstLapack(G, 10, 10, 11, 16);
}

TEST(CMatSVD, WorkedSmallCases) {
  // ((3, 4)): s = 5, U = (0.6, 0.8), V = 1.
  const COMPLEX a[1] = {{3, 4}};
  COMPLEX U[4], s[3], V[9];
  ASSERT_EQ(CMatSVD(a, 1, 1, U, s, V, 11), 0u);
  EXPECT_EQ(s[0], COMPLEX(5.0, 0.0));
  EXPECT_EQ(U[0], COMPLEX(0.6, 0.8));
  EXPECT_EQ(V[0], COMPLEX(1.0, 0.0));

  // diag(1, 3): the values come out as (3, 1) with the columns exchanged.
  const COMPLEX d[4] = {{1, 0}, {0, 0}, {0, 0}, {3, 0}};
  ASSERT_EQ(CMatSVD(d, 2, 2, U, s, V, 11), 0u);
  EXPECT_EQ(s[0], COMPLEX(3.0, 0.0));
  EXPECT_EQ(s[1], COMPLEX(1.0, 0.0));
  const COMPLEX swapped[4] = {{0, 0}, {1, 0}, {1, 0}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(U[i], swapped[i]) << i;
    EXPECT_EQ(V[i], swapped[i]) << i;
  }

  // 2 x 3: three values, the third exactly zero.
  const auto A = Random(2, 3, 3);
  for (COMPLEX& z : s) z = COMPLEX(7, 7);
  ASSERT_EQ(CMatSVD(A.data(), 2, 3, U, s, V, 11), 0u);
  EXPECT_GT(s[1].re, 0.0);
  EXPECT_EQ(s[2], COMPLEX(0.0, 0.0));
}

TEST(CMatSVD, JobsArgumentsAndFailures) {
  const auto A = Random(3, 2, 4);
  COMPLEX U[9], s[3], V[4];
  // All three outputs are needed whatever the job asks for.
  EXPECT_EQ(CMatSVD(A.data(), 3, 2, U, s, nullptr, 10), kErrMissingOutputBuffer);
  EXPECT_EQ(CMatSVD(A.data(), 3, 2, nullptr, s, V, 1), kErrMissingOutputBuffer);
  EXPECT_EQ(CMatSVD(A.data(), 3, 2, U, nullptr, V, 0), kErrMissingOutputBuffer);
  EXPECT_EQ(CMatSVD(nullptr, 3, 2, U, s, V, 11), kErrMissingArguments);
  EXPECT_EQ(CMatSVD(A.data(), 0, 2, U, s, V, 11), kErrMissingArguments);
  EXPECT_EQ(CMatSVD(A.data(), 3, 0, U, s, V, 11), kErrMissingArguments);

  // Job 0 writes s only.
  for (COMPLEX& z : U) z = COMPLEX(9, 9);
  for (COMPLEX& z : V) z = COMPLEX(9, 9);
  ASSERT_EQ(CMatSVD(A.data(), 3, 2, U, s, V, 0), 0u);
  for (const COMPLEX& z : U) EXPECT_EQ(z, COMPLEX(9, 9));
  for (const COMPLEX& z : V) EXPECT_EQ(z, COMPLEX(9, 9));

  // Each allocation failing in turn: 0x80001 before any output is written.
  for (int ok = 0; ok < 3; ++ok) {
    for (COMPLEX& z : s) z = COMPLEX(9, 9);
    AllocFailureGuard fail(ok);
    EXPECT_EQ(CMatSVD(A.data(), 3, 2, U, s, V, 11), kErrAlloc) << ok;
    fail.Release();
    for (const COMPLEX& z : s) EXPECT_EQ(z, COMPLEX(9, 9));
  }

  // NaN or infinite data cannot converge: 35 and the three console lines.
  for (double bad : {NAN, INFINITY}) {
    auto B = A;
    B[4].im = bad;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(CMatSVD(B.data(), 3, 2, U, s, V, 11), kErrSolutionNotFound);
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "\n Full SVD - Failure!\n  The SVD could not be calculated.\n");
  }
  // Singular values beyond the double range (2e308 here) end the same way.
  std::vector<COMPLEX> H(4, COMPLEX(1e308, -1e308));
  H[3] = COMPLEX(-1e308, 1e308);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(CMatSVD(H.data(), 2, 2, U, s, V, 11), kErrSolutionNotFound);
  std::fflush(stdout);
  EXPECT_FALSE(::testing::internal::GetCapturedStdout().empty());
}

TEST(CMatSVDRotation, TableOfCases) {
  struct Row {
    double a, b, r, c, s;
  } rows[] = {
      {3, 4, 5, 0.6, 0.8},    {0, 0, 0, 1, 0}, {-3, 4, 5, -0.6, 0.8},
      {-4, 3, -5, 0.8, -0.6}, {4, 0, 4, 1, 0}, {0, -2, -2, 0, 1},
  };
  for (const Row& w : rows) {
    double a = w.a, b = w.b, c = 7, s = 7;
    CMatSVDRotation(&a, &b, &c, &s);
    SCOPED_TRACE(::testing::Message() << "(" << w.a << ", " << w.b << ")");
    EXPECT_LE(std::fabs(a - w.r), 2 * kEps * std::fabs(w.r));
    EXPECT_LE(std::fabs(c - w.c), 4 * kEps);
    EXPECT_LE(std::fabs(s - w.s), 4 * kEps);
    EXPECT_LE(std::fabs(c * c + s * s - 1), 4 * kEps);
  }
}

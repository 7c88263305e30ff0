// RMatEigenvalues: the same eigenvalues as RMatDiagonalize to the bit, and
// right against matrices whose eigenvalues are known exactly, closed forms
// and LAPACK's dsyev('N').
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "lapack_ref.h"
#include "scalar/elementary.h"
#include "support/alloc_failure.h"

namespace {

typedef std::vector<double> Vec;

Vec RandomSymmetric(int n, std::uint64_t seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  Vec A(static_cast<size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i <= j; ++i) A[i + n * j] = A[j + n * i] = u(g);
  return A;
}

// The Sylvester-Hadamard matrix of order 2^k over 2^(k/2), k even: symmetric,
// orthogonal and with entries +-2^(-k/2), so Q*diag(w)*Q with small integer
// w is computed without rounding and has exactly the eigenvalues w.
Vec HadamardConjugate(int k, const Vec& w) {
  const int n = 1 << k;
  const double q = std::ldexp(1.0, -k / 2);
  auto Q = [&](int i, int j) { return __builtin_popcount(i & j) % 2 ? -q : q; };
  Vec A(static_cast<size_t>(n) * n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      double s = 0;
      for (int m = 0; m < n; ++m) s += Q(i, m) * w[m] * Q(m, j);
      A[i + n * j] = s;
    }
  return A;
}

struct Case {
  std::string name;
  int n;
  Vec A;
};

std::vector<Case> Table() {
  std::vector<Case> t;
  t.push_back({"1x1", 1, {-2.5}});
  t.push_back({"2x2", 2, {2, 1, 1, 2}});
  t.push_back({"2x2 diagonal", 2, {3, 0, 0, -7}});
  for (int n : {3, 4, 5, 6, 7, 8, 9, 13, 16, 31, 64, 97})
    t.push_back({"random " + std::to_string(n), n, RandomSymmetric(n, 1000 + n)});
  {
    const int n = 9;
    Vec A(n * n, 0.0);
    for (int i = 0; i < n; ++i) A[i + n * i] = (i * 7) % 5 - 2.0;
    t.push_back({"diagonal", n, A});
  }
  // Repeated eigenvalues: 1 four times, -3 three times, 10 once.
  t.push_back(
      {"repeated", 16, HadamardConjugate(4, {1, 1, -3, 10, 1, -3, 1, -3, 5, 5, 0, 0, 2, 2, 2, 2})});
  {
    // Graded: entries fall by 1e-3 per row and column.
    const int n = 12;
    Vec A = RandomSymmetric(n, 77);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) A[i + n * j] *= std::pow(1e-3, i + j);
    t.push_back({"graded", n, A});
    Vec R(n * n);  // and the other way round
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) R[i + n * j] = A[(n - 1 - i) + n * (n - 1 - j)];
    t.push_back({"graded reversed", n, R});
  }
  {
    // Zeros left of the diagonal make the reduction skip reflections: a
    // last row of zeros, and two blocks that never meet.
    const int n = 10;
    Vec A = RandomSymmetric(n, 5);
    for (int k = 0; k < n - 1; ++k) A[(n - 1) + n * k] = A[k + n * (n - 1)] = 0;
    t.push_back({"zero last row", n, A});
    Vec B = RandomSymmetric(n, 6);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        if ((i < 5) != (j < 5)) B[i + n * j] = 0;
    t.push_back({"two blocks", n, B});
    t.push_back({"zero", n, Vec(n * n, 0.0)});
  }
  {
    // Wilkinson's W21+, already tridiagonal, nearly equal pairs.
    const int n = 21;
    Vec A(n * n, 0.0);
    for (int i = 0; i < n; ++i) {
      A[i + n * i] = std::fabs(10.0 - i);
      if (i + 1 < n) A[i + n * (i + 1)] = A[(i + 1) + n * i] = 1.0;
    }
    t.push_back({"W21+", n, A});
  }
  {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    t.push_back({"NaN", 3, {1, 2, 0, 2, nan, 1, 0, 1, 3}});
  }
  return t;
}

std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

TEST(RMatEigenvalues, SameBitsAsRMatDiagonalize) {
  for (const Case& c : Table()) {
    Vec V = c.A, W = c.A, wv(c.n, -1.0), ww(c.n, -2.0);
    const Dword sv = RMatDiagonalize(V.data(), c.n, wv.data());
    const Dword sw = RMatEigenvalues(W.data(), c.n, ww.data());
    EXPECT_EQ(sv, sw) << c.name;
    EXPECT_EQ(sv, c.name == "NaN" ? 3u : 0u) << c.name;
    for (int i = 0; i < c.n; ++i) EXPECT_EQ(Bits(wv[i]), Bits(ww[i])) << c.name << " " << i;
  }
}

// The QL iteration exactly as described, 1-based, with every rotation
// applied to the vectors at once and scalar hypot by scaling; the library's
// iteration must give the same bits, values and vectors.
Dword TriDiQLPlain(Vec& a, int n, Vec& dv, Vec& ev) {
  auto A = [&](int r, int c) -> double& { return a[(r - 1) + n * (c - 1)]; };
  auto d = [&](int i) -> double& { return dv[i - 1]; };
  auto e = [&](int i) -> double& { return ev[i - 1]; };
  auto hypot = [](double x, double y) { return rHypot(x, y); };
  for (int i = 2; i <= n; ++i) e(i - 1) = e(i);
  e(n) = 0;
  for (int l = 1; l <= n; ++l) {
    int iter = 0, m;
    do {
      for (m = l; m <= n - 1; ++m) {
        const double dd = std::fabs(d(m)) + std::fabs(d(m + 1));
        if (std::fabs(e(m)) + dd == dd) break;
      }
      if (m != l) {
        if (++iter > 4 * n + 10) return 3;
        double g = (d(l + 1) - d(l)) / (2 * e(l));
        double r = hypot(g, 1);
        g = d(m) - d(l) + e(l) / (g + (g >= 0 ? std::fabs(r) : -std::fabs(r)));
        double s = 1, c = 1, p = 0;
        int i;
        for (i = m - 1; i >= l; --i) {
          double f = s * e(i);
          const double b = c * e(i);
          e(i + 1) = (r = hypot(f, g));
          if (r == 0) {
            d(i + 1) -= p;
            e(m) = 0;
            break;
          }
          s = f / r;
          c = g / r;
          g = d(i + 1) - p;
          r = (d(i) - g) * s + 2 * c * b;
          d(i + 1) = g + (p = s * r);
          g = c * r - b;
          for (int k = 1; k <= n; ++k) {
            f = A(k, i + 1);
            A(k, i + 1) = s * A(k, i) + c * f;
            A(k, i) = c * A(k, i) - s * f;
          }
        }
        if (r == 0 && i >= l) continue;
        d(l) -= p;
        e(l) = g;
        e(m) = 0;
      }
    } while (m != l);
  }
  return 0;
}

TEST(RMatTriDiQL, SameBitsAsThePlainIteration) {
  for (const Case& c : Table()) {
    const int n = c.n;
    Vec A = c.A, d(n), e(n);
    ASSERT_EQ(RMatTriDiagonalize(A.data(), n, d.data(), e.data()), 0u) << c.name;
    Vec B = A, bd = d, be = e;
    EXPECT_EQ(RMatTriDiQL(A.data(), n, d.data(), e.data()), TriDiQLPlain(B, n, bd, be)) << c.name;
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(Bits(d[i]), Bits(bd[i])) << c.name << " " << i;
      EXPECT_EQ(Bits(e[i]), Bits(be[i])) << c.name << " " << i;
    }
    for (int i = 0; i < n * n; ++i) EXPECT_EQ(Bits(A[i]), Bits(B[i])) << c.name << " " << i;
  }
}

// Weyl: an exact symmetric perturbation of norm delta moves no eigenvalue by
// more than delta; a backward-stable solver stays within a small multiple of
// n*eps*|A|.
double Tolerance(int n, double norm) { return 8.0 * n * DBL_EPSILON * norm; }

Vec SortedEigenvalues(Vec A, int n) {
  Vec w(n);
  EXPECT_EQ(RMatEigenvalues(A.data(), n, w.data()), 0u);
  std::sort(w.begin(), w.end());
  return w;
}

TEST(RMatEigenvalues, ExactlyKnownSpectra) {
  struct Known {
    int k;
    Vec w;
  };
  const std::vector<Known> known = {
      {2, {3, -1, 3, 0}},
      {4, {1, 1, -3, 10, 1, -3, 1, -3, 5, 5, 0, 0, 2, 2, 2, 2}},
      {6, {}},
  };
  for (Known c : known) {
    const int n = 1 << c.k;
    if (c.w.empty())
      for (int i = 0; i < n; ++i) c.w.push_back((i * 37) % 23 - 11.0);  // repeats and signs
    const Vec A = HadamardConjugate(c.k, c.w);
    Vec exact = c.w;
    std::sort(exact.begin(), exact.end());
    const Vec w = SortedEigenvalues(A, n);
    const double norm = std::max(std::fabs(exact.front()), std::fabs(exact.back()));
    for (int i = 0; i < n; ++i) EXPECT_NEAR(w[i], exact[i], Tolerance(n, norm)) << n << " " << i;
  }
}

// The second-difference matrix: 2 on the diagonal, -1 beside it, eigenvalues
// 2 - 2 cos(k pi / (n + 1)), k = 1..n; and its dense orthogonal conjugate
// through the Hadamard matrix, whose entries are again exact.
TEST(RMatEigenvalues, SecondDifferenceClosedForm) {
  for (int n : {1, 2, 5, 16, 50}) {
    Vec A(n * n, 0.0);
    for (int i = 0; i < n; ++i) {
      A[i + n * i] = 2;
      if (i + 1 < n) A[i + n * (i + 1)] = A[(i + 1) + n * i] = -1;
    }
    const Vec w = SortedEigenvalues(A, n);
    for (int k = 1; k <= n; ++k)
      EXPECT_NEAR(w[k - 1], 2 - 2 * std::cos(k * M_PI / (n + 1)), Tolerance(n, 4)) << n << " " << k;
  }
  const int k = 4, n = 16;
  const double q = 0.25;
  auto Q = [&](int i, int j) { return __builtin_popcount(i & j) % 2 ? -q : q; };
  Vec T(n * n, 0.0), A(n * n, 0.0);
  for (int i = 0; i < n; ++i) {
    T[i + n * i] = 2;
    if (i + 1 < n) T[i + n * (i + 1)] = T[(i + 1) + n * i] = -1;
  }
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) A[i + n * j] += Q(i, a) * T[a + n * b] * Q(b, j);
  const Vec w = SortedEigenvalues(A, n);
  for (int m = 1; m <= n; ++m)
    EXPECT_NEAR(w[m - 1], 2 - 2 * std::cos(m * M_PI / (n + 1)), Tolerance(n, 4)) << k << " " << m;
}

// Every finite matrix of the table: the values against dsyev('N'), and the
// vectors of RMatDiagonalize with their residuals |A v - w v| and
// orthogonality, for the reduction's unusual paths (skipped reflections,
// grading, repeated values).
TEST(RMatEigenvalues, TableAgainstLapackWithVectors) {
  for (const Case& c : Table()) {
    if (c.name == "NaN") continue;
    const int n = c.n;
    Vec V = c.A, w(n);
    ASSERT_EQ(RMatDiagonalize(V.data(), n, w.data()), 0u) << c.name;
    const Vec ref = lapack::SymEigenvalues(c.A, n);
    ASSERT_EQ(static_cast<int>(ref.size()), n) << c.name;
    const double norm = std::max(std::fabs(ref.front()), std::fabs(ref.back()));
    Vec sorted = w;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < n; ++i)
      EXPECT_NEAR(sorted[i], ref[i], 2 * Tolerance(n, norm)) << c.name << " " << i;
    double resid = 0, orth = 0;
    for (int k = 0; k < n; ++k) {
      for (int i = 0; i < n; ++i) {
        double s = 0;
        for (int j = 0; j < n; ++j) s += c.A[i + n * j] * V[j + n * k];
        resid = std::max(resid, std::fabs(s - w[k] * V[i + n * k]));
      }
      for (int l = 0; l < n; ++l) {
        double s = 0;
        for (int i = 0; i < n; ++i) s += V[i + n * k] * V[i + n * l];
        orth = std::max(orth, std::fabs(s - (k == l ? 1.0 : 0.0)));
      }
    }
    EXPECT_LE(resid, 2 * Tolerance(n, norm)) << c.name;
    EXPECT_LT(orth, Tolerance(n, 1)) << c.name;
  }
}

TEST(RMatEigenvalues, AgainstLapackDsyev) {
  for (int n : {2, 3, 10, 57, 200}) {
    const Vec A = RandomSymmetric(n, 31 * n);
    const Vec ref = lapack::SymEigenvalues(A, n);
    ASSERT_EQ(static_cast<int>(ref.size()), n);
    const double norm = std::max(std::fabs(ref.front()), std::fabs(ref.back()));
    const Vec w = SortedEigenvalues(A, n);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(w[i], ref[i], 2 * Tolerance(n, norm)) << n << " " << i;
  }
}

TEST(RMatEigenvalues, ErrorsAndTrivialSizes) {
  double A[4] = {2, 1, 1, 2}, w[2] = {0, 0};
  EXPECT_EQ(RMatEigenvalues(A, 0, w), 26u);
  EXPECT_EQ(RMatEigenvalues(nullptr, 2, w), 14u);
  EXPECT_EQ(RMatEigenvalues(A, 2, nullptr), 18u);
  double one[1] = {-2.5}, w1[1] = {0};
  ASSERT_EQ(RMatEigenvalues(one, 1, w1), 0u);
  EXPECT_EQ(w1[0], -2.5);
  // Every allocation failing in turn: 0x80001, and nothing written.
  for (int fail = 0; fail < 2; ++fail) {
    Vec B = RandomSymmetric(6, 9), B0 = B, v(6, 42.0);
    AllocFailureGuard guard(fail);
    EXPECT_EQ(RMatEigenvalues(B.data(), 6, v.data()), 0x80001u) << fail;
    guard.Release();
    EXPECT_EQ(B, B0) << fail;
    EXPECT_EQ(v, Vec(6, 42.0)) << fail;
  }
}

}  // namespace

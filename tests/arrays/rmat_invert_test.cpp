#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "base/memory.h"
#include "support/alloc_failure.h"
#include "support/random_inputs.h"

namespace {

typedef std::vector<double> Vec;

TEST(RMatInvert, SmallExactCases) {
  double P[4] = {0, 1, 1, 0};
  ASSERT_EQ(RMatInvert(P, 2, nullptr, 0), 0u);
  const double wp[4] = {0, 1, 1, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(P[i], wp[i]);
  double D[4] = {2, 0, 0, 4};
  ASSERT_EQ(RMatInvert(D, 2, nullptr, 5), 0u);  // B null: only inverts
  EXPECT_EQ(D[0], 0.5);
  EXPECT_EQ(D[3], 0.25);
  EXPECT_EQ(D[1], 0.0);
  EXPECT_EQ(D[2], 0.0);
  double E[4] = {2, 0, 0, 4}, B[2] = {2, 4};
  ASSERT_EQ(RMatInvert(E, 2, B, 1), 0u);
  EXPECT_EQ(B[0], 1.0);
  EXPECT_EQ(B[1], 1.0);
}

TEST(RMatInvert, SingularAndBadInput) {
  double Z[4] = {0, 0, 0, 0};
  EXPECT_EQ(RMatInvert(Z, 2, nullptr, 0), 26u);
  double S[4] = {1, 2, 2, 4};
  EXPECT_EQ(RMatInvert(S, 2, nullptr, 0), 26u);
  double S3[9] = {1, 4, 7, 2, 5, 8, 3, 6, 9};  // rank 2 in floating point too
  EXPECT_EQ(RMatInvert(S3, 3, nullptr, 0), 26u);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  double N[4] = {nan, nan, nan, nan};
  EXPECT_EQ(RMatInvert(N, 2, nullptr, 0), 26u);
  EXPECT_EQ(RMatInvert(Z, 0, nullptr, 0), 14u);
  EXPECT_EQ(RMatInvert(nullptr, 2, nullptr, 0), 14u);
  double A[4] = {1, 2, 3, 5};
  AllocFailureGuard fail(0);
  EXPECT_EQ(RMatInvert(A, 2, nullptr, 0), 0x80001u);
  fail.Release();
  EXPECT_EQ(A[3], 5.0);
}

// Closed-form inverse of the Hilbert matrix: integers.
double Binomial(int n, int k) {
  double r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return r;
}

TEST(RMatInvert, HilbertSixAgainstClosedForm) {
  const int n = 6;
  Vec H(n * n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) H[i + n * j] = 1.0 / (i + j + 1);
  ASSERT_EQ(RMatInvert(H.data(), n, nullptr, 0), 0u);
  double biggest = 0;
  Vec want(n * n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      const double sign = (i + j) % 2 ? -1.0 : 1.0;
      const double c = Binomial(i + j - 2, i - 1);
      want[(i - 1) + n * (j - 1)] =
          sign * (i + j - 1) * Binomial(n + i - 1, n - j) * Binomial(n + j - 1, n - i) * c * c;
      biggest = std::fmax(biggest, std::fabs(want[(i - 1) + n * (j - 1)]));
    }
  // cond(H6) is about 1.5e7: the error bound is cond times a few eps.
  for (int k = 0; k < n * n; ++k) EXPECT_NEAR(H[k], want[k], 1.5e7 * 64 * DBL_EPSILON * biggest);
}

TEST(RMatInvert, RandomSystemResiduals) {
  const int n = 40, m = 3;
  RandomInputs random(8);
  const Vec A = random.Matrix(n, n), B = random.Matrix(n, m);
  Vec Ai = A, X = B;
  ASSERT_EQ(RMatInvert(Ai.data(), n, X.data(), m), 0u);
  double worst_i = 0, worst_x = 0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      double s = 0;
      for (int k = 0; k < n; ++k) s += A[i + n * k] * Ai[k + n * j];
      worst_i = std::fmax(worst_i, std::fabs(s - (i == j ? 1.0 : 0.0)));
    }
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) {
      double s = 0;
      for (int k = 0; k < n; ++k) s += A[i + n * k] * X[k + n * j];
      worst_x = std::fmax(worst_x, std::fabs(s - B[i + n * j]));
    }
  EXPECT_LT(worst_i, 1e-11);
  EXPECT_LT(worst_x, 1e-11);
}

}  // namespace

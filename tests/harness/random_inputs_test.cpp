// The random-input maker: the same numbers as the standard engine and
// distributions it stands for (so a test moved onto it keeps its inputs),
// its ranges, and the shapes of its matrices.
#include "support/random_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

TEST(RandomInputs, SameNumbersAsTheStandardEngineAndDistributions) {
  RandomInputs r(8);
  std::mt19937_64 g(8);
  std::uniform_real_distribution<double> u(-1, 1);
  for (double x : r.UniformVector(50, -1, 1)) EXPECT_EQ(x, u(g));
  BasicRandomInputs<std::mt19937> r32(5);
  std::mt19937 g32(5);
  std::normal_distribution<double> n(0.0, 0.01);
  for (int i = 0; i < 51; ++i) EXPECT_EQ(r32.Normal(0.0, 0.01), n(g32)) << i;
}

TEST(RandomInputs, ASeedGivesOneSequence) {
  EXPECT_EQ(RandomInputs(3).Matrix(4, 5), RandomInputs(3).Matrix(4, 5));
  EXPECT_NE(RandomInputs(3).Matrix(4, 5), RandomInputs(4).Matrix(4, 5));
}

TEST(RandomInputs, Ranges) {
  RandomInputs r(11);
  for (int i = 0; i < 2000; ++i) {
    const double u = r.Uniform(-2.5, 3), l = r.LogUniform(1e-3, 1e5);
    const int64_t k = r.Integer(-2, 2);
    EXPECT_TRUE(u >= -2.5 && u < 3) << u;
    EXPECT_TRUE(l >= 1e-3 * (1 - 1e-15) && l <= 1e5 * (1 + 1e-15)) << l;
    EXPECT_TRUE(k >= -2 && k <= 2) << k;
  }
}

// Sample statistics of 40000 draws within five standard errors: the mean of
// the normal deviates, their variance, and for the log-uniform ones the
// mean of the decimal logarithm (uniform on [-3, 5): mean 1, variance 16/3).
TEST(RandomInputs, Statistics) {
  RandomInputs r(20261211);
  const int n = 40000;
  double s = 0, s2 = 0, lg = 0;
  for (int i = 0; i < n; ++i) {
    const double x = r.Normal(2, 3);
    s += x;
    s2 += (x - 2) * (x - 2);
    lg += std::log10(r.LogUniform(1e-3, 1e5));
  }
  EXPECT_NEAR(s / n, 2, 5 * 3 / std::sqrt(n));
  EXPECT_NEAR(s2 / n, 9, 5 * 9 * std::sqrt(2.0 / n));
  EXPECT_NEAR(lg / n, 1, 5 * std::sqrt(16.0 / 3 / n));
}

TEST(RandomInputs, MatrixShapes) {
  RandomInputs r(2);
  const size_t n = 7;
  const std::vector<double> a = r.SymmetricMatrix(n, -3, -1);
  ASSERT_EQ(a.size(), n * n);
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j) {
      EXPECT_EQ(a[i + n * j], a[j + n * i]);
      EXPECT_TRUE(a[i + n * j] >= -3 && a[i + n * j] < -1);
    }
  const std::vector<COMPLEX> z = r.ComplexVector(5, 0, 1);
  ASSERT_EQ(z.size(), 5u);
  for (const COMPLEX& c : z) EXPECT_TRUE(c.re >= 0 && c.re < 1 && c.im >= 0 && c.im < 1);
  EXPECT_EQ(r.Matrix(3, 4).size(), 12u);
}

}  // namespace

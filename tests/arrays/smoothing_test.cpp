#include "arrays/smoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// Straightforward clamped convolution, written independently of the ring.
std::vector<double> Direct(const std::vector<double>& x, const std::vector<double>& k) {
  const Qlong n = static_cast<Qlong>(x.size());
  const Qlong m = static_cast<Qlong>(k.size());
  const Qlong h = (m - 1) / 2;
  std::vector<double> out(x.size());
  for (Qlong i = 0; i < n; ++i) {
    double s = 0;
    for (Qlong j = 0; j < m; ++j) s += k[j] * x[std::clamp<Qlong>(i - h + j, 0, n - 1)];
    out[i] = s;
  }
  return out;
}

std::vector<double> RandomData(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-3, 3);
  std::vector<double> v(n);
  for (double& x : v) x = u(rng);
  return v;
}

TEST(Convolute, MatchesDirectSumOutOfPlaceAndInPlace) {
  for (size_t n : {1, 2, 5, 17, 100}) {
    for (size_t m : {1, 2, 3, 4, 7, 30}) {
      const auto x = RandomData(n, static_cast<unsigned>(n * 31 + m));
      const auto k = RandomData(m, static_cast<unsigned>(m));  // asymmetric: not reversed
      const auto want = Direct(x, k);
      std::vector<double> out(n);
      ASSERT_EQ(RArrConvolute(n, x.data(), out.data(), m, k.data()), 0u);
      EXPECT_EQ(out, want) << n << " " << m;
      auto inplace = x;
      ASSERT_EQ(RArrConvolute(n, inplace.data(), inplace.data(), m, k.data()), 0u);
      EXPECT_EQ(inplace, want) << n << " " << m;
    }
  }
}

TEST(Convolute, ErrorsAndEmptyCounts) {
  double x[3] = {1, 2, 3}, k[1] = {1}, d[3] = {9, 9, 9};
  EXPECT_EQ(RArrConvolute(3, nullptr, d, 1, k), 14u);
  EXPECT_EQ(RArrConvolute(3, x, d, 1, nullptr), 14u);
  EXPECT_EQ(RArrConvolute(3, x, nullptr, 1, k), 18u);
  EXPECT_EQ(RArrConvolute(0, x, d, 1, k), 0u);
  EXPECT_EQ(RArrConvolute(3, x, d, 0, k), 0u);
  EXPECT_EQ(d[0], 9);
}

TEST(GaussSmooth, MatchesDirectConvolutionWithTheNormalisedKernel) {
  const auto x = RandomData(200, 5);
  for (double width : {0.6, 1.0, 2.5, 7.3, -0.02}) {
    const double w = width > 0 ? width : -width * 200;
    const int h = static_cast<int>(w * std::sqrt(std::log(100.0) / std::log(2.0)) + 0.5);
    std::vector<double> k(2 * h + 1);
    double sum = 0;
    for (int d = -h; d <= h; ++d) sum += k[d + h] = std::exp(-std::log(2.0) * (d / w) * (d / w));
    for (double& v : k) v /= sum;
    const auto want = Direct(x, k);
    std::vector<double> out(x.size());
    ASSERT_EQ(RArrGaussSmooth(x.size(), x.data(), out.data(), width), 0u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(out[i], want[i], 1e-14) << width << " " << i;
    auto inplace = x;
    ASSERT_EQ(RArrGaussSmooth(x.size(), inplace.data(), inplace.data(), width), 0u);
    EXPECT_EQ(inplace, out);
  }
}

TEST(GaussSmooth, KeepsConstantsAndHalfMaximumAtTheWidth) {
  std::vector<double> c(50, 4.25), out(50);
  ASSERT_EQ(RArrGaussSmooth(50, c.data(), out.data(), 3), 0u);
  for (double v : out) EXPECT_NEAR(v, 4.25, 4.25 * 1e-15);
  // An impulse spreads into the kernel: half the peak at the width.
  std::vector<double> impulse(41, 0.0), spread(41);
  impulse[20] = 1;
  ASSERT_EQ(RArrGaussSmooth(41, impulse.data(), spread.data(), 4), 0u);
  EXPECT_NEAR(spread[24] / spread[20], 0.5, 1e-15);
  EXPECT_NEAR(spread[16] / spread[20], 0.5, 1e-15);
}

TEST(GaussSmooth, NarrowWidthsLeaveTheDestinationAlone) {
  double x[4] = {1, 2, 3, 4}, d[4] = {7, 7, 7, 7};
  EXPECT_EQ(RArrGaussSmooth(4, x, d, 0.0005), 0u);
  EXPECT_EQ(RArrGaussSmooth(4, x, d, 0.15), 0u);  // the kernel would have one tap only
  EXPECT_EQ(RArrGaussSmooth(4, x, d, -0.0001), 0u);
  for (double v : d) EXPECT_EQ(v, 7);
  EXPECT_EQ(RArrGaussSmooth(4, nullptr, d, 2), 14u);
  EXPECT_EQ(RArrGaussSmooth(4, x, nullptr, 2), 18u);
}

}  // namespace

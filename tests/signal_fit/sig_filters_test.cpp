// Smoothing filters, phase unwrapping, autocorrelation and the signal
// Savitzky-Golay forms, against scipy and numpy tables and direct sums.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "base/memory.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/filters.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/savgol.h"

namespace {
#include "sig_reference.inc"

constexpr Qword kN = 40;

TEST(SigFilters, MovingAverageMatchesUniformFilter) {
  const double widths[] = {2.0, 6.4, 20.0};  // L = 3, 7 (6.9 -> 6, odd -> 7), 21
  for (int r = 0; r < 3; ++r) {
    std::vector<double> out(kN, -9.0);
    ASSERT_EQ(RArrRectConvolution(kN, kFilterIn, widths[r], out.data()), 0u);
    for (Qword i = 0; i < kN; ++i)
      EXPECT_NEAR(out[i], kRectOut[r * kN + i], 1e-14) << r << " " << i;
    std::vector<double> in_place(kFilterIn, kFilterIn + kN);
    ASSERT_EQ(RArrRectConvolution(kN, in_place.data(), widths[r], in_place.data()), 0u);
    for (Qword i = 0; i < kN; ++i) EXPECT_NEAR(in_place[i], out[i], 1e-14);
  }
  // A negative width is a fraction of the length: -0.075 * 40 = 3.
  std::vector<double> frac(kN);
  ASSERT_EQ(RArrRectConvolution(kN, kFilterIn, -0.075, frac.data()), 0u);
  for (Qword i = 0; i < kN; ++i) EXPECT_NEAR(frac[i], kRectOut[i], 1e-14);
}

TEST(SigFilters, MovingAverageEdgeCases) {
  const std::vector<double> x = {0, 0, 3, 0, 0};
  std::vector<double> y(5, 7.0);
  ASSERT_EQ(RArrRectConvolution(5, x.data(), 2, y.data()), 0u);
  EXPECT_EQ(y, (std::vector<double>{0, 1, 1, 1, 0}));
  std::vector<double> untouched(5, 7.0);
  ASSERT_EQ(RArrRectConvolution(5, x.data(), 0.4, untouched.data()), 0u);  // L = 1
  EXPECT_EQ(untouched, std::vector<double>(5, 7.0));
  EXPECT_EQ(RArrRectConvolution(5, nullptr, 2, y.data()), 14u);
  EXPECT_EQ(RArrRectConvolution(5, x.data(), 2, nullptr), 18u);
  EXPECT_EQ(RArrRectConvolution(5, x.data(), std::nan(""), y.data()), 26u);
}

TEST(SigFilters, SignalConvolutionMatchesNumpyOnBothHalves) {
  std::vector<double> s(2 * kN);
  for (Qword i = 0; i < kN; ++i) {
    s[i] = kFilterIn[i];
    s[kN + i] = -2 * kFilterIn[i];
  }
  ASSERT_EQ(SArrConvolute(kN, s.data(), s.data(), 6, kConvKernel), 0u);
  for (Qword i = 0; i < kN; ++i) {
    EXPECT_NEAR(s[i], kConvOut[i], 1e-14) << i;
    EXPECT_NEAR(s[kN + i], -2 * kConvOut[i], 1e-14) << i;
  }
}

TEST(SigFilters, GaussConvolutionWidths) {
  std::vector<double> x(21, 0.0);
  x[10] = 8;
  std::vector<double> a(21, -1.0), b(21, -1.0);
  ASSERT_EQ(RArrGaussConvolution(21, x.data(), 0.005, a.data()), 0u);  // below 0.01
  EXPECT_EQ(a, std::vector<double>(21, -1.0));
  // -1.4/21 of the length is a half width of 1.4 samples.
  ASSERT_EQ(RArrGaussConvolution(21, x.data(), -1.4 / 21, a.data()), 0u);
  double sum = 0;
  for (double v : a) sum += v;
  EXPECT_NEAR(sum, 8.0, 1e-13);
  EXPECT_NEAR(a[9], a[11], 1e-15);
  EXPECT_NEAR(a[9] / a[10], std::exp(-std::log(2.0) / (1.4 * 1.4)), 1e-13);
  EXPECT_EQ(a[5], 0.0);  // cut at 1 %: 4 samples either side
  b = x;
  ASSERT_EQ(RArrIpGaussSmooth(21, b.data(), 1.4), 0u);
  for (int i = 0; i < 21; ++i) EXPECT_NEAR(a[i], b[i], 1e-15);
}

TEST(SigFilters, UnwrapMatchesNumpy) {
  std::vector<double> out(50);
  ASSERT_EQ(RArrRegularizePhase(50, kUnwrapIn, out.data()), 0u);
  for (int i = 0; i < 50; ++i) EXPECT_NEAR(out[i], kUnwrapOut[i], 1e-12) << i;
  std::vector<double> pair = {3.0, -3.0};
  ASSERT_EQ(RArrRegularizePhase(2, pair.data(), pair.data()), 0u);
  EXPECT_NEAR(pair[1], 2 * std::numbers::pi - 3.0, 1e-15);
}

TEST(SigFilters, UnwrapHugeJumpsAndNonFinite) {
  // A jump of about 1e6 turns is removed at once.
  std::vector<double> x = {0.1, 0.2 + 2e6 * std::numbers::pi, 1e17, -1e16};
  std::vector<double> y(4);
  ASSERT_EQ(RArrRegularizePhase(4, x.data(), y.data()), 0u);
  EXPECT_NEAR(y[1] - y[0], 0.1, 1e-8);
  for (int i = 1; i < 4; ++i) EXPECT_LT(std::fabs(y[i] - y[i - 1]), 4 * std::numbers::pi);
  std::vector<double> bad = {0, INFINITY}, keep = {5, 5};
  EXPECT_EQ(RArrRegularizePhase(2, bad.data(), keep.data()), 26u);
  EXPECT_EQ(keep, (std::vector<double>{5, 5}));
  bad[1] = std::nan("");
  EXPECT_EQ(RArrRegularizePhase(2, bad.data(), keep.data()), 26u);
  EXPECT_EQ(RArrRegularizePhase(2, nullptr, keep.data()), 22u);
  EXPECT_EQ(RArrRegularizePhase(2, bad.data(), nullptr), 18u);
}

TEST(SigFilters, AblativeBaseline) {
  // Zero passes with a null dst subtract the unchanged copy.
  std::vector<double> x = {1, 5, 2, 8, 3};
  ASSERT_EQ(RArrAblativeBc(5, x.data(), nullptr, 100, 0), 0u);
  EXPECT_EQ(x, std::vector<double>(5, 0.0));
  // A flat baseline under one narrow peak: the baseline stays near the
  // floor and the corrected data keep the peak.
  const Qword n = 400;
  std::vector<double> y(n, 10.0), base(n);
  for (Qword i = 195; i < 205; ++i) y[i] += 50;
  std::vector<double> orig = y;
  ASSERT_EQ(RArrAblativeBc(n, y.data(), base.data(), 100, 4), 0u);
  for (Qword i = 0; i < n; ++i) EXPECT_NEAR(y[i] + base[i], orig[i], 1e-12);
  EXPECT_NEAR(base[0], 10.0, 1e-12);
  EXPECT_LT(base[200], 20.0);
  EXPECT_GT(y[200], 40.0);
  EXPECT_EQ(RArrAblativeBc(n, y.data(), base.data(), 0, 4), 26u);
  EXPECT_EQ(RArrAblativeBc(0, y.data(), nullptr, 10, 1), 14u);
}

TEST(SigFilters, AutocorrelationsAgainstDirectSums) {
  const std::vector<double> x = {1, -2, 3, 0.5};
  std::vector<double> r(4);
  ASSERT_EQ(RArrAutoCorr(4, x.data(), r.data()), 0u);
  EXPECT_DOUBLE_EQ(r[0], (1 + 4 + 9 + 0.25) / 4);
  EXPECT_DOUBLE_EQ(r[1], (-2 - 6 + 1.5) / 3);
  EXPECT_DOUBLE_EQ(r[3], 0.5);
  std::vector<double> same = x;
  ASSERT_EQ(RArrAutoCorr(4, same.data(), same.data()), 0u);
  EXPECT_EQ(same, r);
  // Complex: r_1 = sum z_j conj(z_{j+1}) / (n - 1).
  const std::vector<double> z = {1, 2, 0, 1, -1, 3};  // 1+0i? no: re 1,2,0; im 1,-1,3
  std::vector<double> c(6);
  ASSERT_EQ(SArrAutoCorr(3, z.data(), c.data(), 0), 0u);
  // z0 = 1+i, z1 = 2-i, z2 = 0+3i
  // z0 conj(z1) = (1+i)(2+i) = 1+3i; z1 conj(z2) = (2-i)(-3i) = -3-6i
  EXPECT_DOUBLE_EQ(c[1], (1 - 3) / 2.0);
  EXPECT_DOUBLE_EQ(c[4], (3 - 6) / 2.0);
  ASSERT_EQ(SArrAutoCorr(3, z.data(), c.data(), 1), 0u);
  EXPECT_DOUBLE_EQ(c[1], -2.0);
  EXPECT_DOUBLE_EQ(c[0], 2 + 5 + 9);
  EXPECT_EQ(SArrAutoCorr(3, c.data(), c.data(), 0), 26u);
}

TEST(SigFilters, SignalSavitzkyGolayScalesByWidth) {
  // The first derivative of a line a + b t, with width w, comes out as
  // b w (the real-array form would give b alone).
  const Qword n = 30;
  std::vector<double> s(2 * n), d(2 * n);
  for (Qword i = 0; i < n; ++i) {
    s[i] = 1 + 0.5 * static_cast<double>(i);
    s[n + i] = -0.25 * static_cast<double>(i);
  }
  Qword order = 0, points = 0;
  double gain = 0;
  ASSERT_EQ(SArrSavitskyGolay(n, s.data(), d.data(), 3.0, 1, &order, &points, &gain, 0), 0u);
  EXPECT_EQ(order, 4u);
  EXPECT_EQ(points, 9u);
  for (Qword i = 4; i + 4 < n; ++i) {
    EXPECT_NEAR(d[i], 1.5, 1e-12);
    EXPECT_NEAR(d[n + i], -0.75, 1e-12);
  }
  // Flag 2 keeps the raw derivative; flag 4 leaves the imaginary half.
  std::vector<double> e(2 * n, 42.0);
  ASSERT_EQ(SArrSavitskyGolay(n, s.data(), e.data(), 3.0, 1, &order, &points, &gain, 2 | 4), 0u);
  EXPECT_NEAR(e[10], 0.5, 1e-12);
  EXPECT_EQ(e[n + 10], 42.0);
  EXPECT_EQ(SArrSavitskyGolay(n, s.data(), e.data(), 3.0, 5, &order, &points, &gain, 1), 26u);
}

TEST(SigFilters, ResolutionBoosterTurnsPeaksPositive) {
  // -second derivative of -(t - 15)^2 is 2 w^2 / 2! = w^2 (width w = 2).
  const Qword n = 31;
  std::vector<double> s(2 * n, 0.0), d(2 * n, 0.0);
  for (Qword i = 0; i < n; ++i)
    s[i] = -(static_cast<double>(i) - 15) * (static_cast<double>(i) - 15);
  Qword order = 0, points = 0;
  double gain = 0;
  ASSERT_EQ(SArrResolutionBooster(n, s.data(), d.data(), 2.0, 0, 0, 2, &order, &points, &gain, 0),
            0u);
  for (Qword i = 5; i + 5 < n; ++i) EXPECT_NEAR(d[i], 4.0, 1e-10) << i;
  EXPECT_EQ(SArrResolutionBooster(n, s.data(), d.data(), 2.0, 0, 0, 1, &order, &points, &gain, 0),
            11u);
  EXPECT_EQ(SArrResolutionBooster(n, nullptr, d.data(), 2.0, 0, 0, 2, &order, &points, &gain, 0),
            14u);
  // A threshold above every value clears the result.
  ASSERT_EQ(SArrResolutionBooster(n, s.data(), d.data(), 2.0, 1e6, 1, 2, &order, &points, &gain, 0),
            0u);
  for (Qword i = 0; i < n; ++i) EXPECT_EQ(d[i], 0.0);
}

TEST(SigFilters, Placeholders) {
  double d[4] = {1, 2, 3, 4};
  int params = 0;
  EXPECT_EQ(RArrArtifactRemoval(nullptr, 2, 0, &params), 0u);
  EXPECT_EQ(RArrArtifactRemoval(d, 2, 0, nullptr), 21u);
  EXPECT_EQ(SArrArtifactRemoval(d, 2, 0, &params), 0u);
  EXPECT_TRUE(std::isnan(d[0]));
  EXPECT_TRUE(std::isnan(d[2]));
  EXPECT_EQ(d[1], 2.0);
  EXPECT_EQ(RArrMonotoneFilter(4, d, d, nullptr), 0u);
}
}  // namespace

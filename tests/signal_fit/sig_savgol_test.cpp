// Savitzky-Golay coefficients against scipy, exact reproduction of
// polynomials, and the two noise estimates on seeded white noise.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "base/memory.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/savgol.h"
#include "support/random_inputs.h"

namespace {
#include "sig_reference.inc"

double Cubic(double t) { return 0.5 - 1.25 * t + 0.03 * t * t - 0.002 * t * t * t; }

TEST(SigSavgol, CoefficientsMatchScipy) {
  const double* want = kSgOut;
  for (const SgRow& r : kSgRows) {
    double gain = 0;
    double* c = RArrNewSGcoeff(r.k, r.m, r.p, r.pos - static_cast<double>((r.m - 1) / 2), &gain);
    ASSERT_NE(c, nullptr) << r.m << " " << r.p << " " << r.k;
    double biggest = 0, g2 = 0;
    for (Qword i = 0; i < r.m; ++i) {
      biggest = std::max(biggest, std::fabs(want[i]));
      g2 += want[i] * want[i];
    }
    for (Qword i = 0; i < r.m; ++i)
      EXPECT_NEAR(c[i], want[i], 1e-12 * biggest)
          << "m " << r.m << " p " << r.p << " k " << r.k << " i " << i;
    EXPECT_NEAR(gain, std::sqrt(g2), 1e-12 * std::sqrt(g2));
    RArrKill(&c);
    want += r.m;
  }
}

TEST(SigSavgol, CoefficientFailures) {
  double gain = 0;
  EXPECT_EQ(RArrNewSGcoeff(3, 5, 2, 0, &gain), nullptr);  // derivative above the order
  EXPECT_TRUE(std::isnan(gain));
  EXPECT_EQ(RArrNewSGcoeff(0, 3, 3, 0, &gain), nullptr);  // more coefficients than samples
  EXPECT_EQ(RArrNewSGcoeff(0, 5, 2, 0, nullptr), nullptr);
}

TEST(SigSavgol, ExtrapolatesAPolynomialFarOutside) {
  // Coefficients evaluated 100 samples beyond the centre of a 21-sample
  // window still reproduce a cubic exactly.
  double gain = 0;
  double* c = RArrNewSGcoeff(0, 21, 3, 100.0, &gain);
  ASSERT_NE(c, nullptr);
  double s = 0;
  for (int i = 0; i < 21; ++i) s += c[i] * Cubic(i);
  EXPECT_NEAR(s, Cubic(110), 1e-9 * std::fabs(Cubic(110)));
  RArrKill(&c);
}

TEST(SigSavgol, PointsAndOrder) {
  Qword order = 0;
  EXPECT_EQ(RArrSGpoints(0, 5.0, &order), 9u);
  EXPECT_EQ(order, 3u);
  EXPECT_EQ(RArrSGpoints(1, 0.2, &order), 5u);
  EXPECT_EQ(order, 4u);
}

TEST(SigSavgol, ExReproducesACubicIncludingTheEnds) {
  const Qword n = 60;
  std::vector<double> y(n), out(n), d1(n), d2(n);
  for (Qword i = 0; i < n; ++i) y[i] = Cubic(static_cast<double>(i));
  double gain = 0, centre = 0;
  ASSERT_EQ(RArrSavitskyGolayEx(n, y.data(), out.data(), &gain, 0, 0, 3, 17, 0, &centre), 0u);
  for (Qword i = 0; i < n; ++i) EXPECT_NEAR(out[i], y[i], 1e-11) << i;
  // First derivative as it is; the second divided by 2! unless flag 2.
  ASSERT_EQ(RArrSavitskyGolayEx(n, y.data(), d1.data(), &gain, 0, 1, 3, 17, 0, nullptr), 0u);
  ASSERT_EQ(RArrSavitskyGolayEx(n, y.data(), d2.data(), &gain, 0, 2, 3, 17, 0, nullptr), 0u);
  for (Qword i = 0; i < n; ++i) {
    const double t = static_cast<double>(i);
    EXPECT_NEAR(d1[i], -1.25 + 0.06 * t - 0.006 * t * t, 1e-11) << i;
    EXPECT_NEAR(d2[i], (0.06 - 0.012 * t) / 2, 1e-11) << i;
  }
  // In place.
  ASSERT_EQ(RArrSavitskyGolayEx(n, y.data(), y.data(), &gain, 0, 0, 3, 17, 0, nullptr), 0u);
  for (Qword i = 0; i < n; ++i) EXPECT_NEAR(y[i], out[i], 1e-15);
}

TEST(SigSavgol, ExWindowFollowsTheLength) {
  std::vector<double> y(10, 1.0), out(10);
  double gain = 0, centre = 0;
  ASSERT_EQ(RArrSavitskyGolayEx(10, y.data(), out.data(), &gain, 0, 0, 3, 17, 0, &centre), 0u);
  EXPECT_NEAR(centre, 59.0 / 231.0, 1e-15);  // the 9-point cubic set
  ASSERT_EQ(RArrSavitskyGolayEx(10, y.data(), out.data(), &gain, 0, 0, 2, 5, 0, &centre), 0u);
  EXPECT_NEAR(centre, 17.0 / 35.0, 1e-15);
  // Short records lower the order below the window: the default order 3
  // works down to one sample.
  for (Qword n = 1; n <= 4; ++n) {
    std::vector<double> s(n), o(n);
    for (Qword i = 0; i < n; ++i) s[i] = 2.0 + 0.5 * static_cast<double>(i);
    ASSERT_EQ(RArrSavitskyGolayEx(n, s.data(), o.data(), &gain, 0, 0, 3, 17, 0, nullptr), 0u) << n;
    for (Qword i = 0; i < n; ++i) EXPECT_NEAR(o[i], s[i], 1e-14) << n;
  }
  EXPECT_EQ(RArrSavitskyGolayEx(10, y.data(), out.data(), &gain, 0, 4, 3, 5, 0, nullptr), 26u);
  EXPECT_EQ(RArrSavitskyGolayEx(0, y.data(), out.data(), &gain, 0, 0, 3, 5, 0, nullptr), 14u);
  EXPECT_EQ(RArrSavitskyGolayEx(10, y.data(), nullptr, &gain, 0, 0, 3, 5, 0, nullptr), 18u);
}

TEST(SigSavgol, CentredFilterWideWindowHighOrder) {
  // Window 201, order 5: the raw normal equations look singular here.
  const Qword n = 600;
  std::vector<double> y(n), out(n);
  auto quintic = [](double t) {
    const double u = (t - 300) / 100;
    return 1 + u - 2 * u * u + 0.5 * u * u * u + 0.25 * u * u * u * u - 0.1 * u * u * u * u * u;
  };
  for (Qword i = 0; i < n; ++i) y[i] = quintic(static_cast<double>(i));
  Qword order = 5, points = 201;
  double gain = 0;
  ASSERT_EQ(RArrSavitskyGolay(n, y.data(), out.data(), 0, 0, &order, &points, &gain, 1, 0), 0u);
  for (Qword i = 100; i + 100 < n; ++i) EXPECT_NEAR(out[i], y[i], 1e-9) << i;
  // Automatic sizing writes back order and points; derivative k is divided
  // by k! unless flag 2.
  ASSERT_EQ(RArrSavitskyGolay(n, y.data(), out.data(), 4.0, 2, &order, &points, &gain, 0, 0), 0u);
  EXPECT_EQ(order, 5u);
  EXPECT_EQ(points, 11u);
  const double t = 300, h = 1e-2;
  const double second = (quintic(t + h) - 2 * quintic(t) + quintic(t - h)) / (h * h);
  EXPECT_NEAR(out[300], second / 2, 1e-6);
  order = 2;
  EXPECT_EQ(RArrSavitskyGolay(n, y.data(), out.data(), 4.0, 3, &order, &points, &gain, 1, 0), 26u);
}

TEST(SigSavgol, NoiseEstimatesOnWhiteNoise) {
  const Qword n = 4096;
  std::vector<double> y(n);
  for (unsigned seed = 1; seed <= 20; ++seed) {
    BasicRandomInputs<std::mt19937> random(seed);
    for (double& v : y) v = random.Normal();
    double sg = 0, sorted = 0;
    ASSERT_EQ(RArrNoiseEstimateBySavitskyGolay(n, y.data(), &sg, nullptr, 3, 17, 3, 3.0), 0u);
    ASSERT_EQ(RArrNoiseEstimateBySorting(n, y.data(), &sorted, 0), 0u);
    EXPECT_NEAR(sg, 1.0, 0.05) << "seed " << seed;
    EXPECT_NEAR(sorted, 1.0, 0.15) << "seed " << seed;
    double flagged = 0;
    ASSERT_EQ(RArrNoiseEstimateBySorting(n, y.data(), &flagged, 1), 0u);
    EXPECT_NEAR(flagged, 1.0, 0.15) << "seed " << seed;
  }
}

TEST(SigSavgol, NoiseEstimateFailures) {
  std::vector<double> y(15, 1.0), sm(15);
  double noise = -1;
  EXPECT_EQ(RArrNoiseEstimateBySorting(15, y.data(), &noise, 0), 14u);
  // A single-sample window reproduces every sample: nothing to scale.
  EXPECT_EQ(RArrNoiseEstimateBySavitskyGolay(2, y.data(), &noise, nullptr, 3, 17, 3, 3.0), 26u);
  EXPECT_EQ(noise, -1.0);
  EXPECT_EQ(RArrNoiseEstimateBySavitskyGolay(0, y.data(), &noise, nullptr, 3, 17, 3, 3.0), 14u);
  // A smooth record: the smoothed copy is handed out.
  for (Qword i = 0; i < 15; ++i) y[i] = Cubic(static_cast<double>(i)) + ((i % 2) ? 1e-3 : -1e-3);
  ASSERT_EQ(RArrNoiseEstimateBySavitskyGolay(15, y.data(), &noise, sm.data(), 3, 9, 3, 3.0), 0u);
  EXPECT_GT(noise, 0.0);
  EXPECT_NEAR(sm[7], Cubic(7), 2e-3);
}
}  // namespace

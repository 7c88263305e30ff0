// Apodization windows against their formulas written out with numpy, and
// the failures that must leave the data unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/sarr.h"

namespace {
#include "sig_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(SigWindows, MatchNumpyFormulas) {
  const Qword n = 33;
  const double* want = kWindowOut;
  for (const WindowRow& row : kWindowRows) {
    std::vector<double> data(n, 2.0);
    const double p[2] = {row.p0, row.p1};
    ASSERT_EQ(RArrApodization(row.code, n, data.data(), 0.1, 2.3, p), 0u) << row.code;
    for (Qword k = 0; k < n; ++k)
      EXPECT_NEAR(data[k], 2.0 * want[k], 1e-14) << "code " << row.code << " at " << k;
    want += n;
  }
}

TEST(SigWindows, DocumentedEdgeCases) {
  std::vector<double> d = {1, 1};
  const double e1[2] = {1 / M_PI, 0};
  ASSERT_EQ(RArrApodization(1, 2, d.data(), 0, 1, e1), 0u);
  EXPECT_NEAR(d[1], std::exp(-1.0), 1e-16);
  EXPECT_EQ(d[0], 1.0);

  std::vector<double> c(5, 1.0);
  const double c3[2] = {1, 0};
  ASSERT_EQ(RArrApodization(3, 5, c.data(), 0, 2, c3), 0u);
  EXPECT_EQ(c[0], 1.0);
  EXPECT_NEAR(c[1], 0.5, 1e-15);
  EXPECT_EQ((std::vector<double>(c.begin() + 2, c.end())), std::vector<double>(3, 0.0));

  std::vector<double> s(4, 3.0);
  const double sinc[2] = {2, 0};
  ASSERT_EQ(RArrApodization(6, 4, s.data(), 0, 1, sinc), 0u);
  EXPECT_EQ(s[0], 3.0);
  const double mb[2] = {1, 0};
  ASSERT_EQ(RArrApodization(7, 4, s.data(), 0, 1, mb), 0u);
  EXPECT_EQ(s[0], 0.0);

  std::vector<double> h(3, 4.0);
  const double half[2] = {1, 0.4};
  ASSERT_EQ(RArrApodization(8, 3, h.data(), 0, 1, half), 0u);
  EXPECT_EQ(h, std::vector<double>(3, 2.0));
  const double bad[2] = {-1, 2};
  EXPECT_EQ(RArrApodization(8, 3, h.data(), 0, 1, bad), 26u);
  EXPECT_EQ(h, std::vector<double>(3, 2.0));
  const double none[2] = {0, 0};
  EXPECT_EQ(RArrApodization(9, 3, h.data(), 0, 1, none), 44u);
  EXPECT_EQ(RArrApodization(9, 1, h.data(), 0, 1, none), 0u);
  EXPECT_EQ(RArrApodization(1, 3, nullptr, 0, 1, none), 14u);
  // p0 = 0: codes 3 and 7 zero the data, 6 and 8 leave it.
  std::vector<double> z(3, 5.0);
  EXPECT_EQ(RArrApodization(6, 3, z.data(), 0, 1, none), 0u);
  EXPECT_EQ(z, std::vector<double>(3, 5.0));
  EXPECT_EQ(RArrApodization(3, 3, z.data(), 0, 1, none), 0u);
  EXPECT_EQ(z, std::vector<double>(3, 0.0));
}

TEST(SigWindows, StanningWithoutLengthIsRefused) {
  std::vector<double> d(5, 1.0);
  const double zero_length[2] = {1, 0};  // T = p1 p0 = 0
  EXPECT_EQ(RArrApodization(2, 5, d.data(), 0, 1, zero_length), 26u);
  const double negative[2] = {-2, 0.5};
  EXPECT_EQ(RArrApodization(2, 5, d.data(), 0, 1, negative), 26u);
  const double nan_p0[2] = {kNaN, 1};
  EXPECT_EQ(RArrApodization(2, 5, d.data(), 0, 1, nan_p0), 26u);
  EXPECT_EQ(d, std::vector<double>(5, 1.0));
  // Infinite p1: T = t1, p0 = 0 counts as 4 only when p1 is finite.
  const double to_end[2] = {0, INFINITY};
  ASSERT_EQ(RArrApodization(2, 5, d.data(), 0, 1, to_end), 0u);
  EXPECT_NEAR(d[4], 0.0, 1e-16);
  EXPECT_NEAR(d[2], 0.5, 1e-15);
}

TEST(SigWindows, Cos2TmaxEndsBeforeTheFirstSample) {
  std::vector<double> d(5, 1.0);
  const double early[2] = {0.5, 0};  // p0 < t0: nothing of the window is left
  ASSERT_EQ(RArrApodization(3, 5, d.data(), 1, 3, early), 0u);
  EXPECT_EQ(d, std::vector<double>(5, 0.0));
  std::vector<double> e(5, 1.0);
  const double nan_p0[2] = {kNaN, 0};
  EXPECT_EQ(RArrApodization(3, 5, e.data(), 0, 1, nan_p0), 26u);
  EXPECT_EQ(e, std::vector<double>(5, 1.0));
}

TEST(SigWindows, SmoothstepLimitsAndOddPowers) {
  // u overflows for t/p0 = 1e200: the window is 1 there, not NaN.
  std::vector<double> d = {1, 1};
  const double steep[2] = {1e-200, 3};
  ASSERT_EQ(RArrApodization(8, 2, d.data(), 1, 2, steep), 0u);
  EXPECT_EQ(d, (std::vector<double>{1, 1}));
  // Odd N at negative times uses |t/p0|^N: symmetric, in [0, 1).
  std::vector<double> s(5, 1.0);
  const double odd[2] = {1, 3};
  ASSERT_EQ(RArrApodization(8, 5, s.data(), -2, 2, odd), 0u);
  EXPECT_NEAR(s[0], 8.0 / 9.0, 1e-15);
  EXPECT_NEAR(s[1], 0.5, 1e-15);
  EXPECT_EQ(s[2], 0.0);
  EXPECT_NEAR(s[3], 0.5, 1e-15);
}

// Integer powers of N from 1 to 2^31 + 1 at abscissae whose ratio t/p0 is a
// power of two, so u = (t/p0)^N and u/(1 + u) have exact values to compare
// with (ties and underflow included).
TEST(SigWindows, SmoothstepIntegerPowersAreExact) {
  struct Case {
    double N;
    double t0, t1, p0;  // five samples from t0 to t1
    double want[5];     // u/(1 + u) at each, exactly
  };
  const double third = 1.0 / 3, two3 = 2.0 / 3;
  const Case cases[] = {
      {1, 0, 4, 2, {0, third, 0.5, 0.6, two3}},  // u = t/p0 itself
      {2, -2, 2, 1, {0.8, 0.5, 0, 0.5, 0.8}},
      {2.5, 0, 4, 4, {0, 1.0 / 65, 1.0 / 9, 27.0 / 91, 0.5}},  // N = 3: u = 1/64, 1/8, 27/64, 1
      {1000, 0.5, 2.5, 1, {std::ldexp(1, -1000), 0.5, 1, 1, 1}},
      {2147483649.0, 0.5, 2.5, 1, {0, 0.5, 1, 1, 1}},  // u underflows to 0, overflows to 1
  };
  for (const Case& c : cases) {
    std::vector<double> d(5, 1.0);
    const double p[2] = {c.p0, c.N};
    ASSERT_EQ(RArrApodization(8, 5, d.data(), c.t0, c.t1, p), 0u) << c.N;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(d[k], c.want[k]) << "N " << c.N << " sample " << k;
  }
}

// A long record crosses the block boundaries of the power evaluation:
// every sample still matches the closed form with the square written out.
TEST(SigWindows, SmoothstepLongRecordMatchesTheSquare) {
  const Qword n = 1000;
  const double t1 = 0.0999, p0 = 0.0003;
  std::vector<double> s(2 * n);
  for (Qword k = 0; k < 2 * n; ++k) s[k] = 1.0 + static_cast<double>(k % 7);
  const std::vector<double> before = s;
  const double p[2] = {p0, 2};
  ASSERT_EQ(SArrTdApodize(8, n, s.data(), 0, t1, p), 0u);
  for (Qword k = 0; k < n; ++k) {
    const double x = static_cast<double>(k) * (t1 / static_cast<double>(n - 1)) / p0;
    const double w = x * x / (1 + x * x);
    ASSERT_NEAR(s[k], before[k] * w, 4e-16 * before[k]) << k;
    ASSERT_NEAR(s[n + k], before[n + k] * w, 4e-16 * before[n + k]) << k;
  }
}

// Every window on a signal array equals the same window on each half alone.
TEST(SigWindows, SignalHalvesTakeTheRealWindow) {
  const Qword n = 301;
  const double params[][2] = {{3, 0},   {0.5, 0.2}, {0.9, 0}, {2, 0},
                              {1.5, 4}, {7, 0},     {0.3, 0}, {0.2, 3}};
  for (ApodizationType code = 1; code <= 8; ++code) {
    std::vector<double> s(2 * n);
    for (Qword k = 0; k < 2 * n; ++k) s[k] = std::sin(0.37 * static_cast<double>(k)) + 2;
    std::vector<double> re(s.begin(), s.begin() + n), im(s.begin() + n, s.end());
    const double* p = params[code - 1];
    ASSERT_EQ(SArrTdApodize(code, n, s.data(), 0.01, 1.2, p), 0u) << code;
    ASSERT_EQ(RArrApodization(code, n, re.data(), 0.01, 1.2, p), 0u) << code;
    ASSERT_EQ(RArrApodization(code, n, im.data(), 0.01, 1.2, p), 0u) << code;
    EXPECT_EQ(std::vector<double>(s.begin(), s.begin() + n), re) << code;
    EXPECT_EQ(std::vector<double>(s.begin() + n, s.end()), im) << code;
  }
}

// Maxwell-Boltzmann with a p0 so small that 1/p0^2 overflows: the first
// sample at t = 0 is still u exp(-u) = 0, not NaN, and a sample at a
// moderate t/p0 keeps its value.
TEST(SigWindows, MaxwellBoltzmannAtTinyWidth) {
  std::vector<double> d = {3, 3, 3};
  const double tiny[2] = {1e-200, 0};
  ASSERT_EQ(RArrApodization(7, 3, d.data(), 0, 2e-200, tiny), 0u);
  EXPECT_EQ(d[0], 0.0);
  EXPECT_NEAR(d[1], 3 * std::exp(-1.0), 1e-15);
  EXPECT_NEAR(d[2], 3 * 4 * std::exp(-4.0), 1e-15);
}

TEST(SigWindows, SignalApodizeIsAllOrNothing) {
  std::vector<double> s = {1, 1, 1, 2, 2, 2};
  const double p[2] = {1 / M_PI, 0};
  ASSERT_EQ(SArrTdApodize(1, 3, s.data(), 0, 2, p), 0u);
  EXPECT_NEAR(s[2], std::exp(-2.0), 1e-16);
  EXPECT_NEAR(s[5], 2 * std::exp(-2.0), 1e-16);
  std::vector<double> keep = {1, 2, 3, 4};
  const double bad[2] = {-1, 2};
  EXPECT_EQ(SArrTdApodize(8, 2, keep.data(), 0, 1, bad), 26u);
  EXPECT_EQ(keep, (std::vector<double>{1, 2, 3, 4}));
  EXPECT_EQ(SArrTdApodize(1, 0, keep.data(), 0, 1, p), 14u);
  EXPECT_EQ(SArrTdApodize(1, 2, nullptr, 0, 1, p), 14u);
}
}  // namespace

// Extrapolations to zero: exact on polynomial data of their degree, the
// documented special cases, and the guards of the mended faults.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/fit/extrapolation.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 1.75 - 0.5 x + 0.3 x^2 - 0.2 x^3 + 0.05 x^4 - 0.01 x^5 + 0.002 x^6, first
// `degree` + 1 terms.
double Poly(double x, int degree) {
  const double c[] = {1.75, -0.5, 0.3, -0.2, 0.05, -0.01, 0.002};
  double v = 0;
  for (int j = degree; j >= 0; --j) v = v * x + c[j];
  return v;
}

TEST(FitExtrap, ChebyExactOnPolynomials) {
  // Degrees up to 3 (the engine's default) to 1e-12; the normal equations
  // square the conditioning, so degrees 4 and 5 reach 1e-10.
  for (int d = 0; d <= 5; ++d) {
    std::vector<double> x(20), y(20);
    for (int i = 0; i < 20; ++i) {
      x[i] = 0.3 + 0.11 * i;
      y[i] = Poly(x[i], d);
    }
    const std::vector<double> x0 = x;
    double v = 0;
    ASSERT_EQ(ExtrapToZeroByCheby(x.data(), y.data(), &v, 20, d), 0u) << d;
    EXPECT_NEAR(v, 1.75, d <= 3 ? 1e-12 : 1e-10) << d;
    EXPECT_EQ(x, x0);
  }
  // Degree 0: the mean of the window.
  const double x[] = {1, 2, 3}, y[] = {2, 4, 9};
  double v = 0;
  ASSERT_EQ(ExtrapToZeroByCheby(x, y, &v, 3, 0), 0u);
  EXPECT_NEAR(v, 5, 1e-15);
}

TEST(FitExtrap, ChebyErrors) {
  const double x[] = {1, 2, 0}, xn[] = {1, 2, kNaN}, y[] = {1, 2, 3};
  double v = 7;
  EXPECT_EQ(ExtrapToZeroByCheby(nullptr, y, &v, 3, 1), kErrMissingInputData);
  EXPECT_EQ(ExtrapToZeroByCheby(x, y, &v, 0, 1), kErrIllegalParameters);
  EXPECT_EQ(ExtrapToZeroByCheby(x, y, &v, 3, 1), kErrIllegalArgument);
  EXPECT_EQ(ExtrapToZeroByCheby(xn, y, &v, 3, 1), kErrIllegalArgument);
  EXPECT_EQ(v, 7);
}

TEST(FitExtrap, SavGolExactOnPolynomials) {
  for (int p = 1; p <= 4; ++p) {
    const double x0 = 0.37, dx = 0.05;
    std::vector<double> y(15);
    for (int i = 0; i < 15; ++i) y[i] = Poly(x0 + i * dx, p);
    double v = 0, gain = 0;
    ASSERT_EQ(ExtrapToZeroBySavGol(y.data(), x0, dx, &v, &gain, 0, 15, p), 0u) << p;
    EXPECT_NEAR(v, 1.75, 1e-11) << p;
    EXPECT_GT(gain, 0);
    // First derivative in units of the sample index: -0.5 dx.
    ASSERT_EQ(ExtrapToZeroBySavGol(y.data(), x0, dx, &v, &gain, 1, 15, p), 0u) << p;
    EXPECT_NEAR(v, -0.5 * dx, 1e-11) << p;
  }
  // x0 = 0 evaluates at the first sample; an even window of 8 uses 7.
  std::vector<double> y(8);
  for (int i = 0; i < 8; ++i) y[i] = Poly(0.1 * i, 2);
  y[7] = kNaN;  // never read
  double v = 0, gain = 0;
  ASSERT_EQ(ExtrapToZeroBySavGol(y.data(), 0, 0.1, &v, &gain, 0, 8, 2), 0u);
  EXPECT_NEAR(v, 1.75, 1e-13);
  EXPECT_EQ(ExtrapToZeroBySavGol(y.data(), 0, 0, &v, &gain, 0, 7, 2), kErrIllegalParameters);
  EXPECT_EQ(ExtrapToZeroBySavGol(nullptr, 0, 1, &v, &gain, 0, 7, 2), kErrMissingInputData);
}

TEST(FitExtrap, InterpolationExactOnPolynomials) {
  struct Case {
    double x0, dx;
    int c;
  } cases[] = {{0.5, 0.25, 1}, {0.25, 0.25, 3}, {0.2, 0.2, 6}, {1e-4, 1e-4, 6}, {1e-4, 1e-4, 8}};
  for (const Case& k : cases) {
    const int d = k.c < 6 ? k.c : 6;
    std::vector<double> y(k.c + 1);
    for (int i = 0; i <= k.c; ++i) y[i] = Poly(k.x0 + i * k.dx, d);
    double v = 0;
    ASSERT_EQ(ExtrapToZeroByInterpolation(k.x0, k.dx, y.data(), k.c, 0, &v), 0u) << k.c;
    EXPECT_NEAR(v, 1.75, 1e-12) << k.c << " " << k.x0;
    ASSERT_EQ(ExtrapToZeroByInterpolation(k.x0, k.dx, y.data(), k.c, 1, &v), 0u) << k.c;
    EXPECT_NEAR(v, -0.5, 1e-8) << k.c << " " << k.x0;
  }
  // A straight line a + b x with c = 1: a for q = 0, b for q = 1.
  const double y[] = {3 + 2 * 0.75, 3 + 2 * 1.25};
  double v = 0;
  ASSERT_EQ(ExtrapToZeroByInterpolation(0.75, 0.5, y, 1, 0, &v), 0u);
  EXPECT_DOUBLE_EQ(v, 3);
  ASSERT_EQ(ExtrapToZeroByInterpolation(0.75, 0.5, y, 1, 1, &v), 0u);
  EXPECT_DOUBLE_EQ(v, 2);
  for (auto args : {std::vector<double>{0, 1, 1}, {1, 0, 1}, {1, 1, 0}})
    EXPECT_EQ(ExtrapToZeroByInterpolation(args[0], args[1], y, Qword(args[2]), 0, &v),
              kErrMissingArguments);
  EXPECT_EQ(ExtrapToZeroByInterpolation(0.75, 0.5, y, 1, 2, &v), kErrIllegalArgument);
}

TEST(FitExtrap, LinearPrefixes) {
  const double x2[] = {1, 3}, y2[] = {5, 11};
  double a = 0, b = 0;
  ASSERT_EQ(RArrExt2ZeroByLinearFit(x2, y2, 2, &a, &b), 0u);
  EXPECT_DOUBLE_EQ(a, 2);
  EXPECT_DOUBLE_EQ(b, 3);
  // A line with one outlier at the end: ten prefixes give the true line,
  // the full one a line of slope 0.25 + 40 (5.5) / 143 through the means;
  // the result is the lower edge of the bin of the ten.
  std::vector<double> x(12), y(12);
  for (int i = 0; i < 12; ++i) {
    x[i] = 0.5 + i;
    y[i] = -1.5 + 0.25 * x[i];
  }
  y[11] += 40;
  ASSERT_EQ(RArrExt2ZeroByLinearFit(x.data(), y.data(), 12, &a, &b), 0u);
  const double s12 = 0.25 + 40 * 5.5 / 143, a12 = (-1.5 + 0.25 * 6 + 40.0 / 12) - s12 * 6;
  EXPECT_NEAR(a, a12 + 10 * (-1.5 - a12) / 11, 1e-12);
  EXPECT_NEAR(b, 0.25, 1e-12);  // the ten slopes are the minimum: bin 0
  // A prefix without a line (equal abscissas) is skipped.
  const double x3[] = {1, 1, 2, 3}, y3[] = {1, 1, 2, 3};
  ASSERT_EQ(RArrExt2ZeroByLinearFit(x3, y3, 4, &a, &b), 0u);
  EXPECT_NEAR(a, 0, 1e-15);
  EXPECT_NEAR(b, 1, 1e-15);
  EXPECT_EQ(RArrExt2ZeroByLinearFit(x3, y3, 2, &a, &b), kErrIllegalArgument);
  EXPECT_EQ(RArrExt2ZeroByLinearFit(nullptr, y3, 4, &a, &b), kErrMissingArguments);
  EXPECT_EQ(RArrExt2ZeroByLinearFit(x3, y3, 4, nullptr, &b), kErrMissingParameters);
  EXPECT_EQ(RArrExt2ZeroByLinearFit(x3, y3, 1, &a, &b), kErrIllegalArgument);
}

}  // namespace

// The straight line, the basis fits, the rational fit and the decomposition
// against numpy and exact rational references and closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "scalar/orthogonal_polys.h"
#include "scalar/real_helpers.h"
#include "signal_fit/fit/linear_fits.h"
#include "signal_fit/signal/savgol.h"
#include "support/alloc_failure.h"

namespace {
#include "fit_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <size_t N>
std::vector<double> V(const double (&a)[N]) {
  return std::vector<double>(a, a + N);
}

TEST(FitLinear, RegressionFarFromZeroMatchesExact) {
  const Qword n = std::size(kLineX);
  double b = 0, a = 0, sd = 0;
  ASSERT_EQ(LinearRegression(kLineX, kLineY, n, &b, &a, &sd), 0u);
  EXPECT_NEAR(b, kLineSlope, 1e-9 * std::fabs(kLineSlope));
  // The intercept at x = 0 lies 1e7 slopes away; compare at the data.
  EXPECT_NEAR(a + b * 1e7, kLineIntercept + kLineSlope * 1e7, 1e-7);
  EXPECT_NEAR(sd, kLineSd, 1e-8 * kLineSd);
}

TEST(FitLinear, RegressionSkipsNaNPairs) {
  const double x[] = {1, kNaN, 2, 3, 4};
  const double y[] = {3, 100, kNaN, 7, 9};
  double b = 0, a = 0, sd = -1;
  ASSERT_EQ(LinearRegression(x, y, 5, &b, &a, &sd), 0u);
  EXPECT_DOUBLE_EQ(b, 2);
  EXPECT_DOUBLE_EQ(a, 1);
  EXPECT_NEAR(sd, 0, 1e-15);
  // Exactly two valid pairs: the line through them, sd 0.
  const double x2[] = {kNaN, 1.5, 4};
  const double y2[] = {1, -2, 3};
  ASSERT_EQ(LinearRegression(x2, y2, 3, &b, &a, &sd), 0u);
  EXPECT_DOUBLE_EQ(b, 2);
  EXPECT_DOUBLE_EQ(a, -5);
  EXPECT_EQ(sd, 0);
}

TEST(FitLinear, RegressionErrors) {
  const double x[] = {1, 1, 1};
  const double y[] = {1, 2, 3};
  const double xn[] = {kNaN, 2, 3};
  const double yn[] = {1, kNaN, 3};
  double b = 5, a = 5;
  struct Case {
    const double *x, *y;
    Qword n;
    double *b, *a;
    Dword want;
  } cases[] = {
      {nullptr, y, 3, nullptr, nullptr, kErrMissingArguments},  // 22 before 21
      {x, y, 0, &b, &a, kErrMissingArguments},
      {x, nullptr, 3, &b, &a, kErrMissingArguments},
      {x, y, 3, nullptr, &a, kErrMissingParameters},
      {xn, yn, 3, &b, &a, kErrMissingParameters},  // one valid pair
      {x, y, 1, &b, &a, kErrMissingParameters},
      {x, y, 3, &b, &a, kErrIllegalArgument},  // all x equal
  };
  for (const Case& c : cases) {
    b = a = 5;
    EXPECT_EQ(LinearRegression(c.x, c.y, c.n, c.b, c.a, nullptr), c.want);
    if (c.b && c.want != kErrMissingArguments) {
      EXPECT_TRUE(std::isnan(b));
      EXPECT_TRUE(std::isnan(a));
    }
  }
}

TEST(FitLinear, PowerBasisOnWideAbscissaMatchesLstsq) {
  struct Case {
    const double *x, *y, *w, *coef;
    Qword n, k;
  } cases[] = {
      {kPowCubic1000X, kPowCubic1000Y, kPowCubic1000W, kPowCubic1000Coef, std::size(kPowCubic1000X),
       4},
      {kPowQuartic100X, kPowQuartic100Y, kPowQuartic100W, kPowQuartic100Coef,
       std::size(kPowQuartic100X), 5},
  };
  for (const Case& c : cases) {
    std::vector<double> got(c.k);
    ASSERT_EQ(MultiLinearFit(c.k, got.data(), c.n, c.x, c.y, c.w, ruPower), 0u) << c.k;
    for (Qword i = 0; i < c.k; ++i)
      EXPECT_NEAR(got[i], c.coef[i], 1e-8 * std::fabs(c.coef[i]) + 1e-12) << c.k << " " << i;
  }
}

TEST(FitLinear, ChebyshevMatchesChebfit) {
  const Qword n = std::size(kChebX);
  std::vector<double> got(7);
  ASSERT_EQ(MultiLinearFitChebyshev(7, got.data(), n, kChebX, kChebY, kChebW), 0u);
  for (Qword i = 0; i < 7; ++i) EXPECT_NEAR(got[i], kChebCoef[i], 1e-12) << i;
}

TEST(FitLinear, BasisFitErrors) {
  const double x[] = {1, 2, 3}, y[] = {1, 2, 3}, w[] = {1, 1, 1};
  double c[3];
  EXPECT_EQ(MultiLinearFit(0, c, 3, x, y, w, ruPower), kErrMissingInputData);
  EXPECT_EQ(MultiLinearFit(2, c, 3, x, y, nullptr, ruPower), kErrMissingInputData);
  EXPECT_EQ(MultiLinearFit(2, nullptr, 3, x, y, w, ruPower), kErrMissingOutputBuffer);
  EXPECT_EQ(MultiLinearFit(3, c, 2, x, y, w, ruPower), kErrIllegalArgument);  // singular
  AllocFailureGuard fail(0);
  EXPECT_EQ(MultiLinearFit(2, c, 3, x, y, w, ruPower), kErrAlloc);
  fail.Release();
}

TEST(FitLinear, ExponentialFitZeroesPathologicalWeights) {
  // ln y = 0.5 - 1.25 x on the valid points; the others carry garbage.
  std::vector<double> x, y, w;
  for (int i = 0; i < 12; ++i) {
    x.push_back(0.1 * i);
    y.push_back(std::exp(0.5 - 1.25 * 0.1 * i));
    w.push_back(1);
  }
  y[3] = 0;
  y[7] = -2;
  y[9] = kNaN;
  double c[2];
  testing::internal::CaptureStdout();
  ASSERT_EQ(ExponentialMultiLinearFit(2, c, x.size(), x.data(), y.data(), w.data(), ruPower), 0u);
  const std::string text = testing::internal::GetCapturedStdout();
  EXPECT_NEAR(c[0], 0.5, 1e-13);
  EXPECT_NEAR(c[1], -1.25, 1e-13);
  EXPECT_EQ(w[3], 0);
  EXPECT_EQ(w[7], 0);
  EXPECT_EQ(w[9], 0);
  EXPECT_EQ(w[4], 1);
  EXPECT_NE(text.find("\n Warning: point (x,y) = (0.7,-2) is pathological in an exponential fit."),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("(0.3,0)"), std::string::npos);
}

TEST(FitLinear, RationalFitRecoversExactRatio) {
  std::vector<double> x, y, w;
  for (int i = 0; i < 30; ++i) {
    const double t = -0.9 + 0.13 * i;
    x.push_back(t);
    y.push_back((1 + 2 * t) / (1 + 0.5 * t));
    w.push_back(1 + 0.1 * i);
  }
  double c[3];
  ASSERT_EQ(RationalFit(2, 2, c, x.size(), x.data(), y.data(), w.data(), ruPower), 0u);
  EXPECT_NEAR(c[0], 1, 1e-10);
  EXPECT_NEAR(c[1], 2, 1e-10);
  EXPECT_NEAR(c[2], 0.5, 1e-10);
  // Two denominator terms: (3 - x + x^2 / 4) / (1 + 0.2 x - 0.1 x^2).
  y.clear();
  for (double t : x) y.push_back((3 - t + 0.25 * t * t) / (1 + 0.2 * t - 0.1 * t * t));
  double d[5];
  ASSERT_EQ(RationalFit(3, 3, d, x.size(), x.data(), y.data(), w.data(), ruPower), 0u);
  const double want[] = {3, -1, 0.25, 0.2, -0.1};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(d[i], want[i], 1e-10) << i;
  EXPECT_EQ(RationalFit(0, 2, c, x.size(), x.data(), y.data(), w.data(), ruPower),
            kErrIllegalArgument);
}

TEST(FitLinear, DecompositionCoefficientsAndHalfWidths) {
  const Qword n = std::size(kDecoY), m = 3;
  double c[3], s[3] = {-1, -1, -1};
  ASSERT_EQ(OptimalLinearDecomposition(kDecoY, n, kDecoC, m, c, 0.95, s, 0, nullptr), 0u);
  for (Qword j = 0; j < m; ++j) EXPECT_NEAR(c[j], kDecoCoef[j], 1e-11) << j;
  EXPECT_EQ(s[0], -1);  // type 0: coefficients only
  ASSERT_EQ(OptimalLinearDecomposition(kDecoY, n, kDecoC, m, c, 0.95, s, 2, nullptr), 0u);
  double noise = 0;
  ASSERT_EQ(RArrNoiseEstimateBySavitskyGolay(n, kDecoY, &noise, nullptr, 3, 17, 3, 3.0), 0u);
  for (Qword j = 0; j < m; ++j)
    EXPECT_NEAR(s[j], noise * std::sqrt(kDecoGinvDiag[j]) * kDecoZ95, 1e-9 * s[j]) << j;
  // Component variances widen the interval.
  const double v[3] = {1e-4, 0, 2e-4};
  double s2[3];
  ASSERT_EQ(OptimalLinearDecomposition(kDecoY, n, kDecoC, m, c, 0.95, s2, 2, v), 0u);
  const double var = noise * noise + c[0] * c[0] * v[0] + c[2] * c[2] * v[2];
  for (Qword j = 0; j < m; ++j)
    EXPECT_NEAR(s2[j], std::sqrt(var * kDecoGinvDiag[j]) * kDecoZ95, 1e-9 * s2[j]) << j;
  // Type 1 runs the analysis of variance and fills every entry.
  double s1[3] = {kNaN, kNaN, kNaN};
  ASSERT_EQ(OptimalLinearDecomposition(kDecoY, n, kDecoC, m, c, 0.95, s1, 1, nullptr), 0u);
  for (double x : s1) EXPECT_TRUE(std::isfinite(x) && x >= 0);
}

TEST(FitLinear, DecompositionErrors) {
  double c[1], s[1];
  const double y[2] = {1, 2};
  EXPECT_EQ(OptimalLinearDecomposition(nullptr, 2, y, 1, c, 0.9, s, 0, nullptr),
            kErrMissingInputData);
  EXPECT_EQ(OptimalLinearDecomposition(y, 0, y, 1, c, 0.9, s, 0, nullptr), kErrMissingParameters);
  EXPECT_EQ(OptimalLinearDecomposition(y, 2, y, 1, nullptr, 0.9, s, 0, nullptr),
            kErrMissingOutputBuffer);
  const double zero[2] = {0, 0};
  EXPECT_EQ(OptimalLinearDecomposition(y, 2, zero, 1, c, 0.9, s, 0, nullptr), kErrIllegalArgument);
}

}  // namespace

// Term functions and the aqua-ion model against independent numpy models,
// parameter recovery of the term and profile fits on noise-free data, and
// the power-sum equations.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/random.h"
#include "arrays/random_testing.h"
#include "base/error_codes.h"
#include "base/ieee.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/term_fits.h"

namespace {
#include "fit_reference.inc"

TEST(FitTerms, TermValuesMatchNumpyModel) {
  const Qword n = std::size(kTermV);
  for (Dword type = 1; type <= 8; ++type)
    for (Qword i = 0; i < n; ++i) {
      const double want = kTermValues[(type - 1) * n + i];
      EXPECT_NEAR(TermFunctionValue(type, 1.7, 0.37, 0.45, kTermV[i]), want,
                  1e-13 * std::fabs(want))
          << type << " " << i;
    }
  EXPECT_EQ(TermFunctionValue(0, 1.7, 0.37, 0.45, 2.0), 0);
  EXPECT_EQ(TermFunctionValue(9, 1.7, 0.37, 0.45, 2.0), 0);
}

TEST(FitTerms, AquaModelMatchesNumpyModel) {
  const Qword n = std::size(kAquaNu);
  const Dword bits[] = {11, 1, 2, 8, 0};
  for (int b = 0; b < 5; ++b)
    for (Qword i = 0; i < n; ++i) {
      const double want = kAquaRates[b * n + i];
      EXPECT_NEAR(AquaionsProfileRate(kAquaParams, bits[b], kAquaNu[i]), want,
                  1e-13 * std::fabs(want))
          << bits[b] << " " << i;
    }
  // No term bits: the offset at every frequency.
  EXPECT_EQ(AquaionsProfileRate(kAquaParams, 0, 3.0), kAquaParams[0]);
}

TEST(FitTerms, BppRecovered) {
  std::vector<double> v(40), y(40);
  for (int i = 0; i < 40; ++i) {
    v[i] = 0.01 * std::pow(10.0, i / 10.0);
    y[i] = 0.3 + TermFunctionValue(kTermBpp, 2.5, 0.8, 0, v[i]);
  }
  const Dword types[2] = {kTermBpp, kTermNone};
  double amp[2] = {2.0, 7.0}, tau[2] = {1.0, 9.0}, off = 0.2;
  ASSERT_EQ(MultiTermFunctionFit(0, 40, v.data(), y.data(), 2, types, amp, tau, &off, 0, nullptr,
                                 nullptr),
            0u);
  EXPECT_NEAR(amp[0], 2.5, 1e-6);
  EXPECT_NEAR(tau[0], 0.8, 1e-6);
  EXPECT_NEAR(off, 0.3, 1e-6);
  EXPECT_EQ(amp[1], 7.0);  // type 0: untouched
  EXPECT_EQ(tau[1], 9.0);
}

TEST(FitTerms, ExtraParameterAndFixedOffset) {
  std::vector<double> v(40), y(40);
  for (int i = 0; i < 40; ++i) {
    v[i] = 0.02 * std::pow(10.0, i / 12.0);
    y[i] = 1.0 + TermFunctionValue(kTermWeibull, 3.0, 0.5, 1.6, v[i]);
  }
  const Dword types[1] = {kTermWeibull};
  double amp = 2.5, tau = 0.6, off = 1.0, eta = 1.3;
  const Long freeEta = 1;
  ASSERT_EQ(MultiTermFunctionFit(kFitOffsetFixed, 40, v.data(), y.data(), 1, types, &amp, &tau,
                                 &off, 1, &eta, &freeEta),
            0u);
  EXPECT_EQ(off, 1.0);
  EXPECT_NEAR(amp, 3.0, 1e-5);
  EXPECT_NEAR(tau, 0.5, 1e-5);
  EXPECT_NEAR(eta, 1.6, 1e-5);
  // Types 7 and 8 need the extra parameter.
  EXPECT_EQ(MultiTermFunctionFit(0, 40, v.data(), y.data(), 1, types, &amp, &tau, &off, 0, nullptr,
                                 nullptr),
            kErrIllegalArgument);
  EXPECT_EQ(
      MultiTermFunctionFit(0, 0, v.data(), y.data(), 1, types, &amp, &tau, &off, 1, &eta, &freeEta),
      kErrMissingInputData);
}

TEST(FitTerms, AquaFitRecoversFreeParameters) {
  const Qword n = std::size(kAquaNu);
  const double* y = kAquaRates;  // term bits 11
  const double lower[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const double upper[10] = {0.01, 1, 1, 1, 1, 1, 1, 1, 1, 1};  // exclude the truth
  const Long free[10] = {1, 0, 0, 0, 0, 1, 1, 0, 0, 0};
  double p[10];
  for (int i = 0; i < 10; ++i) p[i] = kAquaParams[i];
  p[0] *= 1.2;
  p[5] *= 0.9;
  p[6] *= 1.1;
  std::vector<double> res(n);
  // Flags 0: the bounds are never looked at.
  ASSERT_EQ(AquaionsFfcProfileFit(0, 11, n, kAquaNu, y, p, free, lower, upper, res.data()), 0u);
  for (int i : {0, 5, 6}) EXPECT_NEAR(p[i], kAquaParams[i], 1e-4 * kAquaParams[i]) << i;
  for (int i : {1, 2, 3, 4, 7, 8, 9}) EXPECT_EQ(p[i], kAquaParams[i]) << i;
  for (Qword i = 0; i < n; ++i)
    EXPECT_DOUBLE_EQ(res[i], y[i] - AquaionsProfileRate(p, 11, kAquaNu[i]));
}

TEST(FitTerms, FailedAquaFitKeepsCallersValues) {
  // An undefined start value makes every rate NaN: the fit fails and the
  // parameters come back as given, not divided by their units.
  const Qword n = std::size(kAquaNu);
  const double lower[10] = {}, upper[10] = {};
  const Long free[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  double p[10];
  for (int i = 0; i < 10; ++i) p[i] = kAquaParams[i];
  p[6] = std::nan("");
  EXPECT_EQ(AquaionsFfcProfileFit(0, 11, n, kAquaNu, kAquaRates, p, free, lower, upper, nullptr),
            kErrIllegalArgument);
  EXPECT_TRUE(std::isnan(p[6]));
  for (int i : {0, 1, 2, 3, 4, 5, 7, 8, 9}) EXPECT_EQ(p[i], kAquaParams[i]) << i;
}

TEST(FitTerms, FfcProfileFitsOffsetOnly) {
  const double x[4] = {1, 2, 3, 4}, y[4] = {1, 2, 3, 6};
  const Dword types[2] = {1, 6};
  double p[1 + 2 + 9];
  Long free[12];
  for (int i = 0; i < 12; ++i) {
    p[i] = 0.5 * i;
    free[i] = 1;
  }
  double model[4] = {-1, -1, -1, -1};
  ASSERT_EQ(FfcProfileFit(0, 0, 4, x, y, 2, types, p, free, nullptr, nullptr, model), 0u);
  EXPECT_NEAR(p[0], 3, 1e-5);  // the mean
  EXPECT_EQ(model[0], -1);
}

TEST(FitTerms, PowersSumSolved) {
  // 2 x0 + 3 x1 and 2 x0^2 + 3 x1^2 of (0.4, 0.7); (0.76, 0.46) solves
  // them too, so the equations are checked.
  const double a[2] = {2, 3};
  const double y[2] = {2 * 0.4 + 3 * 0.7, 2 * 0.16 + 3 * 0.49};
  double x[2] = {0.5, 0.5}, value = -1, res[2];
  ASSERT_EQ(PowersSumEquationsFit(2, a, y, x, 0, 1, &value, res), 0u);
  EXPECT_NEAR(2 * x[0] + 3 * x[1], y[0], 1e-6);
  EXPECT_NEAR(2 * x[0] * x[0] + 3 * x[1] * x[1], y[1], 1e-6);
  EXPECT_LT(value, 1e-6);
  EXPECT_NEAR(res[0], y[0] - 2 * x[0] - 3 * x[1], 1e-15);
  EXPECT_EQ(PowersSumEquationsFit(0, a, y, x, 0, 1, &value, res), kErrMissingArguments);
  EXPECT_EQ(PowersSumEquationsFit(2, a, y, nullptr, 0, 1, &value, res), kErrMissingOutputBuffer);
}

TEST(FitTerms, PowersSumAutomaticBoundedWhenEveryFitFails) {
  RandomTestReset(7);
  const double a[2] = {2, 3};
  const double y[2] = {2 * 0.4 + 3 * 0.7, 2 * 0.16 + 3 * 0.49};
  double x[2] = {0, 0}, best = 0;
  ASSERT_EQ(PowersSumEquationsAutomaticFit(3, 2, a, y, x, 0, 1, &best, nullptr), 0u);
  EXPECT_LT(best, 1e-6);
  EXPECT_NEAR(2 * x[0] + 3 * x[1], y[0], 1e-4);
  // Right sides that make every target NaN at its start: every fit fails,
  // the loop gives up after a bounded number of tries and says so.
  const double bad[2] = {std::nan(""), 1};
  x[0] = x[1] = 0.25;
  EXPECT_EQ(PowersSumEquationsAutomaticFit(2, 2, a, bad, x, 0, 1, &best, nullptr),
            kErrSolutionNotFound);
  EXPECT_EQ(best, ___MaxReal);
  EXPECT_EQ(x[0], 0.25);
}

}  // namespace

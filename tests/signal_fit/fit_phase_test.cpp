// The simplex phase estimate (judged by its own criterion, which is biased)
// and the time-domain phase polynomial on signals of known phase.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/signal/fourier.h"

namespace {

// 100 N - P of the spectrum with -phi0, -phi1 applied.
double Criterion(Qword n, const std::vector<double>& s, double phi0, double phi1) {
  std::vector<double> w(2 * n);
  EXPECT_EQ(SArrFdApplyPhases(n, s.data(), w.data(), -phi0, -phi1), 0u);
  double pos = 0, neg = 0;
  for (Qword i = 0; i < n; ++i) (w[i] >= 0 ? pos : neg) += w[i] * w[i];
  return 100 * neg - pos;
}

TEST(FitPhase, SimplexEstimateBeatsTruthOnItsOwnCriterion) {
  const Qword n = 512;
  for (double t0 : {0.4, -1.1, 2.5})
    for (double t1 : {0.0, 0.8, -1.5}) {
      std::vector<double> clean(2 * n), s(2 * n);
      for (Qword j = 0; j < n; ++j) {
        double re = 0, im = 0;
        for (double c : {0.25, 0.6, 0.8}) {
          const double d = (j - c * n) / 4.0;
          re += 1 / (1 + d * d);
          im += d / (1 + d * d);
        }
        clean[j] = re;
        clean[n + j] = im;
      }
      ASSERT_EQ(SArrFdApplyPhases(n, clean.data(), s.data(), t0, t1), 0u);
      double phi0 = 0, phi1 = 0;
      ASSERT_EQ(SArrFdCalcPhases(n, s.data(), 2, &phi0, &phi1), 0u);
      EXPECT_LE(Criterion(n, s, phi0, phi1), Criterion(n, s, t0, t1)) << t0 << " " << t1;
    }
  double phi0 = 1, phi1 = 1;
  EXPECT_EQ(SArrFdCalcPhases(0, nullptr, 2, &phi0, &phi1), kErrMissingInputData);
  EXPECT_TRUE(std::isnan(phi0) && std::isnan(phi1));
}

TEST(FitPhase, PhasorCoefficientsOfKnownPolynomial) {
  // Degree 4 over 100 points of a 300-point decay: the raw normal
  // equations of this fit look singular to the inverter.
  const Qword n = 300, first = 40, last = 139;
  const double c[5] = {0.3, 0.05, -2e-3, 3e-5, -1.5e-7};
  std::vector<double> s(2 * n);
  for (Qword i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) - first;
    const double p = (((c[4] * x + c[3]) * x + c[2]) * x + c[1]) * x + c[0];
    const double a = std::exp(-0.004 * i);
    s[i] = a * std::cos(p);
    s[n + i] = a * std::sin(p);
  }
  double got[5];
  ASSERT_EQ(SArrTdPhasorCalcCoefs(n, s.data(), 5, got, first, last), 0u);
  for (int j = 0; j < 5; ++j) EXPECT_NEAR(got[j], c[j], 1e-9 * std::pow(100.0, -j)) << j;
  // Applying the coefficients removes the phase over the whole signal.
  std::vector<double> flat(2 * n);
  ASSERT_EQ(SArrTdPhasorApplyCoefs(n, s.data(), flat.data(), 5, got, first, last), 0u);
  for (Qword i = first; i <= last; ++i) EXPECT_NEAR(flat[n + i], 0, 1e-8) << i;
  // A reversed window is normalised; too short a window and null output.
  ASSERT_EQ(SArrTdPhasorCalcCoefs(n, s.data(), 5, got, last, first), 0u);
  EXPECT_NEAR(got[1], c[1], 1e-9);
  EXPECT_EQ(SArrTdPhasorCalcCoefs(n, s.data(), 5, got, 10, 13), kErrIllegalArgument);
  EXPECT_EQ(SArrTdPhasorCalcCoefs(n, s.data(), 0, got, 10, 13), kErrMissingInputData);
  EXPECT_EQ(SArrTdPhasorCalcCoefs(n, s.data(), 2, nullptr, 10, 13), kErrMissingInputData);
}

}  // namespace

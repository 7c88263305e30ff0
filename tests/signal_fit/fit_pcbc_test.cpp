// Automatic phase and baseline correction: recovery of the phases of a
// synthetic spectrum, the documented edge cases and the guards on bad
// input.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/fit/pcbc.h"
#include "signal_fit/signal/fourier.h"

namespace {

// Three absorption Lorentzians (imaginary part: their dispersion) on a
// slow real baseline, with noise-like ripple of about `noise`.
std::vector<double> Spectrum(Qword n, double noise, double baseline) {
  std::vector<double> s(2 * n);
  const double centres[] = {0.3 * n, 0.52 * n, 0.71 * n}, heights[] = {10, 4, 7};
  for (Qword j = 0; j < n; ++j) {
    double re = baseline * std::cos(3.0 * j / n), im = 0;
    for (int p = 0; p < 3; ++p) {
      const double d = (j - centres[p]) / 6.0;
      re += heights[p] / (1 + d * d);
      im += heights[p] * d / (1 + d * d);
    }
    s[j] = re + noise * std::sin(12.9898 * j);
    s[n + j] = im + noise * std::cos(78.233 * j);
  }
  return s;
}

TEST(FitPcBc, RecoversPhases) {
  const Qword n = 1024;
  const std::vector<double> clean = Spectrum(n, 0.01, 0);
  std::vector<double> distorted(2 * n), out(2 * n);
  ASSERT_EQ(SArrFdApplyPhases(n, clean.data(), distorted.data(), -0.7, -0.4), 0u);
  double phi0 = 0, phi1 = 0;
  ASSERT_EQ(SArrPcBc(n, distorted.data(), out.data(), kPcBcOutputCorrected | kPcBcNoBaseline, &phi0,
                     &phi1, 2, 0.01),
            0u);
  EXPECT_NEAR(std::remainder(phi0 - 0.7, 2 * std::numbers::pi), 0, 0.05);
  EXPECT_NEAR(phi1, 0.4, 0.1);
  // The output is the input with the found phases applied.
  std::vector<double> want(2 * n);
  ASSERT_EQ(SArrFdApplyPhases(n, distorted.data(), want.data(), phi0, phi1), 0u);
  EXPECT_EQ(out, want);
}

TEST(FitPcBc, BaselineOutputIsWhatTheCorrectionRemoves) {
  const Qword n = 512;
  const std::vector<double> s = Spectrum(n, 0.01, 0.5);
  for (Dword basis : {0u, Dword{kPcBcChebyshev}}) {
    std::vector<double> corrected(2 * n), baseline(2 * n);
    double a0, a1, b0, b1;
    ASSERT_EQ(SArrPcBc(n, s.data(), corrected.data(),
                       basis | kPcBcOutputCorrected | kPcBcPhasesFixed, &a0, &a1, 4, 0.01),
              0u);
    ASSERT_EQ(SArrPcBc(n, s.data(), baseline.data(), basis | kPcBcPhasesFixed, &b0, &b1, 4, 0.01),
              0u);
    // Same fit, so input - baseline is the corrected spectrum.
    for (Qword i = 0; i < 2 * n; ++i)
      EXPECT_NEAR(s[i] - baseline[i], corrected[i], 1e-12) << basis << " " << i;
    EXPECT_EQ(a0, 0);  // the first grid values: nothing to tell apart
    EXPECT_EQ(a1, -std::numbers::pi);
  }
}

TEST(FitPcBc, EdgeCases) {
  const Qword n = 256;
  const std::vector<double> s = Spectrum(n, 0.01, 0.2);
  std::vector<double> out(2 * n, 5.0);
  double phi0, phi1;
  ASSERT_EQ(
      SArrPcBc(n, s.data(), out.data(), kPcBcPhasesFixed | kPcBcNoBaseline, &phi0, &phi1, 0, 0.01),
      0u);
  for (double v : out) EXPECT_EQ(v, 0);
  // Coefficient counts 0 and 1 work as 2.
  std::vector<double> o1(2 * n), o2(2 * n);
  ASSERT_EQ(SArrPcBc(n, s.data(), o1.data(), kPcBcOutputCorrected, &phi0, &phi1, 1, 0.01), 0u);
  ASSERT_EQ(SArrPcBc(n, s.data(), o2.data(), kPcBcOutputCorrected, &phi0, &phi1, 2, 0.01), 0u);
  EXPECT_EQ(o1, o2);
  // A tiny noise level caps the bins at 5001 instead of overflowing.
  ASSERT_EQ(SArrPcBc(n, s.data(), o1.data(), kPcBcOutputCorrected | kPcBcNoBaseline, &phi0, &phi1,
                     2, 1e-300),
            0u);
}

TEST(FitPcBc, Errors) {
  const std::vector<double> s = Spectrum(64, 0.01, 0);
  std::vector<double> out(128);
  double phi0 = 1, phi1 = 1;
  struct Case {
    Qword n;
    const double* in;
    double* out;
    double noise;
    Dword want;
  } cases[] = {
      {0, s.data(), out.data(), 0.01, kErrMissingInputData},
      {64, nullptr, out.data(), 0.01, kErrMissingInputData},
      {64, s.data(), nullptr, 0.01, kErrMissingOutputBuffer},
      {32, s.data(), out.data(), 0.01, kErrIllegalArgument},
      {64, s.data(), out.data(), 0, kErrIllegalArgument},
      {64, s.data(), out.data(), -1, kErrIllegalArgument},
      {64, s.data(), out.data(), std::nan(""), kErrIllegalArgument},
      {64, s.data(), out.data(), INFINITY, kErrIllegalArgument},
  };
  for (const Case& c : cases) {
    phi0 = phi1 = 1;
    EXPECT_EQ(SArrPcBc(c.n, c.in, c.out, 1, &phi0, &phi1, 2, c.noise), c.want) << c.n << c.noise;
    EXPECT_TRUE(std::isnan(phi0) && std::isnan(phi1));
  }
  // A noise level so large that fewer than 4 bins remain.
  EXPECT_EQ(SArrPcBc(64, s.data(), out.data(), 1, &phi0, &phi1, 2, 100), kErrMissingInputData);
}

TEST(FitPcBc, HistogramWeights) {
  std::vector<double> w(2 * 101);
  ASSERT_EQ(PcBcHistogramWeights(101, w.data()), 0u);
  // Centre bin: 1 for the real part (1 - 0 - 20 (1 - 1) + 0), 1 + 20 for
  // the imaginary part.
  EXPECT_DOUBLE_EQ(w[50], 1);
  EXPECT_DOUBLE_EQ(w[101 + 50], 21);
  // The imaginary weights are symmetric.
  for (int i = 0; i < 50; ++i) EXPECT_DOUBLE_EQ(w[101 + i], w[101 + 100 - i]);
  // Last bin, u = 1: 0 - 20 (1 - 0) + 21 = 1 (a = 0.6 < 1).
  EXPECT_DOUBLE_EQ(w[100], 1);
  // u = -1 > -b = -1.5: 1 + u/c with c = 0.3.
  EXPECT_DOUBLE_EQ(w[0], 1 - 1 / 0.3);
  // With 1001 bins b = 0.15 and u = -1 <= -b: -96 (b - 1)/(b - 1) - 4.
  std::vector<double> big(2 * 1001);
  ASSERT_EQ(PcBcHistogramWeights(1001, big.data()), 0u);
  EXPECT_DOUBLE_EQ(big[0], -100);
  EXPECT_EQ(PcBcHistogramWeights(3, w.data()), kErrMissingInputData);
  EXPECT_EQ(PcBcHistogramWeights(101, nullptr), kErrMissingInputData);
}

}  // namespace

// Fourier transform, complex spectrum of a real one, phasing, group delay
// and mean decay, against numpy tables, closed forms and long-double sums.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {
#include "sig_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr long double kTwoPiL = 6.283185307179586476925286766559L;

double RelativeRms(const std::vector<double>& got, const std::vector<long double>& want) {
  long double num = 0, den = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    num += (got[i] - want[i]) * (got[i] - want[i]);
    den += want[i] * want[i];
  }
  return static_cast<double>(std::sqrt(num / den));
}

TEST(SigFourier, MatchesCentredNumpyTransform) {
  const Qword n = 256;
  std::vector<double> s(kFftIn, kFftIn + 2 * n);
  ASSERT_EQ(SArrFT(n, s.data(), 0), 0u);
  for (Qword i = 0; i < 2 * n; ++i) EXPECT_NEAR(s[i], kFftOut[i], 1e-13) << i;
  ASSERT_EQ(SArrFT(n, s.data(), 1), 0u);
  for (Qword i = 0; i < 2 * n; ++i) EXPECT_NEAR(s[i], kFftIn[i], 1e-13) << i;
}

// Three tones at non-integer frequencies: each output bin is a geometric
// series summed in closed form in long double.
class SigFourierSize : public ::testing::TestWithParam<int> {};

TEST_P(SigFourierSize, MatchesClosedFormOfTones) {
  const Qword n = Qword{1} << GetParam();
  const long double nl = static_cast<long double>(n);
  struct Tone {
    long double nu, re, im;
  };
  const Tone tones[] = {
      {3.37L, 1.0L, 0.5L}, {-1234.61L, -0.7L, 0.2L}, {0.5L * nl - 7.25L, 0.3L, -0.9L}};
  std::vector<double> s(2 * n);
  for (Qword t = 0; t < n; ++t) {
    long double re = 0, im = 0;
    for (const Tone& q : tones) {
      const long double turns = std::fmod(q.nu * static_cast<long double>(t), nl) / nl;
      const long double c = std::cos(kTwoPiL * turns), sn = std::sin(kTwoPiL * turns);
      re += q.re * c - q.im * sn;
      im += q.re * sn + q.im * c;
    }
    s[t] = static_cast<double>(re);
    s[n + t] = static_cast<double>(im);
  }
  ASSERT_EQ(SArrFT(n, s.data(), 0), 0u);
  std::vector<long double> want(2 * n);
  const long double scale = 1 / std::sqrt(nl);
  for (Qword k = 0; k < n; ++k) {
    const long double f = static_cast<long double>(k) - nl / 2;
    long double re = 0, im = 0;
    for (const Tone& q : tones) {
      // sum_t exp(2 pi i t g / n) = (1 - e^{2 pi i g}) / (1 - e^{2 pi i g / n})
      const long double g = q.nu + f;
      const long double a = kTwoPiL * (g - nl * std::floor(g / nl));  // 2 pi g mod 2 pi n
      const long double num_re = 1 - std::cos(a), num_im = -std::sin(a);
      const long double b = a / nl;
      const long double den_re = 1 - std::cos(b), den_im = -std::sin(b);
      const long double d2 = den_re * den_re + den_im * den_im;
      const long double qr = (num_re * den_re + num_im * den_im) / d2;
      const long double qi = (num_im * den_re - num_re * den_im) / d2;
      re += q.re * qr - q.im * qi;
      im += q.re * qi + q.im * qr;
    }
    want[k] = re * scale;
    want[n + k] = im * scale;
  }
  EXPECT_LT(RelativeRms(s, want), 1e-12);
  // The inverse restores the tones.
  std::vector<double> back = s;
  ASSERT_EQ(SArrFT(n, back.data(), 1), 0u);
  ASSERT_EQ(SArrFT(n, back.data(), 0), 0u);
  double worst = 0;
  for (Qword i = 0; i < 2 * n; ++i) worst = std::max(worst, std::fabs(back[i] - s[i]));
  EXPECT_LT(worst, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SigFourierSize, ::testing::Values(1, 2, 3, 10, 13, 16, 20));

TEST(SigFourier, EdgeCases) {
  std::vector<double> s(12, 1.0);
  EXPECT_EQ(SArrFT(6, s.data(), 0), 26u);
  EXPECT_EQ(s, std::vector<double>(12, 1.0));
  EXPECT_EQ(SArrFT(0, s.data(), 0), 14u);
  EXPECT_EQ(SArrFT(4, nullptr, 0), 14u);
  std::vector<double> one = {2.5, -1.5};
  ASSERT_EQ(SArrFT(1, one.data(), 0), 0u);
  EXPECT_EQ(one, (std::vector<double>{2.5, -1.5}));
  std::vector<double> impulse(32, 0.0);
  impulse[0] = 1;
  ASSERT_EQ(SArrFT(16, impulse.data(), 0), 0u);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(impulse[i], 0.25, 1e-16);
}

TEST(SigFourier, ComplexSpectrumMatchesScipyHilbert) {
  const Qword n = 128;
  std::vector<double> s(2 * n, 0.0);
  std::copy(kHilbertIn, kHilbertIn + n, s.begin());
  ASSERT_EQ(SArrRealToComplexSpectrum(n, s.data()), 0u);
  for (Qword i = 0; i < 2 * n; ++i) EXPECT_NEAR(s[i], kHilbertOut[i], 1e-14) << i;
}

TEST(SigFourier, ComplexSpectrumKeepsTheNyquistSample) {
  // An alternating spectrum is a decay that lives only at the Nyquist time:
  // the real part must come back unchanged.
  const Qword n = 16;
  std::vector<double> s(2 * n, 0.0);
  for (Qword k = 0; k < n; ++k) s[k] = (k % 2 == 0) ? 1.0 : -1.0;
  const std::vector<double> input(s.begin(), s.begin() + n);
  ASSERT_EQ(SArrRealToComplexSpectrum(n, s.data()), 0u);
  for (Qword k = 0; k < n; ++k) EXPECT_NEAR(s[k], input[k], 1e-15) << k;
}

TEST(SigFourier, ApplyPhasesFollowsTheFormula) {
  std::mt19937 rng(7);
  std::normal_distribution<double> g;
  struct Case {
    Qword n;
    double phi0, phi1;
  };
  // The last rows take steps phi1/n beyond a quarter turn.
  const Case cases[] = {{Qword{1} << 20, 0.4, 7.5}, {4096, -2.0, -300.0}, {16, 0.3, 40.0},
                        {16, 0.0, -40.0},           {9, 1.0, 20.0},       {64, 0.7, 0.0}};
  for (const Case& c : cases) {
    std::vector<double> s(2 * c.n), d(2 * c.n);
    for (double& v : s) v = g(rng);
    ASSERT_EQ(SArrFdApplyPhases(c.n, s.data(), d.data(), c.phi0, c.phi1), 0u);
    double worst = 0;
    for (Qword i = 0; i < c.n; ++i) {
      const long double ph = static_cast<long double>(c.phi0) - c.phi1 / 2.0L +
                             static_cast<long double>(i) * c.phi1 / static_cast<long double>(c.n);
      const long double cs = std::cos(ph), sn = std::sin(ph);
      const long double re = s[i] * cs - s[c.n + i] * sn;
      const long double im = s[i] * sn + s[c.n + i] * cs;
      // Error per unit of the sample's magnitude.
      const double mag = std::max(1.0, std::hypot(s[i], s[c.n + i]));
      worst = std::max(worst, static_cast<double>(std::fabs(d[i] - re)) / mag);
      worst = std::max(worst, static_cast<double>(std::fabs(d[c.n + i] - im)) / mag);
    }
    EXPECT_LT(worst, 8e-14) << "n " << c.n << " phi1 " << c.phi1;
  }
}

TEST(SigFourier, ApplyPhasesEdgeCases) {
  std::vector<double> s = {1, 1, 1, 0, 0, 0}, d(6);
  ASSERT_EQ(SArrFdApplyPhases(3, s.data(), d.data(), std::numbers::pi / 2, 0), 0u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(d[i], 0, 1e-16);
    EXPECT_NEAR(d[3 + i], 1, 1e-16);
  }
  const std::vector<double> before = d;
  EXPECT_EQ(SArrFdApplyPhases(3, s.data(), d.data(), kNaN, 0), 26u);
  EXPECT_EQ(SArrFdApplyPhases(3, s.data(), d.data(), 0, INFINITY), 26u);
  EXPECT_EQ(d, before);
  EXPECT_EQ(SArrFdApplyPhases(0, s.data(), d.data(), 0, 0), 14u);
  EXPECT_EQ(SArrFdApplyPhases(3, s.data(), nullptr, 0, 0), 18u);
}

TEST(SigFourier, CalcPhasesAndLocalPhase) {
  const std::vector<double> s = {1, 0, 0.5, 0, 2, 0.5};  // strongest (0, 2)
  double phi0 = 0, phi1 = 0;
  ASSERT_EQ(SArrFdCalcPhases(3, s.data(), 1, &phi0, &phi1), 0u);
  EXPECT_NEAR(phi0, std::numbers::pi / 2, 1e-16);
  EXPECT_EQ(phi1, 0.0);
  ASSERT_EQ(SArrFdCalcPhases(3, s.data(), 3, &phi0, &phi1), 0u);
  EXPECT_TRUE(std::isnan(phi0));
  EXPECT_TRUE(std::isnan(phi1));
  EXPECT_EQ(SArrFdCalcPhases(0, s.data(), 1, &phi0, &phi1), 14u);
  Qword at = 0;
  // Window [2, 0] is swapped to [0, 2]; restricting to [0, 0] finds 0.
  EXPECT_NEAR(SArrFdLocalPhase(3, s.data(), &at, 2, 0), std::numbers::pi / 2, 1e-16);
  EXPECT_EQ(at, 1u);
  EXPECT_NEAR(SArrFdLocalPhase(3, s.data(), &at, 0, 0), 0.0, 0);
  EXPECT_EQ(at, 0u);
  EXPECT_TRUE(std::isnan(SArrFdLocalPhase(0, s.data(), &at, 0, 0)));
  EXPECT_EQ(at, ~Qword{0});
  EXPECT_TRUE(std::isnan(SArrFdLocalPhase(3, nullptr, nullptr, 0, 0)));
}

TEST(SigFourier, GroupDelayRemoval) {
  std::vector<double> s = {1, 2, 3, 4, 5, 6, 7, 8, 8, 7, 6, 5, 4, 3, 2, 1}, d(16, -1.0);
  ASSERT_EQ(SArrCorrectBrukerFid(8, s.data(), d.data(), 2), 0u);
  EXPECT_EQ(d, (std::vector<double>{1, 3, 5, 6, 7, 8, 0, 0, -1, -3, 4, 3, 2, 1, 0, 0}));
  std::vector<double> keep(16, -1.0);
  EXPECT_EQ(SArrCorrectBrukerFid(8, s.data(), keep.data(), 4), 26u);
  EXPECT_EQ(keep, std::vector<double>(16, -1.0));
  ASSERT_EQ(SArrCorrectBrukerFid(8, s.data(), d.data(), 0), 0u);
  EXPECT_EQ(d, s);
  ASSERT_EQ(SArrCorrectBrukerFid(8, s.data(), s.data(), 3), 0u);  // in place
  EXPECT_EQ(s[0], 4 - 3);
  EXPECT_EQ(SArrCorrectBrukerFid(1, s.data(), d.data(), 0), 14u);
  EXPECT_EQ(SArrCorrectBrukerFid(8, s.data(), nullptr, 1), 18u);
}

TEST(SigFourier, TdPhasorRotatesByThePolynomial) {
  const Qword n = 6;
  std::vector<double> s(2 * n), d(2 * n);
  for (Qword i = 0; i < n; ++i) {
    const double p = 0.2 + 0.1 * (static_cast<double>(i) - 2) +
                     0.03 * (static_cast<double>(i) - 2) * (static_cast<double>(i) - 2);
    s[i] = 2 * std::cos(p);
    s[n + i] = 2 * std::sin(p);
  }
  const double coef[] = {0.2, 0.1, 0.03};
  ASSERT_EQ(SArrTdPhasorApplyCoefs(n, s.data(), d.data(), 3, coef, 2, 4), 0u);
  for (Qword i = 0; i < n; ++i) {
    EXPECT_NEAR(d[i], 2, 1e-14);
    EXPECT_NEAR(d[n + i], 0, 1e-14);
  }
  EXPECT_EQ(SArrTdPhasorApplyCoefs(n, s.data(), d.data(), 0, coef, 0, 1), 14u);
  EXPECT_EQ(SArrTdPhasorApplyCoefs(n, s.data(), d.data(), 3, nullptr, 0, 1), 14u);
  EXPECT_EQ(SArrTdPhasorApplyCoefs(n, nullptr, d.data(), 3, coef, 0, 1), 14u);
  EXPECT_EQ(SArrTdPhasorApplyCoefs(n, s.data(), nullptr, 3, coef, 0, 1), 18u);
}

TEST(SigFourier, MeanDecayOfAnExponential) {
  const Qword n = 4096;
  const double tau = 60;
  std::vector<double> s(2 * n, 0.0);
  for (Qword t = 0; t < n; ++t) s[t] = std::exp(-static_cast<double>(t) / tau);
  double T = -1;
  bool truncated = true;
  ASSERT_EQ(SArrMeanDecayInPoints(n, s.data(), false, &T, &truncated), 0u);
  EXPECT_NEAR(T, tau, 0.05 * tau);
  EXPECT_FALSE(truncated);
  // The same decay seen through its spectrum.
  std::vector<double> spectrum = s;
  ASSERT_EQ(SArrFT(n, spectrum.data(), 0), 0u);
  double Ts = -1;
  ASSERT_EQ(SArrMeanDecayInPoints(n, spectrum.data(), true, &Ts, nullptr), 0u);
  EXPECT_NEAR(Ts, T, 1e-9 * T);
  EXPECT_NEAR(SArrMeanLineWidthInPoints(n, s.data(), false), n / (std::numbers::pi * T), 1e-9);
  EXPECT_NEAR(SArrMeanDecayInPhysicalUnits(n, s.data(), 1.0, 1.0 + (n - 1) * 0.01, nullptr),
              1.0 + T * 0.01, 1e-12);
  // A decay that does not fade within the record is flagged.
  std::vector<double> slow(2 * 64, 0.0);
  for (Qword t = 0; t < 64; ++t) slow[t] = std::exp(-static_cast<double>(t) / 200.0);
  ASSERT_EQ(SArrMeanDecayInPoints(64, slow.data(), false, &T, &truncated), 0u);
  EXPECT_TRUE(truncated);
}

TEST(SigFourier, MeanDecayFailures) {
  std::vector<double> s(16, 0.0);
  double T = -1;
  EXPECT_EQ(SArrMeanDecayInPoints(8, s.data(), false, &T, nullptr), 14u);
  EXPECT_EQ(T, 0.0);
  s[0] = 1;  // T = 0 on the first pass, then no points left
  EXPECT_EQ(SArrMeanDecayInPoints(8, s.data(), false, &T, nullptr), 14u);
  EXPECT_EQ(T, 0.0);
  EXPECT_EQ(SArrMeanDecayInPoints(1, s.data(), false, &T, nullptr), 26u);
  EXPECT_EQ(SArrMeanDecayInPoints(8, nullptr, false, &T, nullptr), 14u);
  s[3] = kNaN;  // no decay time can be measured
  T = -1;
  EXPECT_EQ(SArrMeanDecayInPoints(8, s.data(), false, &T, nullptr), 26u);
  EXPECT_EQ(T, 0.0);
  EXPECT_TRUE(std::isnan(SArrMeanLineWidthInPoints(8, s.data(), false)));
  EXPECT_TRUE(std::isnan(SArrMeanDecayInPhysicalUnits(8, s.data(), 0, 1, nullptr)));
}
}  // namespace

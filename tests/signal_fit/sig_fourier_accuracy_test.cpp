// The transform at every power of two from 2^0 to 2^20 against the exact
// transform: a direct sum in long double with long-double roots up to 2^10
// points, FFTW's long-double transform (linked into the tests only) above.
// Both kernel builds must land within a few eps of it and agree to the bit.
#include <fftw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "base/platform/allocator_testing.h"
#include "signal_fit/signal/fft_testing.h"
#include "signal_fit/signal/fourier.h"

namespace {
constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr long double kTwoPiL = 6.283185307179586476925286766559L;

std::vector<double> Gaussian(Qword count, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> g;
  std::vector<double> v(count);
  for (double& x : v) x = g(rng);
  return v;
}

// y[f] = sum_t x[t] exp(sign 2 pi i t f / n) in place on interleaved pairs:
// a direct sum with long-double roots for small n, FFTW's long-double
// transform above.
void ExactDft(Qword n, fftwl_complex* x, int sign) {
  if (n > 1024) {
    fftwl_plan plan = fftwl_plan_dft_1d(static_cast<int>(n), x, x,
                                        sign > 0 ? FFTW_BACKWARD : FFTW_FORWARD, FFTW_ESTIMATE);
    fftwl_execute(plan);
    fftwl_destroy_plan(plan);
    return;
  }
  std::vector<long double> c(n), s(n), y(2 * n);
  for (Qword e = 0; e < n; ++e) {
    const long double a = kTwoPiL * static_cast<long double>(e) / static_cast<long double>(n);
    c[e] = std::cos(a);
    s[e] = sign * std::sin(a);
  }
  for (Qword f = 0; f < n; ++f) {
    long double re = 0, im = 0;
    for (Qword t = 0; t < n; ++t) {
      const Qword e = (t * f) & (n - 1);
      re += x[t][0] * c[e] - x[t][1] * s[e];
      im += x[t][0] * s[e] + x[t][1] * c[e];
    }
    y[2 * f] = re;
    y[2 * f + 1] = im;
  }
  for (Qword f = 0; f < n; ++f) x[f][0] = y[2 * f], x[f][1] = y[2 * f + 1];
}

// What SArrFT must give, as split rows: direction 0 the scaled sum with
// exp(+...) stored centred; direction 1 the centred spectrum's inverse.
std::vector<long double> Expected(Qword n, const std::vector<double>& in, Long direction) {
  fftwl_complex* x = fftwl_alloc_complex(n);
  const Qword half = n / 2;
  for (Qword t = 0; t < n; ++t) {
    const Qword src = direction == 0 ? t : (t + half) % n;  // uncentre the spectrum
    x[t][0] = in[src];
    x[t][1] = in[n + src];
  }
  ExactDft(n, x, direction == 0 ? 1 : -1);
  std::vector<long double> out(2 * n);
  const long double scale = 1 / std::sqrt(static_cast<long double>(n));
  for (Qword k = 0; k < n; ++k) {
    const Qword src = direction == 0 ? (k + half) % n : k;  // centre the spectrum
    out[k] = x[src][0] * scale;
    out[n + k] = x[src][1] * scale;
  }
  fftwl_free(x);
  return out;
}

struct Errors {
  double max_abs;  // largest deviation of a real or imaginary part
  double rms;      // root mean square of the expected values
};

Errors Compare(const std::vector<double>& got, const std::vector<long double>& want) {
  long double worst = 0, sum = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    worst = std::max(worst, std::fabs(got[i] - want[i]));
    sum += want[i] * want[i];
  }
  return {static_cast<double>(worst), static_cast<double>(std::sqrt(sum / got.size()))};
}

class SigFourierAccuracy : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { SArrFTForceBaseline(false); }
};

// For Gaussian input the outputs are Gaussian of the same spread: a sound
// transform with exact roots stays within a few eps times sqrt(log2 n) of
// the exact one, far below the errors of any wrong root or index.
TEST_P(SigFourierAccuracy, BothBuildsMatchTheExactTransform) {
  const int log2n = GetParam();
  const Qword n = Qword{1} << log2n;
  const int inputs = log2n <= 12 ? 3 : 1;
  const double bound = 4 * kEps * std::sqrt(static_cast<double>(log2n + 1));
  for (int input = 0; input < inputs; ++input)
    for (Long direction : {0, 1}) {
      const std::vector<double> in = Gaussian(2 * n, 100 * log2n + input);
      const std::vector<long double> want = Expected(n, in, direction);
      std::vector<double> base = in;
      SArrFTForceBaseline(true);
      ASSERT_EQ(SArrFT(n, base.data(), direction), 0u);
      const Errors e = Compare(base, want);
      EXPECT_LT(e.max_abs, bound * e.rms)
          << "baseline, n = " << n << ", direction " << direction << ", input " << input;
      if (!SArrFTForceBaseline(false)) continue;  // no AVX2 on this processor
      std::vector<double> wide = in;
      ASSERT_EQ(SArrFT(n, wide.data(), direction), 0u);
      EXPECT_EQ(0, std::memcmp(wide.data(), base.data(), 2 * n * sizeof(double)))
          << "AVX2 and baseline differ, n = " << n << ", direction " << direction;
    }
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, SigFourierAccuracy, ::testing::Range(0, 21));

// The tables and the work area are made on first use of a size: when that
// allocation fails the transform reports it and leaves the data alone.
TEST(SigFourierAccuracy, AllocationFailureLeavesTheDataUntouched) {
  const Qword n = 64;
  const std::vector<double> in = Gaussian(2 * n, 7);
  std::vector<double> s = in;
  SArrFTReleaseTables();
  PlatformAllocTestFailAfter(0);
  const Dword status = SArrFT(n, s.data(), 0);
  PlatformAllocTestFailAfter(-1);
  EXPECT_EQ(status, 0x80001u);
  EXPECT_EQ(s, in);
  // The next call builds what it needs and transforms.
  ASSERT_EQ(SArrFT(n, s.data(), 0), 0u);
  const Errors e = Compare(s, Expected(n, in, 0));
  EXPECT_LT(e.max_abs, 4 * kEps * std::sqrt(7.0) * e.rms);
}

// A size the tables were released for after use is rebuilt the same.
TEST(SigFourierAccuracy, ReleasedTablesAreRebuiltTheSame) {
  const Qword n = 1 << 11;
  const std::vector<double> in = Gaussian(2 * n, 9);
  std::vector<double> a = in, b = in;
  ASSERT_EQ(SArrFT(n, a.data(), 1), 0u);
  SArrFTReleaseTables();
  ASSERT_EQ(SArrFT(n, b.data(), 1), 0u);
  EXPECT_EQ(0, std::memcmp(a.data(), b.data(), 2 * n * sizeof(double)));
}
}  // namespace

namespace {
// Above the sizes whose tables are kept: a tone at an integer frequency
// f0 (its angles reduced exactly, then the C library's sine and cosine)
// turns into sqrt(n) at index f0 + n/2 and zeros elsewhere (to a few eps in
// the root mean square), on the first call and again once the given-back
// tables are rebuilt.
TEST(SigFourierAccuracy, ToneAboveTheKeptSizes) {
  const Qword n = Qword{1} << 21, f0 = 123457;
  const double two_pi = 6.283185307179586;
  std::vector<double> tone(2 * n);
  for (Qword t = 0; t < n; ++t) {
    const double a = -two_pi * static_cast<double>((f0 * t) & (n - 1)) / static_cast<double>(n);
    tone[t] = std::cos(a);
    tone[n + t] = std::sin(a);
  }
  const double bound = 4 * kEps * std::sqrt(22.0);
  const double peak = std::sqrt(static_cast<double>(n));
  const Qword at = f0 + n / 2;
  std::vector<double> s(2 * n);
  for (int call = 0; call < 2; ++call) {
    std::copy(tone.begin(), tone.end(), s.begin());
    ASSERT_EQ(SArrFT(n, s.data(), 0), 0u);
    // The error in each output is a few eps of the peak (the transform's
    // error in the norm scales with the input's norm, here sqrt(n)).
    long double sum = 0;
    for (Qword k = 0; k < n; ++k) {
      const double want = k == at ? peak : 0.0;
      sum += (s[k] - want) * (s[k] - want) + s[n + k] * s[n + k];
    }
    const double rms = static_cast<double>(std::sqrt(sum / n));
    EXPECT_LT(rms, bound) << "call " << call;
  }
}
}  // namespace

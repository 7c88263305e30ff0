// The processing chain of one decay: group-delay removal on 2^15 points,
// zero filling to 2^16, an exponential and a Gaussian window, the
// transform and the mean magnitude. tools/bench_sarr_chain.py runs the same
// steps in numpy and prints the ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "base/memory.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {
constexpr Qword kPoints = Qword{1} << 15;
constexpr Qword kFilled = Qword{1} << 16;
constexpr Qword kDelay = 68;
constexpr double kDwell = 1e-4;

std::vector<double> Decay() {
  std::mt19937 rng(11);
  std::normal_distribution<double> g(0.0, 0.01);
  std::vector<double> s(2 * kPoints);
  for (Qword t = 0; t < kPoints; ++t) {
    const double x = static_cast<double>(t) * kDwell;
    const double env = std::exp(-x / 0.3);
    s[t] = env * (std::cos(2 * M_PI * 120 * x) + 0.5 * std::cos(2 * M_PI * 410 * x)) + g(rng);
    s[kPoints + t] =
        env * (std::sin(2 * M_PI * 120 * x) + 0.5 * std::sin(2 * M_PI * 410 * x)) + g(rng);
  }
  return s;
}

void BM_ProcessingChain(benchmark::State& state) {
  const std::vector<double> decay = Decay();
  const double t1 = static_cast<double>(kFilled - 1) * kDwell;
  const double exponential[2] = {2.0, 0.0};
  const double gauss[2] = {1.5, 0.0};
  double sum = 0;
  for (auto _ : state) {
    Dword error = 0;
    double* shifted = SArrNew(&error, kPoints);
    SArrCorrectBrukerFid(kPoints, decay.data(), shifted, kDelay);
    double* filled = SArrNew0(&error, kFilled);
    std::memcpy(filled, shifted, kPoints * sizeof(double));
    std::memcpy(filled + kFilled, shifted + kPoints, kPoints * sizeof(double));
    SArrTdApodize(1, kFilled, filled, 0.0, t1, exponential);
    SArrTdApodize(4, kFilled, filled, 0.0, t1, gauss);
    SArrFT(kFilled, filled, 0);
    sum += SArrMeanMagnitude(kFilled, filled);
    SArrKill(&filled);
    SArrKill(&shifted);
  }
  benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_ProcessingChain)->Unit(benchmark::kMicrosecond);
}  // namespace

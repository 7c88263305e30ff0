// Every apodization window on a signal array of 65536 complex points (both
// halves), one benchmark per window code. Each round windows a fresh copy
// of the same decay; only the window is timed (manual time), so repeated
// rounds never run into shrinking or subnormal values.
// bench/windows_numpy.py times numpy's vectorised formula of each window
// on the same points and prints the ratios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include "signal_fit/signal/apodization.h"

namespace {

constexpr Qword kPoints = 65536;
constexpr double kDwell = 1.0 / 48000;

// Window parameters (p0, p1) by code; windows_numpy.py uses the same.
constexpr double kParams[9][2] = {{0, 0},     {2.0, 0}, {0.5, 0.3}, {1.0, 0},   {1.5, 0},
                                  {1.5, 2.0}, {3.0, 0}, {0.3, 0},   {0.0003, 2}};

void BM_Window(benchmark::State& state) {
  const ApodizationType code = static_cast<ApodizationType>(state.range(0));
  std::vector<double> decay(2 * kPoints), s(2 * kPoints);
  for (Qword k = 0; k < 2 * kPoints; ++k)
    decay[k] = 1.0 + 0.5 * std::sin(0.001 * static_cast<double>(k));
  const double t1 = kDwell * static_cast<double>(kPoints - 1);
  for (auto _ : state) {
    std::memcpy(s.data(), decay.data(), s.size() * sizeof(double));
    const auto start = std::chrono::steady_clock::now();
    const Dword e = SArrTdApodize(code, kPoints, s.data(), 0.0, t1, kParams[code]);
    const auto end = std::chrono::steady_clock::now();
    if (e != 0) state.SkipWithError("window failed");
    benchmark::DoNotOptimize(s.data());
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_Window)->DenseRange(1, 8)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

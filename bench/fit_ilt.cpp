// The inverse Laplace transform at the engine's size: 1000 points, 100
// rates, the full simplex budget of 100000 target calls. The kernel is
// built once per transform and each evaluation allocates nothing.
// tools/bench_ilt.py solves the same problem with scipy's nnls on a
// Tikhonov-augmented kernel and prints the ratio of the times.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "signal_fit/fit/laplace.h"

namespace {

constexpr int kPoints = 1000, kRates = 100;

std::vector<double> Geomspace(double a, double b, int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = a * std::pow(b / a, i / double(n - 1));
  return v;
}

Qword g_calls = 0;

void BM_InverseLaplace(benchmark::State& state) {
  const std::vector<double> t = Geomspace(1e-4, 5, kPoints), r = Geomspace(0.1, 1e4, kRates);
  std::vector<double> y(kPoints);
  for (int i = 0; i < kPoints; ++i)
    y[i] = 0.6 * std::exp(-2 * t[i]) + 0.4 * std::exp(-100 * t[i]) + 1e-3 * std::sin(12.9898 * i);
  for (auto _ : state) {
    std::vector<double> a(kRates, 0.0);
    double offset = 0;
    const Dword e = InverseLaplaceTransform(
        1, 0x60002, kPoints, t.data(), y.data(), kRates, r.data(), a.data(), &offset, nullptr,
        nullptr,
        [](Minimizer* m, Dword code) -> Dword {
          if (code == kMinimizerEnd) g_calls = m->calls;
          return 0;
        },
        nullptr);
    if (e != 0) state.SkipWithError("transform failed");
    benchmark::DoNotOptimize(a.data());
  }
  state.counters["calls"] = static_cast<double>(g_calls);
}
BENCHMARK(BM_InverseLaplace)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

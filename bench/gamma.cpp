// Throughput of the log-gamma kernel, the regularised incomplete gamma and
// the regularised incomplete beta over fixed spreads of arguments.
#include "scalar/gamma.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {
std::vector<double> Spread(double lo, double hi, int n) {
  std::vector<double> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = lo + (hi - lo) * (i + 0.5) / n;
  return v;
}

void BM_GammaLn(benchmark::State& state) {
  const std::vector<double> x = Spread(0.01, 300.0, 1000);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(rGammaLn(v));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}

void BM_GammaIncP(benchmark::State& state) {
  const std::vector<double> a = Spread(0.2, 60.0, 1000);
  for (auto _ : state) {
    for (double v : a) benchmark::DoNotOptimize(rGammaIncP(v, 0.9 * v + 0.5));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
}

void BM_BetaIncReg(benchmark::State& state) {
  const std::vector<double> x = Spread(0.001, 0.999, 1000);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(rBetaIncReg(v, 2.5 + 10 * v, 7.25));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}
}  // namespace

// 1000 iterations of 1000 arguments: 1e6 calls each.
BENCHMARK(BM_GammaLn)->Iterations(1000);
BENCHMARK(BM_GammaIncP)->Iterations(1000);
BENCHMARK(BM_BetaIncReg)->Iterations(1000);

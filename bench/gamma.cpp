// Throughput of gamma and the log-gamma kernel (with the ratio to the C
// library's tgamma and lgamma as the counter vs_libm), the regularised
// incomplete gamma, the beta function and its logarithm (the ratio to the
// same made of lgamma as vs_libm) and the regularised incomplete beta over
// fixed spreads of arguments.
#include "scalar/gamma.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "peer_ratio.h"

namespace {
std::vector<double> Spread(double lo, double hi, int n) {
  std::vector<double> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = lo + (hi - lo) * (i + 0.5) / n;
  return v;
}

template <class F>
void Sweep(const std::vector<double>& x, F f) {
  for (double v : x) benchmark::DoNotOptimize(f(v));
}

void BM_GammaLn(benchmark::State& state) {
  const std::vector<double> x = Spread(0.01, 300.0, 1000);
  for (auto _ : state) Sweep(x, rGammaLn);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
  state.counters["vs_libm"] = PeerRatio([&] { Sweep(x, rGammaLn); },
                                        [&] { Sweep(x, [](double v) { return std::lgamma(v); }); });
}

void BM_Gamma(benchmark::State& state) {
  const std::vector<double> x = Spread(0.01, 171.0, 1000);
  for (auto _ : state) Sweep(x, rGamma);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
  state.counters["vs_libm"] = PeerRatio([&] { Sweep(x, rGamma); },
                                        [&] { Sweep(x, [](double v) { return std::tgamma(v); }); });
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

// Both shapes from a spread, the second one mirrored, so that equal and
// unequal pairs both occur.
template <class F>
void SweepPairs(const std::vector<double>& a, F f) {
  const size_t n = a.size();
  for (size_t i = 0; i < n; ++i) benchmark::DoNotOptimize(f(a[i], a[n - 1 - i]));
}

double BetaLnFromLgamma(double a, double b) {
  return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
}

// The product of gammas (a + b below 171).
void BM_BetaSmall(benchmark::State& state) {
  const std::vector<double> a = Spread(0.05, 80.0, 1000);
  for (auto _ : state) SweepPairs(a, rBeta);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
  state.counters["vs_libm"] = PeerRatio(
      [&] { SweepPairs(a, rBeta); },
      [&] { SweepPairs(a, [](double x, double y) { return std::exp(BetaLnFromLgamma(x, y)); }); });
}

// Stirling's form beyond the range of Gamma.
void BM_BetaLarge(benchmark::State& state) {
  const std::vector<double> a = Spread(100.0, 2e4, 1000);
  for (auto _ : state) SweepPairs(a, rBeta);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
  state.counters["vs_libm"] = PeerRatio(
      [&] { SweepPairs(a, rBeta); },
      [&] { SweepPairs(a, [](double x, double y) { return std::exp(BetaLnFromLgamma(x, y)); }); });
}

void BM_BetaLnSmall(benchmark::State& state) {
  const std::vector<double> a = Spread(0.05, 11.9, 1000);
  for (auto _ : state) SweepPairs(a, rBetaLn);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
  state.counters["vs_libm"] =
      PeerRatio([&] { SweepPairs(a, rBetaLn); }, [&] { SweepPairs(a, BetaLnFromLgamma); });
}

void BM_BetaLnLarge(benchmark::State& state) {
  const std::vector<double> a = Spread(12.0, 1e6, 1000);
  for (auto _ : state) SweepPairs(a, rBetaLn);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
  state.counters["vs_libm"] =
      PeerRatio([&] { SweepPairs(a, rBetaLn); }, [&] { SweepPairs(a, BetaLnFromLgamma); });
}

// Large shapes near the mean, where the prefactor is taken apart around its
// peak.
void BM_BetaIncRegLarge(benchmark::State& state) {
  const std::vector<double> x = Spread(0.3, 0.7, 1000);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(rBetaIncReg(v, 500.0, 500.0));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}
}  // namespace

// 1000 iterations of 1000 arguments: 1e6 calls each.
BENCHMARK(BM_GammaLn)->Iterations(1000);
BENCHMARK(BM_Gamma)->Iterations(1000);
BENCHMARK(BM_GammaIncP)->Iterations(1000);
BENCHMARK(BM_BetaIncReg)->Iterations(1000);
BENCHMARK(BM_BetaSmall)->Iterations(1000);
BENCHMARK(BM_BetaLarge)->Iterations(1000);
BENCHMARK(BM_BetaLnSmall)->Iterations(1000);
BENCHMARK(BM_BetaLnLarge)->Iterations(1000);
BENCHMARK(BM_BetaIncRegLarge)->Iterations(1000);

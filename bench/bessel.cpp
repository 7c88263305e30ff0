// Throughput of J and Y by region: series, Miller's recurrence, Steed's
// fraction, the Hankel sums, over fixed spreads of arguments and orders;
// J_0 and J_1 with the ratio to the C library's j0 and j1 as vs_libm.
#include "scalar/bessel.h"

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

// Arguments from state.range(0)/10 to state.range(1)/10, orders 0.3 to 39.7.
template <double (*F)(double, double)>
void BM_Bessel(benchmark::State& state) {
  const std::vector<double> x = Spread(static_cast<double>(state.range(0)) / 10,
                                       static_cast<double>(state.range(1)) / 10, 100);
  const std::vector<double> nu = Spread(0.3, 39.7, 10);
  for (auto _ : state) {
    for (double a : x)
      for (double v : nu) benchmark::DoNotOptimize(F(a, v));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size() * nu.size()));
}

void BM_BesselJnInteger(benchmark::State& state) {
  const std::vector<double> x = Spread(0.1, 300, 1000);
  for (auto _ : state) {
    for (double a : x) benchmark::DoNotOptimize(rBesselJn(a, 7));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}

// Orders 0 and 1 over (0, hi] with hi = state.range(0).
template <int N>
void BM_J01(benchmark::State& state) {
  const std::vector<double> x = Spread(0.0, static_cast<double>(state.range(0)), 1000);
  auto ours = [](double v) { return rBesselJn(v, N); };
  auto libm = [](double v) { return N == 0 ? ::j0(v) : ::j1(v); };
  auto sweep = [&](auto f) {
    for (double a : x) benchmark::DoNotOptimize(f(a));
  };
  for (auto _ : state) sweep(ours);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
  state.counters["vs_libm"] = PeerRatio([&] { sweep(ours); }, [&] { sweep(libm); });
}

void BM_SphericalJ1(benchmark::State& state) {
  const std::vector<double> x = Spread(0.01, 50, 1000);
  for (auto _ : state) {
    for (double a : x) benchmark::DoNotOptimize(rBessel_j1(a));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}
}  // namespace

BENCHMARK_TEMPLATE(BM_Bessel, rBesselJnu)->Args({1, 50})->Args({51, 170})->Args({170, 3000});
BENCHMARK_TEMPLATE(BM_Bessel, rBesselYnuDefinitive)
    ->Args({1, 50})
    ->Args({51, 170})
    ->Args({170, 3000});
BENCHMARK(BM_BesselJnInteger);
BENCHMARK_TEMPLATE(BM_J01, 0)->Arg(2)->Arg(50);
BENCHMARK_TEMPLATE(BM_J01, 1)->Arg(2)->Arg(50);
BENCHMARK(BM_SphericalJ1);

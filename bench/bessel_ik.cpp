// Throughput of the modified Bessel functions and the Airy functions over
// fixed spreads of arguments and orders; K_0 and K_1 below 2 with the ratio
// to GSL as the counter vs_gsl (GSL is linked into this benchmark only).
#include "scalar/bessel_ik.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_sf_bessel.h>

#include <vector>

#include "peer_ratio.h"

namespace {
std::vector<double> Spread(double lo, double hi, int n) {
  std::vector<double> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = lo + (hi - lo) * (i + 0.5) / n;
  return v;
}

void BM_Order(benchmark::State& state, double (*f)(double, double), double nu) {
  const std::vector<double> x = Spread(0.05, 50.0, 1000);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(f(v, nu));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}

template <class F>
void Sweep(const std::vector<double>& x, F f) {
  for (double v : x) benchmark::DoNotOptimize(f(v));
}

// Integer orders 0 and 1 below x = 2, where the series of K_n is used.
template <int N>
void BM_KSmall(benchmark::State& state) {
  const std::vector<double> x = Spread(0.01, 2.0, 1000);
  auto ours = [](double v) { return rBesselKnuDefinitive(v, N); };
  auto gsl = [](double v) { return N == 0 ? gsl_sf_bessel_K0(v) : gsl_sf_bessel_K1(v); };
  for (auto _ : state) Sweep(x, ours);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
  state.counters["vs_gsl"] = PeerRatio([&] { Sweep(x, ours); }, [&] { Sweep(x, gsl); });
}

template <double (*F)(double)>
void BM_Airy(benchmark::State& state) {
  const std::vector<double> x = Spread(-30.0, 30.0, 1000);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(F(v));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}
}  // namespace

BENCHMARK_CAPTURE(BM_Order, I_nu_0_3, rBesselInuDefinitive, 0.3);
BENCHMARK_CAPTURE(BM_Order, I_nu_12_6, rBesselInuDefinitive, 12.6);
BENCHMARK_CAPTURE(BM_Order, K_n_0, rBesselKnuDefinitive, 0.0);
BENCHMARK_CAPTURE(BM_Order, K_n_5, rBesselKnuDefinitive, 5.0);
BENCHMARK_CAPTURE(BM_Order, K_nu_0_3, rBessel_Knu, 0.3);
BENCHMARK_CAPTURE(BM_Order, K_nu_12_6, rBessel_Knu, 12.6);
BENCHMARK(BM_KSmall<0>);
BENCHMARK(BM_KSmall<1>);
BENCHMARK(BM_Airy<rAi>);
BENCHMARK(BM_Airy<rBi>);
BENCHMARK_MAIN();

// Cost per call of the error-function family and the Chebyshev values over
// a spread of arguments (the fast forms against the full ones).
#include "scalar/error_functions.h"

#include <benchmark/benchmark.h>

#include <vector>

#include "scalar/orthogonal_polys.h"

namespace {
std::vector<double> Spread(double lo, double hi, int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = lo + (hi - lo) * (i + 0.5) / n;
  return v;
}

template <double (*F)(double)>
void Run(benchmark::State& state, double lo, double hi) {
  const std::vector<double> x = Spread(lo, hi, 1024);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(F(v));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}
}  // namespace

static void BM_Erf(benchmark::State& s) { Run<rErf>(s, -4, 4); }
static void BM_ErfFast(benchmark::State& s) { Run<rErfFast>(s, -4, 4); }
static void BM_ErfInv(benchmark::State& s) { Run<rErfInv>(s, -0.999, 0.999); }
static void BM_ErfInvFast(benchmark::State& s) { Run<rErfInvFast>(s, -0.999, 0.999); }
static void BM_Dawson(benchmark::State& s) { Run<rDawson>(s, 0.01, 20); }
static void BM_DawsonRa5(benchmark::State& s) { Run<rDawsonRa5>(s, 0.01, 20); }
static void BM_FaddeevaIw(benchmark::State& s) { Run<rFaddeevaIw>(s, -5, 50); }
static void BM_E1(benchmark::State& s) { Run<rE_1>(s, 0.01, 50); }
static void BM_SineIntegral(benchmark::State& s) { Run<rSineIntegral>(s, 0, 40); }
static void BM_ChebyshevT1000(benchmark::State& s) {
  const std::vector<double> x = Spread(-1, 1, 1024);
  for (auto _ : s) {
    for (double v : x) benchmark::DoNotOptimize(rChebyshevT(v, 1000));
  }
  s.SetItemsProcessed(s.iterations() * static_cast<int64_t>(x.size()));
}

BENCHMARK(BM_Erf);
BENCHMARK(BM_ErfFast);
BENCHMARK(BM_ErfInv);
BENCHMARK(BM_ErfInvFast);
BENCHMARK(BM_Dawson);
BENCHMARK(BM_DawsonRa5);
BENCHMARK(BM_FaddeevaIw);
BENCHMARK(BM_E1);
BENCHMARK(BM_SineIntegral);
BENCHMARK(BM_ChebyshevT1000);

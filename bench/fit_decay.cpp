// Fits per call: the multi-exponential simplex fit (rates exponentiated
// once per evaluation, not per point) and the basis fit with its basis
// tabulated once (k n calls instead of 2 k^2 n).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "scalar/real_helpers.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/linear_fits.h"

namespace {

void BM_MultiExpFit(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) {
    x[i] = 1e-3 * std::pow(1e4, i / double(n - 1));
    y[i] =
        0.05 + 0.7 * std::exp(-0.3 * x[i]) + 1.1 * std::exp(-5 * x[i]) + 0.4 * std::exp(-80 * x[i]);
  }
  for (auto _ : state) {
    double a[3] = {0.5, 1, 0.5}, r[3] = {0.4, 4, 60}, off = 0, rms = 0;
    MultiExpFit(2, n, x.data(), y.data(), 3, a, r, &off, &rms, nullptr, nullptr);
    benchmark::DoNotOptimize(rms);
  }
}
BENCHMARK(BM_MultiExpFit)->Arg(40)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_MultiLinearFit(benchmark::State& state) {
  const int n = 10000;
  const Qword k = static_cast<Qword>(state.range(0));
  std::vector<double> x(n), y(n), w(n, 1.0), c(k);
  for (int i = 0; i < n; ++i) {
    x[i] = -1 + 2.0 * i / (n - 1);
    y[i] = std::cos(3 * x[i]);
  }
  for (auto _ : state) {
    MultiLinearFitChebyshev(k, c.data(), n, x.data(), y.data(), w.data());
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_MultiLinearFit)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace

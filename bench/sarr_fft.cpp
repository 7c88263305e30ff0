// The signal-array Fourier transform against FFTW's FFTW_ESTIMATE plan of
// the same size (FFTW is linked into this benchmark only). Both transform
// one buffer in place; ours includes its scaling and centring.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <random>
#include <vector>

#include "signal_fit/signal/fourier.h"

namespace {
std::vector<double> Noise(size_t count) {
  std::mt19937 rng(3);
  std::normal_distribution<double> g;
  std::vector<double> v(count);
  for (double& x : v) x = g(rng);
  return v;
}

void BM_SArrFT(benchmark::State& state) {
  const Qword n = Qword{1} << state.range(0);
  std::vector<double> s = Noise(2 * n);
  Long direction = 0;
  for (auto _ : state) {
    SArrFT(n, s.data(), direction);
    direction ^= 1;  // forward and back keep the values bounded
    benchmark::DoNotOptimize(s.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}
BENCHMARK(BM_SArrFT)->Arg(10)->Arg(16)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_FftwEstimate(benchmark::State& state) {
  const int n = 1 << state.range(0);
  fftw_complex* buf = fftw_alloc_complex(n);
  fftw_plan forward = fftw_plan_dft_1d(n, buf, buf, FFTW_BACKWARD, FFTW_ESTIMATE);
  fftw_plan back = fftw_plan_dft_1d(n, buf, buf, FFTW_FORWARD, FFTW_ESTIMATE);
  const std::vector<double> v = Noise(2 * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    buf[i][0] = v[i];
    buf[i][1] = v[n + i];
  }
  bool flip = false;
  for (auto _ : state) {
    fftw_execute(flip ? back : forward);
    flip = !flip;
    benchmark::DoNotOptimize(buf);
  }
  state.SetItemsProcessed(state.iterations() * n);
  fftw_destroy_plan(forward);
  fftw_destroy_plan(back);
  fftw_free(buf);
}
BENCHMARK(BM_FftwEstimate)->Arg(10)->Arg(16)->Arg(20)->Unit(benchmark::kMicrosecond);
}  // namespace

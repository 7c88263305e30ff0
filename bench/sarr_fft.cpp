// The signal-array transform against FFTW (linked into this benchmark only)
// at every power of two from 2^8 to 2^20: FFTW's in-place plans of the same
// size and sign made with FFTW_MEASURE and FFTW_ESTIMATE (planning outside
// the timing). Ours includes its scaling and centring. The counters
// vs_measure and vs_estimate are our time over FFTW's, timed alternately in
// the same run (the fastest of 31 batches of about a millisecond each, as
// other work on the machine only ever slows a batch down).
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cstring>
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

// One FFTW plan pair (both signs) on its own interleaved buffer.
struct Fftw {
  int n;
  fftw_complex* buf;
  fftw_plan forward, back;
  Fftw(int size, unsigned flags) : n(size) {
    buf = fftw_alloc_complex(n);
    forward = fftw_plan_dft_1d(n, buf, buf, FFTW_BACKWARD, flags);
    back = fftw_plan_dft_1d(n, buf, buf, FFTW_FORWARD, flags);
  }
  ~Fftw() {
    fftw_destroy_plan(forward);
    fftw_destroy_plan(back);
    fftw_free(buf);
  }
  void Fill(const std::vector<double>& v) {
    for (int i = 0; i < n; ++i) {
      buf[i][0] = v[i];
      buf[i][1] = v[n + i];
    }
  }
  // Forward and back in turn (unscaled, so the caller refills the buffer
  // before the values could overflow).
  void Run(int count) {
    for (int k = 0; k < count; ++k) fftw_execute(k & 1 ? back : forward);
  }
};

void RunOurs(Qword n, double* s, int count) {
  for (int k = 0; k < count; ++k) SArrFT(n, s, k & 1);
}

// Our time over FFTW's, the two timed alternately in rounds of `count`.
double Ratio(Qword n, std::vector<double>& s, Fftw& peer, const std::vector<double>& v, int count) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ours, theirs;
  for (int round = 0; round < 31; ++round) {
    std::copy(v.begin(), v.end(), s.begin());
    peer.Fill(v);
    const auto t0 = Clock::now();
    RunOurs(n, s.data(), count);
    const auto t1 = Clock::now();
    peer.Run(count);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(s.data());
    benchmark::DoNotOptimize(peer.buf);
    ours.push_back(std::chrono::duration<double>(t1 - t0).count());
    theirs.push_back(std::chrono::duration<double>(t2 - t1).count());
  }
  return *std::min_element(ours.begin(), ours.end()) /
         *std::min_element(theirs.begin(), theirs.end());
}

void BM_SArrFT(benchmark::State& state) {
  const Qword n = Qword{1} << state.range(0);
  const std::vector<double> v = Noise(2 * n);
  std::vector<double> s = v;
  Long direction = 0;
  for (auto _ : state) {
    SArrFT(n, s.data(), direction);
    direction ^= 1;  // forward and back keep the values bounded
    benchmark::DoNotOptimize(s.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  Fftw measure(static_cast<int>(n), FFTW_MEASURE);
  Fftw estimate(static_cast<int>(n), FFTW_ESTIMATE);
  // About a millisecond per round, and an even count (forward, back).
  const int count = std::max<int>(2, static_cast<int>((Qword{1} << 17) / n) & ~1);
  RunOurs(n, s.data(), 2);
  state.counters["vs_measure"] = Ratio(n, s, measure, v, count);
  state.counters["vs_estimate"] = Ratio(n, s, estimate, v, count);
}
BENCHMARK(BM_SArrFT)->DenseRange(8, 20)->Unit(benchmark::kMicrosecond);

void BM_FftwMeasure(benchmark::State& state) {
  const int n = 1 << state.range(0);
  Fftw peer(n, FFTW_MEASURE);
  peer.Fill(Noise(2 * static_cast<size_t>(n)));
  int k = 0;
  for (auto _ : state) {
    if (k == 32) {  // refill before the unscaled values grow too far
      state.PauseTiming();
      peer.Fill(Noise(2 * static_cast<size_t>(n)));
      state.ResumeTiming();
      k = 0;
    }
    fftw_execute(k++ & 1 ? peer.back : peer.forward);
    benchmark::DoNotOptimize(peer.buf);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_FftwMeasure)->DenseRange(8, 20)->Unit(benchmark::kMicrosecond);
}  // namespace

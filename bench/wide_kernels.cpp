// The AVX2 build of the decomposition kernels against the baseline build on
// the same work, timed alternately in one run: avx2_over_baseline below 1
// means the wider kernels pay. (Both builds give the same bits.)
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "arrays/wide_kernels_testing.h"
#include "peer_ratio.h"

namespace {

std::vector<double> Random(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (auto& x : v) x = u(g);
  return v;
}

template <class Run>
void Compare(benchmark::State& state, Run run) {
  if (!WideKernelsForceBaseline(false)) {
    state.SkipWithError("no AVX2 on this processor");
    return;
  }
  double ratio = 0;
  for (auto _ : state)
    ratio = PeerRatio(
        [&] {
          WideKernelsForceBaseline(false);
          run();
        },
        [&] {
          WideKernelsForceBaseline(true);
          run();
        },
        9);
  WideKernelsForceBaseline(false);
  state.counters["avx2_over_baseline"] = ratio;
}

// rows, cols, job code.
void BM_SvdKernels(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const Dword job = static_cast<Dword>(state.range(2));
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  std::vector<double> A, U(static_cast<size_t>(m) * m), s(n + 1), V(static_cast<size_t>(n) * n);
  Compare(state, [&] {
    A = A0;
    benchmark::DoNotOptimize(RMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), job));
  });
}
BENCHMARK(BM_SvdKernels)
    ->Args({500, 500, 0})
    ->Args({500, 500, 11})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// order, 0 values only or 1 with vectors.
void BM_EigenKernels(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> A0 = Random(static_cast<size_t>(n) * n, 7);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < j; ++i)
      A0[i + static_cast<size_t>(n) * j] = A0[j + static_cast<size_t>(n) * i];
  std::vector<double> A, w(n);
  const bool vectors = state.range(1) != 0;
  Compare(state, [&] {
    A = A0;
    benchmark::DoNotOptimize(vectors ? RMatDiagonalize(A.data(), n, w.data())
                                     : RMatEigenvalues(A.data(), n, w.data()));
  });
}
BENCHMARK(BM_EigenKernels)
    ->Args({500, 0})
    ->Args({500, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

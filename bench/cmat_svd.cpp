// The complex SVD against reference LAPACK's zgesvd (linked into this
// benchmark only), 200 x 200 with both factors and with values only.
#include "complexvec/cmat_svd.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

extern "C" void zgesvd_(const char*, const char*, const int*, const int*, void*, const int*,
                        double*, void*, const int*, void*, const int*, void*, const int*, double*,
                        int*, size_t, size_t);

namespace {

std::vector<COMPLEX> Random(size_t n) {
  std::mt19937_64 g(3);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<COMPLEX> v(n);
  for (auto& z : v) z = COMPLEX(u(g), u(g));
  return v;
}

void BM_CMatSVD(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const Dword job = static_cast<Dword>(state.range(1));
  const std::vector<COMPLEX> A = Random(static_cast<size_t>(n) * n);
  std::vector<COMPLEX> U(A.size()), s(n + 1), V(A.size());
  for (auto _ : state)
    benchmark::DoNotOptimize(CMatSVD(A.data(), n, n, U.data(), s.data(), V.data(), job));
}
BENCHMARK(BM_CMatSVD)->Args({200, 11})->Args({200, 0})->Unit(benchmark::kMillisecond);

// zgesvd overwrites its matrix: the copy back is outside the timing.
void BM_LapackZgesvd(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const bool vectors = state.range(1) != 0;
  const char* job = vectors ? "A" : "N";
  const std::vector<COMPLEX> A0 = Random(static_cast<size_t>(n) * n);
  std::vector<COMPLEX> A = A0, U(A0.size()), VT(A0.size()), work(1);
  std::vector<double> s(n), rwork(5 * static_cast<size_t>(n));
  int lwork = -1, info = 0;
  zgesvd_(job, job, &n, &n, A.data(), &n, s.data(), U.data(), &n, VT.data(), &n, work.data(),
          &lwork, rwork.data(), &info, 1, 1);
  lwork = static_cast<int>(work[0].re);
  work.resize(lwork);
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    zgesvd_(job, job, &n, &n, A.data(), &n, s.data(), U.data(), &n, VT.data(), &n, work.data(),
            &lwork, rwork.data(), &info, 1, 1);
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK(BM_LapackZgesvd)->Args({200, 11})->Args({200, 0})->Unit(benchmark::kMillisecond);

}  // namespace

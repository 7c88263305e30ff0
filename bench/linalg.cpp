// The dense linear algebra against the reference LAPACK and BLAS (linked
// into this benchmark only): full and thin singular value decompositions,
// the symmetric eigenproblem and the matrix product.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "arrays/rmat.h"
#include "arrays/rmat_linalg.h"

extern "C" {
void dgesvd_(const char*, const char*, const int*, const int*, double*, const int*, double*,
             double*, const int*, double*, const int*, double*, const int*, int*, size_t, size_t);
void dsyev_(const char*, const char*, const int*, double*, const int*, double*, double*, const int*,
            int*, size_t, size_t);
void dgemm_(const char*, const char*, const int*, const int*, const int*, const double*,
            const double*, const int*, const double*, const int*, const double*, double*,
            const int*, size_t, size_t);
}

namespace {

std::vector<double> Random(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (auto& x : v) x = u(g);
  return v;
}

std::vector<double> RandomSymmetric(int n) {
  std::vector<double> A = Random(static_cast<size_t>(n) * n, 7);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < j; ++i)
      A[i + static_cast<size_t>(n) * j] = A[j + static_cast<size_t>(n) * i];
  return A;
}

void BM_RMatSVD(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const Dword job = static_cast<Dword>(state.range(2));
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  const int ucols = job == 11 ? m : (m < n ? m : n);
  std::vector<double> A, U(static_cast<size_t>(m) * ucols), s(n + 1), V(static_cast<size_t>(n) * n);
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    benchmark::DoNotOptimize(RMatSVD(A.data(), m, n, U.data(), s.data(), V.data(), job));
  }
}
BENCHMARK(BM_RMatSVD)->Args({500, 500, 11})->Args({4096, 80, 22})->Unit(benchmark::kMillisecond);

void BM_LapackDgesvd(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const bool full = state.range(2) == 11;
  const char* job = full ? "A" : "S";
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  const int k = m < n ? m : n, ucols = full ? m : k, ldvt = full ? n : k;
  std::vector<double> A, U(static_cast<size_t>(m) * ucols), s(k), VT(static_cast<size_t>(ldvt) * n);
  int lwork = -1, info = 0;
  double query;
  dgesvd_(job, job, &m, &n, A.data(), &m, s.data(), U.data(), &m, VT.data(), &ldvt, &query, &lwork,
          &info, 1, 1);
  lwork = static_cast<int>(query);
  std::vector<double> work(lwork);
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    dgesvd_(job, job, &m, &n, A.data(), &m, s.data(), U.data(), &m, VT.data(), &ldvt, work.data(),
            &lwork, &info, 1, 1);
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK(BM_LapackDgesvd)
    ->Args({500, 500, 11})
    ->Args({4096, 80, 22})
    ->Unit(benchmark::kMillisecond);

void BM_RMatDiagonalize(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A0 = RandomSymmetric(n);
  std::vector<double> A, w(n);
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    benchmark::DoNotOptimize(RMatDiagonalize(A.data(), n, w.data()));
  }
}
BENCHMARK(BM_RMatDiagonalize)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_LapackDsyev(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A0 = RandomSymmetric(n);
  std::vector<double> A = A0, w(n);
  int lwork = -1, info = 0;
  double query;
  dsyev_("V", "L", &n, A.data(), &n, w.data(), &query, &lwork, &info, 1, 1);
  lwork = static_cast<int>(query);
  std::vector<double> work(lwork);
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    dsyev_("V", "L", &n, A.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK(BM_LapackDsyev)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RMatByMat(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A = Random(static_cast<size_t>(n) * n, 2),
                            B = Random(static_cast<size_t>(n) * n, 3);
  std::vector<double> C(static_cast<size_t>(n) * n);
  for (auto _ : state) benchmark::DoNotOptimize(RMatByMat(A.data(), B.data(), n, n, n, C.data()));
}
BENCHMARK(BM_RMatByMat)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_BlasDgemm(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A = Random(static_cast<size_t>(n) * n, 2),
                            B = Random(static_cast<size_t>(n) * n, 3);
  std::vector<double> C(static_cast<size_t>(n) * n);
  const double one = 1.0, zero = 0.0;
  for (auto _ : state) {
    dgemm_("N", "N", &n, &n, &n, &one, A.data(), &n, B.data(), &n, &zero, C.data(), &n, 1, 1);
    benchmark::DoNotOptimize(C.data());
  }
}
BENCHMARK(BM_BlasDgemm)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

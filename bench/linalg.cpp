// The dense linear algebra against the reference LAPACK and BLAS (linked
// into this benchmark only): full and thin singular value decompositions,
// the symmetric eigenproblem and the matrix product.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstddef>
#include <random>
#include <vector>

#include "arrays/rmat.h"
#include "arrays/rmat_linalg.h"
#include "peer_ratio.h"

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

// The symmetric eigenproblem, values only and with vectors, against dsyev
// ('N' and 'V') of the reference LAPACK linked here and, when it is
// installed, of OpenBLAS loaded at run time on one thread. The counters are
// our time over the peer's, measured alternately in one run.
typedef void (*DsyevFn)(const char*, const char*, const int*, double*, const int*, double*, double*,
                        const int*, int*, size_t, size_t);

DsyevFn OpenBlasDsyev() {
  static const DsyevFn f = []() -> DsyevFn {
    // Deep binding: its own LAPACK calls must reach its own BLAS, not the
    // reference routines this program links.
    void* lib = dlopen("/usr/lib/x86_64-linux-gnu/openblas-pthread/libopenblas.so.0",
                       RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!lib) return nullptr;
    if (auto threads = reinterpret_cast<void (*)(int)>(dlsym(lib, "openblas_set_num_threads")))
      threads(1);
    return reinterpret_cast<DsyevFn>(dlsym(lib, "dsyev_"));
  }();
  return f;
}

// dsyev of an n x n matrix, with the workspace it asks for: Reset copies A0
// in, Run decomposes; a call does both.
class Dsyev {
 public:
  Dsyev(DsyevFn f, const char* job, int n, const std::vector<double>& A0)
      : f_(f), job_(job), n_(n), A0_(A0), A_(A0), w_(n) {
    int lwork = -1, info = 0;
    double query = 0;
    f_(job_, "L", &n_, A_.data(), &n_, w_.data(), &query, &lwork, &info, 1, 1);
    work_.resize(static_cast<size_t>(query));
  }
  void Reset() { A_ = A0_; }
  void Run() {
    int lwork = static_cast<int>(work_.size()), info = 0;
    f_(job_, "L", &n_, A_.data(), &n_, w_.data(), work_.data(), &lwork, &info, 1, 1);
    benchmark::DoNotOptimize(info);
  }
  void operator()() {
    Reset();
    Run();
  }

 private:
  DsyevFn f_;
  const char* job_;
  int n_;
  const std::vector<double>& A0_;
  std::vector<double> A_, w_, work_;
};

template <bool kVectors>
void EigenBench(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A0 = RandomSymmetric(n);
  std::vector<double> A, w(n);
  auto ours = [&] {
    A = A0;
    benchmark::DoNotOptimize(kVectors ? RMatDiagonalize(A.data(), n, w.data())
                                      : RMatEigenvalues(A.data(), n, w.data()));
  };
  for (auto _ : state) {
    state.PauseTiming();
    A = A0;
    state.ResumeTiming();
    benchmark::DoNotOptimize(kVectors ? RMatDiagonalize(A.data(), n, w.data())
                                      : RMatEigenvalues(A.data(), n, w.data()));
  }
  const char* job = kVectors ? "V" : "N";
  Dsyev reference(dsyev_, job, n, A0);
  state.counters[kVectors ? "vs_dsyev_V" : "vs_dsyev_N"] = PeerRatio(ours, reference, 11);
  if (DsyevFn f = OpenBlasDsyev()) {
    Dsyev openblas(f, job, n, A0);
    state.counters[kVectors ? "vs_openblas_V" : "vs_openblas_N"] = PeerRatio(ours, openblas, 11);
  }
}

void BM_RMatEigenvalues(benchmark::State& state) { EigenBench<false>(state); }
BENCHMARK(BM_RMatEigenvalues)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RMatDiagonalize(benchmark::State& state) { EigenBench<true>(state); }
BENCHMARK(BM_RMatDiagonalize)->Arg(500)->Unit(benchmark::kMillisecond);

// dsyev alone; the second argument 0 for values only, 1 with vectors.
void BM_LapackDsyev(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> A0 = RandomSymmetric(n);
  Dsyev run(dsyev_, state.range(1) ? "V" : "N", n, A0);
  for (auto _ : state) {
    state.PauseTiming();
    run.Reset();
    state.ResumeTiming();
    run.Run();
  }
}
BENCHMARK(BM_LapackDsyev)->Args({500, 0})->Args({500, 1})->Unit(benchmark::kMillisecond);

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

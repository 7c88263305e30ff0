// The dense linear algebra against the reference LAPACK and BLAS (linked
// into this benchmark only): full, thin and values-only singular value
// decompositions (also as ratios to the reference and to OpenBLAS on one
// thread, when installed), the symmetric eigenproblem and the matrix product.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "arrays/rmat.h"
#include "arrays/rmat_linalg.h"
#include "lapack_peers.h"
#include "peer_ratio.h"

extern "C" {
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

// One decomposition of the m x n matrix by a gesvd, with its work array
// from the size query; the matrix is copied in first (gesvd overwrites it).
class GesvdRun {
 public:
  GesvdRun(peers::Dgesvd f, int m, int n, Dword job)
      : f_(f), m_(m), n_(n), job_(peers::JobLetter(job)) {
    const int k = m < n ? m : n;
    ucols_ = job_[0] == 'A' ? m : job_[0] == 'S' ? k : 1;
    ldvt_ = job_[0] == 'A' ? n : job_[0] == 'S' ? k : 1;
    ldu_ = job_[0] == 'N' ? 1 : m;
    A_.resize(static_cast<size_t>(m) * n);
    s_.resize(k);
    U_.resize(static_cast<size_t>(ldu_) * ucols_);
    VT_.resize(static_cast<size_t>(ldvt_) * n);
    int lwork = -1, info = 0;
    double query = 0;
    f_(job_, job_, &m_, &n_, A_.data(), &m_, s_.data(), U_.data(), &ldu_, VT_.data(), &ldvt_,
       &query, &lwork, &info, 1, 1);
    work_.resize(static_cast<size_t>(query));
  }
  int operator()(const std::vector<double>& A0) {
    A_ = A0;
    const int lwork = static_cast<int>(work_.size());
    int info = 0;
    f_(job_, job_, &m_, &n_, A_.data(), &m_, s_.data(), U_.data(), &ldu_, VT_.data(), &ldvt_,
       work_.data(), &lwork, &info, 1, 1);
    return info;
  }

 private:
  peers::Dgesvd f_;
  int m_, n_, ucols_, ldvt_, ldu_;
  const char* job_;
  std::vector<double> A_, s_, U_, VT_, work_;
};

// One RMatSVD with the matrix copied in first, the same work as GesvdRun.
class OurRun {
 public:
  OurRun(int m, int n, Dword job) : m_(m), n_(n), job_(job) {
    const int ucols = (job % 100) / 10 == 1 ? m : (m < n ? m : n);
    U_.resize(static_cast<size_t>(m) * ucols);
    s_.resize(n + 1);
    V_.resize(static_cast<size_t>(n) * n);
  }
  Dword operator()(const std::vector<double>& A0) {
    A_ = A0;
    return RMatSVD(A_.data(), m_, n_, U_.data(), s_.data(), V_.data(), job_);
  }

 private:
  int m_, n_;
  Dword job_;
  std::vector<double> A_, U_, s_, V_;
};

void BM_RMatSVD(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const Dword job = static_cast<Dword>(state.range(2));
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  OurRun ours(m, n, job);
  for (auto _ : state) benchmark::DoNotOptimize(ours(A0));
}
BENCHMARK(BM_RMatSVD)
    ->Args({500, 500, 11})
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Unit(benchmark::kMillisecond);

void BM_LapackDgesvd(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  GesvdRun ref(dgesvd_, m, n, static_cast<Dword>(state.range(2)));
  for (auto _ : state) benchmark::DoNotOptimize(ref(A0));
}
BENCHMARK(BM_LapackDgesvd)
    ->Args({500, 500, 11})
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Unit(benchmark::kMillisecond);

// Our time over the peers' for the same decomposition, timed alternately
// (copy of the matrix included on both sides): vs_lapack against the
// reference LAPACK, vs_openblas against OpenBLAS on one thread when present.
void BM_RMatSVDPeerRatio(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const Dword job = static_cast<Dword>(state.range(2));
  const std::vector<double> A0 = Random(static_cast<size_t>(m) * n, 1);
  OurRun ours(m, n, job);
  GesvdRun ref(dgesvd_, m, n, job);
  const peers::OpenBlas& ob = peers::LoadOpenBlas();
  double vs_lapack = 0, vs_openblas = 0;
  for (auto _ : state) {
    vs_lapack = PeerRatio([&] { ours(A0); }, [&] { ref(A0); }, 7);
    if (ob.dgesvd) {
      GesvdRun fast(ob.dgesvd, m, n, job);
      vs_openblas = PeerRatio([&] { ours(A0); }, [&] { fast(A0); }, 7);
    }
  }
  state.counters["vs_lapack"] = vs_lapack;
  if (ob.dgesvd) state.counters["vs_openblas"] = vs_openblas;
}
BENCHMARK(BM_RMatSVDPeerRatio)
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Args({500, 500, 11})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The symmetric eigenproblem, values only and with vectors, against dsyev
// ('N' and 'V') of the reference LAPACK linked here and, when it is
// installed, of OpenBLAS loaded at run time on one thread. The counters are
// our time over the peer's, measured alternately in one run.

// dsyev of an n x n matrix, with the workspace it asks for: Reset copies A0
// in, Run decomposes; a call does both.
class Dsyev {
 public:
  Dsyev(peers::Dsyev f, const char* job, int n, const std::vector<double>& A0)
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
  peers::Dsyev f_;
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
  if (peers::Dsyev f = peers::LoadOpenBlas().dsyev) {
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

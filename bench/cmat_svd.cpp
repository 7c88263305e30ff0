// The complex SVD against reference LAPACK's zgesvd (linked into this
// benchmark only) and OpenBLAS's on one thread when installed: 200 x 200
// with both factors and with values only, values only of 500 x 500 and
// 4096 x 80, and the thin factors of 4096 x 80.
#include "complexvec/cmat_svd.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "lapack_peers.h"
#include "peer_ratio.h"

namespace {

std::vector<COMPLEX> Random(size_t n) {
  std::mt19937_64 g(3);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<COMPLEX> v(n);
  for (auto& z : v) z = COMPLEX(u(g), u(g));
  return v;
}

// One decomposition by a zgesvd with its work arrays from the size query;
// the matrix is copied in first (zgesvd overwrites it).
class ZgesvdRun {
 public:
  ZgesvdRun(peers::Zgesvd f, int m, int n, Dword job)
      : f_(f), m_(m), n_(n), job_(peers::JobLetter(job)) {
    const int k = m < n ? m : n;
    const int ucols = job_[0] == 'A' ? m : job_[0] == 'S' ? k : 1;
    ldvt_ = job_[0] == 'A' ? n : job_[0] == 'S' ? k : 1;
    ldu_ = job_[0] == 'N' ? 1 : m;
    A_.resize(static_cast<size_t>(m) * n);
    s_.resize(k);
    U_.resize(static_cast<size_t>(ldu_) * ucols);
    VT_.resize(static_cast<size_t>(ldvt_) * n);
    rwork_.resize(5 * static_cast<size_t>(k) + 5);
    work_.resize(1);
    int lwork = -1, info = 0;
    f_(job_, job_, &m_, &n_, A_.data(), &m_, s_.data(), U_.data(), &ldu_, VT_.data(), &ldvt_,
       work_.data(), &lwork, rwork_.data(), &info, 1, 1);
    work_.resize(static_cast<size_t>(work_[0].re));
  }
  int operator()(const std::vector<COMPLEX>& A0) {
    A_ = A0;
    const int lwork = static_cast<int>(work_.size());
    int info = 0;
    f_(job_, job_, &m_, &n_, A_.data(), &m_, s_.data(), U_.data(), &ldu_, VT_.data(), &ldvt_,
       work_.data(), &lwork, rwork_.data(), &info, 1, 1);
    return info;
  }

 private:
  peers::Zgesvd f_;
  int m_, n_, ldvt_, ldu_;
  const char* job_;
  std::vector<COMPLEX> A_, U_, VT_, work_;
  std::vector<double> s_, rwork_;
};

// CMatSVD keeps its input: no copy needed, but the same copy as the peers'
// is made so that both sides do the same work.
class OurRun {
 public:
  OurRun(int m, int n, Dword job)
      : m_(m),
        n_(n),
        job_(job),
        U_(static_cast<size_t>(m) * m),
        s_(n + 1),
        V_(static_cast<size_t>(n) * n) {}
  Dword operator()(const std::vector<COMPLEX>& A0) {
    A_ = A0;
    return CMatSVD(A_.data(), m_, n_, U_.data(), s_.data(), V_.data(), job_);
  }

 private:
  int m_, n_;
  Dword job_;
  std::vector<COMPLEX> A_, U_, s_, V_;
};

void BM_CMatSVD(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const std::vector<COMPLEX> A = Random(static_cast<size_t>(m) * n);
  OurRun ours(m, n, static_cast<Dword>(state.range(2)));
  for (auto _ : state) benchmark::DoNotOptimize(ours(A));
}
BENCHMARK(BM_CMatSVD)
    ->Args({200, 200, 11})
    ->Args({200, 200, 0})
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Unit(benchmark::kMillisecond);

void BM_LapackZgesvd(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const std::vector<COMPLEX> A = Random(static_cast<size_t>(m) * n);
  ZgesvdRun ref(zgesvd_, m, n, static_cast<Dword>(state.range(2)));
  for (auto _ : state) benchmark::DoNotOptimize(ref(A));
}
BENCHMARK(BM_LapackZgesvd)
    ->Args({200, 200, 11})
    ->Args({200, 200, 0})
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Unit(benchmark::kMillisecond);

// Our time over the peers', timed alternately: vs_lapack against the
// reference LAPACK, vs_openblas against OpenBLAS on one thread when present.
void BM_CMatSVDPeerRatio(benchmark::State& state) {
  const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const Dword job = static_cast<Dword>(state.range(2));
  const std::vector<COMPLEX> A = Random(static_cast<size_t>(m) * n);
  OurRun ours(m, n, job);
  ZgesvdRun ref(zgesvd_, m, n, job);
  const peers::OpenBlas& ob = peers::LoadOpenBlas();
  double vs_lapack = 0, vs_openblas = 0;
  for (auto _ : state) {
    vs_lapack = PeerRatio([&] { ours(A); }, [&] { ref(A); }, 5);
    if (ob.zgesvd) {
      ZgesvdRun fast(ob.zgesvd, m, n, job);
      vs_openblas = PeerRatio([&] { ours(A); }, [&] { fast(A); }, 5);
    }
  }
  state.counters["vs_lapack"] = vs_lapack;
  if (ob.zgesvd) state.counters["vs_openblas"] = vs_openblas;
}
BENCHMARK(BM_CMatSVDPeerRatio)
    ->Args({500, 500, 0})
    ->Args({4096, 80, 0})
    ->Args({4096, 80, 22})
    ->Args({200, 200, 11})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

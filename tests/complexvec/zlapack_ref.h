// Reference LAPACK's complex SVD (linked into the tests only) over
// column-major vectors of COMPLEX, whose layout is LAPACK's double complex.
#pragma once
#include <cstddef>
#include <vector>

#include "complexvec/complex.h"

extern "C" void zgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, void* a,
                        const int* lda, double* s, void* u, const int* ldu, void* vt,
                        const int* ldvt, void* work, const int* lwork, double* rwork, int* info,
                        size_t, size_t);

namespace zlapack {

struct Svd {
  std::vector<double> s;    // min(m, n) values, decreasing
  std::vector<COMPLEX> u;   // m x m
  std::vector<COMPLEX> vt;  // n x n, V^H
  bool ok = false;
};

inline Svd Decompose(std::vector<COMPLEX> a, int m, int n) {
  Svd r;
  const int k = m < n ? m : n;
  r.s.resize(k);
  r.u.resize(static_cast<size_t>(m) * m);
  r.vt.resize(static_cast<size_t>(n) * n);
  std::vector<double> rwork(5 * static_cast<size_t>(k) + 5);
  std::vector<COMPLEX> work(1);
  int lwork = -1, info = 0;
  zgesvd_("A", "A", &m, &n, a.data(), &m, r.s.data(), r.u.data(), &m, r.vt.data(), &n, work.data(),
          &lwork, rwork.data(), &info, 1, 1);
  lwork = static_cast<int>(work[0].re);
  work.resize(lwork);
  zgesvd_("A", "A", &m, &n, a.data(), &m, r.s.data(), r.u.data(), &m, r.vt.data(), &n, work.data(),
          &lwork, rwork.data(), &info, 1, 1);
  r.ok = info == 0;
  return r;
}

}  // namespace zlapack

// The reference LAPACK routines the linear-algebra tests compare against
// (linked into the tests only), with small wrappers over column-major
// std::vector matrices.
#pragma once
#include <cstddef>
#include <vector>

extern "C" {
void dgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, double* a,
             const int* lda, double* s, double* u, const int* ldu, double* vt, const int* ldvt,
             double* work, const int* lwork, int* info, size_t, size_t);
void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
            double* work, const int* lwork, int* info, size_t, size_t);
void dgelss_(const int* m, const int* n, const int* nrhs, double* a, const int* lda, double* b,
             const int* ldb, double* s, const double* rcond, int* rank, double* work,
             const int* lwork, int* info);
}

namespace lapack {

// Singular values of the m x n matrix A, decreasing.
inline std::vector<double> SingularValues(std::vector<double> A, int m, int n) {
  const int k = m < n ? m : n, one = 1;
  std::vector<double> s(k), work(1);
  int lwork = -1, info = 0;
  double u = 0, vt = 0;
  dgesvd_("N", "N", &m, &n, A.data(), &m, s.data(), &u, &one, &vt, &one, work.data(), &lwork, &info,
          1, 1);
  lwork = static_cast<int>(work[0]);
  work.resize(lwork);
  dgesvd_("N", "N", &m, &n, A.data(), &m, s.data(), &u, &one, &vt, &one, work.data(), &lwork, &info,
          1, 1);
  return info == 0 ? s : std::vector<double>();
}

// Eigenvalues of the symmetric n x n matrix A, ascending.
inline std::vector<double> SymEigenvalues(std::vector<double> A, int n) {
  std::vector<double> w(n), work(1);
  int lwork = -1, info = 0;
  dsyev_("N", "L", &n, A.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
  lwork = static_cast<int>(work[0]);
  work.resize(lwork);
  dsyev_("N", "L", &n, A.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
  return info == 0 ? w : std::vector<double>();
}

// Minimum-norm least-squares solution with singular values at or below
// rcond times the largest dropped.
inline std::vector<double> LeastSquares(std::vector<double> A, int m, int n,
                                        const std::vector<double>& b, double rcond) {
  const int nrhs = 1, ldb = m > n ? m : n;
  std::vector<double> x(ldb, 0.0), s(m < n ? m : n), work(1);
  for (int i = 0; i < m; ++i) x[i] = b[i];
  int rank = 0, lwork = -1, info = 0;
  dgelss_(&m, &n, &nrhs, A.data(), &m, x.data(), &ldb, s.data(), &rcond, &rank, work.data(), &lwork,
          &info);
  lwork = static_cast<int>(work[0]);
  work.resize(lwork);
  dgelss_(&m, &n, &nrhs, A.data(), &m, x.data(), &ldb, s.data(), &rcond, &rank, work.data(), &lwork,
          &info);
  x.resize(n);
  return info == 0 ? x : std::vector<double>();
}

}  // namespace lapack

// What builds on a singular value decomposition: back-substitution, the
// matrix rebuilt from its factors, and the least-squares solver.
#include "arrays/rarr.h"
#include "arrays/rmat.h"
#include "arrays/rmat_kernels.h"
#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"

// Only the columns of U with a non-zero singular value are read, so U may
// hold garbage beyond the decomposition's own columns. A null pointer is
// refused rather than dereferenced.
VELTRIA_API Dword RMatSVDBacksub(const double* U, const double* s, const double* V, Qword rows,
                                 Qword cols, const double* b, double* x) {
  if (!U || !s || !V || !b) return kErrMissingInputData;
  if (!x) return kErrMissingOutputBuffer;
  if (rows == 0 || cols == 0) return kErrNone;
  Dword error;
  double* t = RArrNew(&error, cols);
  if (!t) return error;
  for (Qword i = 0; i < cols; ++i)
    t[i] = s[i] != 0.0 ? rmat::Dot(rows, U + rows * i, b) / s[i] : 0.0;
  for (Qword i = 0; i < cols; ++i) x[i] = 0.0;
  for (Qword j = 0; j < cols; ++j) rmat::Axpy(cols, t[j], V + cols * j, x);
  KillPtr(&t);
  return kErrNone;
}

// A(i, j) = sum over k of (U(i, k)*s[k])*V(j, k), k below min(rows, cols).
VELTRIA_API Dword RMatFromSVD(double* A, Dword rows, Dword cols, const double* U, const double* s,
                              const double* V) {
  if (rows == 0 || cols == 0 || !U || !s || !V) return kErrMissingArguments;
  if (!A) return kErrMissingOutputBuffer;
  const Qword r = rows, c = cols, k = r < c ? r : c;
  Dword error;
  double* W = RMatNew(&error, r, k);
  if (!W) return error;
  for (Qword j = 0; j < k; ++j)
    for (Qword i = 0; i < r; ++i) W[i + r * j] = U[i + r * j] * s[j];
  rmat::MatMul(W, V, c, 1, r, k, c, A);
  KillPtr(&W);
  return kErrNone;
}

// A = U*(diag(s)*V^T). A null or empty factor is a missing argument, never
// a success that leaves A unwritten; V is refused too rather than read.
VELTRIA_API Dword RMatFromThinSVD(double* A, Dword rows, Dword cols, const double* U,
                                  const double* s, const double* V) {
  if (rows == 0 || cols == 0 || !U || !V) return kErrMissingArguments;
  if (!s || !A) return kErrMissingOutputBuffer;
  const Qword r = rows, c = cols;
  Dword error;
  double* T = RMatNew(&error, c, c);
  if (!T) return error;
  double* W = RMatNew(&error, r, c);
  if (!W) {
    KillPtr(&T);
    return error;
  }
  for (Qword j = 0; j < c; ++j)
    for (Qword i = 0; i < c; ++i) T[i + c * j] = s[i] * V[j + c * i];
  rmat::MatMul(U, T, 1, c, r, c, c, W);
  RMatCopy(r, c, W, A);
  KillPtr(&W);
  KillPtr(&T);
  return kErrNone;
}

VELTRIA_API Dword SolveLinearSystemBySVD(const double* A, double* x, const double* b, Qword rows,
                                         Qword cols, double threshold) {
  if (!A || !b) return kErrMissingInputData;
  if (!x) return kErrMissingOutputBuffer;
  if (rows == 0 || cols == 0) return kErrMissingArguments;
  Dword status;
  double *U = nullptr, *s = nullptr, *V = nullptr, *W = nullptr;
  if ((U = RMatNew(&status, rows, cols)) && (s = RArrNew0(&status, cols)) &&
      (V = RMatNew(&status, cols, cols)) && (W = RMatNewCopy(&status, rows, cols, A))) {
    status = RMatThinSVD(W, rows, cols, U, s, V);
    if (status == kErrNone) {
      for (Qword i = 1; i < cols; ++i)
        if (s[i] < threshold * s[0]) s[i] = 0.0;
      status = RMatSVDBacksub(U, s, V, rows, cols, b, x);
    }
  }
  KillPtr(&W);
  KillPtr(&V);
  KillPtr(&s);
  KillPtr(&U);
  return status;
}

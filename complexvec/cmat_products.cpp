// Matrix-vector, vector-matrix and matrix-matrix products of column-major
// complex matrices. Every result element starts at zero and accumulates its
// terms in increasing order of the summation index; the loops run down the
// columns so the inner loop walks contiguous memory.
#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr.h"
#include "complexvec/carr_storage.h"

namespace {

// A result that overlaps an operand goes to a scratch block first; on
// success the caller copies it back.
struct Target {
  COMPLEX* out;
  COMPLEX* scratch = nullptr;
  Dword error = kErrNone;
  Target(COMPLEX* dst, Qword count, bool overlaps) : out(dst) {
    if (overlaps) out = scratch = NewArrFill<COMPLEX>(&error, count);
  }
  void Finish(COMPLEX* dst, Qword count) {
    if (!scratch) return;
    for (Qword i = 0; i < count; ++i) dst[i] = scratch[i];
    KillPtr(&scratch);
  }
};

void MatVec(const COMPLEX* A, const COMPLEX* x, Qword rows, Qword cols, COMPLEX* y) {
  for (Qword i = 0; i < rows; ++i) y[i] = ZeroComplex;
  for (Qword j = 0; j < cols; ++j) {
    const COMPLEX xj = x[j];
    const COMPLEX* a = A + rows * j;
    for (Qword i = 0; i < rows; ++i) y[i] += a[i] * xj;
  }
}

void VecMat(const COMPLEX* x, const COMPLEX* A, Qword rows, Qword cols, COMPLEX* y) {
  for (Qword i = 0; i < cols; ++i) {
    const COMPLEX* a = A + rows * i;
    COMPLEX sum = ZeroComplex;
    for (Qword j = 0; j < rows; ++j) sum += x[j] * a[j];
    y[i] = sum;
  }
}

void MatMat(const COMPLEX* A, const COMPLEX* B, Qword m, Qword n, Qword p, COMPLEX* C) {
  for (Qword j = 0; j < p; ++j) {
    COMPLEX* c = C + m * j;
    for (Qword i = 0; i < m; ++i) c[i] = ZeroComplex;
    for (Qword k = 0; k < n; ++k) {
      const COMPLEX b = B[k + n * j];
      const COMPLEX* a = A + m * k;
      for (Qword i = 0; i < m; ++i) c[i] += a[i] * b;
    }
  }
}

}  // namespace

VELTRIA_API Dword CMatByCArr(const COMPLEX* A, const COMPLEX* x, Dword rows, Dword cols,
                             COMPLEX* y) {
  if (rows == 0 || cols == 0 || !A || !x) return kErrMissingInputData;
  if (!y) return kErrMissingOutputBuffer;
  const Qword na = Qword{rows} * cols;
  Target t(y, rows, CArrOverlap(y, rows, A, na) || CArrOverlap(y, rows, x, cols));
  if (!t.out) return t.error;
  MatVec(A, x, rows, cols, t.out);
  t.Finish(y, rows);
  return kErrNone;
}

VELTRIA_API Dword CArrByCMat(const COMPLEX* x, const COMPLEX* A, Dword rows, Dword cols,
                             COMPLEX* y) {
  if (rows == 0 || cols == 0 || !A || !x) return kErrMissingInputData;
  if (!y) return kErrMissingOutputBuffer;
  const Qword na = Qword{rows} * cols;
  Target t(y, cols, CArrOverlap(y, cols, A, na) || CArrOverlap(y, cols, x, rows));
  if (!t.out) return t.error;
  VecMat(x, A, rows, cols, t.out);
  t.Finish(y, cols);
  return kErrNone;
}

VELTRIA_API Dword CMatByMat(const COMPLEX* A, const COMPLEX* B, Dword m, Dword n, Dword p,
                            COMPLEX* C) {
  if (m == 0 || p == 0 || n == 0 || !A || !B) return kErrMissingInputData;
  if (!C) return kErrMissingOutputBuffer;
  const Qword nc = Qword{m} * p;
  Target t(C, nc, CArrOverlap(C, nc, A, Qword{m} * n) || CArrOverlap(C, nc, B, Qword{n} * p));
  if (!t.out) return t.error;
  MatMat(A, B, m, n, p, t.out);
  t.Finish(C, nc);
  return kErrNone;
}

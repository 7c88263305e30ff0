// Inversion by Gauss-Jordan elimination with full pivoting, solving for
// right-hand sides at the same time. The matrix is column-major, so the
// elimination runs column by column; every element still receives exactly
// the one update per step that the row-wise description gives it.
#include <cmath>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/real_helpers.h"

namespace {

constexpr Qword kFree = 0, kTaken = 1;

// Row c of the n x cols matrix M (leading dimension n) times f.
void ScaleRow(double* M, Qword n, Qword cols, Qword c, double f) {
  for (Qword j = 0; j < cols; ++j) M[c + n * j] *= f;
}

void SwapRows(double* M, Qword n, Qword cols, Qword r, Qword c) {
  for (Qword j = 0; j < cols; ++j) {
    const double t = M[r + n * j];
    M[r + n * j] = M[c + n * j];
    M[c + n * j] = t;
  }
}

// Every row k other than c loses f[k] times row c; f[c] is not used.
void Eliminate(double* M, Qword n, Qword cols, Qword c, const double* f) {
  for (Qword j = 0; j < cols; ++j) {
    double* column = M + n * j;
    const double a = column[c];
    for (Qword k = 0; k < c; ++k) column[k] -= f[k] * a;
    for (Qword k = c + 1; k < n; ++k) column[k] -= f[k] * a;
  }
}

}  // namespace

VELTRIA_API Dword RMatInvert(double* A, Qword n, double* B, Dword m) {
  if (!A || n == 0) return kErrMissingInputData;
  const Qword nb = B ? m : 0;
  Dword error;
  Qword* index = NewPointerArrFill(&error, n);  // pivot rows
  if (!index) return error;
  Qword* cindex = NewPointerArrFill(&error, n);  // pivot columns
  Qword* mark = cindex ? NewPointerArrFill(&error, n, &kFree) : nullptr;
  double* f = mark ? NewRealArrFill(&error, n) : nullptr;
  if (!f) {
    KillPtr(&mark);
    KillPtr(&cindex);
    KillPtr(&index);
    return error;
  }
  Dword status = kErrNone;
  double big = 0.0;
  for (Qword i = 0; i < n && status == kErrNone; ++i) {
    // The largest free element; on ties the last one in row-major order
    // (rows ascending, then columns) wins; a NaN is never taken.
    bool taken = false;
    double best = 0.0;
    Qword br = 0, bc = 0;
    for (Qword c = 0; c < n; ++c) {
      if (mark[c] != kFree) continue;
      const double* column = A + n * c;
      for (Qword r = 0; r < n; ++r) {
        if (mark[r] != kFree) continue;
        const double v = std::fabs(column[r]);
        if (!(v >= best)) continue;
        if (taken && v == best && (r < br || (r == br && c < bc))) continue;
        taken = true;
        best = v;
        br = r;
        bc = c;
      }
    }
    if (!taken) {
      status = kErrIllegalArgument;
      break;
    }
    if (best > big) big = best;
    const Qword r = br, c = bc;
    mark[c] = kTaken;
    if (r != c) {
      SwapRows(A, n, n, r, c);
      if (nb) SwapRows(B, n, nb, r, c);
    }
    index[i] = r;
    cindex[i] = c;
    const double pivot = A[c + n * c];
    if (std::fabs(pivot) < big * ___5EpsReal || pivot == 0.0) {
      status = kErrIllegalArgument;
      break;
    }
    A[c + n * c] = 1.0;
    const double inv = 1.0 / pivot;
    ScaleRow(A, n, n, c, inv);
    if (nb) ScaleRow(B, n, nb, c, inv);
    double* pc = A + n * c;
    for (Qword k = 0; k < n; ++k) {
      if (k == c) continue;
      f[k] = pc[k];
      pc[k] = 0.0;
    }
    Eliminate(A, n, n, c, f);
    if (nb) Eliminate(B, n, nb, c, f);
  }
  if (status == kErrNone)
    for (Qword i = n; i-- > 0;)
      if (index[i] != cindex[i]) {
        double* x = A + n * index[i];
        double* y = A + n * cindex[i];
        for (Qword k = 0; k < n; ++k) {
          const double t = x[k];
          x[k] = y[k];
          y[k] = t;
        }
      }
  KillPtr(&f);
  KillPtr(&mark);
  KillPtr(&cindex);
  KillPtr(&index);
  return status;
}

// Transposition, reversal of the row or column order and running sums.
#include "arrays/rmat.h"
#include "arrays/rmat_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"

// In blocks of 32 x 32, so neither side is walked across whole columns. A
// null matrix is refused rather than dereferenced; an empty one is done.
VELTRIA_API Dword RMatTranspose(const double* src, Dword rows, Dword cols, double* dst) {
  if (rows == 0 || cols == 0) return kErrNone;
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  double* copy = nullptr;
  if (src == dst) {
    Dword error;
    copy = RMatNewCopy(&error, rows, cols, src);
    if (!copy) return error;
    src = copy;
  }
  const Qword r = rows, c = cols;
  constexpr Qword kTile = 32;
  for (Qword j0 = 0; j0 < c; j0 += kTile)
    for (Qword i0 = 0; i0 < r; i0 += kTile) {
      const Qword j1 = j0 + kTile < c ? j0 + kTile : c;
      const Qword i1 = i0 + kTile < r ? i0 + kTile : r;
      for (Qword j = j0; j < j1; ++j)
        for (Qword i = i0; i < i1; ++i) dst[j + c * i] = src[i + r * j];
    }
  KillPtr(&copy);
  return kErrNone;
}

namespace {

Dword CheckAndCopy(Dword rows, Dword cols, const double* src, double* dst) {
  if (!src || rows == 0 || cols == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (src != dst) return RMatCopy(rows, cols, src, dst);
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword RMatReverseC(Dword rows, Dword cols, const double* src, double* dst) {
  const Dword status = CheckAndCopy(rows, cols, src, dst);
  if (status != kErrNone) return status;
  const Qword r = rows;
  for (Qword a = 0, b = cols - Qword{1}; a < b; ++a, --b)
    rmat::SwapColumns(r, dst + r * a, dst + r * b);
  return kErrNone;
}

VELTRIA_API Dword RMatReverseR(Dword rows, Dword cols, const double* src, double* dst) {
  const Dword status = CheckAndCopy(rows, cols, src, dst);
  if (status != kErrNone) return status;
  const Qword r = rows;
  for (Qword j = 0; j < cols; ++j) {
    double* column = dst + r * j;
    for (Qword a = 0, b = r - 1; a < b; ++a, --b) {
      const double t = column[a];
      column[a] = column[b];
      column[b] = t;
    }
  }
  return kErrNone;
}

VELTRIA_API Dword RMatRunningSumC(Dword rows, Dword cols, const double* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  const Qword r = rows;
  for (Qword j = 0; j < cols && r > 0; ++j) {
    const double* s = src + r * j;
    double* d = dst + r * j;
    d[0] = s[0];
    for (Qword i = 1; i < r; ++i) d[i] = d[i - 1] + s[i];
  }
  return kErrNone;
}

// Column after column: dst(i, j) = dst(i, j-1) + src(i, j) for all i at once.
VELTRIA_API Dword RMatRunningSumR(Dword rows, Dword cols, const double* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  const Qword r = rows;
  if (r == 0 || cols == 0) return kErrNone;
  if (src != dst)
    for (Qword i = 0; i < r; ++i) dst[i] = src[i];
  for (Qword j = 1; j < cols; ++j) {
    const double* prev = dst + r * (j - 1);
    const double* s = src + r * j;
    double* d = dst + r * j;
    for (Qword i = 0; i < r; ++i) d[i] = prev[i] + s[i];
  }
  return kErrNone;
}

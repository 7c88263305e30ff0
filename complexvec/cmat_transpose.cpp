// Transpose and adjoint of column-major complex matrices.
#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr.h"
#include "complexvec/carr_storage.h"

namespace {

// dst (cols x rows) := src (rows x cols) transposed, each element passed
// through op; the blocks must not overlap.
template <class Op>
void TransposeInto(const COMPLEX* src, Qword rows, Qword cols, COMPLEX* dst, Op op) {
  // Tiles keep both the rows read and the rows written in cache.
  constexpr Qword kTile = 32;
  for (Qword j0 = 0; j0 < cols; j0 += kTile) {
    const Qword j1 = j0 + kTile < cols ? j0 + kTile : cols;
    for (Qword i0 = 0; i0 < rows; i0 += kTile) {
      const Qword i1 = i0 + kTile < rows ? i0 + kTile : rows;
      for (Qword j = j0; j < j1; ++j)
        for (Qword i = i0; i < i1; ++i) dst[j + cols * i] = op(src[i + rows * j]);
    }
  }
}

// The transposition through a copy when source and destination share
// memory; on allocation failure nothing is written.
template <class Op>
Dword Transpose(const COMPLEX* src, Qword rows, Qword cols, COMPLEX* dst, Op op) {
  const Qword count = rows * cols;  // at most (2^32 - 1)^2 or (2^31 - 1)^2
  if (!CArrOverlap(src, count, dst, count)) {
    TransposeInto(src, rows, cols, dst, op);
    return kErrNone;
  }
  Dword error;
  COMPLEX* copy = CMatNewCopy(&error, src, rows, cols);
  if (!copy) return error;
  TransposeInto(copy, rows, cols, dst, op);
  KillPtr(&copy);
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword CMatTranspose(const COMPLEX* src, Dword rows, Dword cols, COMPLEX* dst) {
  if (!src || rows == 0 || cols == 0) return kErrMissingArguments;
  if (!dst) return kErrMissingOutputBuffer;
  return Transpose(src, rows, cols, dst, [](const COMPLEX& z) { return z; });
}

// Conjugation and transposition happen in one pass, so a failed allocation
// of the in-place copy leaves A untouched and is reported.
VELTRIA_API Dword CMatAdjoint(COMPLEX* A, Long rows, Long cols, COMPLEX* dst) {
  if (!A || rows <= 0 || cols <= 0) return kErrMissingArguments;
  if (!dst) dst = A;
  return Transpose(A, static_cast<Qword>(rows), static_cast<Qword>(cols), dst,
                   [](const COMPLEX& z) { return COMPLEX(z.re, -z.im); });
}

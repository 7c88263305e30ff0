// Complex arrays to and from split real storage.
#include "complexvec/carr_split.h"

#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr_storage.h"

VELTRIA_API Dword CArrFillFromSArr(Qword n, const double* split, COMPLEX* dst) {
  if (n == 0) return kErrNone;
  if (!split) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  const double* im = split + n;
  for (Qword i = 0; i < n; ++i) dst[i] = COMPLEX(split[i], im[i]);
  return kErrNone;
}

VELTRIA_API COMPLEX* CArrNewFromSArr(Dword* error, Qword n, const double* split) {
  *error = kErrNone;
  if (n == 0) return nullptr;
  if (!split) {
    *error = kErrMissingInputData;
    return nullptr;
  }
  COMPLEX* a = CArrAllocate(error, n, nullptr);
  if (a) CArrFillFromSArr(n, split, a);
  return a;
}

VELTRIA_API Dword SArrFillFromCArr(Qword n, const COMPLEX* src, double* split) {
  if (n == 0) return kErrNone;
  if (!src) return kErrMissingInputData;
  if (!split) return kErrMissingOutputBuffer;
  double* im = split + n;
  for (Qword i = 0; i < n; ++i) {
    split[i] = src[i].re;
    im[i] = src[i].im;
  }
  return kErrNone;
}

VELTRIA_API double* SArrNewFromCArr(Dword* error, Qword n, const COMPLEX* src) {
  *error = kErrNone;
  if (n == 0) return nullptr;
  if (!src) {
    *error = kErrMissingInputData;
    return nullptr;
  }
  // 2n values must have a byte size that fits 64 bits.
  if (n > MaxArrCount<double>() / 2) {
    *error = kErrAlloc;
    return nullptr;
  }
  double* split = NewRealArrFill(error, 2 * n);
  if (split) SArrFillFromCArr(n, src, split);
  return split;
}

// Allocation, copying and conversion of signal arrays and their
// single-precision interleaved form.
#include <cstring>

#include "arrays/rarr.h"
#include "arrays/rarr_ops.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/sarr.h"

namespace {
// 2n values, refusing an n whose doubled count would wrap.
double* NewValues(Dword* error, Qword n) {
  if (n > MaxArrCount<double>() / 2) {
    *error = kErrAlloc;
    return nullptr;
  }
  return NewRealArrFill(error, 2 * n);
}
}  // namespace

VELTRIA_API double* SArrNew(Dword* error, Qword n) { return NewValues(error, n); }

VELTRIA_API double* SArrNew0(Dword* error, Qword n) {
  double* s = NewValues(error, n);
  if (s) std::memset(s, 0, 2 * n * sizeof(double));
  return s;
}

VELTRIA_API double* SArrNewCopy(Dword* error, Qword n, const double* src) {
  *error = kErrNone;
  if (!src || n == 0) return nullptr;
  double* s = NewValues(error, n);
  if (s) std::memcpy(s, src, 2 * n * sizeof(double));
  return s;
}

VELTRIA_API double* SArrNewFromTwoRArrs(Dword* error, Qword n, const double* re, const double* im) {
  double* s = NewValues(error, n);
  if (!s) return nullptr;
  const Dword status = SArrFillFromTwoRArrs(n, s, re, im);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&s);
  }
  return s;
}

VELTRIA_API double* NewSArrFromFArr(Dword* error, Qword n, const float* re) {
  if (!re || n == 0) return nullptr;
  double* s = SArrNew0(error, n);
  if (s)
    for (Qword i = 0; i < n; ++i) s[i] = re[i];
  return s;
}

VELTRIA_API double* NewSArrFromCFArr(Dword* error, Qword n, const float* src) {
  *error = kErrNone;
  if (!src || n == 0) return nullptr;
  double* s = NewValues(error, n);
  if (!s) return nullptr;
  const Dword status = CFArrToSArrCopy(n, src, s);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&s);
  }
  return s;
}

VELTRIA_API float* CFArrNew(Dword* error, Qword n) {
  if (n > MaxArrCount<float>() / 2) {
    *error = kErrAlloc;
    return nullptr;
  }
  return NewFloatArrFill(error, 2 * n);
}

VELTRIA_API float* NewCFArrFromSArr(Dword* error, Qword n, const double* src) {
  *error = kErrNone;
  if (!src || n == 0) return nullptr;
  float* c = CFArrNew(error, n);
  if (!c) return nullptr;
  const Dword status = SArrToCFArrCopy(n, src, c);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&c);
  }
  return c;
}

VELTRIA_API void SArrKill(void* address_of_pointer) { KillPtr(address_of_pointer); }

VELTRIA_API Dword SArrCopy(Qword n, const double* src, double* dst) {
  if (n == 0) return kErrNone;
  if (!dst) return kErrMissingOutputBuffer;
  if (!src) return kErrMissingInputData;
  if (src != dst) std::memmove(dst, src, 2 * n * sizeof(double));
  return kErrNone;
}

VELTRIA_API Dword SArrFill(Qword n, double* s, double v) { return RArrFill(2 * n, s, v); }

VELTRIA_API Dword SArrZero(Qword n, double* s) { return RArrZero(2 * n, s); }

VELTRIA_API Dword SArrSkipFill(Qword n, double* s, Qword start, Qword step, double re, double im) {
  RArrSkipFill(n, s, start, step, re);
  return RArrSkipFill(n, s ? s + n : nullptr, start, step, im);
}

VELTRIA_API Dword SArrFillFromTwoRArrs(Qword n, double* dst, const double* re, const double* im) {
  if (!dst) return kErrMissingOutputBuffer;
  if (!re || !im) return kErrMissingInputData;
  std::memmove(dst, re, n * sizeof(double));
  std::memmove(dst + n, im, n * sizeof(double));
  return kErrNone;
}

VELTRIA_API Dword SArrCopyRealIntoImag(Qword n, const double* src, double* dst) {
  if (n == 0) return kErrNone;
  if (!dst) return kErrMissingOutputBuffer;
  if (!src) return kErrMissingInputData;
  std::memmove(dst + n, src, n * sizeof(double));
  return kErrNone;
}

VELTRIA_API Dword SArrCopyImagIntoReal(Qword n, const double* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  std::memmove(dst, src + n, n * sizeof(double));
  return kErrNone;
}

VELTRIA_API Dword SArrSwapRealAndImaginary(Qword n, const double* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) {
    const double re = src[i];
    const double im = src[n + i];
    dst[i] = im;
    dst[n + i] = re;
  }
  return kErrNone;
}

VELTRIA_API Dword SArrSwapHalfs(Qword n, double* s) {
  if (!s) return kErrMissingInputData;
  const Dword status = RArrIpSwapHalfs(n, s);
  if (status != kErrNone) return status;
  return RArrIpSwapHalfs(n, s + n);
}

VELTRIA_API Dword CFArrToSArrCopy(Qword n, const float* src, double* dst) {
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) {
    dst[i] = src[2 * i];
    dst[n + i] = src[2 * i + 1];
  }
  return kErrNone;
}

VELTRIA_API Dword SArrToCFArrCopy(Qword n, const double* src, float* dst) {
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) {
    dst[2 * i] = static_cast<float>(src[i]);
    dst[2 * i + 1] = static_cast<float>(src[n + i]);
  }
  return kErrNone;
}

VELTRIA_API Dword CFArrCopyToRArr(Qword n, const float* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) dst[i] = src[2 * i];
  return kErrNone;
}

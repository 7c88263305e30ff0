// The two checking orders of the element-wise operations and a loop driver.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

namespace elementwise {

// Order A: null source 14, then null destination 18; the count is not tested.
inline Dword CheckA(const void* src, const void* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return kErrNone;
}

// Order B, after its count-0 success: null inputs 14, then null output 18.
inline Dword CheckB(const void* a, const void* b, const void* dst) {
  if (!a || !b) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return kErrNone;
}

// dst[i] = f(src[i]) after the order-A checks.
template <class F>
Dword MapA(Qword count, const double* src, double* dst, F f) {
  if (const Dword e = CheckA(src, dst)) return e;
  for (Qword i = 0; i < count; ++i) dst[i] = f(src[i]);
  return kErrNone;
}

// dst[i] = f(a[i], b[i]) after the order-B checks.
template <class F>
Dword ZipB(Qword count, const double* a, const double* b, double* dst, F f) {
  if (count == 0) return kErrNone;
  if (const Dword e = CheckB(a, b, dst)) return e;
  for (Qword i = 0; i < count; ++i) dst[i] = f(a[i], b[i]);
  return kErrNone;
}

}  // namespace elementwise

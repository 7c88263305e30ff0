// Reordering of real arrays: reversal, rotation, shifts, lagged differences,
// half exchanges and half clearing.
#include <utility>

#include "arrays/elementwise.h"
#include "arrays/rarr.h"
#include "arrays/rarr_ops.h"

using elementwise::CheckA;

namespace {

inline Qword Magnitude(Qlong k) { return k < 0 ? Qword{0} - static_cast<Qword>(k) : k; }

// The "copy first" start: src checked, then copied to a distinct dst.
inline Dword CopyFirst(Qword n, const double* src, double* dst) {
  if (!src) return kErrMissingInputData;
  if (src != dst) return RArrCopy(n, src, dst);
  return kErrNone;
}

template <bool kRepeatEdge>
Dword Shift(Qword n, const double* src, double* dst, Qlong k) {
  if (const Dword e = CopyFirst(n, src, dst)) return e;
  if (n == 0 || k == 0) return kErrNone;
  const Qword m = Magnitude(k);
  if (k > 0) {
    const double fill = kRepeatEdge ? dst[0] : 0.0;
    for (Qword i = n; i-- > 0;) dst[i] = i >= m ? dst[i - m] : fill;
  } else {
    const double fill = kRepeatEdge ? dst[n - 1] : 0.0;
    for (Qword i = 0; i < n; ++i) dst[i] = (m < n && i < n - m) ? dst[i + m] : fill;
  }
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword RArrReverse(Qword n, const double* src, double* dst) {
  if (const Dword e = CheckA(src, dst)) return e;
  if (const Dword e = CopyFirst(n, src, dst)) return e;
  for (Qword i = 0, j = n; i + 1 < j; ++i) std::swap(dst[i], dst[--j]);
  return kErrNone;
}

// Cycle following: no work array.
VELTRIA_API Dword RArrRotate(Qword n, const double* src, double* dst, Qlong k) {
  if (const Dword e = CopyFirst(n, src, dst)) return e;
  if (n == 0) return kErrNone;
  const Qword m = k >= 0 ? static_cast<Qword>(k) % n : n - Magnitude(k) % n;
  if (m == 0 || m == n) return kErrNone;
  Qword moved = 0;
  for (Qword start = 0; moved < n; ++start) {
    Qword pos = start;
    double carried = dst[start];
    do {
      pos = (pos + m) % n;
      std::swap(carried, dst[pos]);
      ++moved;
    } while (pos != start);
  }
  return kErrNone;
}

VELTRIA_API Dword RArrShiftZ(Qword n, const double* src, double* dst, Qlong k) {
  return Shift<false>(n, src, dst, k);
}
VELTRIA_API Dword RArrShiftR(Qword n, const double* src, double* dst, Qlong k) {
  return Shift<true>(n, src, dst, k);
}

VELTRIA_API Dword RArrSelfDiff(Qword n, const double* src, double* dst, Qlong k) {
  if (const Dword e = CheckA(src, dst)) return e;
  if (k == 0) {
    for (Qword i = 0; i < n; ++i) dst[i] = 0;
    return kErrNone;
  }
  const Qword m = Magnitude(k);
  if (m >= n) return kErrNone;
  if (k > 0) {
    for (Qword i = 0; i + m < n; ++i) dst[i] = src[i] - src[i + m];
  } else {
    for (Qword i = n; i-- > m;) dst[i] = src[i] - src[i - m];
  }
  return kErrNone;
}

VELTRIA_API Dword RArrSwap(Qword n, double* a, double* b) {
  if (!a || !b) return kErrMissingInputData;
  if (a == b) return kErrNone;
  for (Qword i = 0; i < n; ++i) std::swap(a[i], b[i]);
  return kErrNone;
}

VELTRIA_API Dword RArrSwapHalfs(Qword n, const double* src, double* dst) {
  if (const Dword e = CopyFirst(n, src, dst)) return e;
  const Qword half = n / 2, upper = n - n / 2;
  for (Qword i = 0; i < half; ++i) std::swap(dst[i], dst[upper + i]);
  return kErrNone;
}

VELTRIA_API Dword RArrZeroUpperHalf(Qword n, const double* src, double* dst) {
  if (const Dword e = CheckA(src, dst)) return e;
  for (Qword i = 0; i < n; ++i) dst[i] = i < n / 2 ? src[i] : 0.0;
  return kErrNone;
}

VELTRIA_API Dword RArrZeroLowerHalf(Qword n, const double* src, double* dst) {
  if (const Dword e = CheckA(src, dst)) return e;
  const Qword zeros = n - n / 2;
  for (Qword i = 0; i < n; ++i) dst[i] = i < zeros ? 0.0 : src[i];
  return kErrNone;
}

// Periodic remainders and period unwrapping.
#include <cmath>

#include "arrays/elementwise.h"
#include "arrays/rarr_ops.h"
#include "scalar/real_helpers.h"

using elementwise::CheckA;

VELTRIA_API Dword RArrModf(Qword n, const double* src, double* dst, double a) {
  if (const Dword e = CheckA(src, dst)) return e;
  for (Qword i = 0; i < n; ++i) {
    const double r = a * rModf(src[i] / a, nullptr);
    dst[i] = r == a ? 0 : r;
  }
  return kErrNone;
}

VELTRIA_API Dword RArrSignedModf(Qword n, const double* src, double* dst, double a) {
  if (const Dword e = CheckA(src, dst)) return e;
  for (Qword i = 0; i < n; ++i) {
    const double r = a * rModf(src[i] / a, nullptr);
    dst[i] = r >= a / 2 ? r - a : r;
  }
  return kErrNone;
}

namespace {

// Brings v within [-a/2, a/2) of prev by whole periods. Up to a few periods
// are stepped one by one (the rounding of repeated steps is the result);
// larger jumps first move by the whole multiple at once, so the work stays
// bounded however far apart the values are.
double Unwrap(double v, double prev, double a) {
  constexpr double kStepped = 64;
  const double gap = v - prev;
  if (std::fabs(gap) > kStepped * a) v -= a * std::round(gap / a);
  while (v - prev >= a / 2) v -= a;
  while (v - prev < -a / 2) v += a;
  return v;
}

}  // namespace

// A period that is not positive and finite, or an infinite element, has no
// unwrapping: 26 and 15, before anything is written. A NaN element passes
// through and leaves its successor unadjusted.
VELTRIA_API Dword RArrInversSignedModf(Qword n, const double* src, double* dst, double a) {
  if (!src) return kErrMissingArguments;
  if (!dst) return kErrMissingOutputBuffer;
  if (!(a > 0) || !std::isfinite(a)) return kErrIllegalArgument;
  for (Qword i = 0; i < n; ++i)
    if (std::isinf(src[i])) return kErrIllegalData;
  if (n == 0) return kErrNone;
  dst[0] = src[0];
  for (Qword i = 1; i < n; ++i) dst[i] = Unwrap(src[i], dst[i - 1], a);
  return kErrNone;
}

VELTRIA_API Dword RArrClip(Qword mode, Qword n, const double* src, double* dst, double a) {
  if (n == 0) return kErrNone;
  if (const Dword e = elementwise::CheckB(src, src, dst)) return e;
  switch (mode) {
    case 0:
      for (Qword i = 0; i < n; ++i) dst[i] = src[i] > a ? a : src[i];
      break;
    case 1:
      for (Qword i = 0; i < n; ++i) dst[i] = src[i] > a ? 0 : src[i] - a;
      break;
    case 2:
      for (Qword i = 0; i < n; ++i) dst[i] = src[i] < a ? a : src[i];
      break;
    case 3:
      for (Qword i = 0; i < n; ++i) dst[i] = src[i] < a ? 0 : src[i] - a;
      break;
    case 4:
      for (Qword i = 0; i < n; ++i) {
        const double x = src[i];
        dst[i] = x < -a ? -a : (x > a ? a : x);
      }
      break;
    case 5:
      for (Qword i = 0; i < n; ++i) {
        const double x = src[i];
        dst[i] = x < 0 ? (x < -a ? x + a : 0) : (x > a ? x - a : 0);
      }
      break;
    default:
      break;  // unknown modes store nothing
  }
  return kErrNone;
}

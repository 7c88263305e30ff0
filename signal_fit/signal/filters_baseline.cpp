// The ablative baseline and phase unwrapping.
#include <cmath>
#include <cstring>
#include <numbers>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/filters.h"

// The working array W is dst (a copy of src) or, with a null dst, a new copy
// of src. Each pass smooths W forward and a copy of it backward and keeps
// the lower of the two, eroding peaks. When W is not src, src := src - W:
// with a null dst src ends corrected; with a distinct dst, dst holds the
// baseline and src the corrected data; with dst = src it is the baseline.
VELTRIA_API Dword RArrAblativeBc(Qword n, double* src, double* dst, Qword width, Qword passes) {
  if (!src || n == 0) return kErrMissingInputData;
  // A zero width would make the smoothing factor infinite and every value NaN.
  if (width == 0) return kErrIllegalArgument;
  Dword error = kErrNone;
  double* own = nullptr;
  double* W = dst;
  if (!dst) {
    own = NewRealArrFill(&error, n);
    if (!own) return error;
    W = own;
  }
  double* C = NewRealArrFill(&error, n);
  if (!C) {
    KillPtr(&own);
    return error;
  }
  if (W != src) std::memcpy(W, src, n * sizeof(double));
  const double b = 1.2345 / static_cast<double>(width);
  for (Qword pass = 0; pass < passes; ++pass) {
    std::memcpy(C, W, n * sizeof(double));
    double c = W[0];
    for (Qword i = 1; i < n; ++i) {
      c += b * (W[i] - c);
      W[i] = c;
    }
    double d = C[n - 1];
    for (Qword i = n - 1; i >= 1; --i) {
      d += b * (C[i - 1] - d);
      C[i - 1] = d;
    }
    for (Qword k = 0; k < n; ++k)
      if (C[k] < W[k]) W[k] = C[k];
  }
  if (W != src)
    for (Qword k = 0; k < n; ++k) src[k] -= W[k];
  KillPtr(&C);
  KillPtr(&own);
  return kErrNone;
}

VELTRIA_API Dword RArrRegularizePhase(Qword n, const double* src, double* dst) {
  if (!src) return kErrMissingArguments;
  if (!dst) return kErrMissingOutputBuffer;
  if (n == 0) return kErrNone;
  for (Qword i = 0; i < n; ++i)
    if (!std::isfinite(src[i])) return kErrIllegalArgument;
  constexpr double kTwoPi = 2 * std::numbers::pi;
  constexpr double kPi = std::numbers::pi;
  dst[0] = src[0];
  for (Qword i = 1; i < n; ++i) {
    const double prev = dst[i - 1];
    // The multiple of 2 pi comes at once; the few steps after it only settle
    // the rounding at the +-pi boundaries, and are bounded because near 1e16
    // a step of 2 pi may no longer change the value.
    double v = src[i] - kTwoPi * std::round((src[i] - prev) / kTwoPi);
    for (int k = 0; k < 4 && v - prev >= kPi; ++k) v -= kTwoPi;
    for (int k = 0; k < 4 && v - prev <= -kPi; ++k) v += kTwoPi;
    dst[i] = v;
  }
  return kErrNone;
}

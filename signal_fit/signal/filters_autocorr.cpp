// Autocorrelations of real arrays and of signal arrays.
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/filters.h"

VELTRIA_API Dword RArrAutoCorr(Qword n, const double* src, double* dst) {
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  Dword error = kErrNone;
  double* copy = nullptr;
  const double* x = src;
  if (src == dst) {
    copy = NewRealArrFill(&error, n, nullptr);
    if (!copy) return error;
    for (Qword i = 0; i < n; ++i) copy[i] = src[i];
    x = copy;
  }
  for (Qword i = 0; i < n; ++i) {
    double sum = 0;
    for (Qword j = 0; j + i < n; ++j) sum += x[j] * x[j + i];
    dst[i] = sum / static_cast<double>(n - i);
  }
  KillPtr(&copy);
  return kErrNone;
}

VELTRIA_API Dword SArrAutoCorr(Qword n, const double* src, double* dst, Long raw) {
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (src == dst) return kErrIllegalArgument;
  const double* re = src;
  const double* im = src + n;
  for (Qword i = 0; i < n; ++i) {
    double sr = 0, si = 0;
    for (Qword j = 0; j + i < n; ++j) {
      sr += re[j] * re[j + i] + im[j] * im[j + i];
      si += im[j] * re[j + i] - re[j] * im[j + i];
    }
    if (raw == 0) {
      sr /= static_cast<double>(n - i);
      si /= static_cast<double>(n - i);
    }
    dst[i] = sr;
    dst[n + i] = si;
  }
  return kErrNone;
}

// Multi-exponential fit with the number of components chosen by the data:
// components are added while each one lowers the rms below 0.85 of the
// previous fit's.
#include <algorithm>
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/fit_problem.h"

VELTRIA_API Dword MultiExpAutoFit(Dword flags, Qword n, const double* x, const double* y, Qword* k,
                                  double* amplitudes, double* rates, double* offset, double* rms,
                                  double* residuals, MinimizerProgressCallback progress,
                                  void* /*ignored*/) {
  // A maximum of 0 leaves no room even for the first component.
  if (!k || *k == 0) return kErrMissingArguments;
  Dword error = MultiExpFit(flags, n, x, y, 1, amplitudes, rates, offset, rms, residuals, progress);
  if (error != kErrNone || *k <= 1) return error;
  const Qword max = *k;
  double* keepA = NewRealArrFill(&error, max);
  double* keepR = keepA ? NewRealArrFill(&error, max) : nullptr;
  double* keepRes = keepR && residuals ? NewRealArrFill(&error, n) : nullptr;
  if (!keepR || (residuals && !keepRes)) {
    KillPtr(&keepRes);
    KillPtr(&keepR);
    KillPtr(&keepA);
    *k = 0;
    return error;
  }
  Qword count = 1;
  double keptRms = 0, keptOffset = 0;
  for (;;) {
    keptRms = *rms;
    keptOffset = *offset;
    std::copy(amplitudes, amplitudes + count, keepA);
    std::copy(rates, rates + count, keepR);
    if (residuals) std::copy(residuals, residuals + n, keepRes);
    Qword smallest = 0, fastest = 0;
    for (Qword j = 1; j < count; ++j) {
      if (std::fabs(amplitudes[j]) < std::fabs(amplitudes[smallest])) smallest = j;
      if (rates[j] > rates[fastest]) fastest = j;
    }
    amplitudes[count] = 0.33 * amplitudes[smallest];
    rates[count] = 3 * rates[fastest];
    error = MultiExpFit(flags & ~kFitAutoStart, n, x, y, count + 1, amplitudes, rates, offset, rms,
                        residuals, progress);
    if (error != kErrNone || count + 1 == max || *rms > 0.85 * keptRms) break;
    ++count;
  }
  // A single component refitted from the automatic start (offset free, no
  // progress to report) repeats the first fit call for call: its result is
  // the kept one.
  const bool repeat =
      count == 1 && (flags & kFitAutoStart) && !(flags & kFitOffsetFixed) && !progress;
  if (error == kErrNone && repeat) {
    *rms = keptRms;
    *offset = keptOffset;
    amplitudes[0] = keepA[0];
    rates[0] = keepR[0];
    if (residuals) std::copy(keepRes, keepRes + n, residuals);
  } else if (error == kErrNone) {
    error = MultiExpFit(flags, n, x, y, count, amplitudes, rates, offset, rms, residuals, progress);
    if (error == kErrNone && *rms > keptRms) {
      *rms = keptRms;
      *offset = keptOffset;
      std::copy(keepA, keepA + count, amplitudes);
      std::copy(keepR, keepR + count, rates);
      if (residuals) std::copy(keepRes, keepRes + n, residuals);
    }
  }
  KillPtr(&keepRes);
  KillPtr(&keepR);
  KillPtr(&keepA);
  *k = error == kErrNone ? count : 0;
  return error;
}

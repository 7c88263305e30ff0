// Removal of the group delay that a spectrometer's digital filter leaves at
// the start of a decay.
#include <initializer_list>

#include "base/error_codes.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

VELTRIA_API Dword SArrCorrectBrukerFid(Qword n, const double* src, double* dst, Qword k) {
  if (!src || n < 2) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (k == 0) return SArrCopy(n, src, dst);
  if (k >= n / 2) return kErrIllegalArgument;
  SArrCopy(n, src, dst);
  for (double* h : {dst, dst + n}) {
    // The first k points, mirrored about the boundary between k - 1 and k,
    // are the filter's pre-echo of points k to 2k - 1.
    for (Qword i = 0; i < k; ++i) h[k + i] -= h[k - 1 - i];
    for (Qword i = 0; i + k < n; ++i) h[i] = h[i + k];
    for (Qword i = n - k; i < n; ++i) h[i] = 0;
  }
  return kErrNone;
}

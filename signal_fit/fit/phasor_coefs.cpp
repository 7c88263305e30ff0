// Time-domain phase polynomial: a weighted least-squares polynomial through
// the unwrapped phase of a window, weighted by the magnitude.
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"
#include "signal_fit/fit/linear_fits.h"
#include "signal_fit/signal/filters.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

VELTRIA_API Dword SArrTdPhasorCalcCoefs(Qword n, const double* src, Qword k, double* coef,
                                        Qword first, Qword last) {
  if (!coef || k == 0 || !src || n == 0) return kErrMissingInputData;
  uNormalizeIndexWindow(&first, &last, n - 1, 0);
  const Qword m = last - first + 1;
  if (m < k) return kErrIllegalArgument;
  Dword error;
  double* work = NewRealArrFill(&error, 4 * m);
  if (!work) return error;
  double* window = work;         // m samples as an SArr, then magnitude and phase
  double* phase = work + 2 * m;  // unwrapped
  double* x = work + 3 * m;
  for (Qword i = 0; i < m; ++i) {
    window[i] = src[first + i];
    window[m + i] = src[n + first + i];
    x[i] = static_cast<double>(i);
  }
  error = SArrConvertToMagnitudeAndPhase(m, window, window);
  if (error == kErrNone) error = RArrRegularizePhase(m, window + m, phase);
  if (error == kErrNone) error = MultiLinearFit(k, coef, m, x, phase, window, ruPower);
  KillPtr(&work);
  return error;
}

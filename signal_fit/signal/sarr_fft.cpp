// In-place Fourier transform of a signal array with the centred ordering of
// the spectrum and the symmetric 1/sqrt(n) scaling.
//
// Stockham passes of radix 8 and 4 on the split real and imaginary rows:
// the first reads the data, the last writes it back, the others go between
// two scratch areas kept for the process. The output comes in natural
// order, so no bit reversal pass is needed, and the last pass applies the
// scaling and moves the zero frequency to the centre (or, for the inverse,
// negates the odd outputs, which is the same as swapping the halves of its
// input). The factors are exact sines and cosines tabulated once per size.
// Every pass streams through the rows in order, which holds up even where
// they outgrow the caches.
#include <cmath>

#include "base/error_codes.h"
#include "signal_fit/signal/fft_kernels.h"
#include "signal_fit/signal/fft_plan.h"
#include "signal_fit/signal/fourier.h"

VELTRIA_API Dword SArrFT(Qword n, double* s, Long direction) {
  if (!s || n == 0) return kErrMissingInputData;
  if ((n & (n - 1)) != 0) return kErrIllegalArgument;
  if (n == 1) return kErrNone;
  unsigned log2n = 0;
  while ((Qword{1} << log2n) < n) ++log2n;
  const bool inverse = direction != 0;
  const FftFinish finish = {1.0 / std::sqrt(static_cast<double>(n)), !inverse, inverse};
  if (n > ~Qword{0} / 32) return kErrAlloc;  // the work area's byte count
  double* work = FftWork(4 * n + kFftWorkExtra);
  const double* tw = FftStockhamTables(log2n);
  if (!work || !tw) return kErrAlloc;
  FftActiveKernels().direct(s, n, tw, work, inverse, finish);
  if (log2n > kFftKeepMaxLog) FftForget(log2n);
  return kErrNone;
}

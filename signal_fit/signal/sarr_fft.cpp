// In-place Fourier transform of a signal array with the centred ordering of
// the spectrum and the symmetric 1/sqrt(n) scaling.
//
// Radix-4 Stockham passes (a radix-2 pass last for odd powers) on the split
// real and imaginary rows: the output comes in natural order, so no bit
// reversal pass is needed, and the last pass applies the scaling and moves
// the zero frequency to the centre (or, for the inverse, negates the odd
// outputs, which is the same as swapping the halves of its input). The
// factors are exact sines and cosines tabulated once per size. Sizes that
// outgrow the cache split into column transforms and row transforms that
// each fit in it.
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
  double* work = FftWork(FftWorkCount(log2n));
  if (!work) return kErrAlloc;
  const FftKernels& kernels = FftActiveKernels();
  if (log2n <= kFftDirectMaxLog) {
    const double* tw = FftStockhamTables(log2n);
    if (!tw) return kErrAlloc;
    kernels.direct(s, n, tw, work, inverse, finish);
    return kErrNone;
  }
  FftBigPlan plan;
  if (!FftBigPlanFor(log2n, &plan)) return kErrAlloc;
  kernels.big(s, plan, work, inverse, finish);
  return kErrNone;
}

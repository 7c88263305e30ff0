// Zero-centred histogram of a real array.
#include <cmath>

#include "arrays/rarr.h"
#include "arrays/rarr_extremes.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"

VELTRIA_API Dword RArrHistogram(Qword count, const double* x, double* bins, Qlong nbins,
                                double width, Qword skip) {
  if (!x || count == 0) return kErrMissingInputData;
  if (!bins) return kErrMissingOutputBuffer;
  if (!(width > 0) || nbins < 1) return kErrIllegalArgument;
  RArrZero(static_cast<Qword>(nbins), bins);
  if (skip >= count || count - skip <= skip) return kErrNone;  // nothing left to count
  const double half = 0.5 * static_cast<double>(nbins);
  const double last = static_cast<double>(nbins - 1);
  for (Qword i = skip; i < count - skip; ++i) {
    if (std::isnan(x[i])) continue;
    double h = half + std::floor(x[i] / width);
    if (!(h >= 0)) h = 0;  // also -inf; NaN cannot occur here
    if (h > last) h = last;
    bins[DoubleToQlong(h)] += 1.0;
  }
  return kErrNone;
}

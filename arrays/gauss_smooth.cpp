// Gaussian smoothing: a kernel cut where it has fallen to 1 %, normalised to
// sum 1, applied by the edge-clamped convolution.
#include <cmath>

#include "arrays/smoothing.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"

VELTRIA_API Dword RArrGaussSmooth(Qword n, const double* src, double* dst, double width) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (!(width > 0.001)) {
    if (width < -0.001 / static_cast<double>(n)) {
      width = -width * static_cast<double>(n);
    } else {
      return kErrNone;
    }
  }
  const double ln2 = std::log(2.0);
  const double reach = width * std::sqrt(std::log(100.0) / ln2) + 0.5;
  // A kernel wider than any array could be is refused as memory exhaustion.
  if (!(reach < 1e15)) return kErrAlloc;
  const Qlong h = DoubleToQlong(reach);
  if (h == 0) return kErrNone;
  const Qword taps = 2 * static_cast<Qword>(h) + 1;
  Dword error = kErrNone;
  double* kernel = NewRealArrFill(&error, taps);
  if (!kernel) return error;
  double sum = 0;
  for (Qword k = 0; k < taps; ++k) {
    const double d = (static_cast<double>(k) - static_cast<double>(h)) / width;
    kernel[k] = std::exp(-ln2 * d * d);
    sum += kernel[k];
  }
  for (Qword k = 0; k < taps; ++k) kernel[k] /= sum;
  error = RArrConvolute(n, src, dst, taps, kernel);
  KillPtr(&kernel);
  return error;
}

// Gaussian and rectangular smoothing of real arrays.
#include <cmath>

#include "arrays/smoothing.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/filters.h"

VELTRIA_API Dword RArrGaussConvolution(Qword n, const double* src, double width, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (n == 0) return kErrNone;
  if (width < -0.001 / static_cast<double>(n)) width = -width * static_cast<double>(n);
  if (!(width >= 0.01)) return kErrNone;
  return RArrGaussSmooth(n, src, dst, width);
}

VELTRIA_API Dword RArrIpGaussSmooth(Qword n, double* data, double width) {
  return RArrGaussSmooth(n, data, data, width);
}

VELTRIA_API Dword RArrRectConvolution(Qword n, const double* src, double width, double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (n == 0) return kErrNone;
  if (std::isnan(width)) return kErrIllegalArgument;
  const double len = width >= 0 ? width + 0.5 : -width * static_cast<double>(n) + 0.5;
  // A window longer than any array could be is refused as memory exhaustion.
  if (!(len < 1e15)) return kErrAlloc;
  Qword L = DoubleToQword(len);
  if (L % 2 == 0) ++L;
  if (L <= 1) return kErrNone;
  Dword error = kErrNone;
  double* ring = NewRealArrFill(&error, L);
  if (!ring) return error;
  const Qword h = L / 2;
  const double last = src[n - 1];
  auto at = [&](Qword i) { return i < n ? src[i] : last; };  // i counted from -h
  // The ring holds x[clamp(j - h)] .. x[clamp(j + h)] for the current j; the
  // value leaving is read from the ring, the entering one ahead of the write.
  double sum = 0;
  for (Qword d = 0; d < L; ++d) {
    ring[d] = d < h ? src[0] : at(d - h);
    sum += ring[d];
  }
  const double inv = 1.0 / static_cast<double>(L);
  Qword oldest = 0;
  for (Qword j = 0; j < n; ++j) {
    const double entering = at(j + h + 1);
    dst[j] = sum * inv;
    sum += entering - ring[oldest];
    ring[oldest] = entering;
    oldest = oldest + 1 == L ? 0 : oldest + 1;
  }
  KillPtr(&ring);
  return kErrNone;
}

// Edge-clamped convolution through a ring of the last m source values, so
// that the destination may be the source itself.
#include "arrays/smoothing.h"
#include "base/error_codes.h"
#include "base/memory.h"

namespace {
inline Qword Clamp(Qlong q, Qword n) {
  if (q < 0) return 0;
  return static_cast<Qword>(q) >= n ? n - 1 : static_cast<Qword>(q);
}
}  // namespace

VELTRIA_API Dword RArrConvolute(Qword n, const double* src, double* dst, Qword m,
                                const double* kernel) {
  if (!src || !kernel) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (n == 0 || m == 0) return kErrNone;
  Dword error = kErrNone;
  double* ring = NewRealArrFill(&error, m);
  if (!ring) return error;
  const Qlong h = static_cast<Qlong>((m - 1) / 2);
  // Window element j of output i sits in slot (i + j) mod m.
  for (Qword j = 0; j + 1 < m; ++j) ring[j] = src[Clamp(static_cast<Qlong>(j) - h, n)];
  for (Qword i = 0; i < n; ++i) {
    const Qword newest = (i + m - 1) % m;
    ring[newest] = src[Clamp(static_cast<Qlong>(i + m - 1) - h, n)];
    const Qword first = i % m;
    const Qword run = m - first;  // slots first..m-1, then 0..first-1
    double sum = 0;
    for (Qword j = 0; j < run; ++j) sum += kernel[j] * ring[first + j];
    for (Qword j = run; j < m; ++j) sum += kernel[j] * ring[j - run];
    dst[i] = sum;
  }
  KillPtr(&ring);
  return kErrNone;
}

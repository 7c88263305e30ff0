// Savitzky-Golay smoothing and derivatives of signal arrays, scaled to the
// width, and the resolution booster (negated second derivative).
#include "arrays/rarr_ops.h"
#include "arrays/smoothing.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/filters.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/savgol.h"

VELTRIA_API Dword SArrSavitskyGolay(Qword n, const double* src, double* dst, double width, Qword d,
                                    Qword* order, Qword* points, double* gain, Dword flags) {
  if (!order || !points || !gain) return kErrMissingParameters;
  if (!(width >= 0.5)) width = 0.5;
  if (!(flags & 1)) *points = RArrSGpoints(d, width, order);
  if (d > *order) return kErrIllegalArgument;
  double* c = RArrNewSGcoeff(d, *points, *order, 0, gain);
  if (!c) return kErrAlloc;
  const bool real_only = (flags & 4) != 0;
  const Dword status =
      real_only ? RArrConvolute(n, src, dst, *points, c) : SArrConvolute(n, src, dst, *points, c);
  KillPtr(&c);
  if (status != kErrNone || (flags & 2) || d == 0) return status;
  double f = 1;
  for (Qword i = 1; i <= d; ++i) f *= width / static_cast<double>(i);
  *gain *= f;
  return RArrIpMulConst(real_only ? n : 2 * n, dst, f);
}

VELTRIA_API Dword SArrResolutionBooster(Qword n, const double* src, double* dst, double width,
                                        double noise, double factor, Qword d, Qword* order,
                                        Qword* points, double* gain, Dword flags) {
  if (d != 2) return kErrIllegalMode;
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (!gain) return kErrMissingParameters;
  if (!(width >= 0.5)) width = 0.5;
  Dword status = SArrSavitskyGolay(n, src, dst, width, 2, order, points, gain, flags | 4);
  if (status != kErrNone) return status;
  if (factor != 0) {
    status = RArrIpClip(1, n, dst, -2 * factor * *gain * noise);
    if (status != kErrNone) return status;
  }
  return RArrIpInvertSign(n, dst);
}

// DENOISING: the real and imaginary values of a point window replaced by
// their Savitzky-Golay smoothing, with the noise level each part had.
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/savgol.h"

namespace {
constexpr Qword kClippingPasses = 3;
constexpr double kClippingThreshold = 3.0;
}  // namespace

LibErrorCode EvpDenoising(cKyData* node, Evp* evp, KyAppRecord*) {
  if (!node->matrix || node->rows < 2 || node->points == 0) return kErrMissingInputData;
  Qword first = 0, last = 0;
  const Qword n = GetEvpIpointEpoint(evp, &first, &last, node->points);
  if (n <= 2) return kErrNone;
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  const Qword q = ProcQwordOr(evp, 2, 17);
  const Qword o = ProcQwordOr(evp, 3, 3);
  EvpAppendReport(evp, " Noise estimate:\n");
  for (Qword r = 1; r <= 2 && r < node->rows; ++r) {
    double* values = node->Row(r) + first;
    double noise = 0;
    const Dword e = RArrNoiseEstimateBySavitskyGolay(n, values, &noise, values, o, q,
                                                     kClippingPasses, kClippingThreshold);
    if (e != kErrNone) return e;
    *node->StatisticSlot(r, kKyStatNoise) = noise;
    EvpAppendReportf(evp, r == 1 ? " Real: %g\n" : " Imag: %g\n", noise);
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

// APODIZE: multiplies the real and imaginary values of a point window by
// an apodization window over the window's x span; its preparation finds
// the mean decay time that the "Stanning" window (mode 2) scales with.
#include <cmath>

#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/fourier.h"

namespace {
const char* const kWindowNames[] = {"",          "Exponential",   "Stanning", "Cos2Tmax",
                                    "Gauss",     "Gauss-Lorentz", "Sinc",     "Maxwell-Boltzmann",
                                    "Smoothstep"};
constexpr Qword kWindowCount = sizeof kWindowNames / sizeof kWindowNames[0];
}  // namespace

LibErrorCode EvpPrepareApodize(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode != 2) return kErrNone;
  evp->mean_decay = std::nan("");
  if (ProcHasSignal(node)) {
    const double* x = node->Row(0);
    evp->mean_decay = SArrMeanDecayInPhysicalUnits(node->points, node->Row(1), x[0],
                                                   x[node->points - 1], nullptr);
  }
  return kErrNone;
}

LibErrorCode EvpApodize(cKyData* node, Evp* evp, KyAppRecord*) {
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  Qword first = 0, last = 0;
  const Qword n = GetEvpIpointEpoint(evp, &first, &last, node->points);
  const double* x = node->Row(0);
  const double t0 = x[first], t1 = x[last];
  double p[2] = {GetEvpParameterAsReal(evp, 2), GetEvpParameterAsReal(evp, 3)};
  if (evp->mode == 2) p[1] = evp->mean_decay;
  EvpAppendReportf(evp, " Mode: %s\n", evp->mode < kWindowCount ? kWindowNames[evp->mode] : "");
  // Both parts change or neither, each factor taken once for the two.
  const Dword e =
      RArrApodizePair(evp->mode, n, node->Row(1) + first, node->Row(2) + first, t0, t1, p);
  if (e == kErrNone) SetEvpFlags(evp, kEvpDone);
  return e;
}

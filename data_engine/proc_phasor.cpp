// PHASOR: a time-dependent phase removed from a decay. The preparation
// fits a polynomial of k coefficients to the unwrapped phase of a point
// window; the procedure turns every sample back by it, and with the sign
// test keeps the strongest sample in the right half-plane, so that
// inversion-recovery data keep their sign.
#include <cmath>
#include <numbers>

#include "arrays/rarr_ops.h"
#include "base/memory.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "scalar/elementary.h"
#include "scalar/int_helpers.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

LibErrorCode EvpPreparePhasor(cKyData* node, Evp* evp, KyAppRecord*) {
  const Qword k = GetEvpParameterAsQword(evp, 2);
  evp->coefficient_count = k == kNoIndex ? 0 : k;
  if (k == 0) return kErrNone;
  if (k == kNoIndex) return kErrWrongInputFormat;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  Qword first = GetEvpParameterAsQword(evp, 0);
  Qword last = GetEvpParameterAsQword(evp, 1);
  const Qword length = uNormalizeIndexWindow(&first, &last, node->points - 1, 0);
  evp->window_first = first;
  evp->window_last = last;
  if (length < k) return kErrIllegalArgument;
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  Dword e = kErrNone;
  double* coefficients = NewRealArrFill(&e, k);
  if (!coefficients) return e != kErrNone ? e : kErrAlloc;
  KillPtr(&evp->coefficients);
  evp->coefficients = coefficients;
  return SArrTdPhasorCalcCoefs(node->points, node->Row(1), k, coefficients, first, last);
}

LibErrorCode EvpPhasor(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  const Qword points = node->points;
  double* s = node->Row(1);
  bool invert = GetEvpParameterAsQword(evp, 3) == 1;
  if (invert) {
    Qword at = 0;
    SArrMaxMagnitude(points, s, &at);
    const double angle = rAzimuth(s[at], s[points + at]);
    if (angle >= -std::numbers::pi / 2 && angle <= std::numbers::pi / 2) invert = false;
  }
  const Dword e = SArrTdPhasorApplyCoefs(points, s, s, evp->coefficient_count, evp->coefficients,
                                         evp->window_first, evp->window_last);
  // The strongest sample pointed into the left half-plane before the
  // rotation: turning everything by pi brings it back.
  if (invert) RArrIpInvertSign(2 * points, s);
  if (e == kErrNone) SetEvpFlags(evp, kEvpDone);
  return e;
}

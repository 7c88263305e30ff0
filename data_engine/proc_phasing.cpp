// PHASING: zero- and first-order phase correction of a spectrum with the
// phases its preparation estimates (mode 1), or the real part replaced by
// the magnitude (mode 2) or the power (mode 3). It never sets the done
// flag, so no redraw request follows it.
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

LibErrorCode EvpPreparePhasing(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode != 1) return kErrNone;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  return SArrFdCalcPhases(node->points, node->Row(1), 2, &evp->phase0, &evp->phase1);
}

LibErrorCode EvpPhasing(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode < 1 || evp->mode > 3) return kErrNone;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  double* s = node->Row(1);
  switch (evp->mode) {
    case 1:
      return SArrFdApplyPhases(node->points, s, s, -evp->phase0, -evp->phase1);
    case 2:
      return SArrIpReplaceRealByMagnitude(node->points, s);
    default:
      return SArrIpReplaceRealByPower(node->points, s);
  }
}

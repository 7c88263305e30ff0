// FUNCTION: values of a point window set or scaled, or turned into
// magnitude (or power) and phase.
#include <cmath>

#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "scalar/elementary.h"
#include "signal_fit/signal/filters.h"

LibErrorCode EvpFunction(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode < 1 || evp->mode > 6) return kErrUnknownProcedureMode;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  Qword first = 0, last = 0;
  GetEvpIpointEpoint(evp, &first, &last, node->points);
  const double a = GetEvpParameterAsReal(evp, 2);
  const double b = GetEvpParameterAsReal(evp, 3);
  double* re = node->Row(1);
  double* im = node->Row(2);
  switch (evp->mode) {
    case 1:
    case 6: {
      const bool scale = evp->mode == 6;
      for (Qword i = first; i <= last; ++i) {
        if (!std::isnan(a)) re[i] = scale ? re[i] * a : a;
        if (!std::isnan(b)) im[i] = scale ? im[i] * b : b;
      }
      break;
    }
    default: {
      const bool power = evp->mode >= 4;
      for (Qword i = first; i <= last; ++i) {
        const double p = re[i] * re[i] + im[i] * im[i];
        const double angle = rAzimuth(re[i], im[i]);
        re[i] = power ? p : std::sqrt(p);
        im[i] = angle;
      }
      // Modes 3 and 5 unwrap the whole phase row, not only the window.
      if (evp->mode == 3 || evp->mode == 5) RArrRegularizePhase(node->points, im, im);
      break;
    }
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

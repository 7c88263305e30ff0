// DERIVATIVE: the real and imaginary values of a point window replaced by
// their d-th Savitzky-Golay derivative with respect to the point index
// (divided by d!, not by the x step, so only a linear grid makes sense).
#include "base/os_services.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/savgol.h"

LibErrorCode EvpDerivative(cKyData* node, Evp* evp, KyAppRecord*) {
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  Qword first = 0, last = 0;
  const Qword n = GetEvpIpointEpoint(evp, &first, &last, node->points);
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  if (node->x_grid_type != 1) {
    OsMessageA(kOsError, "X-axis grid is not linear.", nullptr);
    return kErrImpossibleTask;
  }
  const Qword d = ProcQwordOr(evp, 2, 1);
  const Qword q = ProcQwordOr(evp, 3, 17);
  const Qword o = ProcQwordOr(evp, 4, 3);
  for (Qword r = 1; r <= 2; ++r) {
    double* values = node->Row(r) + first;
    double gain = 0;
    const Dword e = RArrSavitskyGolayEx(n, values, values, &gain, 0.0, d, o, q, 0, nullptr);
    if (e != kErrNone) return e;
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

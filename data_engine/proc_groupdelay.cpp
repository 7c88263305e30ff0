// GROUPDELAY: removes the digital filter's group delay ("GDLY" points, the
// nearest whole number of them) from a Bruker decay.
#include <cmath>

#include "base/real_round.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/fourier.h"

namespace {
// The first point after the correction still carries half the filter's
// step response; this factor brings it in line with its neighbours.
constexpr double kFirstPointFactor = 0.85;
}  // namespace

LibErrorCode EvpGroupDelay(cKyData* node, Evp* evp, KyAppRecord*) {
  // The mode first: a wrong command fails whatever the data hold, also when
  // the delay turns out to be nothing to remove.
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  cKyData* owner = node->ParameterOwner();
  if (!owner) return kErrMissingParameters;
  const double g = owner->parameters.GetReal("GDLY");
  if (std::isnan(g)) return kErrMissingParameters;
  // Negative delays round to 0: nothing to remove.
  const Qword k = uRealRoundToQword(g, nullptr);
  if (k == 0) return kErrNone;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  // In place: the removal reads only the first k points while it writes
  // from point k on, and then moves every point towards the front, so no
  // copy of the decay is needed; a delay that is too long is refused
  // before anything is written.
  const Qword count = node->points;
  double* signal = node->Row(1);
  const Dword e = SArrCorrectBrukerFid(count, signal, signal, k);
  if (e != kErrNone) return e;
  signal[0] *= kFirstPointFactor;
  signal[count] *= kFirstPointFactor;
  EvpAppendReportf(evp, " Old value: %g\n", g);
  EvpAppendReportf(evp, " New value: %g\n", g - static_cast<double>(k));
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

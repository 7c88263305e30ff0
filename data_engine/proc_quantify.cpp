// QUANTIFY: one block measured over a point window (average, maximum,
// integral or extrapolation to time zero) of its real part, magnitude or
// power; the first quantity goes into the record for the caller.
#include <cstring>

#include "base/memory.h"
#include "data_engine/proc_quantity.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/sarr_magnitude.h"

LibErrorCode EvpQuantify(cKyData* node, Evp* evp, KyAppRecord*) {
  if (!QuantityModeKnown(evp->mode)) return kErrIllegalMode;
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  const Qword points = node->points;
  Qword first = 0, last = 0;
  GetEvpIpointEpoint(evp, &first, &last, points);
  const Dword flags = evp->flags;
  // Magnitude or power: measured on a copy whose real part is replaced.
  // With the magnitude only the values the quantities read are made: the
  // window, or the whole first row for its second quantity, and the window's
  // imaginary part when a second quantity is wanted.
  double* copy = nullptr;
  if (flags & (kQuantMagnitude | kQuantPower)) {
    Dword e = kErrNone;
    copy = SArrNew(&e, points);
    if (!copy) return e != kErrNone ? e : kErrAlloc;
    if (flags & kQuantMagnitude) {
      const double* re = node->Row(1);
      const double* im = node->Row(2);
      const bool whole = (flags & kQuantWholeRow) && evp->mode <= 3;
      const Qword from = whole ? 0 : first, count = whole ? points : last - first + 1;
      SArrMagnitudeOfParts(count, re + from, im + from, copy + from);
      if (!(flags & kQuantFirstOnly))
        std::memcpy(copy + points + first, im + first, (last - first + 1) * sizeof(double));
    } else {
      SArrReplaceRealByPower(points, node->Row(1), copy);
    }
  }
  const double* source = copy ? copy : node->Row(1);
  const QuantityRows rows{node->Row(0), source, source + points, points, first, last};
  Quantities q;
  const LibErrorCode result = MeasureQuantities(rows, evp->mode, flags, ProcQwordOr(evp, 2, 3), &q);
  KillPtr(&copy);
  EvpAppendReportf(evp, QuantityReportFormat(evp->mode), ProcU(first), ProcU(last));
  if (result != kErrNone) return result;
  SetEvpFlags(evp, kEvpDone);
  if (flags & kQuantWriteBack) {
    double* re = node->Row(1);
    double* im = node->Row(2);
    for (Qword i = first; i <= last; ++i) re[i] = q.q1;
    // Without a second quantity the imaginary part keeps its values.
    if (q.second)
      for (Qword i = first; i <= last; ++i) im[i] = q.q2;
  }
  const char* label = (flags & kQuantMagnitude) ? " Magnitude: %g\n"
                      : (flags & kQuantPower)   ? " Power: %g\n"
                                                : " Real: %g\n";
  EvpAppendReportf(evp, label, q.q1);
  if (q.second) EvpAppendReportf(evp, " Imag: %g\n", q.q2);
  evp->quantity = q.q1;
  return kErrNone;
}

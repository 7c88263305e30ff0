// ZEROFILL: extends every row of the node with zeros or cuts it, to
// points x 2^e (e = parameter 0 not 0) or to N points (parameter 1, e = 0).
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"

namespace {
// points x 2^e in wrapping 64-bit arithmetic, as the count has always been
// formed: e of 64 or more (an empty parameter included) gives 0, which
// leaves the node alone.
Qword FilledCount(Qword points, Qword e) { return e >= 64 ? 0 : points << e; }
}  // namespace

LibErrorCode EvpZeroFill(cKyData* node, Evp* evp, KyAppRecord*) {
  const Qword e = GetEvpParameterAsQword(evp, 0);
  Qword n = GetEvpParameterAsQword(evp, 1);
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  if (!node->matrix) return kErrMissingDataObject;
  if (e != 0) n = FilledCount(node->points, e);
  const LibErrorCode result = node->ResizePoints(0, n);
  if (result != kErrNone) return result;
  EvpAppendReportf(evp, " New size: %llu\n", ProcU(node->points));
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

// NORMALIZE: every row from 1 on scaled so that the largest magnitude of
// row 1 becomes the target value; the scale statistic of rows 1 and 2 keeps
// the units of the data as loaded.
#include <cmath>

#include "arrays/rarr_ops.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"

LibErrorCode EvpPrepareNormalize(cKyData* node, Evp* evp, KyAppRecord*) {
  const double v = GetEvpParameterAsReal(evp, 0);
  if (std::isnan(v)) return kErrWrongInputFormat;
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  if (!node->matrix || node->rows < 2) return kErrMissingInputData;
  // Statistics 5 and 6 are computed together over the whole row.
  const double lo = node->RowStatistic(1, kKyStatMin);
  const double hi = node->RowStatistic(1, kKyStatMax);
  const double m = std::fmax(std::fabs(lo), std::fabs(hi));
  // A row without a finite value has no size to normalise to; a NaN scale
  // would wipe out the other rows.
  if (std::isnan(lo) || std::isnan(hi)) return kErrMissingInputData;
  if (m == 0) return kErrDivisionByZero;
  evp->scale = v / m;
  return kErrNone;
}

LibErrorCode EvpNormalize(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  if (!node->matrix || node->rows < 2) return kErrMissingInputData;
  for (Qword r = 1; r < node->rows; ++r) {
    const Dword e = RArrIpMulConst(node->points, node->Row(r), evp->scale);
    if (e != kErrNone) return e;
  }
  for (Qword r = 1; r <= 2 && r < node->rows; ++r) {
    const double old = node->RowStatistic(r, kKyStatScale);  // 1 while unset
    *node->StatisticSlot(r, kKyStatScale) = old / evp->scale;
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

// FOURIER: the node's signal to a spectrum (mode 1) and back to a decay
// (mode 2), with the x axis of the new domain.
#include <cmath>

#include "arrays/grid.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "data_engine/engine_text.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/fourier.h"

namespace {

void SetUnit(cKyData* node, const char* unit) {
  LibErrorCode e = kErrNone;
  char* copy = EngineCopyA(unit, &e);
  if (!copy) return;  // the old unit stays: a label, not data
  KillPtr(&node->x_unit);
  node->x_unit = copy;
}

LibErrorCode ToSpectrum(cKyData* node, Evp* evp) {
  const Qword n = node->points;
  const Dword e = SArrFT(n, node->Row(1), 0);
  if (e == kErrIllegalArgument) OsMessagefA(kOsError, "%llu points: needs to be 2^n", ProcU(n));
  if (e != kErrNone) return e;
  node->ClearFlags(kKyDataTimeDomain, false);
  node->SetFlags(kKyDataFrequencyDomain, false);
  node->x_first = 0;
  node->x_last = static_cast<double>(n - 1);
  double* x = node->Row(0);
  for (Qword i = 0; i < n; ++i) x[i] = static_cast<double>(i);
  if (node->ParameterOwner()) {
    const double s = ProcOwnerReal(node, "SYF1");
    // Items without a spectrometer frequency or width (simulated data, one
    // point) keep the point scale rather than get a NaN one.
    const double scale = -(ProcOwnerReal(node, "SW") / s) / static_cast<double>(n - 1);
    if (s != 0 && std::isfinite(scale)) {
      node->x_scale = scale;
      node->x_offset = static_cast<double>(n - 1);
      SetUnit(node, "ppm");
    }
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

LibErrorCode ToDecay(cKyData* node, Evp* evp) {
  const Qword n = node->points;
  const Dword e = SArrFT(n, node->Row(1), 1);
  if (e != kErrNone) return e;
  node->ClearFlags(kKyDataFrequencyDomain, false);
  node->SetFlags(kKyDataTimeDomain, false);
  if (node->ParameterOwner()) {
    const double first = ProcOwnerReal(node, "XOFF");
    const double last = first + ProcOwnerReal(node, "DW") * static_cast<double>(n - 1);
    // Without a time origin and dwell time the axis stays as it was.
    if (std::isfinite(first) && std::isfinite(last)) {
      node->x_first = first;
      node->x_last = last;
      RArrGridFill(1, first, last, n, node->Row(0));
      node->x_scale = 1.0;
      node->x_offset = 0.0;
      SetUnit(node, "s");
    }
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

}  // namespace

LibErrorCode EvpFourier(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode != 1 && evp->mode != 2) {
    OsMessageA(kOsError, "Fourier Transform:\nUnknown EVP mode", nullptr);
    return kErrUnknownProcedureMode;
  }
  if (!ProcHasSignal(node)) return kErrMissingInputData;
  return evp->mode == 1 ? ToSpectrum(node, evp) : ToDecay(node, evp);
}

// BASELINE: mode 1 (the lower envelope of row 1 subtracted) is run by the
// dispatcher itself; the automatic phase and baseline correction of mode 2
// has no input prepared for it and fails before the node is touched.
#include "base/os_services.h"
#include "data_engine/procedure.h"

LibErrorCode EvpPrepareBaseline(cKyData*, Evp* evp, KyAppRecord*) {
  switch (evp->mode) {
    case 1:
      return kErrNone;
    case 2:
      return kErrMissingInputData;
    default:
      OsMessageA(kOsError, "Baseline correction:\nUnknown EVP mode", nullptr);
      return kErrUnknownProcedureMode;
  }
}

// Reached only after the preparation has let the mode pass, which none
// but the dispatcher's mode 1 does.
LibErrorCode EvpBaseline(cKyData*, Evp* evp, KyAppRecord*) {
  return evp->mode == 2 ? kErrMissingInputData : kErrUnknownProcedureMode;
}

// One command run on a node as the router does for a node of the step's
// level: parsed, then the preparation step and the procedure. Shared by the
// processing and relaxation fixtures.
#pragma once
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"

// `evp` is the caller's, initialised; it stays filled for the caller to read
// and release. `table` is the caller matrix of the record.
inline LibErrorCode RunEvpStep(cKyData* node, const char* command, Evp* evp, KyAppRecord* record,
                               double* table) {
  LibErrorCode code = EvpParseCommand(command, evp);
  if (code != kErrNone) return code;
  evp->caller_matrix = table;
  code = node->PrepareEvp(evp, record);
  if (code == kErrNone) code = node->RunEvp(evp, record);
  return code;
}

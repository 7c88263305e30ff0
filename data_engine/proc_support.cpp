// Readers shared by the procedures.
#include "data_engine/proc_support.h"

#include <cmath>

double ProcOwnerReal(cKyData* node, const char* name) {
  cKyData* owner = node ? node->ParameterOwner() : nullptr;
  return owner ? owner->parameters.GetReal(name) : std::nan("");
}

Qword ProcQwordOr(Evp* evp, Qword index, Qword fallback) {
  const Qword v = GetEvpParameterAsQword(evp, index);
  return v == kNoIndex ? fallback : v;
}

// Small readers shared by the signal and quantification procedures: the
// node's signal rows, parameters of the parameter owner, and optional
// procedure parameters with their defaults.
#pragma once
#include "base/types.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

// True when the node holds rows 0 to 2 (x, real and imaginary part) with
// at least one point: what every signal procedure reads.
inline bool ProcHasSignal(const cKyData* node) {
  return node && node->matrix && node->rows >= 3 && node->points > 0;
}

// Real parameter `name` of the node's parameter owner; NaN without an owner
// or entry.
double ProcOwnerReal(cKyData* node, const char* name);

// Parameter `index` as an unsigned count; `fallback` when it is empty or
// missing (the readers give all ones for those).
Qword ProcQwordOr(Evp* evp, Qword index, Qword fallback);

// The report's unsigned numbers travel as unsigned long long for printf.
inline unsigned long long ProcU(Qword v) { return static_cast<unsigned long long>(v); }

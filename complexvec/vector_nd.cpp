// Life cycle and operators of VECTORnD.
#include <cstring>

#include "arrays/rarr.h"
#include "base/memory.h"
#include "complexvec/vector_types.h"

void VECTORnD::CopyFrom(Qword n, const double* v) {
  Dword error = 0;
  double* fresh = n ? RArrNew(&error, n) : nullptr;
  KillPtr(&values);
  count = fresh ? n : 0;
  values = fresh;
  if (!fresh) return;
  if (v)
    std::memcpy(fresh, v, n * sizeof(double));
  else
    std::memset(fresh, 0, n * sizeof(double));
}

VECTORnD::VECTORnD(Qword n, const double* v) { CopyFrom(n, v); }

VECTORnD::VECTORnD(const VECTORnD& other) { CopyFrom(other.count, other.values); }

VECTORnD& VECTORnD::operator=(const VECTORnD& other) {
  if (this == &other) return *this;
  // Storage at least as long as count is all this object knows it has.
  if (other.count > count) {
    CopyFrom(other.count, other.values);
  } else {
    count = other.count;
    if (count) std::memmove(values, other.values, count * sizeof(double));
  }
  return *this;
}

VECTORnD::~VECTORnD() { KillPtr(&values); }

VECTORnD& VECTORnD::operator/=(double d) {
  for (Qword i = 0; i < count; ++i) values[i] /= d;
  return *this;
}

VECTORnD operator-(const VECTORnD& a, const VECTORnD& b) {
  VECTORnD r(a);
  const Qword n = r.count < b.count ? r.count : b.count;
  for (Qword i = 0; i < n; ++i) r.values[i] -= b.values[i];
  return r;
}

VECTORnD operator-(const VECTORnD& a) {
  VECTORnD r(a);
  for (Qword i = 0; i < r.count; ++i) r.values[i] = -r.values[i];
  return r;
}

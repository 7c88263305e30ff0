// Copies of a node share its matrix and point flags until one of them is
// written, so a snapshot of the tree costs no copy of its data and the
// versions of the chain hold each unchanged decay once.
#include <cstring>

#include "base/memory.h"
#include "data_engine/ky_data.h"

LibErrorCode cKyData::ShareArrays(const cKyData& s) {
  if (!s.matrix && !s.point_flags) return kErrNone;
  if (!s.shares_) {
    Dword e = kErrNone;
    s.shares_ = NewArrFill<Qword>(&e, 1);
    if (s.shares_) *s.shares_ = 1;
  }
  if (s.shares_) {
    ++*s.shares_;
    shares_ = s.shares_;
    matrix = s.matrix;
    point_flags = s.point_flags;
    return kErrNone;
  }
  // Without a count the arrays are copied.
  Dword e = kErrNone;
  if (s.matrix) {
    matrix = NewArrFill<double>(&e, s.rows * s.points);
    if (!matrix) return kErrAlloc;
    std::memcpy(matrix, s.matrix, s.rows * s.points * sizeof(double));
  }
  if (s.point_flags) {
    point_flags = NewArrFill<Dword>(&e, s.points);
    if (!point_flags) return kErrAlloc;
    std::memcpy(point_flags, s.point_flags, s.points * sizeof(Dword));
  }
  return kErrNone;
}

void cKyData::ReleaseShared() {
  if (!shares_) return;
  if (--*shares_ == 0) {
    KillPtr(&shares_);
    return;
  }
  shares_ = nullptr;
  matrix = nullptr;
  point_flags = nullptr;
}

bool cKyData::Unshare() const {
  if (!shares_) return true;
  if (*shares_ == 1) {
    KillPtr(&shares_);
    return true;
  }
  const Qword values = rows * points;
  Dword e = kErrNone;
  double* m = nullptr;
  Dword* f = nullptr;
  if (matrix && values > 0) {
    m = NewArrFill<double>(&e, values);
    if (!m) return false;
    std::memcpy(m, matrix, values * sizeof(double));
  }
  if (point_flags && points > 0) {
    f = NewArrFill<Dword>(&e, points);
    if (!f) {
      KillPtr(&m);
      return false;
    }
    std::memcpy(f, point_flags, points * sizeof(Dword));
  }
  --*shares_;
  shares_ = nullptr;
  // The pointers are the node's data, not its identity: a node read through
  // a const path may still take its own copy.
  auto* self = const_cast<cKyData*>(this);
  self->matrix = m;
  self->point_flags = f;
  return true;
}

LibErrorCode cKyData::UnshareTree() {
  if (!Unshare()) return kErrAlloc;
  // Below the root the linked node is a companion that procedures write;
  // at the root it is the previous version, which they never touch.
  if (Parent() && linked)
    if (const LibErrorCode e = linked->UnshareTree(); e != kErrNone) return e;
  for (cKyData* c = FirstChild(); c; c = c->NextSibling())
    if (const LibErrorCode e = c->UnshareTree(); e != kErrNone) return e;
  return kErrNone;
}

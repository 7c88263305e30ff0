// QARRAY: the relaxation curve of a zone, one point per block measured as
// QUANTIFY measures it, at the x values of the zone's block grid (modes 1
// to 5); a caller's table loaded into the node (mode 6); a copy of a
// child's matrix (mode 7).
#include <cstring>
#include <limits>
#include <utility>

#include "arrays/grid.h"
#include "arrays/rarr_sort.h"
#include "arrays/rmat.h"
#include "base/memory.h"
#include "data_engine/bgrd.h"
#include "data_engine/proc_quantity.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"

namespace {

// Every block must have the points of the first and the rows 0 to 2: the
// measurement reads each block with the first one's window.
bool BlocksAlike(const cKyData* zone, Qword points) {
  for (cKyData* b = zone->FirstChild(); b; b = b->NextSibling())
    if (!ProcHasSignal(b) || b->points != points) return false;
  return true;
}

// The zone's matrix for `blocks` points in 3 rows at least. A matrix of
// three or more rows with one point per block is used as it is; otherwise
// the zone is re-sized and keeps the x values that it had (as many as
// exist).
LibErrorCode PrepareZone(cKyData* zone, Qword blocks, Qword grid, double b0, double b1) {
  if (zone->matrix && zone->rows >= 3 && zone->points == blocks) return kErrNone;
  if (!zone->matrix)
    return zone->SetSize(blocks, 3, grid, b0, b1) == kErrNone ? kErrNone : kErrAlloc;
  const Qword kept = zone->points < blocks ? zone->points : blocks;
  Dword e = kErrNone;
  double* x = NewRealArrFill(&e, kept);
  if (!x) return kErrAlloc;
  std::memcpy(x, zone->matrix, kept * sizeof(double));
  if (zone->SetSize(blocks, 3, grid, b0, b1) != kErrNone) {
    KillPtr(&x);
    return kErrAlloc;
  }
  std::memcpy(zone->matrix, x, kept * sizeof(double));
  KillPtr(&x);
  return kErrNone;
}

LibErrorCode RelaxationCurve(cKyData* zone, Evp* evp) {
  const Qword blocks = zone->ChildCount();
  if (blocks < 2) return kErrIllegalData;
  const Qword points = zone->FirstChild()->points;
  Qword first = 0, last = 0;
  if (GetEvpIpointEpoint(evp, &first, &last, points) == 0) return kErrNone;
  if (!BlocksAlike(zone, points)) return kErrIllegalData;
  cKyData* owner = zone->ParameterOwner();
  double b0 = ProcOwnerReal(zone, "BINI");
  double b1 = ProcOwnerReal(zone, "BEND");
  const bool reversed = b0 > b1;
  if (reversed) std::swap(b0, b1);
  const Qword grid = owner ? BgrdGridTypeOf(&owner->parameters) : 0;
  const LibErrorCode sized = PrepareZone(zone, blocks, grid, b0, b1);
  if (sized != kErrNone) return sized;
  const bool own_x = zone->Root()->data_type != kKyDataRs;
  const Qword order = ProcQwordOr(evp, 2, 3);
  double* zx = zone->Row(0);
  double* z1 = zone->Row(1);
  double* z2 = zone->Row(2);
  cKyData* block = reversed ? zone->LastChild() : zone->FirstChild();
  for (Qword i = 0; block; ++i) {
    double* re = block->Row(1);
    double* im = block->Row(2);
    const QuantityRows rows{block->Row(0), re, im, points, first, last};
    Quantities q;
    // QARRAY measures the real part only: no magnitude or power source.
    const LibErrorCode e = MeasureQuantities(
        rows, evp->mode, evp->flags & ~(kQuantMagnitude | kQuantPower), order, &q);
    if (e != kErrNone) return e;
    if (evp->flags & kQuantWriteBack) {
      for (Qword j = first; j <= last; ++j) re[j] = q.q1;
      if (q.second)
        for (Qword j = first; j <= last; ++j) im[j] = q.q2;
    }
    if (own_x)
      zx[i] = RArrGridValue(i, zone->x_grid_type, zone->points, zone->x_first, zone->x_last);
    z1[i] = q.q1;
    z2[i] = q.q2;
    block = reversed ? static_cast<cKyData*>(block->PrevB()) : block->NextSibling();
  }
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

// The caller's table of n points x m rows, sorted by row 0 in place, into
// the node.
LibErrorCode CallerTable(cKyData* node, Evp* evp) {
  double* t = evp->caller_matrix;
  if (!t) {
    SetEvpFlags(evp, kEvpDone);
    return kErrNone;
  }
  const Qword n = GetEvpParameterAsQword(evp, 0);
  const Qword m = GetEvpParameterAsQword(evp, 1);
  // The size is checked before the caller's table is touched.
  if (n == kNoIndex || m == kNoIndex) return kErrMissingParameters;
  if (n == 0 || m == 0 || m > std::numeric_limits<Qword>::max() / n) return kErrIllegalParameters;
  if (m > 1) {
    // Each row r is sorted with a fresh copy of the original row 0 as keys,
    // so every row follows the same permutation and row 0 ends sorted.
    Dword e = kErrNone;
    double* keys = NewRealArrFill(&e, n);
    if (!keys) return kErrAlloc;
    std::memcpy(keys, t, n * sizeof(double));
    for (Qword r = 1; r < m; ++r) {
      std::memcpy(t, keys, n * sizeof(double));
      RArrHeapSortR(t, n, nullptr, nullptr, t + r * n, nullptr, nullptr, nullptr);
    }
    KillPtr(&keys);
  }
  const LibErrorCode e = node->SetSize(n, m, 0, t[0], t[n - 1]);
  if (e != kErrNone) return e;
  RMatCopy(n, m, t, node->matrix);
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

LibErrorCode ChildCopy(cKyData* node, Evp* evp) {
  const cKyData* c = node->Child(GetEvpParameterAsQword(evp, 0));
  if (!c) return kErrIllegalParameters;
  LibErrorCode e = node->SetSize(c->points, c->rows, c->x_grid_type, c->x_first, c->x_last);
  if (e != kErrNone) return e;
  if (node->matrix && c->matrix)
    std::memcpy(node->matrix, c->matrix, c->rows * c->points * sizeof(double));
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

}  // namespace

LibErrorCode EvpQArray(cKyData* node, Evp* evp, KyAppRecord*) {
  switch (evp->mode) {
    case 6:
      return CallerTable(node, evp);
    case 7:
      return ChildCopy(node, evp);
    default:
      if (!QuantityModeKnown(evp->mode)) return kErrIllegalMode;
      return RelaxationCurve(node, evp);
  }
}

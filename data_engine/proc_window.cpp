// WINDOW: the node cropped to a point window (mode 1), bit 0 of the point
// flags of the window set, cleared or toggled (modes 2 to 4), or every
// s-th point kept from the window's first on (mode 5).
#include <cstring>

#include "arrays/grid.h"
#include "base/memory.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"

namespace {

constexpr Dword kPointMark = 0x1u;

// x of a point of the old axis: the grid's value on linear and logarithmic
// grids; row 0 itself on others, whose x values follow no formula.
double AxisValue(const cKyData* node, const double* x, Qword i) {
  if (node->x_grid_type == 1 || node->x_grid_type == 2)
    return RArrGridValue(i, node->x_grid_type, node->points, node->x_first, node->x_last);
  return x[i];
}

LibErrorCode Crop(cKyData* node, Qword first, Qword last) {
  const Qword n = last - first + 1;
  const Qword rows = node->rows;
  Dword e = kErrNone;
  double* values = NewRealArrFill(&e, rows * n);
  if (!values) return e != kErrNone ? e : kErrAlloc;
  const Dword none = 0;
  Dword* flags = NewDwordArrFill(&e, n, &none);
  if (!flags) {
    KillPtr(&values);
    return e != kErrNone ? e : kErrAlloc;
  }
  for (Qword r = 0; r < rows; ++r)
    std::memcpy(values + r * n, node->Row(r) + first, n * sizeof(double));
  // The flags keep their positions: the first n stay with the first n points.
  std::memcpy(flags, node->point_flags, n * sizeof(Dword));
  const double x_first = AxisValue(node, node->matrix, first);
  const double x_last = AxisValue(node, node->matrix, last);
  KillPtr(&node->matrix);
  KillPtr(&node->point_flags);
  node->matrix = values;
  node->point_flags = flags;
  node->points = n;
  node->x_first = x_first;
  node->x_last = x_last;
  return kErrNone;
}

LibErrorCode Decimate(cKyData* node, Evp* evp, Qword first) {
  const Qword points = node->points;
  Qword s = GetEvpParameterAsQword(evp, 2);
  if (s == kNoIndex) s = points / 128 + 1;
  if (s == 0) return kErrIllegalWindow;
  const Qword averaging = GetEvpParameterAsQword(evp, 3);
  if (averaging == 1) return kErrNotYetImplemented;
  const Qword rest = points - first;
  const Qword m = first + rest / s + (rest % s != 0 ? 1 : 0);
  const Qword rows = node->rows;
  Dword e = kErrNone;
  double* values = NewRealArrFill(&e, rows * m);
  if (!values) return e != kErrNone ? e : kErrAlloc;
  for (Qword r = 0; r < rows; ++r) {
    const double* src = node->Row(r);
    double* dst = values + r * m;
    std::memcpy(dst, src, first * sizeof(double));
    for (Qword i = first; i < m; ++i) dst[i] = src[first + (i - first) * s];
  }
  const LibErrorCode sized = node->SetSize(m, rows, 0, values[0], values[m - 1]);
  if (sized == kErrNone) std::memcpy(node->matrix, values, rows * m * sizeof(double));
  KillPtr(&values);
  return sized;
}

}  // namespace

LibErrorCode EvpWindow(cKyData* node, Evp* evp, KyAppRecord*) {
  if (evp->mode < 1 || evp->mode > 5) return kErrUnknownProcedureMode;
  if (!node->matrix || node->points == 0) return kErrMissingInputData;
  Qword first = 0, last = 0;
  GetEvpIpointEpoint(evp, &first, &last, node->points);
  LibErrorCode result = kErrNone;
  switch (evp->mode) {
    case 1:
      result = Crop(node, first, last);
      break;
    case 5:
      result = Decimate(node, evp, first);
      break;
    default:
      for (Qword i = first; i <= last; ++i) {
        Dword& f = node->point_flags[i];
        f = evp->mode == 2   ? (f | kPointMark)
            : evp->mode == 3 ? (f & ~kPointMark)
                             : (f ^ kPointMark);
      }
      break;
  }
  if (result == kErrNone) SetEvpFlags(evp, kEvpDone);
  return result;
}

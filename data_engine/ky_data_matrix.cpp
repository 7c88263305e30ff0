// The node's matrix: sizing, rows, resizing and extraction. A failed
// allocation never loses the node's data: new arrays are built first and
// replace the old ones only when every one of them exists. A matrix shared
// with copies is let go (ReleaseShared), never freed under them, and taken
// over (Unshare) before it is written.
#include <cmath>
#include <cstring>
#include <limits>

#include "base/memory.h"
#include "base/platform/allocator.h"
#include "data_engine/ky_data.h"

namespace {

struct MatrixArrays {
  double* matrix = nullptr;
  double* stats = nullptr;
  Dword* row_flags = nullptr;
  Dword* point_flags = nullptr;

  void Release() {
    KillPtr(&matrix);
    KillPtr(&stats);
    KillPtr(&row_flags);
    KillPtr(&point_flags);
  }
};

// The arrays beside the values of rows x points (both not 0): NaN
// statistics, zero row and point flags. 0x80001 on failure, with nothing
// of them left allocated.
LibErrorCode NewSideArrays(Qword rows, Qword points, MatrixArrays* out) {
  Dword e = kErrNone;
  const double nan = std::nan("");
  const Dword none = 0;
  out->stats = NewRealArrFill(&e, rows * kKyStatCount, &nan);
  if (out->stats) out->row_flags = NewDwordArrFill(&e, rows, &none);
  if (out->row_flags) out->point_flags = NewDwordArrFill(&e, points, &none);
  if (!out->point_flags) {
    out->Release();
    return kErrAlloc;
  }
  return kErrNone;
}

// Fresh arrays for rows x points: zero values (left unset when `values` is
// false, for a caller that writes every one), NaN statistics, zero flags.
// 0 when rows x points is 0 (no arrays), else 0x80001 on failure (nothing
// left allocated).
LibErrorCode NewMatrixArrays(Qword rows, Qword points, MatrixArrays* out, bool values = true) {
  *out = MatrixArrays{};
  if (rows == 0 || points == 0) return kErrNone;
  if (rows > std::numeric_limits<Qword>::max() / points ||
      rows > std::numeric_limits<Qword>::max() / kKyStatCount)
    return kErrAlloc;
  Dword e = kErrNone;
  const double zero = 0.0;
  out->matrix = NewRealArrFill(&e, rows * points, values ? &zero : nullptr);
  if (!out->matrix) return kErrAlloc;
  if (NewSideArrays(rows, points, out) != kErrNone) {
    out->Release();
    return kErrAlloc;
  }
  return kErrNone;
}

// SetSize with or without zeroing the new values.
LibErrorCode Resize(cKyData* node, Qword new_points, Qword new_rows, Qword grid, double first,
                    double last, bool zero_values) {
  MatrixArrays a;
  const LibErrorCode e = NewMatrixArrays(new_rows, new_points, &a, zero_values);
  if (e != kErrNone) return e;  // the node keeps its old matrix
  // The scale (statistic 9, set by NORMALIZE) and the row flags (data or
  // result row) of the rows that remain describe those rows still.
  if (a.matrix && node->matrix) {
    const Qword kept = new_rows < node->rows ? new_rows : node->rows;
    for (Qword r = 0; r < kept; ++r) {
      a.stats[r * kKyStatCount + kKyStatScale] =
          node->row_statistics[r * kKyStatCount + kKyStatScale];
      a.row_flags[r] = node->row_flags[r];
    }
  }
  node->FreeMatrix();
  if (a.matrix) {
    node->rows = new_rows;
    node->points = new_points;
  }
  node->matrix = a.matrix;
  node->row_statistics = a.stats;
  node->row_flags = a.row_flags;
  node->point_flags = a.point_flags;
  node->x_grid_type = grid;
  node->x_first = first;
  node->x_last = last;
  return kErrNone;
}

// Growing a matrix of its own: the value block is extended where it lies
// (for large blocks the system moves its pages rather than copying them)
// and the rows are moved apart in it, last row first, so none is
// overwritten before it has moved. The other arrays are made first: a
// failure leaves the node as it was.
LibErrorCode GrowPoints(cKyData* node, Qword count) {
  const Qword rows = node->rows, old_points = node->points;
  if (count > MaxArrCount<double>() / rows) return kErrAlloc;
  MatrixArrays a;
  if (NewSideArrays(rows, count, &a) != kErrNone) return kErrAlloc;
  if (!node->Unshare()) {  // the last holder: nothing is copied
    a.Release();
    return kErrAlloc;
  }
  double* m = static_cast<double*>(PlatformRealloc(node->matrix, rows * count * sizeof(double)));
  if (!m) {
    a.Release();
    return kErrAlloc;
  }
  node->matrix = m;
  for (Qword r = rows; r-- > 1;) {
    std::memmove(m + r * count, m + r * old_points, old_points * sizeof(double));
    std::memset(m + r * count + old_points, 0, (count - old_points) * sizeof(double));
  }
  const double step = (node->x_last - node->x_first) / static_cast<double>(old_points - 1);
  for (Qword i = old_points; i < count; ++i) m[i] = node->x_first + step * static_cast<double>(i);
  // The scale (statistic 9, set by NORMALIZE) and the row flags (data or
  // result row) still describe their rows; the other statistics and the
  // point flags start afresh.
  for (Qword r = 0; r < rows; ++r) {
    a.stats[r * kKyStatCount + kKyStatScale] =
        node->row_statistics[r * kKyStatCount + kKyStatScale];
    a.row_flags[r] = node->row_flags[r];
  }
  KillPtr(&node->row_statistics);
  KillPtr(&node->row_flags);
  KillPtr(&node->point_flags);
  node->row_statistics = a.stats;
  node->row_flags = a.row_flags;
  node->point_flags = a.point_flags;
  node->points = count;
  node->x_last = m[count - 1];
  return kErrNone;
}

}  // namespace

void cKyData::FreeMatrix() {
  ReleaseShared();
  KillPtr(&matrix);
  KillPtr(&row_statistics);
  KillPtr(&row_flags);
  KillPtr(&point_flags);
  rows = points = 0;
}

LibErrorCode cKyData::AllocateMatrix() {
  MatrixArrays a;
  const LibErrorCode e = NewMatrixArrays(rows, points, &a);
  if (e != kErrNone) {
    FreeMatrix();
    return e;
  }
  ReleaseShared();
  KillPtr(&matrix);
  KillPtr(&row_statistics);
  KillPtr(&row_flags);
  KillPtr(&point_flags);
  if (!a.matrix) rows = points = 0;
  matrix = a.matrix;
  row_statistics = a.stats;
  row_flags = a.row_flags;
  point_flags = a.point_flags;
  return kErrNone;
}

LibErrorCode cKyData::SetSize(Qword new_points, Qword new_rows, Qword grid, double first,
                              double last) {
  return Resize(this, new_points, new_rows, grid, first, last, true);
}

LibErrorCode cKyData::SetSizeToOverwrite(Qword new_points, Qword new_rows, Qword grid, double first,
                                         double last) {
  return Resize(this, new_points, new_rows, grid, first, last, false);
}

double cKyData::Value(Qword point, Qword row, bool scaled) {
  const double v = matrix[point + row * points];
  return scaled ? v * RowStatistic(row, kKyStatScale) : v;
}

LibErrorCode cKyData::SetRow(const double* values, Qword count, Qword r) {
  if (!values) return kErrNone;
  if (count != points) return kErrIllegalDataSize;
  if (points == 0) return kErrNone;
  if (r >= rows || !matrix) return kErrMissingInputData;
  if (!Unshare()) return kErrAlloc;
  std::memcpy(matrix + r * points, values, count * sizeof(double));
  return kErrNone;
}

LibErrorCode cKyData::AppendRow(const double* values, Qword count, Qword* row_index) {
  if (row_index) *row_index = kNoIndex;
  if (!values) return kErrNone;
  if (rows == 0 || !matrix) {
    if (count == 0) return kErrNone;
    points = count;
    rows = 1;
    const LibErrorCode e = AllocateMatrix();
    if (e != kErrNone) return e;
    std::memcpy(matrix, values, count * sizeof(double));
    if (row_index) *row_index = 0;
    return kErrNone;
  }
  if (count != points) return kErrIllegalDataSize;
  const Qword old_rows = rows;
  rows = old_rows + 1;
  const LibErrorCode e = ReallocRows(old_rows);
  if (e != kErrNone) return e;
  std::memcpy(matrix + old_rows * points, values, count * sizeof(double));
  if (row_index) *row_index = old_rows;
  return kErrNone;
}

LibErrorCode cKyData::ReallocRows(Qword kept) {
  // `rows` already holds the new count; the arrays still hold `kept` rows.
  if (kept > rows) return kErrIllegalArgument;
  if (kept == rows) return kErrNone;
  MatrixArrays a;
  const LibErrorCode e = NewMatrixArrays(rows, points, &a);
  if (e != kErrNone) {
    rows = kept;  // the arrays still describe the old rows: nothing is lost
    return e;
  }
  if (matrix && a.matrix) {
    std::memcpy(a.matrix, matrix, kept * points * sizeof(double));
    std::memcpy(a.stats, row_statistics, kept * kKyStatCount * sizeof(double));
    std::memcpy(a.row_flags, row_flags, kept * sizeof(Dword));
    std::memcpy(a.point_flags, point_flags, points * sizeof(Dword));
  }
  ReleaseShared();
  KillPtr(&matrix);
  KillPtr(&row_statistics);
  KillPtr(&row_flags);
  KillPtr(&point_flags);
  matrix = a.matrix;
  row_statistics = a.stats;
  row_flags = a.row_flags;
  point_flags = a.point_flags;
  if (!matrix) rows = points = 0;
  return kErrNone;
}

LibErrorCode cKyData::StoreRow(const double* values) {
  Qword target = kNoIndex;
  for (Qword r = 1; r < rows; ++r)
    if (row_flags && row_flags[r] == kKyRowResult) {
      target = r;
      break;
    }
  LibErrorCode e;
  if (target == kNoIndex)
    e = AppendRow(values, points, &target);
  else
    e = SetRow(values, points, target);
  if (e == kErrNone && target != kNoIndex && target < rows && values)
    row_flags[target] = kKyRowResult;
  return e;
}

LibErrorCode cKyData::ResizePoints(Qword k, Qword n) {
  if (!matrix) return kErrMissingDataObject;
  if (k == 0 && n == points) return kErrNone;
  Qword count = n;
  if (k != 0) {
    if (k >= 64 || points > (std::numeric_limits<Qword>::max() >> k)) return kErrAlloc;
    count = points << k;
  }
  if (count == 0) return kErrNone;
  const Qword old_points = points;
  // Added axis points continue the old spacing, which one point does not
  // define.
  if (count > old_points && old_points < 2) return kErrIllegalParameters;
  if (count > std::numeric_limits<Qword>::max() / rows) return kErrAlloc;
  if (count > old_points && !SharesMatrix()) return GrowPoints(this, count);
  // One new matrix, each value written once: the kept values copied, the
  // added ones zero (the axis row continued). A matrix shared with other
  // versions is left to them.
  MatrixArrays a;
  const LibErrorCode e = NewMatrixArrays(rows, count, &a, false);
  if (e != kErrNone) return e;  // the node keeps its old matrix
  const Qword copied = count < old_points ? count : old_points;
  for (Qword r = 0; r < rows; ++r) {
    double* row = a.matrix + r * count;
    std::memcpy(row, matrix + r * old_points, copied * sizeof(double));
    if (r != 0 && count > copied) std::memset(row + copied, 0, (count - copied) * sizeof(double));
  }
  if (count > old_points) {
    const double step = (x_last - x_first) / static_cast<double>(old_points - 1);
    for (Qword i = old_points; i < count; ++i)
      a.matrix[i] = x_first + step * static_cast<double>(i);
  }
  // The scale (statistic 9, set by NORMALIZE) and the row flags (data or
  // result row) still describe their rows; the other statistics and the
  // point flags start afresh.
  for (Qword r = 0; r < rows; ++r) {
    a.stats[r * kKyStatCount + kKyStatScale] = row_statistics[r * kKyStatCount + kKyStatScale];
    a.row_flags[r] = row_flags[r];
  }
  const Qword kept_rows = rows;
  FreeMatrix();
  rows = kept_rows;
  points = count;
  matrix = a.matrix;
  row_statistics = a.stats;
  row_flags = a.row_flags;
  point_flags = a.point_flags;
  x_last = matrix[count - 1];
  return kErrNone;
}

LibErrorCode cKyData::ExtractRow(double** out, Qword* count, Qword row, double factor) {
  *out = nullptr;
  *count = 0;
  if (row >= rows || !matrix || points == 0) return kErrMissingInputData;
  Dword e = kErrNone;
  double* values = NewRealArrFill(&e, points);
  if (!values) return e;
  const double* src = matrix + row * points;
  for (Qword i = 0; i < points; ++i) values[i] = factor * src[i];
  *out = values;
  *count = points;
  return kErrNone;
}

LibErrorCode cKyData::ExtractComplexRows(double** out, Qword* count, Qword row, double factor) {
  *out = nullptr;
  *count = 0;
  if (row >= rows || row + 1 >= rows || !matrix || points == 0) return kErrMissingInputData;
  Dword e = kErrNone;
  double* s = NewRealArrFill(&e, 2 * points);
  if (!s) return e;
  const double* re = matrix + row * points;
  const double* im = re + points;
  for (Qword i = 0; i < points; ++i) {
    s[i] = factor * re[i];
    s[points + i] = factor * im[i];
  }
  *out = s;
  *count = points;
  return kErrNone;
}

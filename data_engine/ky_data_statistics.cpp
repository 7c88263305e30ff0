// Row statistics of the node and the merge of inverse-Laplace results into
// the companion node.
#include <cmath>
#include <cstring>
#include <new>

#include "arrays/rarr_reduce.h"
#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/savgol.h"

namespace {

// Indices of the smallest and largest finite values; false when there is
// none. Non-finite values are skipped, unlike RArrRangeMinMax.
bool FiniteMinMax(Qword n, const double* x, Qword* imin, Qword* imax) {
  bool found = false;
  for (Qword i = 0; i < n; ++i) {
    if (!std::isfinite(x[i])) continue;
    if (!found) {
      *imin = *imax = i;
      found = true;
    } else {
      if (x[i] < x[*imin]) *imin = i;
      if (x[i] > x[*imax]) *imax = i;
    }
  }
  return found;
}

}  // namespace

double* cKyData::StatisticSlot(Qword row, Qword k) const {
  if (row >= rows || k >= kKyStatCount || !row_statistics) return nullptr;
  return row_statistics + row * kKyStatCount + k;
}

double cKyData::RowStatistic(Qword row, Qword k) {
  double* slot = StatisticSlot(row, k);
  if (!slot) return std::nan("");
  ComputeRowStatistic(row, k, kNoIndex, kNoIndex);
  return *slot;
}

LibErrorCode cKyData::ComputeRowStatistic(Qword row, Qword k, Qword first, Qword last) {
  if (row >= rows || k >= kKyStatCount || !matrix) return kErrIllegalArgument;
  if (first == kNoIndex) first = 0;
  if (last == kNoIndex || last >= points) last = points - 1;
  const Qword n = last - first + 1;  // wraps to a huge count when first > last + 1
  if (n == 0) return kErrNone;
  if (n > points) return kErrIllegalParameters;
  if (k < kKyStatNoise) return kErrNone;
  double* stats = row_statistics + row * kKyStatCount;
  const double* x = matrix + row * points + first;
  switch (k) {
    case kKyStatNoise: {
      double noise = std::nan("");
      const Dword e = RArrNoiseEstimateBySavitskyGolay(n, x, &noise, nullptr, 3, 17, 3, 3.0);
      if (e == kErrNone) stats[kKyStatNoise] = noise;
      return e;
    }
    case kKyStatMean:
      stats[kKyStatMean] = RArrMeanA(n, x);
      return kErrNone;
    case kKyStatMin:
    case kKyStatMax: {
      Qword imin = 0, imax = 0;
      if (!FiniteMinMax(n, x, &imin, &imax)) return kErrMissingInputData;
      stats[kKyStatMin] = x[imin];
      stats[kKyStatMax] = x[imax];
      return kErrNone;
    }
    case kKyStatMaxMagnitude:
    case kKyStatMaxPower: {
      // The complex window is always rows 1 and 2, which must exist.
      if (rows < 3) return kErrMissingInputData;
      Dword e = kErrNone;
      double* s = SArrNewFromTwoRArrs(&e, n, matrix + points + first, matrix + 2 * points + first);
      if (!s) return e != kErrNone ? e : kErrAlloc;
      Qword index = 0;
      stats[k] =
          k == kKyStatMaxMagnitude ? SArrMaxMagnitude(n, s, &index) : SArrMaxPower(n, s, &index);
      KillPtr(&s);
      return kErrNone;
    }
    default:  // the scale
      if (std::isnan(stats[kKyStatScale])) stats[kKyStatScale] = 1.0;
      return kErrNone;
  }
}

LibErrorCode cKyData::MergeIltResult(cKyData* node, const double* x, const double* y, Qword count) {
  if (!node || !x || !y || count == 0) return kErrMissingArguments;
  cKyData* companion = node->linked;
  const Qword held =
      (companion && companion->matrix && companion->rows >= 2) ? companion->points : 0;
  // Points of earlier results to keep: result 0, but never more than the
  // companion holds, and none for a negative or non-finite count.
  const double r0 = node->results[0];
  Qword b = 0;
  if (std::isfinite(r0) && r0 > 0.0)
    b = r0 >= static_cast<double>(held) ? held : static_cast<Qword>(r0);
  const Qword c = b + count;
  Dword e = kErrNone;
  double* table = NewRealArrFill(&e, 2 * c);
  if (!table) return kErrAlloc;
  if (b > 0) {
    std::memcpy(table, companion->matrix, b * sizeof(double));
    std::memcpy(table + c, companion->matrix + companion->points, b * sizeof(double));
  }
  std::memcpy(table + b, x, count * sizeof(double));
  std::memcpy(table + c + b, y, count * sizeof(double));
  double lo = table[0], hi = table[0];
  for (Qword i = 1; i < c; ++i) {
    if (table[i] < lo) lo = table[i];
    if (table[i] > hi) hi = table[i];
  }
  bool created = false;
  if (!companion) {
    companion = new (std::nothrow) cKyData(0);
    if (!companion) {
      KillPtr(&table);
      return kErrAlloc;
    }
    created = true;
  }
  e = companion->SetSize(c, 2, 0, lo, hi);
  if (e != kErrNone) {
    if (created) delete companion;
    KillPtr(&table);
    return e;
  }
  std::memcpy(companion->matrix, table, 2 * c * sizeof(double));
  KillPtr(&table);
  if (created) node->linked = companion;
  return kErrNone;
}

// In-place, copying and index heap sorts of real arrays, and the comparison
// by absolute value.
#include "arrays/rarr_sort.h"

#include "arrays/rarr.h"
#include "base/error_codes.h"
#include "base/memory.h"

namespace {

// Sorts a permutation of positions by the keys it points to.
struct IndexSeq {
  const double* keys;
  Qword* idx;
  SortOrder<double> order;
  Qword aside = 0;
  bool After(Qword a, Qword b) const { return order.After(keys[idx[a]], keys[idx[b]]); }
  bool AfterAside(Qword j) const { return order.After(keys[idx[j]], keys[aside]); }
  void TakeAside(Qword i) { aside = idx[i]; }
  void Move(Qword from, Qword to) { idx[to] = idx[from]; }
  void PutAside(Qword i) { idx[i] = aside; }
};

}  // namespace

double* ArrIpHeapSort(Qword count, double* x, Long direction, ArrCompare<double> compare) {
  return ArrHeapSort<double>(count, x, direction, compare);
}

VELTRIA_API double* RArrIpHeapSort(Qword count, double* x, Long direction) {
  return ArrIpHeapSort(count, x, direction, nullptr);
}

VELTRIA_API Dword RArrHeapSortCopy(Qword count, const double* src, double* dst, Long direction) {
  if (!dst) return kErrMissingOutputBuffer;
  if (!src || count == 0) return kErrMissingInputData;
  if (src != dst) {
    const Dword status = RArrCopy(count, src, dst);
    if (status) return status;
  }
  ArrIpHeapSort(count, dst, direction, nullptr);
  return kErrNone;
}

Qword* ArrHeapSortIndex(Qword count, const double* keys, Qword* index, Long direction,
                        ArrCompare<double> compare) {
  if (!keys || !index || count < 2) return nullptr;
  for (Qword i = 0; i < count; ++i) index[i] = i;
  IndexSeq s{keys, index, {compare, direction < 0}};
  HeapSortEngine(count, s);
  return index;
}

Long rAbsCompare(const double* a, const double* b) {
  // Magnitudes by sign cases: m(a) < m(b) without forming either.
  const double x = *a, y = *b;
  bool less, greater;
  if (x >= 0) {
    less = y >= 0 ? x < y : x < -y;
    greater = y >= 0 ? x > y : x > -y;
  } else {
    less = y >= 0 ? -x < y : x > y;
    greater = y >= 0 ? -x > y : x < y;
  }
  return less ? -1 : (greater ? 1 : 0);
}

Qword* RArrHeapSortAbsIndex(Qword count, const double* keys, Qword* index, Long direction) {
  return ArrHeapSortIndex(count, keys, index, direction, rAbsCompare);
}

Qword* RArrNewSortIndex(Qword count, const double* keys, Long direction,
                        ArrCompare<double> compare) {
  if (!keys) return nullptr;
  Dword error;
  Qword* index = NewPointerArrFill(&error, count);
  if (!index) return nullptr;
  // The sort leaves a single element alone; its index is still 0.
  index[0] = 0;
  ArrHeapSortIndex(count, keys, index, direction, compare);
  return index;
}

Qword* RArrNewAbsSortIndex(Qword count, const double* keys, Long direction) {
  if (count < 2) return nullptr;
  return RArrNewSortIndex(count, keys, direction, rAbsCompare);
}

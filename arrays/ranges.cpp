// Sets of disjoint closed intervals held in one real array.
#include "arrays/paired_ranges.h"
#include "arrays/rarr.h"
#include "base/memory.h"

VELTRIA_API double* NewRArrRanges(Dword* error) { return RArrNew0(error, 2); }

VELTRIA_API Qword RArrRangesCount(const double* set) {
  if (!set) return 0;
  Qword n = 0;
  while (set[2 * n + 1] > set[2 * n]) ++n;
  return n;
}

VELTRIA_API Dword RArrRangesAddRange(double** holder, double a, double b) {
  if (!holder) return kErrMissingOutputBuffer;
  const double* old = *holder;
  const Qword have = RArrRangesCount(old);
  const Qword c = a < b ? have + 1 : have;
  if (c == 0) {
    RArrKill(holder);
    return kErrNone;
  }
  Dword error = kErrNone;
  double* set = RArrNew(&error, 2 * c + 2);
  if (!set) return error;
  Qword w = 0;
  bool pending = a < b;
  for (Qword i = 0; i < have; ++i) {
    const double lo = old[2 * i], hi = old[2 * i + 1];
    if (pending && b < lo) {
      set[w++] = a;
      set[w++] = b;
      pending = false;
    }
    if (!pending || a > hi) {
      set[w++] = lo;
      set[w++] = hi;
    } else {  // overlapping or touching: merged into the pending interval
      if (lo < a) a = lo;
      if (hi > b) b = hi;
    }
  }
  if (pending) {
    set[w++] = a;
    set[w++] = b;
  }
  set[w++] = 0;
  set[w] = 0;
  RArrKill(holder);
  *holder = set;
  return kErrNone;
}

VELTRIA_API Dword RArrRangesPointIsIn(double x, const double* set) {
  const Qword n = RArrRangesCount(set);
  for (Qword i = 0; i < n; ++i)
    if (set[2 * i] <= x && x <= set[2 * i + 1]) return 1;
  return 0;
}

VELTRIA_API Dword RArrRangesIntervalIsNested(double a, double b, const double* set, Dword* index) {
  if (a > b) {
    const double t = a;
    a = b;
    b = t;
  }
  const Qword n = RArrRangesCount(set);
  for (Qword i = 0; i < n; ++i) {
    if (set[2 * i] <= a && b <= set[2 * i + 1]) {
      if (index) *index = static_cast<Dword>(2 * i);
      return 1;
    }
  }
  return 0;
}

// Counters of real arrays against bounds, bands, values and levels, the
// count of separated groups and the value search.
#include <cmath>

#include "arrays/array_scan_templates.h"
#include "arrays/rarr_extremes.h"
#include "arrays/rarr_sort.h"
#include "base/memory.h"
#include "scalar/real_helpers.h"

VELTRIA_API Qlong RArrAboveCount(Qword count, const double* x, double bound) {
  return ArrAboveCount<double>(count, x, &bound);
}
VELTRIA_API Qlong RArrBelowCount(Qword count, const double* x, double bound) {
  return ArrBelowCount<double>(count, x, &bound);
}
VELTRIA_API Qlong RArrBandCount(Qword count, const double* x, double lo, double hi, Qword* above,
                                Qword* below) {
  return ArrBandCount<double>(count, x, &lo, &hi, above, below);
}
VELTRIA_API Qlong RArrSignInversionsCount(Qword count, const double* x, double level, Qword* down,
                                          Qword* up) {
  return ArrSignInversionsCount<double>(count, x, &level, down, up);
}

VELTRIA_API Qlong RArrValueCount(Qword count, const double* x, double v, double tol) {
  if (!x || count == 0) return 0;
  Qword n = 0;
  for (Qword i = 0; i < count; ++i) n += (std::fabs(x[i] - v) <= tol);
  return static_cast<Qlong>(n);
}

VELTRIA_API bool RArrIsValuePresent(Qword count, const double* x, double v, double tol,
                                    Qlong* index) {
  if (index) *index = -1;
  if (!x || count == 0) return false;
  for (Qword i = 0; i < count; ++i) {
    if (!rIsDifferentAbs(x[i], v, tol)) {
      if (index) *index = static_cast<Qlong>(i);
      return true;
    }
  }
  return false;
}

namespace {

// Two elements are near when fabs(a - b) < t; a NaN or infinite one is near
// nothing (its differences are NaN or infinite).
Qlong ChainedGroupsNaive(Qword count, const double* x, double t) {
  Qword n = 0;
  for (Qword i = 0; i < count; ++i) {
    bool near = false;
    for (Qword j = 0; j < i && !near; ++j) near = std::fabs(x[i] - x[j]) < t;
    n += !near;
  }
  return static_cast<Qlong>(n);
}

}  // namespace

// Sorted by value, the elements near a finite element k form a contiguous
// window that only moves forward as k does (rounded differences are
// monotone), so a sliding-window minimum of the original indices tells in
// O(n log n) whether an earlier element is near: k counts when it is itself
// the earliest of its window.
VELTRIA_API Qlong RArrChainedGroupsCount(Qword count, const double* x, double tol) {
  if (!x || count == 0) return 0;
  const double t = std::fabs(tol);
  if (!(t > 0)) return static_cast<Qlong>(count);  // nothing is near anything
  Dword error;
  Qword* order = NewPointerArrFill(&error, count);
  Qword* deque = NewPointerArrFill(&error, count);
  if (!order || !deque) {
    KillPtr(&order);
    KillPtr(&deque);
    return ChainedGroupsNaive(count, x, t);
  }
  Qword m = 0, non_finite = 0;
  for (Qword i = 0; i < count; ++i) {
    if (std::isfinite(x[i]))
      order[m++] = i;
    else
      ++non_finite;
  }
  // Index-sort the finite elements' positions by value, in place.
  struct Seq {
    const double* x;
    Qword* o;
    Qword aside = 0;
    bool After(Qword a, Qword b) const { return x[o[a]] > x[o[b]]; }
    bool AfterAside(Qword j) const { return x[o[j]] > x[aside]; }
    void TakeAside(Qword i) { aside = o[i]; }
    void Move(Qword from, Qword to) { o[to] = o[from]; }
    void PutAside(Qword i) { o[i] = aside; }
  } seq{x, order};
  HeapSortEngine(m, seq);

  Qword groups = non_finite;
  Qword head = 0, tail = 0;   // deque[head .. tail): positions, increasing original index
  Qword left = 0, right = 0;  // window [left, right) of sorted positions
  for (Qword k = 0; k < m; ++k) {
    const double v = x[order[k]];
    while (right < m && std::fabs(x[order[right]] - v) < t) {
      while (tail > head && order[deque[tail - 1]] > order[right]) --tail;
      deque[tail++] = right++;
    }
    while (!(std::fabs(x[order[left]] - v) < t)) ++left;
    while (deque[head] < left) ++head;
    groups += (order[deque[head]] == order[k]);
  }
  KillPtr(&order);
  KillPtr(&deque);
  return static_cast<Qlong>(groups);
}

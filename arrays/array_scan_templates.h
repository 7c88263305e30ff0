// Scans shared by the real and integer arrays: counts against a bound, a
// band or a level, extreme indices, value search, runs and order tests. The
// comparisons are the element type's own (signed or unsigned integers,
// doubles, under which a NaN is neither smaller nor larger than anything).
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

// Number of elements greater than *bound; -1 for a null array or count 0.
template <class T>
Qlong ArrAboveCount(Qword count, const T* x, const T* bound) {
  if (!x || count == 0) return -1;
  const T b = *bound;
  Qword n = 0;
  for (Qword i = 0; i < count; ++i) n += (x[i] > b);
  return static_cast<Qlong>(n);
}

template <class T>
Qlong ArrBelowCount(Qword count, const T* x, const T* bound) {
  if (!x || count == 0) return -1;
  const T b = *bound;
  Qword n = 0;
  for (Qword i = 0; i < count; ++i) n += (x[i] < b);
  return static_cast<Qlong>(n);
}

// Above hi counts as above, else below lo as below, everything else (NaN
// included) as inside; returns the number inside. The two out-counts are set
// to 0 first; a null one is skipped.
template <class T>
Qlong ArrBandCount(Qword count, const T* x, const T* lo, const T* hi, Qword* above, Qword* below) {
  if (above) *above = 0;
  if (below) *below = 0;
  if (!x || count == 0) return 0;
  const T l = *lo, h = *hi;
  Qword na = 0, nb = 0;
  for (Qword i = 0; i < count; ++i) {
    if (x[i] > h)
      ++na;
    else if (x[i] < l)
      ++nb;
  }
  if (above) *above = na;
  if (below) *below = nb;
  return static_cast<Qlong>(count - na - nb);
}

// Crossings of the level between neighbours; a value equal to the level lies
// above it. Both out-counts optional.
template <class T>
Qlong ArrSignInversionsCount(Qword count, const T* x, const T* level, Qword* down, Qword* up) {
  Qword nd = 0, nu = 0;
  if (x && count >= 2) {
    const T v = *level;
    for (Qword i = 1; i < count; ++i) {
      const T a = x[i - 1], b = x[i];
      if (a >= v && v > b)
        ++nd;
      else if (a < v && v <= b)
        ++nu;
    }
  }
  if (down) *down = nd;
  if (up) *up = nu;
  return static_cast<Qlong>(nd + nu);
}

// Index of the first largest (smallest) element; -1 for none. Strict
// comparisons from element 0, so the first of equal extremes wins.
template <class T>
Qlong ArrMaxIndex(Qword count, const T* x) {
  if (!x || count == 0) return -1;
  Qword k = 0;
  for (Qword i = 1; i < count; ++i)
    if (x[i] > x[k]) k = i;
  return static_cast<Qlong>(k);
}

template <class T>
Qlong ArrMinIndex(Qword count, const T* x) {
  if (!x || count == 0) return -1;
  Qword k = 0;
  for (Qword i = 1; i < count; ++i)
    if (x[i] < x[k]) k = i;
  return static_cast<Qlong>(k);
}

// One pass: a new minimum, else a new maximum. Indices none first; a null
// index pointer is skipped.
template <class T>
Dword ArrMinMax(Qword count, const T* x, Qword* imin, Qword* imax) {
  if (imin) *imin = kNoIndex;
  if (imax) *imax = kNoIndex;
  if (!x || count == 0) return kErrMissingInputData;
  Qword lo = 0, hi = 0;
  for (Qword i = 1; i < count; ++i) {
    if (x[i] < x[lo])
      lo = i;
    else if (x[i] > x[hi])
      hi = i;
  }
  if (imin) *imin = lo;
  if (imax) *imax = hi;
  return kErrNone;
}

template <class T>
bool ArrIsValuePresent(Qword count, const T* x, T value, Qword* index) {
  if (index) *index = kNoIndex;
  if (!x || count == 0) return false;
  for (Qword i = 0; i < count; ++i) {
    if (x[i] == value) {
      if (index) *index = i;
      return true;
    }
  }
  return false;
}

// Start of the first longest run of elements equal to value, its length
// through *length (skipped when null); -1 and 0 when there is none.
template <class T>
Qlong ArrLongestBlock(Qword count, const T* x, T value, Qword* length) {
  Qword best_start = kNoIndex, best_len = 0;
  if (x) {
    Qword i = 0;
    while (i < count) {
      if (x[i] != value) {
        ++i;
        continue;
      }
      const Qword start = i;
      while (i < count && x[i] == value) ++i;
      if (i - start > best_len) {
        best_len = i - start;
        best_start = start;
      }
    }
  }
  if (length) *length = best_len;
  return best_len ? static_cast<Qlong>(best_start) : -1;
}

// Order tests. A null array or fewer than 2 elements: false, index untouched.
// At the first failing pair the index receives its first position.
template <class T, bool kIncreasing>
bool ArrIsOrdered(Qword count, const T* x, bool strict, Qword* index) {
  if (!x || count < 2) return false;
  if (index) *index = kNoIndex;
  for (Qword i = 0; i + 1 < count; ++i) {
    const T a = x[i], b = x[i + 1];
    const bool fails = (kIncreasing ? b < a : b > a) || (strict && a == b);
    if (fails) {
      if (index) *index = i;
      return false;
    }
  }
  return true;
}

// Local test for turning points; plateaus pass unless strict.
template <class T>
bool ArrIsMonotonous(Qword count, const T* x, bool strict, Qword* index) {
  if (!x || count < 2) return false;
  if (count == 2) return true;
  for (Qword i = 1; i + 1 < count; ++i) {
    const T p = x[i - 1], v = x[i], q = x[i + 1];
    const bool fails = strict ? ((v >= p && v >= q) || (v <= p && v <= q))
                              : ((v > p && v > q) || (v < p && v < q));
    if (fails) {
      if (index) *index = i;
      return false;
    }
  }
  if (index) *index = count - 1;
  return true;
}

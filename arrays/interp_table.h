// A sorted table read from two arrays or from one array of interleaved
// (x, y) pairs, and the bisection shared by the lookups and the cubic spline.
#pragma once
#include "base/types.h"

namespace interp {

struct Table {
  const double* xs;
  const double* ys;
  Qword stride;  // 1 for two arrays, 2 for interleaved pairs
  Qword n;
  double X(Qword i) const { return xs[i * stride]; }
  double Y(Qword i) const { return ys[i * stride]; }
  bool Present() const { return xs && ys; }
};

inline Table Separate(const double* x, const double* y, Qword n) { return {x, y, 1, n}; }
inline Table Interleaved(const double* xy, Qword n) { return {xy, xy ? xy + 1 : nullptr, 2, n}; }

// The interval [lo, lo + 1] that holds x, for n >= 2; a point equal to a
// knot falls in the interval to its right, points outside in the end ones.
inline Qword Bracket(const Table& t, double x) {
  Qword lo = 0, hi = t.n - 1;
  while (lo + 1 < hi) {
    const Qword mid = lo + (hi - lo) / 2;
    if (x < t.X(mid))
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

}  // namespace interp

// Largest, smallest and extreme elements of real arrays with their indices.
#include "arrays/rarr_extremes.h"

#include <cmath>

#include "arrays/array_scan_templates.h"
#include "scalar/real_helpers.h"

namespace {

inline void SetIndex(Qlong* index, Qlong value) {
  if (index) *index = value;
}

// Index of the first largest (kMax) or smallest element of f(x).
template <bool kMax, class F>
Qlong ScanIndex(Qword count, const double* x, F f) {
  Qword k = 0;
  double best = f(x[0]);
  for (Qword i = 1; i < count; ++i) {
    const double v = f(x[i]);
    if (kMax ? v > best : v < best) {
      best = v;
      k = i;
    }
  }
  return static_cast<Qlong>(k);
}

// One pass: a new minimum, else a new maximum, of f(x).
template <class F>
double RangeScan(Qword count, const double* x, Qlong* imin, Qlong* imax, F f) {
  SetIndex(imin, -1);
  SetIndex(imax, -1);
  if (!x || count == 0) return ___NAN;
  Qword lo = 0, hi = 0;
  double mn = f(x[0]), mx = mn;
  for (Qword i = 1; i < count; ++i) {
    const double v = f(x[i]);
    if (v < mn) {
      mn = v;
      lo = i;
    } else if (v > mx) {
      mx = v;
      hi = i;
    }
  }
  SetIndex(imin, static_cast<Qlong>(lo));
  SetIndex(imax, static_cast<Qlong>(hi));
  return mx - mn;
}

const auto kSelf = [](double v) { return v; };
const auto kMagnitude = [](double v) { return std::fabs(v); };

template <bool kMax, class F>
double Extreme(Qword count, const double* x, Qlong* index, F f) {
  SetIndex(index, -1);
  if (!x || count == 0) return ___NAN;
  const Qlong k = ScanIndex<kMax>(count, x, f);
  SetIndex(index, k);
  return f(x[k]);
}

}  // namespace

VELTRIA_API double RArrMax(Qword count, const double* x, Qlong* index) {
  return Extreme<true>(count, x, index, kSelf);
}
VELTRIA_API double RArrMin(Qword count, const double* x, Qlong* index) {
  return Extreme<false>(count, x, index, kSelf);
}
VELTRIA_API double RArrAbsMax(Qword count, const double* x, Qlong* index) {
  return Extreme<true>(count, x, index, kMagnitude);
}
VELTRIA_API double RArrAbsMin(Qword count, const double* x, Qlong* index) {
  return Extreme<false>(count, x, index, kMagnitude);
}

VELTRIA_API double RArrRangeMinMax(Qword count, const double* x, Qlong* imin, Qlong* imax) {
  return RangeScan(count, x, imin, imax, kSelf);
}
VELTRIA_API double RArrRangeAbsMinMax(Qword count, const double* x, Qlong* imin, Qlong* imax) {
  return RangeScan(count, x, imin, imax, kMagnitude);
}

VELTRIA_API double RArrExtreme(Qword count, const double* x, Qlong* index) {
  Qlong lo, hi;
  SetIndex(index, -1);
  RArrRangeMinMax(count, x, &lo, &hi);
  if (lo < 0) return ___NAN;  // no element examined
  const Qlong k = x[hi] < -x[lo] ? lo : hi;
  SetIndex(index, k);
  return x[k];
}

VELTRIA_API double RArrAbsExtreme(Qword count, const double* x, Qlong* index) {
  return std::fabs(RArrExtreme(count, x, index));
}

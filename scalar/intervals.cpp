// Closed real intervals: ordering, absolute value, distances, gap and union.
#include <cmath>

#include "scalar/numerical_tools.h"

VELTRIA_API double rIntervalNormalize(double* lo, double* hi) {
  const double w = *hi - *lo;
  if (w < 0) {
    const double t = *lo;
    *lo = *hi;
    *hi = t;
  }
  return w;
}

VELTRIA_API double rIntervalAbsVal(double x, double* lo, double* hi, Dword* flags) {
  Dword f = rIntervalNormalize(lo, hi) < 0 ? 1 : 0;
  if (*lo >= 0) {
    *lo = std::fabs(*lo);
    *hi = std::fabs(*hi);
  } else if (*hi <= 0) {
    const double l = *lo;
    *lo = std::fabs(*hi);
    *hi = std::fabs(l);
  } else {
    *hi = std::fmax(std::fabs(*lo), std::fabs(*hi));
    *lo = 0;
    f += 2;
  }
  if (flags) *flags = f;
  return std::fabs(x);
}

VELTRIA_API double rIntervalDistanceFromPoint(double x, double lo, double hi) {
  rIntervalNormalize(&lo, &hi);
  if (x < lo) return x - lo;
  if (x > hi) return x - hi;
  return 0;
}

VELTRIA_API double rIntervalsDistance(double lo1, double hi1, double lo2, double hi2) {
  rIntervalNormalize(&lo1, &hi1);
  rIntervalNormalize(&lo2, &hi2);
  if (lo2 > hi1) return lo2 - hi1;
  if (lo1 > hi2) return hi2 - lo1;
  return 0;
}

VELTRIA_API bool rIntervalsGapAndUnion(double* lo1, double* hi1, double* lo2, double* hi2) {
  rIntervalNormalize(lo1, hi1);
  rIntervalNormalize(lo2, hi2);
  const double l1 = *lo1, h1 = *hi1;
  *lo1 = std::fmin(l1, *lo2);
  *hi1 = std::fmax(h1, *hi2);
  if (*lo2 > h1) {
    *hi2 = *lo2;
    *lo2 = h1;
    return false;
  }
  if (l1 > *hi2) {
    *lo2 = *hi2;
    *hi2 = l1;
    return false;
  }
  *lo2 = std::fmax(*lo2, l1);
  *hi2 = std::fmin(*hi2, h1);
  return true;
}

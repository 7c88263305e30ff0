// Scaled sums of squares and products for the vector norms: the plain sum
// where it is safely inside the range, otherwise coordinates scaled by the
// power of two of the largest magnitude (exact), so no square overflows or
// vanishes in between.
#pragma once
#include <cmath>

#include "base/types.h"
#include "scalar/means_scaling.h"
#include "scalar/real_helpers.h"

// Largest |coordinate|; NaN when a coordinate is NaN and none is infinite.
template <class Get>
double LargestMagnitude(Qword n, Get get) {
  double big = 0;
  bool nan = false;
  for (Qword i = 0; i < n; ++i) {
    const double a = std::fabs(get(i));
    if (a > big) big = a;
    if (a != a) nan = true;
  }
  return nan && big != ___PlsINF ? ___NAN : big;
}

// Euclidean norm of n coordinates given by get(i).
template <class Get>
double ScaledNorm(Qword n, Get get) {
  double sum = 0;
  for (Qword i = 0; i < n; ++i) sum += get(i) * get(i);
  if (sum >= 0x1p-960 && sum <= 0x1p960) return std::sqrt(sum);
  const double big = LargestMagnitude(n, get);
  if (!(big > 0) || big == ___PlsINF) return big;  // 0, NaN or infinity
  const int e = BinaryExponent(big);
  sum = 0;
  for (Qword i = 0; i < n; ++i) {
    const double s = std::ldexp(get(i), -e);
    sum += s * s;
  }
  return std::ldexp(std::sqrt(sum), e);
}

// Cosine of the angle between two coordinate lists: both scaled to a largest
// magnitude in [0.5, 1), so neither the product nor the norms overflow.
template <class GetA, class GetB>
double ScaledCosine(Qword n, GetA a, GetB b) {
  const double ba = LargestMagnitude(n, a), bb = LargestMagnitude(n, b);
  if (ba == 0 || bb == 0) return ___NAN;
  const int ea = BinaryExponent(ba), eb = BinaryExponent(bb);
  double dot = 0, na = 0, nb = 0;
  for (Qword i = 0; i < n; ++i) {
    const double x = std::ldexp(a(i), -ea), y = std::ldexp(b(i), -eb);
    dot += x * y;
    na += x * x;
    nb += y * y;
  }
  return dot / (std::sqrt(na) * std::sqrt(nb));
}

// Euclidean norms scaled by the largest magnitude, so no square overflows
// or underflows; an infinite component gives +infinity even beside a NaN.
#include <cmath>
#include <utility>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rHypot(double a, double b) {
  a = std::fabs(a);
  b = std::fabs(b);
  if (a == ___PlsINF || b == ___PlsINF) return ___PlsINF;
  double big = a, small = b;  // a NaN stays in one of them
  if (b > a) std::swap(big, small);
  if (big == 0) return big + small;  // 0, or NaN when small is NaN
  const double q = small / big;
  const double c = q * q;
  if (q < 1e-3) return big * (1 + c * (0.5 + c * (c / 16 - 0.125)));
  return big * std::sqrt(1 + c);
}

VELTRIA_API double rNorm2D(double a, double b) { return rHypot(a, b); }

VELTRIA_API double rNorm3D(double a, double b, double c) {
  double big = std::fabs(a), p = std::fabs(b), q = std::fabs(c);
  if (big == ___PlsINF || p == ___PlsINF || q == ___PlsINF) return ___PlsINF;
  if (p > big) std::swap(big, p);
  if (q > big) std::swap(big, q);
  if (big == 0) return big + p + q;
  p /= big;
  q /= big;
  return big * std::sqrt(1 + p * p + q * q);
}

VELTRIA_API double rSqrNorm2D(double a, double b) { return a * a + b * b; }
VELTRIA_API double rSqrNorm3D(double a, double b, double c) { return a * a + b * b + c * c; }

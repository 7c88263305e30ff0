// Euclidean norms scaled by the largest magnitude, so no square overflows
// or underflows; an infinite component gives +infinity even beside a NaN.
#include <cmath>
#include <utility>

#include "scalar/elementary.h"
#include "scalar/hypot_givens_inline.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rHypot(double a, double b) { return scalar::HypotInline(a, b); }

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

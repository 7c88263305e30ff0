// Roots, their derivatives and antiderivatives, and signed powers.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rSqrtA(double x) { return (2.0 / 3) * x * std::sqrt(x); }
VELTRIA_API double rSqrtD(double x) { return 0.5 / std::sqrt(x); }

VELTRIA_API double rCbrtA(double x) {
  const double c = std::cbrt(x);
  const double c2 = c * c;
  return 0.75 * c2 * c2;
}

VELTRIA_API double rCbrtD(double x) {
  const double c = std::cbrt(x);
  return (1.0 / 3) / (c * c);
}

// rPow ignores the sign, so an odd root of a negative value is positive.
VELTRIA_API double rRoot(double x, Qword n) {
  if (n == 0) return ___NAN;
  if (n == 1) return x;
  return rPow(x, 1.0 / static_cast<double>(n));
}

VELTRIA_API double rSignedPower(double a, double b) { return a >= 0 ? rPow(a, b) : -rPow(-a, b); }

// Antiderivative of 1/sqrt(b + a x).
VELTRIA_API double rSqrt1DivBplusAxA(double x, double b, double a) {
  if (a != 0) {
    const double u = b + a * x;
    if (u < 0) return ___NAN;
    return 2 * std::sqrt(u) / a;
  }
  if (b < 0) return ___NAN;
  return x / std::sqrt(b);
}

// One trigonometric or hyperbolic value from another. Differences of
// squares are factored, and large arguments scaled, so nothing cancels or
// overflows on the way; the out-parameter stays untouched on NaN.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
// 1/sqrt(1 + t^2) without overflow of t^2.
double InvSqrtOnePlusSquare(double t) {
  const double m = std::fabs(t);
  if (m > 1) return 1 / (m * std::sqrt(1 + 1 / m / m));
  return 1 / std::sqrt(1 + m * m);
}
}  // namespace

VELTRIA_API double rCosFromSin(double x) {
  if (std::fabs(x) > 1) return ___NAN;
  return std::sqrt(1 + x) * std::sqrt(1 - x);
}
VELTRIA_ALIAS(double, rSinFromCos, (double), rCosFromSin);

VELTRIA_API double rCosSinFromTan(double t, double* sin_out) {
  const double c = InvSqrtOnePlusSquare(t);
  if (sin_out) *sin_out = t * c;
  return c;
}

VELTRIA_API double rSinCosFromTan(double t, double* cos_out) {
  const double c = InvSqrtOnePlusSquare(t);
  if (cos_out) *cos_out = c;
  return t * c;
}

VELTRIA_API double rCoshSinhFromTanh(double u, double* sinh_out) {
  if (std::fabs(u) > 1) return ___NAN;
  const double c = 1 / (std::sqrt(1 - u) * std::sqrt(1 + u));
  if (sinh_out) *sinh_out = u * c;
  return c;
}

VELTRIA_API double rSinhCoshFromTanh(double u, double* cosh_out) {
  if (std::fabs(u) > 1) return ___NAN;
  const double c = 1 / (std::sqrt(1 - u) * std::sqrt(1 + u));
  if (cosh_out) *cosh_out = c;
  return u * c;
}

VELTRIA_API double rSinhFromCosh(double c) {
  if (c < 1) return ___NAN;
  return std::sqrt(c + 1) * std::sqrt(c - 1);
}

VELTRIA_API double rCoshFromSinh(double s) { return rHypot(1, s); }

// sqrt(c^2 - 1)/|c| as sqrt(|c| - 1) sqrt(|c| + 1)/|c|: exact near 1 and
// finite for the largest c.
VELTRIA_API double rTanhFromCosh(double c) {
  const double m = std::fabs(c);
  if (m < 1) return ___NAN;
  return std::sqrt(m - 1) * std::sqrt(m + 1) / m;
}

VELTRIA_API double rTanhFromSinh(double s) { return s * InvSqrtOnePlusSquare(s); }

VELTRIA_API double rTan2XFromTanX(double t) {
  const double m = std::fabs(t);
  if (m >= 1) return ___NAN;
  return 2 * t / (1 + m) / (1 - m);
}

VELTRIA_API double rTanXFromTan2X(double t) {
  const double m = std::fabs(t);
  if (m > 1) return t / (1 + m * std::sqrt(1 + 1 / t / t));
  return t / (1 + std::sqrt(1 + t * t));
}

// The inverse error function: a two-branch polynomial guess and its
// refinement to full precision.
#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kCentral[] = {2.81022636e-08,  3.43273939e-07, -3.5233877e-06,
                               -4.39150654e-06, 0.00021858087,  -0.00125372503,
                               -0.00417768164,  0.246640727,    1.50140941};
constexpr double kTail[] = {-0.000200214257, 0.000100950558, 0.00134934322,
                            -0.00367342844,  0.00573950773,  -0.0076224613,
                            0.00943887047,   1.00167406,     2.83297682};

double Horner(const double (&c)[9], double w) {
  double p = 0;
  for (double a : c) p = p * w + a;
  return p;
}

constexpr double kTwoDivSqrtPi = 1.1283791670955126;
constexpr double kSqrtPiDivTwo = 0.886226925452758;
}  // namespace

VELTRIA_API double rErfInvFast(double x) {
  if (x < 0) return -rErfInvFast(-x);
  if (x >= 1) return ___NAN;
  double w = -rLog((1 + x) * (1 - x));
  if (w < 5) return x * Horner(kCentral, w - 2.5);
  return x * Horner(kTail, rSqrt(w) - 3);
}

// The guess is off by up to 12 % near |x| = 1, which would ruin tail
// quantiles. Up to |x| = 0.5 Halley's method on erf y - x refines it; above,
// Newton's method on ln erfc y - ln(1 - x), where 1 - x is exact and the
// logarithm is nearly linear in y, so a far guess still converges in a few
// steps.
VELTRIA_API double rErfInv(double x) {
  if (x < 0) return -rErfInv(-x);
  double y = rErfInvFast(x);
  if (rIsNAN(y) || y == 0) return y;
  const double q = 1 - x;
  for (int i = 0; i < 8; ++i) {
    double step;
    if (x <= 0.5) {
      const double d = (rErf(y) - x) / (kTwoDivSqrtPi * rExp(-y * y));
      step = d / (1 + y * d);
    } else {
      const double e = rErfc(y);
      step = -rLog(e / q) * e * kSqrtPiDivTwo * rExp(y * y);
    }
    y -= step;
    if (rAbs(step) <= 4 * ___EpsReal * y) break;
  }
  return y;
}

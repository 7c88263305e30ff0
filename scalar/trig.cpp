// Trigonometric forms: arc cosine over the whole domain, derivatives and
// antiderivatives, secant, degree conversions and the sinc function.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kPi = 3.141592653589793;
}

// The negative half through pi - acos|x|.
VELTRIA_API double rAcos(double x) {
  const double a = std::fabs(x);
  if (a > 1) return ___NAN;
  if (x >= 0) return std::acos(x);
  return kPi - std::acos(a);
}

VELTRIA_API double rAtanD(double x) { return 1 / (1 + x * x); }
VELTRIA_API double rTanA(double x) { return -rLog(std::fabs(std::cos(x))); }
VELTRIA_API double rTanD(double x) {
  const double t = std::tan(x);
  return 1 + t * t;
}
VELTRIA_API double rSec(double x) { return 1 / std::cos(x); }

VELTRIA_API double rDegToRad(double x) { return 0.017453292519943295 * x; }
VELTRIA_API double rRadToDeg(double x) { return 57.29577951308232 * x; }

// Also the spherical Bessel function j0.
VELTRIA_API double rSinc(double x) {
  const double a = std::fabs(x);
  if (a < 0.001) {
    const double a2 = a * a;
    return 1 + a2 * (a2 * 0.008333333333333333 - 0.16666666666666666);
  }
  return std::sin(a) / a;
}

VELTRIA_API double rSincNormalized(double x) { return rSinc(kPi * x); }

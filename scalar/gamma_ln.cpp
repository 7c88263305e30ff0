// The log-gamma kernel, ln|Gamma(x)| by reflection for small and negative
// x, and the exactly reduced sin(pi x) and cos(pi x) of the family.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

namespace gamma_detail {

namespace {
// r = x - 2k with k = round(x/2), exact for every finite x, in [-1, 1].
double ReduceMod2(double x) { return x - 2.0 * rRound(0.5 * x); }
}  // namespace

double SinPi(double x) {
  if (rIsNAN(x)) return ___NAN;
  double r = ReduceMod2(x);
  double sign = 1.0;
  if (r < 0) {
    r = -r;
    sign = -1.0;
  }
  if (r > 0.5) r = 1.0 - r;  // sin(pi r) = sin(pi (1 - r)), exact
  if (r == 0) return 0.0;
  return sign * rSin(kPi * r);
}

double CosPi(double x) {
  if (rIsNAN(x)) return ___NAN;
  double r = rAbs(ReduceMod2(x));  // cos is even
  double sign = 1.0;
  if (r > 0.5) {
    r = 1.0 - r;
    sign = -1.0;
  }
  if (r == 0.5) return 0.0;
  return sign * rSin(kPi * (0.5 - r));
}

double LogOfPositive(double x) {
  if (x > 1e-300) return rLog(x);
  return rLog(x * 1.2676506002282294e30) - 69.31471805599453;  // x 2^100, ln 2^100
}

double BinetRemainder(double s) {
  // Stieltjes fraction coefficients a0..a6.
  static constexpr double a[7] = {0.08333333333333333, 0.03333333333333333, 0.2523809523809524,
                                  0.5256064690026954,  1.0115230681268417,  1.5174736491532874,
                                  2.2694889742049598};
  double t = s + a[6] / s;
  for (int i = 5; i >= 1; --i) t = s + a[i] / t;
  return a[0] / t;
}

}  // namespace gamma_detail

using namespace gamma_detail;

VELTRIA_INTERNAL double rGammaLnStieltjes(double x) {
  double s = x;
  double product = 1.0;
  const bool shifted = s < 8.5;
  while (s < 8.5) {
    product *= s;
    s += 1.0;
  }
  const double l = kHalfLn2Pi + (s - 0.5) * rLog(s) - s + BinetRemainder(s);
  return shifted ? l - rLog(product) : l;
}

VELTRIA_API double rGammaLn(double x) {
  if (x > ___SqrtEpsReal) return rGammaLnStieltjes(x);
  if (rIsNAN(x)) return ___NAN;
  // Reflection with the positive sine of the fractional part, so both signs
  // of Gamma give ln|Gamma|. rFloor stays exact where an integer floor would
  // overflow.
  const double f = x - rFloor(x);
  if (f == 0) return ___NAN;  // pole
  return kLnPi - rLog(SinPi(f)) - rGammaLn(1.0 - x);
}

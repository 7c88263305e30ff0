// The log-gamma kernel, ln|Gamma(x)| by reflection for small and negative
// x, and the exactly reduced sin(pi x) and cos(pi x) of the family.
// Below kStirlingFrom the argument is shifted to 2 + z, |z| <= 1/2, where a
// Taylor series has no cancellation at the zeros 1 and 2; the shift product
// is kept in double-double.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/gamma_tables.h"
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

static_assert(kLnGamma2Terms % 2 == 0, "the series runs in even and odd halves");

double LnGamma2(double z) {
  // Even and odd halves of the series run side by side.
  const double* c = kLnGamma2Series;
  const double z2 = z * z;
  double even = c[kLnGamma2Terms - 2];
  double odd = c[kLnGamma2Terms - 1];
  for (int i = kLnGamma2Terms - 4; i >= 0; i -= 2) {
    even = c[i] + z2 * even;
    odd = c[i + 1] + z2 * odd;
  }
  return z * (even + z * odd);
}

ShiftedProduct ShiftDown(double x) {
  // Every factor x - k is exact (k is an integer below x < 2^52).
  const int n = static_cast<int>(x - 1.5);
  dd::DD p{x - 1.0, 0.0};
  for (int k = 2; k <= n; ++k) p = dd::Mul(p, x - k);
  return {x - (2.0 + n), p};
}

}  // namespace gamma_detail

using namespace gamma_detail;

VELTRIA_INTERNAL double rGammaLnStieltjes(double x) {
  if (x >= kStirlingFrom) {
    // (s - 1/2)(ln s - 1) keeps the large terms from cancelling.
    return (x - 0.5) * (std::log(x) - 1.0) + kHalfLn2PiMinusHalf + BinetRemainder(x);
  }
  if (x < 0.5) return (LnGamma2(x) - std::log1p(x)) - std::log(x);
  if (x < 1.5) return LnGamma2(x - 1.0) - std::log1p(x - 1.0);  // x - 1 is exact
  if (x < 2.5) return LnGamma2(x - 2.0);
  const ShiftedProduct s = ShiftDown(x);
  return LnGamma2(s.z) + (std::log(s.p.hi) + s.p.lo / s.p.hi);
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

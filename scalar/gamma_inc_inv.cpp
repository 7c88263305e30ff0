// Inverse of the regularised lower incomplete gamma function by Halley's
// method from a normal or power-law estimate.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rGammaIncPInv(double a, double p) {
  const double lga = rGammaLn(a);
  if (rIsNAN(a) || rIsNAN(p) || a <= 0) return ___NAN;
  if (p < 0 || p > 1) return ___NAN;
  if (p == 1) {
    const double far = a + 100.0 * rSqrt(a);
    return far > 100.0 ? far : 100.0;
  }
  if (p == 0) return 0.0;

  const double a1 = a - 1.0;
  double lna1 = 0;
  double afac = 0;
  double x;
  if (a > 1) {
    lna1 = rLog(a1);
    afac = rExp(a1 * (lna1 - 1.0) - lga);
    const double pp = p < 0.5 ? p : 1.0 - p;
    const double t = rSqrt(-2.0 * rLog(pp));
    double z = (2.30753 + 0.27061 * t) / (1.0 + t * (0.99229 + 0.04481 * t)) - t;
    if (p < 0.5) z = -z;
    const double c = 1.0 - 1.0 / (9.0 * a) - z / (3.0 * rSqrt(a));
    x = a * c * c * c;
    if (!(x > 0.001)) x = 0.001;
    // Deep in the lower tail the normal estimate fails (0.001 is far above
    // roots such as 1e-128 for a = 2.3, p = 1e-300, and 12 steps cannot
    // walk there).
    if (p < 0.5) {
      // ln P = a ln x - x - lnGamma(a + 1) + ln S with the series S about
      // 1/(1 - x/(a + 1)); a few fixed-point steps on that.
      const double c = rLog(p) + rGammaLn(a + 1.0);
      double xs = rExp(c / a);
      for (int k = 0; k < 4 && xs < 0.5 * a; ++k) xs = rExp((c + xs + rLog1p(-xs / (a + 1.0))) / a);
      if (xs < 0.5 * a) x = xs;
      if (x <= ___MinReal) return 0.0;
    }
  } else {
    const double t = 1.0 - a * (0.253 + 0.12 * a);
    x = p < t ? rPow(p / t, 1.0 / a) : 1.0 - rLog(1.0 - (p - t) / (1.0 - t));
    // rPow clamps an underflow at ___MinReal: the root lies below every
    // double whose logarithm the iteration can take.
    if (x <= ___MinReal) return 0.0;
  }

  for (int j = 0; j < 12; ++j) {
    if (x <= 0) return 0.0;
    const double err = rGammaIncP(a, x) - p;
    const double density =
        a > 1 ? afac * rExp(-(x - a1) + a1 * (rLog(x) - lna1)) : rExp(-x + a1 * rLog(x) - lga);
    if (!(density > 0) || rIsNAN(density)) break;  // no slope left to follow
    const double u = err / density;
    double m = u * ((a - 1.0) / x - 1.0);
    if (m > 1.0) m = 1.0;
    const double step = u / (1.0 - 0.5 * m);
    x -= step;
    if (x <= 0) x = 0.5 * (x + step);
    if (rAbs(step) < 1e-8 * x) break;
  }
  return x;
}

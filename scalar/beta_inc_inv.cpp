// Inverse of the regularised incomplete beta function by Halley's method.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rBetaIncRegInv(double p, double a, double b) {
  if (rIsNAN(p) || rIsNAN(a) || rIsNAN(b)) return ___NAN;
  if (a <= 0 || b <= 0) return ___NAN;
  if (p < 0 || p > 1) return ___NAN;
  if (p < ___EpsReal) return 0.0;
  if (!rIsDifferentRel(p, 1.0, ___5EpsReal)) return 1.0;

  double x;
  if (a >= 1 && b >= 1) {
    const double pp = p < 0.5 ? p : 1.0 - p;
    const double t = rSqrt(-2.0 * rLog(pp));
    double z = (2.30753 + 0.27061 * t) / (1.0 + t * (0.99229 + 0.04481 * t)) - t;
    if (p < 0.5) z = -z;
    const double al = (z * z - 3.0) / 6.0;
    const double h = 2.0 / (1.0 / (2.0 * a - 1.0) + 1.0 / (2.0 * b - 1.0));
    const double w = z * rSqrt(al + h) / h -
                     (1.0 / (2.0 * b - 1.0) - 1.0 / (2.0 * a - 1.0)) * (al + 5.0 / 6.0 - 2.0 / (3.0 * h));
    x = a / (a + b * rExp(2.0 * w));
  } else {
    const double t = rPow(a / (a + b), a) / a;
    const double u = rPow(b / (a + b), b) / b;
    const double w = t + u;
    x = p < t / w ? rPow(a * w * p, 1.0 / a) : 1.0 - rPow(b * w * (1.0 - p), 1.0 / b);
  }

  const double afac = -rBetaLn(a, b);
  for (int j = 0; j < 10; ++j) {
    if (x < ___EpsReal) return 0.0;
    if (!rIsDifferentRel(x, 1.0, ___5EpsReal)) return 1.0;
    const double err = rBetaIncReg(x, a, b) - p;
    const double density = rExp((a - 1.0) * rLog(x) + (b - 1.0) * rLog(1.0 - x) + afac);
    const double u = err / density;
    double m = u * ((a - 1.0) / x - (b - 1.0) / (1.0 - x));
    if (m > 1.0) m = 1.0;
    const double step = u / (1.0 - 0.5 * m);
    x -= step;
    if (x <= 0) x = 0.5 * (x + step);
    if (x >= 1) x = 0.5 * (x + step + 1.0);
    if (j > 0 && rAbs(step) < ___EpsReal * x) break;
  }
  return x;
}

// Closed-form indefinite integrals of rational and algebraic integrands. Exact comparisons with 0
// and 1 select the cases.
#include "scalar/closed_integrals.h"

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rAS_3_3_14(double x, double a, double b, Qlong n) {
  if (n == 0) return x;
  if (b != 0) {
    if (n == -1) return rLog(rAbs(b * x + a)) / b;
    return riPower(b * x + a, n + 1) / ((static_cast<double>(n) + 1) * b);
  }
  return x * riPower(a, n);
}

VELTRIA_API double rAS_3_3_16(double x, double a, double b, double c) {
  const double d = b * b - 4 * a * c;
  const double e = 2 * c * x + b;
  if (d > 0) {
    const double s = rSqrt(d);
    return rLog(rAbs((e - s) / (e + s))) / s;
  }
  if (d < 0) {
    const double s = rSqrt(-d);
    return (2 / s) * rAtan(e / s);
  }
  return -2 / e;
}

VELTRIA_API double rAS_3_3_19(double x, double a, double b, double c) {
  if (c != 0) {
    const double l = rLog(rAbs(a + x * (b + x * c)));
    if (b == 0) return l / (2 * c);
    return (l - b * rAS_3_3_16(x, a, b, c)) / (2 * c);
  }
  if (b == 0) return a == 0 ? ___NAN : x * x / (2 * a);
  if (a == 0) return x / b;
  return x / b - (a / (b * b)) * rLog(rAbs(a + b * x));
}

VELTRIA_API double rAS_3_3_20(double x, double p1, double p0, double q1, double q0) {
  const double d = p0 * q1 - p1 * q0;
  if (d != 0) return rLog(rAbs((q1 * x + q0) / (p1 * x + p0))) / d;
  if (q1 != 0) return -1 / q1 / (p1 * x + p0);
  if (p1 == 0) return x / (p0 * q0);
  return ___NAN;
}

VELTRIA_API double rAS_3_3_21(double x, double a, double b) {
  if (b == 0) return a == 0 ? ___NAN : x / (a * a);
  if (a == 0) return -1 / (b * b * x);
  return rAtanXY(a, b * x) / (a * b);
}

VELTRIA_API double rAS_3_3_22(double x, double a, double b) {
  if (b == 0) return a == 0 ? ___NAN : 0.5 * (x / a) * (x / a);
  return 0.5 * rLog(rAbs(a * a + b * b * x * x)) / (b * b);
}

VELTRIA_API double rAS_3_3_33(double x, double a, double b, double c) {
  if (c > 0 && c != 1) return rAS_3_3_33(x, a / c, b / c, 1) / rSqrt(c);
  if (c == 1) {
    const double q = 4 * a - b * b;
    if (q > 0) return rAsinh((2 * x + b) / rSqrt(q));
    if (q == 0) return rLog(rAbs(2 * x + b));
    return ___NAN;
  }
  if (c < 0) {
    const double d = b * b - 4 * a * c;
    if (d <= 0) return ___NAN;
    const double e = 2 * c * x + b;
    const double s = rSqrt(d);
    if (rAbs(e) <= s) return -rAsin(e / s) / rSqrt(-c);
    return ___NAN;
  }
  return ___NAN;
}

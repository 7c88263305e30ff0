// Rounding, parts, modulo, the radix split, integer and real powers, and the
// frequency-period-angle conversions.
#include <cmath>

#include "scalar/c_wrappers.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

VELTRIA_API double rFloor(double x) { return c_Floor(x); }
VELTRIA_API double rCeil(double x) { return c_Ceil(x); }
VELTRIA_API double rRound(double x) { return c_Round(x); }
VELTRIA_API double rTrunc(double x) { return c_Trunc(x); }
VELTRIA_API double rFmod(double a, double b) { return c_Fmod(a, b); }

VELTRIA_API double rModf(double x, double* integer_part) {
  double ip;
  const double frac = std::modf(x, &ip);
  if (integer_part) *integer_part = ip;
  return frac;
}

VELTRIA_API double rModuloOne(double x, double* integer_part) {
  double rest = 0;
  double whole = x;
  if (x + 1 > x) {
    whole = std::floor(x);
    rest = x - whole;
    if (rest < 0) {
      rest = 0;
    } else if (rest >= 1) {
      rest = 0;
      whole += 1;
    }
  }
  if (integer_part) *integer_part = whole;
  return rest;
}

VELTRIA_API double rModuloPeriod(double x, double period, double* multiple) {
  const double t = std::fabs(period);
  double rest = 0;
  double mult = x;
  if (x + t > x) {
    mult = t * std::floor(x / t);
    rest = x - mult;
    if (rest < 0) {
      rest = 0;
    } else if (rest >= t) {
      rest = 0;
      mult += t;
    }
  }
  if (multiple) *multiple = mult;
  return rest;
}

VELTRIA_API double rPhaseInPeriod(double x, double period, double* multiple) {
  return rModuloPeriod(x, period, multiple) / period * kTwoPi;
}

VELTRIA_API double rMultiplyByRadixToExponent(double x, Long exponent, Dword radix) {
  return x * riPower(static_cast<double>(radix), exponent);
}

VELTRIA_API double rByMin1toI(double x, Qword n) { return (n & 1) ? -x : x; }
VELTRIA_ALIAS(double, rByMin1toU, (double, Qword), rByMin1toI);
VELTRIA_API double rMin1toI(Qword n) { return (n & 1) ? -1.0 : 1.0; }
VELTRIA_ALIAS(double, rMin1toU, (Qword), rMin1toI);

VELTRIA_API double ruPower(double x, Qword n) {
  if (n == 0) return 1.0;
  double result = 0;
  bool have = false;
  double power = x;
  for (;;) {
    if (n & 1) {
      result = have ? result * power : power;
      have = true;
    }
    n >>= 1;
    if (n == 0) break;
    power *= power;
  }
  return result;
}

VELTRIA_API double riPower(double x, Qlong n) {
  if (n >= 0) return ruPower(x, static_cast<Qword>(n));
  if (x == 0) return ___NAN;
  return 1.0 / ruPower(x, Qword{0} - static_cast<Qword>(n));
}

VELTRIA_API double rPow(double a, double b) {
  if (1.0 + b == 1.0) return 1.0;
  // The product decides the clamps; the value itself comes from the C
  // library's correctly handled power, because exp(b ln|a|) carries the
  // rounding error of ln|a| times b (hundreds of ulp for |b| near 30).
  const double e = b * std::log(std::fabs(a));
  if (std::isnan(e)) return ___NAN;
  if (e > ___LnMaxReal) return ___MaxReal;
  if (e < ___LnMinReal) return ___MinReal;
  const double p = std::pow(std::fabs(a), b);
  return p > ___MaxReal ? ___MaxReal : p;
}

VELTRIA_API double rHzToRads(double f) { return f * kTwoPi; }
VELTRIA_API double rRadsToHz(double w) { return w / kTwoPi; }
VELTRIA_API double rHzToPeriod(double x) { return 1.0 / x; }
VELTRIA_ALIAS(double, rPeriodToHz, (double), rHzToPeriod);
VELTRIA_API double rPeriodToRads(double x) { return kTwoPi / x; }
VELTRIA_ALIAS(double, rRadsToPeriod, (double), rPeriodToRads);

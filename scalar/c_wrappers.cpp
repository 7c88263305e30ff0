// Each wrapper calls the C maths function of its name and adds nothing.
#include "scalar/c_wrappers.h"

#include <bit>
#include <cmath>

#define WRAP1(Name, fn) \
  VELTRIA_API double Name(double x) { return std::fn(x); }
#define WRAP2(Name, fn) \
  VELTRIA_API double Name(double x, double y) { return std::fn(x, y); }

WRAP1(c_Acos, acos)
WRAP1(c_Acosh, acosh)
WRAP1(c_Asin, asin)
WRAP1(c_Asinh, asinh)
WRAP1(c_Atan, atan)
WRAP2(c_Atan2, atan2)
WRAP1(c_Atanh, atanh)
WRAP1(c_Cbrt, cbrt)
WRAP1(c_Ceil, ceil)
WRAP2(c_Copysign, copysign)
WRAP1(c_Cos, cos)
WRAP1(c_Cosh, cosh)
WRAP1(c_Erf, erf)
WRAP1(c_Erfc, erfc)
WRAP1(c_Exp, exp)
WRAP1(c_Exp2, exp2)
WRAP1(c_Expm1, expm1)
WRAP2(c_Fdim, fdim)
WRAP1(c_Floor, floor)
WRAP2(c_Fmax, fmax)
WRAP2(c_Fmin, fmin)
WRAP2(c_Fmod, fmod)
WRAP2(c_Hypot, hypot)
WRAP1(c_Lgamma, lgamma)
WRAP1(c_Log, log)
WRAP1(c_Log10, log10)
WRAP1(c_Log1p, log1p)
WRAP1(c_Log2, log2)
WRAP2(c_Nextafter, nextafter)
WRAP2(c_Pow, pow)
WRAP2(c_Remainder, remainder)
WRAP1(c_Round, round)
WRAP1(c_Sin, sin)
WRAP1(c_Sinh, sinh)
WRAP1(c_Sqrt, sqrt)
WRAP1(c_Tan, tan)
WRAP1(c_Tanh, tanh)
WRAP1(c_Tgamma, tgamma)
WRAP1(c_Trunc, trunc)

VELTRIA_API double c_Fabs(double x) {
  return std::bit_cast<double>(std::bit_cast<Qword>(x) & 0x7FFFFFFFFFFFFFFF);
}
VELTRIA_API double c_Fma(double x, double y, double z) { return std::fma(x, y, z); }
VELTRIA_API double c_Frexp(double x, Long* exponent) {
  int e = 0;
  const double m = std::frexp(x, &e);
  *exponent = e;
  return m;
}
VELTRIA_API double c_Ldexp(double x, Long exponent) { return std::ldexp(x, exponent); }
VELTRIA_API double c_Modf(double x, double* integer_part) { return std::modf(x, integer_part); }
VELTRIA_API double c_Remquo(double x, double y, Long* quotient) {
  int q = 0;
  const double r = std::remquo(x, y, &q);
  *quotient = q;
  return r;
}
// lround's 64-bit result narrowed to 32 bits through the one conversion rule:
// out of range gives the smallest value.
VELTRIA_API Long c_Lround(double x) {
  const double r = std::round(x);
  return (r >= -2147483648.0 && r <= 2147483647.0) ? static_cast<Long>(r) : INT32_MIN;
}
VELTRIA_API Long c_Isnan(double x) { return std::isnan(x) ? 1 : 0; }
VELTRIA_API double c_Nan(const char*) { return std::bit_cast<double>(Qword{0x7FF8000000000000}); }

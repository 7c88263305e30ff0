// The plain members of the elementary family: the C library's function,
// with its own results at domain errors and overflow.
#include "scalar/c_wrappers.h"
#include "scalar/elementary.h"

VELTRIA_API double rAcosh(double x) { return c_Acosh(x); }
VELTRIA_API double rAsin(double x) { return c_Asin(x); }
VELTRIA_API double rAsinh(double x) { return c_Asinh(x); }
VELTRIA_API double rAtan(double x) { return c_Atan(x); }
VELTRIA_API double rAtanh(double x) { return c_Atanh(x); }
VELTRIA_API double rCbrt(double x) { return c_Cbrt(x); }
VELTRIA_API double rCos(double x) { return c_Cos(x); }
VELTRIA_API double rExp2(double x) { return c_Exp2(x); }
// A null exponent address is allowed: the exponent is then dropped.
VELTRIA_API double rFrexp(double x, Long* exponent) {
  Long e;
  return c_Frexp(x, exponent ? exponent : &e);
}
VELTRIA_API double rLdexp(double x, Long e) { return c_Ldexp(x, e); }
VELTRIA_API double rLog1p(double x) { return c_Log1p(x); }
VELTRIA_API double rSin(double x) { return c_Sin(x); }
VELTRIA_API double rSinh(double x) { return c_Sinh(x); }
VELTRIA_API double rSqrt(double x) { return c_Sqrt(x); }
VELTRIA_API double rTan(double x) { return c_Tan(x); }
VELTRIA_API double rTanh(double x) { return c_Tanh(x); }

// The IEEE foundation every layer stands on: the exported real constants
// (bit patterns), the special-value tests, the magnitude and the radix split
// that the number writers of base use. The scalar helpers build on these.
#pragma once
#include "base/types.h"

VELTRIA_API const double ___EpsReal;
VELTRIA_API const double ___2EpsReal;
VELTRIA_API const double ___5EpsReal;
VELTRIA_API const double ___SqrtEpsReal;
VELTRIA_API const double ___Root3EpsReal;
VELTRIA_API const double ___Root4EpsReal;
VELTRIA_API const double ___Root5EpsReal;
VELTRIA_API const double ___LnEpsReal;
VELTRIA_API const double ___MaxReal;
VELTRIA_API const double ___SqrtMaxReal;
VELTRIA_API const double ___Root3MaxReal;
VELTRIA_API const double ___Root4MaxReal;
VELTRIA_API const double ___Root5MaxReal;
VELTRIA_API const double ___LnMaxReal;
VELTRIA_API const double ___MinReal;
VELTRIA_API const double ___SqrtMinReal;
VELTRIA_API const double ___LnMinReal;
VELTRIA_API const double ___MinRegularReal;
// Constant-initialised, so no static initialiser anywhere sees them unset.
VELTRIA_API const double ___NAN;
VELTRIA_API const double ___PlsINF;
VELTRIA_API const double ___MnsINF;

// Special values, recognised by bit pattern.
VELTRIA_API bool rIsNAN(double x);  // NaN or either infinity
VELTRIA_API bool rIsNotNAN(double x);
VELTRIA_API bool rIsPlsINF(double x);
VELTRIA_API bool rIsMnsINF(double x);
VELTRIA_API double rAbs(double x);
// x = m * radix^e with 1 <= |m| < radix; 0 gives m = 0, e = 0x80000001.
VELTRIA_API double rMantissaAndExponent(double x, Long* exponent, Dword radix);

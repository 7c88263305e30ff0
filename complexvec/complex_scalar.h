// Exported functions of complex values with a real, flag or status result:
// modulus, argument, parts, norms, distances, quadrants.
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

VELTRIA_API double cReal(COMPLEX z);
VELTRIA_API double cImag(COMPLEX z);
VELTRIA_API double cAbs(COMPLEX z);     // hypotenuse without overflow
VELTRIA_API double cAbs2(COMPLEX z);    // re^2 + im^2, unscaled
VELTRIA_API double cArg(COMPLEX z);     // in (-pi, pi]
VELTRIA_API double cNormL1(COMPLEX z);  // |re| + |im|
VELTRIA_API double cDistance(COMPLEX a, COMPLEX b);
VELTRIA_API double cDistanceSquare(COMPLEX a, COMPLEX b);
VELTRIA_API double cDistanceL1(COMPLEX a, COMPLEX b);
// Divides z by its modulus when that is > 0; returns the modulus.
VELTRIA_API double cNormalize(COMPLEX* z);
// Bit 0: re < 0; bit 1: im < 0 (NaN parts count as not negative).
VELTRIA_API Dword cQuadrant(COMPLEX z);
VELTRIA_API bool cAreInSameQuadrant(COMPLEX a, COMPLEX b);
// a.re b.re + a.im b.im >= 0; false when that is NaN.
VELTRIA_API bool cIsAngleAcute(COMPLEX a, COMPLEX b);

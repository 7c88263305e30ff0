// Modulus, argument, parts, norms, distances and quadrants.
#include "complexvec/complex_scalar.h"

#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double cReal(COMPLEX z) { return z.re; }
VELTRIA_API double cImag(COMPLEX z) { return z.im; }
VELTRIA_API double cAbs(COMPLEX z) { return rHypot(z.re, z.im); }
VELTRIA_API double cAbs2(COMPLEX z) { return rSqrNorm2D(z.re, z.im); }
VELTRIA_API double cArg(COMPLEX z) { return rAzimuth(z.re, z.im); }
VELTRIA_API double cNormL1(COMPLEX z) { return std::fabs(z.re) + std::fabs(z.im); }
VELTRIA_API double cDistance(COMPLEX a, COMPLEX b) { return cAbs(b - a); }
VELTRIA_API double cDistanceSquare(COMPLEX a, COMPLEX b) { return cAbs2(b - a); }
VELTRIA_API double cDistanceL1(COMPLEX a, COMPLEX b) { return cNormL1(b - a); }

VELTRIA_API double cNormalize(COMPLEX* z) {
  if (!z) return ___NAN;
  const double m = cAbs(*z);
  if (m > 0) *z = *z / m;
  return m;
}

VELTRIA_API Dword cQuadrant(COMPLEX z) { return (z.re < 0 ? 1u : 0u) | (z.im < 0 ? 2u : 0u); }

VELTRIA_API bool cAreInSameQuadrant(COMPLEX a, COMPLEX b) {
  return rHaveSameSign(a.re, b.re) && rHaveSameSign(a.im, b.im);
}

VELTRIA_API bool cIsAngleAcute(COMPLEX a, COMPLEX b) { return a.re * b.re + a.im * b.im >= 0; }

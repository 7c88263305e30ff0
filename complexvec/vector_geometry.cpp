// Plane geometry on lengths and points: Ptolemy's excess, triangle angle,
// area and median from the sides, and the perimeter of an ellipse.
#include <algorithm>
#include <cmath>

#include "complexvec/vectors.h"
#include "scalar/elementary.h"
#include "scalar/elliptic_internal.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rPtolemysExcess(double p, double q, double r, double s, double t, double u) {
  return p * r + q * s - t * u;
}

VELTRIA_API double rPtolemysExcessV(Qword, VECTORnD a, VECTORnD b, VECTORnD c, VECTORnD d) {
  return rDistanceV(a, b) * rDistanceV(c, d) + rDistanceV(b, c) * rDistanceV(d, a) -
         rDistanceV(a, c) * rDistanceV(b, d);
}

VELTRIA_API double rPtolemysExcessV2(const VECTOR2D& a, const VECTOR2D& b, const VECTOR2D& c,
                                     const VECTOR2D& d) {
  return rDistanceV2(a, b) * rDistanceV2(c, d) + rDistanceV2(b, c) * rDistanceV2(d, a) -
         rDistanceV2(a, c) * rDistanceV2(b, d);
}

VELTRIA_API double rPtolemysExcessV3(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& c,
                                     const VECTOR3D& d) {
  return rDistanceV3(a, b) * rDistanceV3(c, d) + rDistanceV3(b, c) * rDistanceV3(d, a) -
         rDistanceV3(a, c) * rDistanceV3(b, d);
}

VELTRIA_API double rTriangleAcos(double a, double b, double c) {
  const double d = 2 * b * c;
  const double e = c * c + b * b - a * a;
  if (d == 0 || std::fabs(e) > std::fabs(d)) return ___NAN;
  return e / d;
}

VELTRIA_API double rTriangleAsin(double a, double b, double c) {
  const double cosine = rTriangleAcos(a, b, c);
  if (rIsNAN(cosine)) return ___NAN;
  return rCosFromSin(cosine);
}

VELTRIA_API double rTriangleArea(double a, double b, double c) {
  const double s = 0.5 * (a + b + c);
  const double p = s * (s - a) * (s - b) * (s - c);
  if (p < 0) return ___NAN;
  return rSqrt(p);
}

VELTRIA_API double rTriangleMedian(double a, double b, double c) {
  const double q = 2 * (b * b + c * c) - a * a;
  if (q < 0) return ___NAN;
  return 0.5 * rSqrt(q);
}

VELTRIA_API double rTriangleA2Centroid(double a, double b, double c) {
  return 0.6666666666666666 * rTriangleMedian(a, b, c);
}

VELTRIA_API double rTriangularExcess(double a, double b, double c) {
  return 2 * std::max({a, b, c}) - (a + b + c);
}

// 4 b E(1 - (a/b)^2) with a <= b; E is taken from its complementary
// parameter (a/b)^2 directly, which keeps a thin ellipse's digits.
VELTRIA_API double rEllipsePerimeter(double a, double b) {
  if (a > b) rSwap(&a, &b);
  if (a < 0) return ___NAN;
  if (b == 0) return 0;
  const double k = a / b;
  return 4 * b * EllipticEFromComplement(k * k);
}

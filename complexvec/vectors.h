// Exported functions on vectors: norms, distances, chordal metrics, angle
// cosines, products, in-place arithmetic, rotations, unit vectors, text
// forms, and plane geometry of triangle sides and ellipse axes. Names end
// in V, V2, V3 for n-, 2- and 3-dimensional vectors, P, P2, P3 for points.
//
// Two n-dimensional vectors of different counts are read as if the shorter
// were padded with zeros. Norms and cosines scale by powers of two where
// squares would overflow or underflow, so finite vectors give finite norms.
#pragma once
#include "base/types.h"
#include "complexvec/vector_types.h"

VELTRIA_API double rAbsSquareV(const VECTORnD& v);
VELTRIA_API double rAbsSquareV2(const VECTOR2D& v);
VELTRIA_API double rAbsSquareV3(const VECTOR3D& v);
VELTRIA_API double rAbsV(const VECTORnD& v);
VELTRIA_API double rAbsV2(const VECTOR2D& v);
VELTRIA_API double rAbsV3(const VECTOR3D& v);
VELTRIA_API double rScalarProductV(const VECTORnD& a, const VECTORnD& b);
VELTRIA_API double rScalarProductV2(const VECTOR2D& a, const VECTOR2D& b);
VELTRIA_API double rScalarProductV3(const VECTOR3D& a, const VECTOR3D& b);
VELTRIA_API double rChordalMetricV(const VECTORnD& a, const VECTORnD& b);
VELTRIA_API double rChordalMetricV2(const VECTOR2D& a, const VECTOR2D& b);
VELTRIA_API double rChordalMetricV3(const VECTOR3D& a, const VECTOR3D& b);
VELTRIA_API double rCosAngleV(const VECTORnD& a, const VECTORnD& b);
VELTRIA_API double rCosAngleV2(const VECTOR2D& a, const VECTOR2D& b);
VELTRIA_API double rCosAngleV3(const VECTOR3D& a, const VECTOR3D& b);
VELTRIA_API double rDistanceP(const VECTORnD& a, const VECTORnD& b);
VELTRIA_API double rDistanceP2(const VECTOR2D& a, const VECTOR2D& b);
VELTRIA_API double rDistanceP3(const VECTOR3D& a, const VECTOR3D& b);
VELTRIA_API double rDistanceV(const VECTORnD& a, const VECTORnD& b);
VELTRIA_API double rDistanceV2(const VECTOR2D& a, const VECTOR2D& b);
VELTRIA_API double rDistanceV3(const VECTOR3D& a, const VECTOR3D& b);

// Plane geometry.
VELTRIA_API double rPtolemysExcess(double p, double q, double r, double s, double t, double u);
// The first argument is not read; the four vectors are the caller's copies.
VELTRIA_API double rPtolemysExcessV(Qword unused, VECTORnD a, VECTORnD b, VECTORnD c, VECTORnD d);
VELTRIA_API double rPtolemysExcessV2(const VECTOR2D& a, const VECTOR2D& b, const VECTOR2D& c,
                                     const VECTOR2D& d);
VELTRIA_API double rPtolemysExcessV3(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& c,
                                     const VECTOR3D& d);
VELTRIA_API double rTriangleAcos(double a, double b, double c);
VELTRIA_API double rTriangleAsin(double a, double b, double c);
VELTRIA_API double rTriangleArea(double a, double b, double c);
VELTRIA_API double rTriangleMedian(double a, double b, double c);
VELTRIA_API double rTriangleA2Centroid(double a, double b, double c);
VELTRIA_API double rTriangularExcess(double a, double b, double c);
VELTRIA_API double rEllipsePerimeter(double a, double b);
VELTRIA_API VECTOR2D& rTwoPointsMnf2D(const VECTOR2D& p, const VECTOR2D& q, double t, VECTOR2D& r);
VELTRIA_API VECTOR3D& rTwoPointsMnf3D(const VECTOR3D& p, const VECTOR3D& q, double t, VECTOR3D& r);

// In place; each returns its first argument.
VELTRIA_API VECTORnD& vAddV(VECTORnD& a, const VECTORnD& b);
VELTRIA_API VECTORnD& vSubV(VECTORnD& a, const VECTORnD& b);
VELTRIA_API VECTORnD& vMulV(VECTORnD& a, double d);
VELTRIA_API VECTORnD& vDivV(VECTORnD& a, double d);  // d = 0 gives NaN coordinates
VELTRIA_API VECTORnD& vChangeSignV(VECTORnD& v);
VELTRIA_API VECTOR2D& vChangeSignV2(VECTOR2D& v);
VELTRIA_API VECTOR3D& vChangeSignV3(VECTOR3D& v);
VELTRIA_API VECTOR2D& vRotateV2(VECTOR2D& v, double t);
VELTRIA_API VECTOR3D& vRotateByZV3(VECTOR3D& v, double t);
VELTRIA_API VECTOR3D& vRotateByXV3(VECTOR3D& v, double t);
VELTRIA_API VECTOR3D& vRotateByYV3(VECTOR3D& v, double t);
VELTRIA_API VECTOR3D& vVectorProductV3(VECTOR3D& a, const VECTOR3D& b);
VELTRIA_API VECTORnD& vVersorV(VECTORnD& v);
VELTRIA_API VECTOR2D& vVersorV2(VECTOR2D& v);
VELTRIA_API VECTOR3D& vVersorV3(VECTOR3D& v);

// Text forms; the buffer must be large enough. The template marks each
// coordinate's place with "/"; the delimiters are four characters: opening,
// two separator characters, closing (null: "(, )"). vToBuffer writes at most
// v's own count of coordinates. Each returns the length written.
VELTRIA_API Qword v2ToBuffer(const VECTOR2D& v, char16_t* buffer, Long digits,
                             const char16_t* pattern);
VELTRIA_API Qword v3ToBuffer(const VECTOR3D& v, char16_t* buffer, Long digits,
                             const char16_t* pattern);
VELTRIA_API Qword vToBuffer(Qword count, VECTORnD v, char16_t* buffer, Long digits,
                            const char16_t* delimiters);

// In-place vector arithmetic, sign changes, rotations, the cross product and
// points on a line.
#include <cmath>

#include "complexvec/vectors.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {

// (p, q) turned by angle t in their plane.
void Turn(double& p, double& q, double t) {
  const double c = rCos(t), s = rSin(t);
  const double np = p * c - q * s;
  q = p * s + q * c;
  p = np;
}

}  // namespace

VELTRIA_API VECTORnD& vAddV(VECTORnD& a, const VECTORnD& b) {
  const Qword n = a.count < b.count ? a.count : b.count;
  for (Qword i = 0; i < n; ++i) a.values[i] += b.values[i];
  return a;
}

VELTRIA_API VECTORnD& vSubV(VECTORnD& a, const VECTORnD& b) {
  const Qword n = a.count < b.count ? a.count : b.count;
  for (Qword i = 0; i < n; ++i) a.values[i] -= b.values[i];
  return a;
}

VELTRIA_API VECTORnD& vMulV(VECTORnD& a, double d) {
  for (Qword i = 0; i < a.count; ++i) a.values[i] *= d;
  return a;
}

VELTRIA_API VECTORnD& vDivV(VECTORnD& a, double d) {
  if (d == 0) {
    for (Qword i = 0; i < a.count; ++i) a.values[i] = ___NAN;
    return a;
  }
  a /= d;
  return a;
}

VELTRIA_API VECTORnD& vChangeSignV(VECTORnD& v) {
  v = -v;
  return v;
}

VELTRIA_API VECTOR2D& vChangeSignV2(VECTOR2D& v) {
  v.x = -v.x;
  v.y = -v.y;
  return v;
}

VELTRIA_API VECTOR3D& vChangeSignV3(VECTOR3D& v) {
  v.x = -v.x;
  v.y = -v.y;
  v.z = -v.z;
  return v;
}

VELTRIA_API VECTOR2D& vRotateV2(VECTOR2D& v, double t) {
  Turn(v.x, v.y, t);
  return v;
}

// The rotation about z is the plane rotation of (x, y); z stays.
VELTRIA_API VECTOR3D& vRotateByZV3(VECTOR3D& v, double t) {
  Turn(v.x, v.y, t);
  return v;
}

VELTRIA_API VECTOR3D& vRotateByXV3(VECTOR3D& v, double t) {
  Turn(v.y, v.z, t);
  return v;
}

VELTRIA_API VECTOR3D& vRotateByYV3(VECTOR3D& v, double t) {
  Turn(v.x, v.z, t);
  return v;
}

VELTRIA_API VECTOR3D& vVectorProductV3(VECTOR3D& a, const VECTOR3D& b) {
  a = VectorProduct(a, b);
  return a;
}

VELTRIA_API VECTOR2D& rTwoPointsMnf2D(const VECTOR2D& p, const VECTOR2D& q, double t, VECTOR2D& r) {
  r = VECTOR2D(p.x + t * (q.x - p.x), p.y + t * (q.y - p.y));
  return r;
}

VELTRIA_API VECTOR3D& rTwoPointsMnf3D(const VECTOR3D& p, const VECTOR3D& q, double t, VECTOR3D& r) {
  r = p + t * (q - p);
  return r;
}

// Norms, scalar products, chordal metrics, angle cosines, distances and unit
// vectors of VECTOR2D, VECTOR3D and VECTORnD.
#include <cmath>

#include "complexvec/vector_scaled.h"
#include "complexvec/vectors.h"
#include "scalar/elementary.h"

namespace {

// Coordinate i of v, 0 beyond its count.
inline double At(const VECTORnD& v, Qword i) { return i < v.count ? v.values[i] : 0.0; }

inline double Get(const VECTOR2D& v, Qword i) { return i == 0 ? v.x : v.y; }
inline double Get(const VECTOR3D& v, Qword i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; }

// sqrt(|a - b|^2/((1 + |a|^2)(1 + |b|^2))) from the three sums of squares,
// or, where they leave the safe range, from scaled norms.
template <class D, class A, class B>
double Chordal(Qword n, D diff, A a, B b) {
  double d2 = 0, a2 = 0, b2 = 0;
  for (Qword i = 0; i < n; ++i) {
    d2 += diff(i) * diff(i);
    a2 += a(i) * a(i);
    b2 += b(i) * b(i);
  }
  if (d2 >= 0x1p-960 && d2 <= 0x1p960 && a2 <= 0x1p480 && b2 <= 0x1p480) {
    return std::sqrt(d2 / ((1 + a2) * (1 + b2)));
  }
  const double d = ScaledNorm(n, diff);
  return d / (rHypot(1, ScaledNorm(n, a)) * rHypot(1, ScaledNorm(n, b)));
}

}  // namespace

VELTRIA_API double rAbsSquareV(const VECTORnD& v) {
  double s = 0;
  for (Qword i = 0; i < v.count; ++i) s += v.values[i] * v.values[i];
  return s;
}
VELTRIA_API double rAbsSquareV2(const VECTOR2D& v) { return v.x * v.x + v.y * v.y; }
VELTRIA_API double rAbsSquareV3(const VECTOR3D& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }

VELTRIA_API double rAbsV(const VECTORnD& v) {
  return ScaledNorm(v.count, [&v](Qword i) { return v.values[i]; });
}
VELTRIA_API double rAbsV2(const VECTOR2D& v) {
  return ScaledNorm(2, [&v](Qword i) { return Get(v, i); });
}
VELTRIA_API double rAbsV3(const VECTOR3D& v) {
  return ScaledNorm(3, [&v](Qword i) { return Get(v, i); });
}

VELTRIA_API double rScalarProductV(const VECTORnD& a, const VECTORnD& b) {
  double s = 0;
  for (Qword i = 0; i < a.count; ++i) s += a.values[i] * At(b, i);
  return s;
}
VELTRIA_API double rScalarProductV2(const VECTOR2D& a, const VECTOR2D& b) {
  return a.x * b.x + a.y * b.y;
}
VELTRIA_API double rScalarProductV3(const VECTOR3D& a, const VECTOR3D& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

VELTRIA_API double rChordalMetricV(const VECTORnD& a, const VECTORnD& b) {
  return Chordal(
      a.count, [&](Qword i) { return a.values[i] - At(b, i); },
      [&](Qword i) { return a.values[i]; }, [&](Qword i) { return At(b, i); });
}
VELTRIA_API double rChordalMetricV2(const VECTOR2D& a, const VECTOR2D& b) {
  return Chordal(
      2, [&](Qword i) { return Get(a, i) - Get(b, i); }, [&](Qword i) { return Get(a, i); },
      [&](Qword i) { return Get(b, i); });
}
VELTRIA_API double rChordalMetricV3(const VECTOR3D& a, const VECTOR3D& b) {
  return Chordal(
      3, [&](Qword i) { return Get(a, i) - Get(b, i); }, [&](Qword i) { return Get(a, i); },
      [&](Qword i) { return Get(b, i); });
}

VELTRIA_API double rCosAngleV(const VECTORnD& a, const VECTORnD& b) {
  return ScaledCosine(
      a.count, [&](Qword i) { return a.values[i]; }, [&](Qword i) { return At(b, i); });
}
VELTRIA_API double rCosAngleV2(const VECTOR2D& a, const VECTOR2D& b) {
  return ScaledCosine(
      2, [&](Qword i) { return Get(a, i); }, [&](Qword i) { return Get(b, i); });
}
VELTRIA_API double rCosAngleV3(const VECTOR3D& a, const VECTOR3D& b) {
  return ScaledCosine(
      3, [&](Qword i) { return Get(a, i); }, [&](Qword i) { return Get(b, i); });
}

VELTRIA_API double rDistanceP(const VECTORnD& a, const VECTORnD& b) {
  return ScaledNorm(a.count, [&](Qword i) { return a.values[i] - At(b, i); });
}
VELTRIA_API double rDistanceP2(const VECTOR2D& a, const VECTOR2D& b) {
  return ScaledNorm(2, [&](Qword i) { return Get(a, i) - Get(b, i); });
}
VELTRIA_API double rDistanceP3(const VECTOR3D& a, const VECTOR3D& b) {
  return ScaledNorm(3, [&](Qword i) { return Get(a, i) - Get(b, i); });
}

// |b - a| over b's count.
VELTRIA_API double rDistanceV(const VECTORnD& a, const VECTORnD& b) {
  return ScaledNorm(b.count, [&](Qword i) { return b.values[i] - At(a, i); });
}
VELTRIA_API double rDistanceV2(const VECTOR2D& a, const VECTOR2D& b) { return rDistanceP2(a, b); }
VELTRIA_API double rDistanceV3(const VECTOR3D& a, const VECTOR3D& b) { return rDistanceP3(a, b); }

// No test for a zero norm: the zero vector becomes NaN coordinates.
VELTRIA_API VECTORnD& vVersorV(VECTORnD& v) {
  const double n = rAbsV(v);
  for (Qword i = 0; i < v.count; ++i) v.values[i] /= n;
  return v;
}
VELTRIA_API VECTOR2D& vVersorV2(VECTOR2D& v) {
  const double n = rAbsV2(v);
  v.x /= n;
  v.y /= n;
  return v;
}
VELTRIA_API VECTOR3D& vVersorV3(VECTOR3D& v) {
  v /= rAbsV3(v);
  return v;
}

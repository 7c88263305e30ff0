// The vector types: VECTOR2D and VECTOR3D are plain values of two and three
// doubles; VECTORnD owns a count and an array of that many coordinates and
// copies them with value semantics.
#pragma once
#include <cstddef>
#include <type_traits>

#include "base/types.h"

struct VECTOR2D {
  double x;
  double y;

  constexpr VECTOR2D() : x(0), y(0) {}
  constexpr VECTOR2D(double x_, double y_) : x(x_), y(y_) {}

  constexpr VECTOR2D& operator/=(double d) {
    x /= d;
    y /= d;
    return *this;
  }
};

static_assert(sizeof(VECTOR2D) == 16);
static_assert(std::is_trivially_copyable_v<VECTOR2D>);
static_assert(offsetof(VECTOR2D, x) == 0 && offsetof(VECTOR2D, y) == 8);

constexpr VECTOR2D operator+(const VECTOR2D& a, const VECTOR2D& b) {
  return VECTOR2D(a.x + b.x, a.y + b.y);
}

struct VECTOR3D {
  double x;
  double y;
  double z;

  constexpr VECTOR3D() : x(0), y(0), z(0) {}
  constexpr VECTOR3D(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  // The vector from point start to point end.
  constexpr VECTOR3D(const VECTOR3D& start, const VECTOR3D& end)
      : x(end.x - start.x), y(end.y - start.y), z(end.z - start.z) {}
  constexpr VECTOR3D(const VECTOR3D&) = default;
  constexpr VECTOR3D& operator=(const VECTOR3D&) = default;

  constexpr VECTOR3D& operator/=(double d) {
    x /= d;
    y /= d;
    z /= d;
    return *this;
  }
};

static_assert(sizeof(VECTOR3D) == 24);
static_assert(std::is_trivially_copyable_v<VECTOR3D>);
static_assert(offsetof(VECTOR3D, x) == 0 && offsetof(VECTOR3D, y) == 8 &&
              offsetof(VECTOR3D, z) == 16);

constexpr VECTOR3D operator+(const VECTOR3D& a, const VECTOR3D& b) {
  return VECTOR3D(a.x + b.x, a.y + b.y, a.z + b.z);
}
constexpr VECTOR3D operator-(const VECTOR3D& a, const VECTOR3D& b) {
  return VECTOR3D(a.x - b.x, a.y - b.y, a.z - b.z);
}
constexpr VECTOR3D operator*(double d, const VECTOR3D& a) {
  return VECTOR3D(d * a.x, d * a.y, d * a.z);
}
constexpr VECTOR3D operator*(const VECTOR3D& a, double d) {
  return VECTOR3D(a.x * d, a.y * d, a.z * d);
}
// The cross product a x b.
constexpr VECTOR3D VectorProduct(const VECTOR3D& a, const VECTOR3D& b) {
  return VECTOR3D(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// An n-dimensional vector owning its coordinates (null when count is 0).
// A copy that cannot get its storage ends up empty (count 0), never half
// built; assignment reallocates when the target holds fewer coordinates
// than the source.
class VECTORnD {
 public:
  VECTORnD() = default;
  // count coordinates copied from values (zeros when values is null).
  VECTORnD(Qword n, const double* v);
  VECTORnD(const VECTORnD& other);
  VECTORnD& operator=(const VECTORnD& other);
  virtual ~VECTORnD();

  VECTORnD& operator/=(double d);

  Qword count = 0;
  double* values = nullptr;

 private:
  void CopyFrom(Qword n, const double* v);
};

// a minus b over a's count (b's missing coordinates count as 0).
VECTORnD operator-(const VECTORnD& a, const VECTORnD& b);
// a with the sign bit of every coordinate flipped.
VECTORnD operator-(const VECTORnD& a);

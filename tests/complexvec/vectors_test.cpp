// Vectors: value semantics of VECTORnD, norms that would overflow or vanish
// naively, closed-form geometry, exact rotations and cross products, text
// forms.
#include "complexvec/vectors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/number_text.h"
#include "scalar/real_helpers.h"
#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {

constexpr double kPi = 3.141592653589793;

VECTORnD Make(std::initializer_list<double> v) { return VECTORnD(v.size(), v.begin()); }

std::u16string Text(const char16_t* s, Qword n) { return std::u16string(s, n); }

// The number writer's own text of x (checked by the base tests); the vector
// forms are judged on what they put around it.
std::u16string Num(double x, Long digits = 4) {
  char16_t b[64];
  return std::u16string(b, RealToBuffer(x, b, digits, 10));
}

}  // namespace

TEST(VectorTypes, LayoutAndValueSemantics) {
  static_assert(sizeof(VECTOR2D) == 16 && sizeof(VECTOR3D) == 24);
  const VECTOR3D p(1, 2, 3), q(4, 6, 8);
  const VECTOR3D pq(p, q);  // from p to q
  EXPECT_EQ(pq.x, 3);
  EXPECT_EQ(pq.y, 4);
  EXPECT_EQ(pq.z, 5);
  const VECTOR3D s = 2.0 * p + q * 0.5 - p;
  EXPECT_EQ(s.x, 3);
  EXPECT_EQ(s.y, 5);
  EXPECT_EQ(s.z, 7);
  const VECTOR2D v = VECTOR2D(1, 2) + VECTOR2D(3, 4);
  EXPECT_EQ(v.x, 4);
  EXPECT_EQ(v.y, 6);
}

TEST(VectorND, CopyAndAssignmentOwnTheirValues) {
  VECTORnD a = Make({1, 2, 3});
  VECTORnD b(a);
  ASSERT_EQ(b.count, 3u);
  EXPECT_NE(b.values, a.values);
  b.values[0] = 9;
  EXPECT_EQ(a.values[0], 1);
  // Assignment into smaller storage reallocates instead of overrunning it.
  VECTORnD small = Make({7});
  small = a;
  ASSERT_EQ(small.count, 3u);
  EXPECT_NE(small.values, a.values);
  EXPECT_EQ(small.values[2], 3);
  // Into larger storage the coordinates are copied in place.
  double* const old = b.values;
  VECTORnD two = Make({5, 6});
  b = two;
  EXPECT_EQ(b.values, old);
  EXPECT_EQ(b.count, 2u);
  EXPECT_EQ(b.values[1], 6);
  b = b;  // self-assignment leaves it alone
  EXPECT_EQ(b.count, 2u);
  EXPECT_EQ(b.values[0], 5);
  const VECTORnD d = a - two;  // two's missing third coordinate counts as 0
  EXPECT_EQ(d.values[0], -4);
  EXPECT_EQ(d.values[1], -4);
  EXPECT_EQ(d.values[2], 3);
  const VECTORnD n = -Make({0.0, 2.0});
  EXPECT_TRUE(std::signbit(n.values[0]));
  EXPECT_EQ(n.values[1], -2);
}

TEST(VectorND, FailedCopyIsEmptyNotHalfBuilt) {
  const VECTORnD a = Make({1, 2, 3});
  AllocFailureGuard fail(0);
  VECTORnD b(a);
  fail.Release();
  EXPECT_EQ(b.count, 0u);
  EXPECT_EQ(b.values, nullptr);
  EXPECT_EQ(rAbsV(b), 0);
}

TEST(VectorNorms, ClosedFormsAndNoNaiveOverflow) {
  EXPECT_EQ(rAbsV2(VECTOR2D(3, 4)), 5);
  EXPECT_EQ(rAbsV3(VECTOR3D(2, 3, 6)), 7);
  EXPECT_EQ(rAbsV(Make({1, 2, 2, 4})), 5);
  EXPECT_EQ(rAbsSquareV3(VECTOR3D(2, 3, 6)), 49);
  EXPECT_EQ(rAbsSquareV(Make({1, 2, 2, 4})), 25);
  // Squares of these overflow or vanish; the norms are exact multiples.
  for (double s : {0x1p600, 0x1p-600, 0x1p1000, 0x1p-1060}) {
    EXPECT_EQ(rAbsV2(VECTOR2D(3 * s, 4 * s)), 5 * s) << s;
    EXPECT_EQ(rAbsV3(VECTOR3D(2 * s, 3 * s, 6 * s)), 7 * s) << s;
    EXPECT_EQ(rAbsV(Make({s, 2 * s, 2 * s, 4 * s})), 5 * s) << s;
    EXPECT_EQ(rDistanceP2(VECTOR2D(0, 0), VECTOR2D(3 * s, 4 * s)), 5 * s) << s;
    EXPECT_EQ(rDistanceV(Make({s, s}), Make({4 * s, 5 * s})), 5 * s) << s;
    EXPECT_NEAR(rCosAngleV3(VECTOR3D(s, 0, 0), VECTOR3D(s, s, 0)), std::sqrt(0.5), kEps) << s;
    VECTOR3D u(2 * s, 3 * s, 6 * s);
    vVersorV3(u);
    EXPECT_NEAR(u.z, 6.0 / 7, kEps) << s;
  }
  EXPECT_EQ(rAbsV2(VECTOR2D(___PlsINF, ___NAN)), ___PlsINF);
  EXPECT_TRUE(std::isnan(rAbsV3(VECTOR3D(1, ___NAN, 0))));
  EXPECT_EQ(rAbsV(VECTORnD()), 0);
}

TEST(VectorNorms, ProductsCosinesDistancesMetrics) {
  EXPECT_EQ(rScalarProductV3(VECTOR3D(1, 2, 3), VECTOR3D(4, -5, 6)), 12);
  EXPECT_EQ(rScalarProductV2(VECTOR2D(1, 2), VECTOR2D(3, 4)), 11);
  EXPECT_EQ(rScalarProductV(Make({1, 2, 3}), Make({4, 5})), 14);  // shorter b padded
  EXPECT_TRUE(std::isnan(rCosAngleV2(VECTOR2D(0, 0), VECTOR2D(1, 0))));
  EXPECT_EQ(rCosAngleV3(VECTOR3D(1, 0, 0), VECTOR3D(0, 2, 0)), 0);
  EXPECT_EQ(rCosAngleV(Make({3, 4}), Make({-6, -8})), -1);
  EXPECT_EQ(rDistanceV2(VECTOR2D(0, 0), VECTOR2D(3, 4)), 5);
  EXPECT_EQ(rDistanceP2(VECTOR2D(0, 0), VECTOR2D(3, 4)), 5);
  EXPECT_EQ(rDistanceV3(VECTOR3D(1, 1, 1), VECTOR3D(3, 4, 7)), 7);
  EXPECT_EQ(rDistanceP(Make({1, 1, 1}), Make({3, 4, 7})), 7);
  const VECTOR2D a(2.385, -1.25);
  EXPECT_EQ(rChordalMetricV2(a, a), 0);
  EXPECT_EQ(rChordalMetricV2(VECTOR2D(0, 0), VECTOR2D(1, 0)), std::sqrt(0.5));
  // (0,0,0) and (2,3,6): 7/sqrt(50).
  EXPECT_NEAR(rChordalMetricV3(VECTOR3D(0, 0, 0), VECTOR3D(2, 3, 6)), 7 / std::sqrt(50.0), kEps);
  EXPECT_NEAR(rChordalMetricV(Make({0, 0, 0}), Make({2, 3, 6})), 7 / std::sqrt(50.0), kEps);
  // Far points approach the chordal distance of the two directions.
  const double big = 1e200;
  EXPECT_NEAR(rChordalMetricV2(VECTOR2D(big, 0), VECTOR2D(-big, 0)), 2 / big * big / big, 4 * kEps);
}

TEST(VectorOps, InPlaceArithmeticAndSigns) {
  VECTORnD a = Make({1, 2, 3});
  EXPECT_EQ(&vAddV(a, Make({10, 20, 30})), &a);
  EXPECT_EQ(a.values[2], 33);
  vSubV(a, Make({1, 2, 3}));
  vMulV(a, 0.5);
  EXPECT_EQ(a.values[0], 5);
  EXPECT_EQ(a.values[2], 15);
  vDivV(a, 5);
  EXPECT_EQ(a.values[1], 2);
  vChangeSignV(a);
  EXPECT_EQ(a.values[2], -3);
  vDivV(a, 0);
  for (Qword i = 0; i < a.count; ++i) EXPECT_TRUE(std::isnan(a.values[i]));
  VECTOR2D v2(1, -0.0);
  vChangeSignV2(v2);
  EXPECT_EQ(v2.x, -1);
  EXPECT_FALSE(std::signbit(v2.y));
  VECTOR3D v3(1, 2, 3);
  vChangeSignV3(v3);
  EXPECT_EQ(v3.z, -3);
  VECTOR3D z(0, 0, 0);
  vVersorV3(z);
  EXPECT_TRUE(std::isnan(z.x) && std::isnan(z.y) && std::isnan(z.z));
  VECTORnD u = Make({3, 4});
  vVersorV(u);
  EXPECT_EQ(u.values[0], 0.6);
  EXPECT_EQ(u.values[1], 0.8);
}

TEST(VectorOps, RotationsByExactAngles) {
  // Quarter turns map axes onto axes (up to the rounding of cos(pi/2)).
  VECTOR2D v(1, 0);
  vRotateV2(v, kPi / 2);
  EXPECT_NEAR(v.x, 0, kEps);
  EXPECT_EQ(v.y, 1);
  VECTOR3D w(1, 0, 1);
  vRotateByXV3(w, kPi / 2);
  EXPECT_EQ(w.x, 1);
  EXPECT_EQ(w.y, -1);
  EXPECT_NEAR(w.z, 0, kEps);
  VECTOR3D y(1, 2, 3);
  vRotateByYV3(y, kPi);  // half turn: x and z change sign
  EXPECT_NEAR(y.x, -1, 4 * kEps);
  EXPECT_EQ(y.y, 2);
  EXPECT_NEAR(y.z, -3, 4 * kEps);
  VECTOR3D zz(3, 4, 5);
  vRotateByZV3(zz, kPi / 3);  // norm and z kept
  EXPECT_EQ(zz.z, 5);
  EXPECT_NEAR(std::hypot(zz.x, zz.y), 5, 8 * kEps);
  EXPECT_NEAR(zz.x, 1.5 - 2 * std::sqrt(3.0), 8 * kEps);
  // Rotations keep scalar products.
  VECTOR3D a(2.385, -1, 0.5), b(0.25, 3, -2);
  const double dot = rScalarProductV3(a, b);
  for (auto rot : {vRotateByXV3, vRotateByYV3, vRotateByZV3}) {
    rot(a, 0.7);
    rot(b, 0.7);
    EXPECT_NEAR(rScalarProductV3(a, b), dot, 16 * kEps);
  }
}

TEST(VectorOps, CrossProductsOfIntegerVectors) {
  VECTOR3D x(1, 0, 0);
  vVectorProductV3(x, VECTOR3D(0, 1, 0));
  EXPECT_EQ(x.z, 1);
  EXPECT_EQ(x.x, 0);
  VECTOR3D a(2, -3, 5);
  const VECTOR3D b(7, 11, -13);
  const VECTOR3D c = VectorProduct(a, b);
  EXPECT_EQ(c.x, -16);
  EXPECT_EQ(c.y, 61);
  EXPECT_EQ(c.z, 43);
  // Orthogonal to both factors, exactly for integers.
  EXPECT_EQ(rScalarProductV3(c, a), 0);
  EXPECT_EQ(rScalarProductV3(c, b), 0);
  vVectorProductV3(a, b);
  EXPECT_EQ(a.y, 61);
  // |a x b|^2 = |a|^2 |b|^2 - (a.b)^2 (Lagrange).
  const VECTOR3D p(2, -3, 5);
  EXPECT_EQ(rAbsSquareV3(c),
            rAbsSquareV3(p) * rAbsSquareV3(b) - rScalarProductV3(p, b) * rScalarProductV3(p, b));
  VECTOR3D r;
  rTwoPointsMnf3D(VECTOR3D(1, 2, 3), VECTOR3D(5, 6, 11), 0.25, r);
  EXPECT_EQ(r.x, 2);
  EXPECT_EQ(r.z, 5);
  VECTOR2D r2;
  EXPECT_EQ(&rTwoPointsMnf2D(VECTOR2D(1, 2), VECTOR2D(3, 6), 1.5, r2), &r2);
  EXPECT_EQ(r2.y, 8);
}

TEST(VectorGeometry, TrianglesPtolemyEllipse) {
  EXPECT_EQ(rTriangleAcos(1, 1, 1), 0.5);
  EXPECT_TRUE(std::isnan(rTriangleAcos(3, 1, 1)));
  EXPECT_TRUE(std::isnan(rTriangleAcos(1, 0, 1)));
  EXPECT_EQ(rTriangleAsin(5, 3, 4), 1);  // right angle opposite 5
  EXPECT_TRUE(std::isnan(rTriangleAsin(3, 1, 1)));
  EXPECT_EQ(rTriangleArea(3, 4, 5), 6);
  EXPECT_TRUE(std::isnan(rTriangleArea(1, 1, 3)));
  EXPECT_EQ(rTriangleMedian(2, 2, 2), std::sqrt(3.0));
  EXPECT_TRUE(std::isnan(rTriangleMedian(5, 1, 1)));
  EXPECT_EQ(rTriangleA2Centroid(2, 2, 2), 0.6666666666666666 * std::sqrt(3.0));
  EXPECT_EQ(rTriangularExcess(1, 2, 3), 0);
  EXPECT_EQ(rTriangularExcess(1, 1, 3), 1);
  EXPECT_EQ(rPtolemysExcess(1, 2, 3, 4, 5, 2), 1);
  // Ptolemy's equality for the corners of a square, taken in order.
  const VECTOR2D s[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  EXPECT_NEAR(rPtolemysExcessV2(s[0], s[1], s[2], s[3]), 0, 4 * kEps);
  EXPECT_NEAR(
      rPtolemysExcessV3(VECTOR3D(0, 0, 7), VECTOR3D(1, 0, 7), VECTOR3D(1, 1, 7), VECTOR3D(0, 1, 7)),
      0, 4 * kEps);
  EXPECT_NEAR(rPtolemysExcessV(0, Make({0, 0}), Make({1, 0}), Make({1, 1}), Make({0, 1})), 0,
              4 * kEps);
  // Not cyclic: the excess is positive.
  EXPECT_GT(rPtolemysExcessV2(s[0], s[1], VECTOR2D(3, 2), s[3]), 0);

  EXPECT_EQ(rEllipsePerimeter(2, 1), rEllipsePerimeter(1, 2));
  EXPECT_EQ(rEllipsePerimeter(0, 0), 0);
  EXPECT_TRUE(std::isnan(rEllipsePerimeter(-1, 2)));
  EXPECT_EQ(rEllipsePerimeter(0, 1), 4);
  EXPECT_NEAR(rEllipsePerimeter(2.385, 2.385), 2 * kPi * 2.385, 4 * kEps * 15);
  // 4 a E(e^2) with a = 2, b = 1 (mpmath: 4*2*ellipe(3/4)).
  EXPECT_NEAR(rEllipsePerimeter(1, 2), 9.688448220547675, 4 * kEps * 10);
}

TEST(VectorText, TemplatesAndDelimiters) {
  char16_t buf[256];
  Qword n = v2ToBuffer(VECTOR2D(1, 2.5), buf, 4, u"(/, /)");
  EXPECT_EQ(Text(buf, n), u"(" + Num(1) + u", " + Num(2.5) + u")");
  EXPECT_EQ(buf[n], 0);
  n = v3ToBuffer(VECTOR3D(1, -2, 3), buf, 4, u"[/;/;/]");
  EXPECT_EQ(Text(buf, n), u"[" + Num(1) + u";" + Num(-2) + u";" + Num(3) + u"]");
  // Too few marks: the rest of the coordinates follow where the template ends.
  n = v3ToBuffer(VECTOR3D(1, 2, 3), buf, 4, u"</>");
  EXPECT_EQ(Text(buf, n), u"<" + Num(1) + u">" + Num(2) + Num(3));
  n = v2ToBuffer(VECTOR2D(1, 2), buf, 4, nullptr);
  EXPECT_EQ(Text(buf, n), Num(1) + Num(2));

  const VECTORnD v = Make({1, 2, 3});
  n = vToBuffer(2, v, buf, 4, u"(, )");
  EXPECT_EQ(Text(buf, n), u"(" + Num(1) + u", " + Num(2) + u")");
  n = vToBuffer(0, v, buf, 4, u"(, )");
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(Text(buf, n), u"()");
  // A count beyond the vector's own is cut to it.
  n = vToBuffer(50, v, buf, 4, u"[; ]");
  EXPECT_EQ(Text(buf, n), u"[" + Num(1) + u"; " + Num(2) + u"; " + Num(3) + u"]");
  EXPECT_EQ(v.values[0], 1);  // the caller's vector is untouched
  EXPECT_EQ(vToBuffer(2, v, nullptr, 4, u"(, )"), 0u);
}

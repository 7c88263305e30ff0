// Spherical Bessel functions against scipy.special.spherical_jn/yn (values
// and derivatives, cross-checked with mpmath by tools/
// gen_bessel_jy_reference.py), the Wronskian, and the power series.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "scalar/bessel.h"
#include "scalar/elementary.h"
#include "support/accuracy.h"

namespace {
struct BesselRow {
  double x, nu, j, y;
};
struct SphericalRow {
  double x;
  int n;
  double j, y, jd, yd;
};
#include "bessel_jy_reference.inc"

// Errors against max(|want|, 0.01), as for J and Y; the bounds are relative
// errors, here in units of epsilon.
constexpr double kFloor = 0.01;
}  // namespace

TEST(BesselSpherical, LowOrdersAndDerivatives) {
  AccuracyTally j{"j0 j1 j2", 1e-14 / kEps, kFloor}, y{"y0 y1 y2", 1e-14 / kEps, kFloor},
      jd{"j0D j1D", 1e-14 / kEps, kFloor}, yd{"y0D y1D y2D", 1e-14 / kEps, kFloor};
  for (const SphericalRow& r : kSphericalRef) {
    switch (r.n) {
      case 0:
        j.Check(rBessel_j0(r.x), r.j, At(r.x, 0));
        y.Check(rBessel_y0(r.x), r.y, At(r.x, 0));
        jd.Check(rBessel_j0D(r.x), r.jd, At(r.x, 0));
        yd.Check(rBessel_y0D(r.x), r.yd, At(r.x, 0));
        break;
      case 1:
        j.Check(rBessel_j1(r.x), r.j, At(r.x, 1));
        y.Check(rBessel_y1(r.x), r.y, At(r.x, 1));
        jd.Check(rBessel_j1D(r.x), r.jd, At(r.x, 1));
        yd.Check(rBessel_y1D(r.x), r.yd, At(r.x, 1));
        break;
      case 2:
        j.Check(rBessel_j2(r.x), r.j, At(r.x, 2));
        y.Check(rBessel_y2(r.x), r.y, At(r.x, 2));
        yd.Check(rBessel_y2D(r.x), r.yd, At(r.x, 2));
        break;
      default:
        break;
    }
  }
}

TEST(BesselSpherical, AnyOrderThroughHalfIntegerBessel) {
  AccuracyTally j{"rBessel_jnu", 1e-13 / kEps, kFloor}, y{"rBessel_ynu", 1e-13 / kEps, kFloor};
  for (const SphericalRow& r : kSphericalRef) {
    j.Check(rBessel_jnu(r.x, r.n), r.j, At(r.x, r.n));
    y.Check(rBessel_ynu(r.x, r.n), r.y, At(r.x, r.n));
  }
}

TEST(BesselSpherical, PowerSeriesWhereTheyConverge) {
  // The alternating series lose e^x ulps; below x = 2 they hold to eps.
  AccuracyTally j{"rBessel_jnu_series", 1e-14 / kEps, kFloor},
      y{"rBessel_ynu_series", 1e-14 / kEps, kFloor};
  for (const SphericalRow& r : kSphericalRef) {
    if (r.x > 2) continue;
    j.Check(rBessel_jnu_series(r.x, static_cast<Qword>(r.n)), r.j, At(r.x, r.n));
    y.Check(rBessel_ynu_series(r.x, r.n), r.y, At(r.x, r.n));
  }
}

TEST(BesselSpherical, SeriesOfHighOrderIsNotCutShort) {
  // 1/(2n + 1)!! is far below 1 here: an absolute stop would end the sum
  // after its first term. j_20(10) through J_20.5 by Miller's recurrence.
  for (double x : {3.7, 10.0, 14.2}) {
    const double want = rBessel_jnu(x, 20);
    EXPECT_NEAR(rBessel_jnu_series(x, 20), want, 1e-13 * std::fabs(want)) << x;
  }
}

TEST(BesselSpherical, Wronskian) {
  // j_n y_n' - j_n' y_n = 1/x^2, for n = 0, 1 and with y_2' by
  // j_2' = j_1 - 3 j_2/x.
  for (double x : {0.013, 0.47, 1.9, 2.6, 7.3, 31.4, 250.1}) {
    const double w = 1 / (x * x);
    EXPECT_NEAR(rBessel_j0(x) * rBessel_y0D(x) - rBessel_j0D(x) * rBessel_y0(x), w, 4e-16 * w) << x;
    EXPECT_NEAR(rBessel_j1(x) * rBessel_y1D(x) - rBessel_j1D(x) * rBessel_y1(x), w, 1e-15 * w) << x;
    const double j2d = rBessel_j1(x) - 3 * rBessel_j2(x) / x;
    EXPECT_NEAR(rBessel_j2(x) * rBessel_y2D(x) - j2d * rBessel_y2(x), w, 1e-14 * w) << x;
  }
}

TEST(BesselSpherical, SecondOrderOfTheSecondKind) {
  // y_2 = (3/x) y_1 - y_0, and the series of the same order agrees.
  for (double x : {0.02, 0.9, 1.7, 4.4, 12.5}) {
    const double want = 3 / x * rBessel_y1(x) - rBessel_y0(x);
    EXPECT_NEAR(rBessel_y2(x), want, 1e-14 * std::fabs(want)) << x;
    if (x < 2) {
      EXPECT_NEAR(rBessel_ynu_series(x, 2), rBessel_y2(x), 1e-14 * std::fabs(want)) << x;
      EXPECT_NEAR(rBessel_ynu_series(x, 1), rBessel_y1(x), 1e-14 * std::fabs(rBessel_y1(x))) << x;
    }
  }
}

TEST(BesselSpherical, EdgeCases) {
  EXPECT_EQ(rBessel_j0(0), 1.0);
  EXPECT_EQ(rBessel_j0(2.5), rSinc(2.5));
  EXPECT_EQ(rBessel_j1(-0.0005), -rBessel_j1(0.0005));
  EXPECT_EQ(rBessel_j1(-5), -rBessel_j1(5));
  EXPECT_EQ(rBessel_j2(-5), rBessel_j2(5));
  EXPECT_EQ(rBessel_j1D(0), 1.0 / 3);
  EXPECT_EQ(rBessel_jnu(3.3, 0), rBessel_j0(3.3));
  EXPECT_EQ(rBessel_ynu(3.3, 0), rBessel_y0(3.3));
  EXPECT_TRUE(std::isnan(rBessel_jnu(0, 1)));
  EXPECT_TRUE(std::isnan(rBessel_jnu(-1, 1)));
  EXPECT_TRUE(std::isnan(rBessel_ynu(0, 1)));
  EXPECT_TRUE(std::isnan(rBessel_jnu_series(0, 1)));
  EXPECT_TRUE(std::isnan(rBessel_ynu_series(-2, 1)));
  for (double x : {0.3, 1.3}) EXPECT_NEAR(rBessel_jnu_series(x, 1), rBessel_j1(x), 1e-16) << x;
  // The safe division at x = 0: the poles of y_n as infinities.
  EXPECT_EQ(rBessel_y0(0), -INFINITY);
  EXPECT_EQ(rBessel_y1(0), -INFINITY);
  EXPECT_EQ(rBessel_y2(0), -INFINITY);
  // y_-n-1 = (-1)^(n+1) j_n.
  EXPECT_NEAR(rBessel_ynu_series(1.3, -1), rBessel_j0(1.3), 1e-16);
  EXPECT_NEAR(rBessel_ynu_series(1.3, -3), -rBessel_j2(1.3), 1e-16);
  // Orders whose double factorial overflows end, they do not loop.
  EXPECT_EQ(rBessel_ynu_series(1.3, 400), -INFINITY);
  EXPECT_EQ(rBessel_ynu_series(1.3, INT64_MAX), -INFINITY);
  EXPECT_EQ(rBessel_ynu_series(1.3, INT64_MIN), 0.0);  // j_(2^63 - 1) underflows
  EXPECT_EQ(rBessel_jnu_series(1.3, ~Qword{0}), 0.0);
}

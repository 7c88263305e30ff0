// J and Y: symmetries, argument checks, closed forms, identities of the
// derivatives (Wronskian, Bessel's equation), Temme's series, the forms
// from J, and the large orders and arguments that must end.
#include <gtest/gtest.h>

#include <cmath>

#include "scalar/bessel.h"
#include "support/accuracy.h"

namespace {
constexpr double kPi = 3.141592653589793;

// Errors near zeros of J and Y are measured against 0.01.
constexpr double kFloor = 0.01;
}  // namespace

TEST(BesselJYEdge, IntegerOrderSymmetries) {
  for (double x : {0.37, 7.5, 12.0, 20.0, 130.2}) {
    EXPECT_EQ(rBesselJn(x, -3), -rBesselJn(x, 3)) << x;
    EXPECT_EQ(rBesselJn(-x, 3), -rBesselJn(x, 3)) << x;
    EXPECT_EQ(rBesselJn(-x, 4), rBesselJn(x, 4)) << x;
    EXPECT_EQ(rBesselYnuDefinitive(x, -1), -rBesselYnuDefinitive(x, 1)) << x;
    EXPECT_EQ(rBesselYn(x, -6), rBesselYn(x, 6)) << x;
  }
  EXPECT_EQ(rBesselJn(0, 0), 1.0);
  EXPECT_EQ(rBesselJn(0, 2), 0.0);
  EXPECT_EQ(rBesselJnu(0, 0), 1.0);
  EXPECT_EQ(rBesselJnu(5, -2.99999999), -rBesselJn(5, 3));
}

TEST(BesselJYEdge, ClosedFormsOfHalfIntegerOrder) {
  // J_1/2 = sqrt(2/(pi x)) sin x, J_-1/2 = sqrt(2/(pi x)) cos x, Y_1/2 = -J_-1/2.
  for (double x : {0.61, 4.4, 9.3, 15.8, 23.9, 77.1, 250.3}) {
    const double s = std::sqrt(2 / (kPi * x));
    EXPECT_LT(RelativeError(rBesselJnu(x, 0.5), s * std::sin(x), kFloor), 5e-14) << x;
    EXPECT_LT(RelativeError(rBesselJnu(x, -0.5), s * std::cos(x), kFloor), 5e-14) << x;
    EXPECT_LT(RelativeError(rBesselYnuDefinitive(x, 0.5), -s * std::cos(x), kFloor), 5e-14) << x;
    EXPECT_LT(RelativeError(rBesselYnuDefinitive(x, -0.5), s * std::sin(x), kFloor), 5e-14) << x;
  }
}

TEST(BesselJYEdge, PublishedValuesAndRegionEdges) {
  // The 15 digits given for Y_0(1) and Y_1(1).
  EXPECT_NEAR(rBesselYnuDefinitive(1, 0), 0.088256964215677, 4e-15);
  EXPECT_NEAR(rBesselYnuDefinitive(1, 1), -0.781212821300289, 4e-15);
  // The downward recurrences at x >= 90 agree with the integer order.
  EXPECT_TRUE(std::isfinite(rBesselJnu(100, 20)));
  EXPECT_LT(RelativeError(rBesselJnu(100, 20), rBesselJn(100, 20), kFloor), 1e-13);
  for (double nu : {0.3, 2.0, 7.6}) {
    EXPECT_TRUE(std::isnan(rBesselJnu(-1, nu)));
    EXPECT_TRUE(std::isnan(rBesselYnuDefinitive(-1, nu)));
    EXPECT_TRUE(std::isnan(rBesselYnu(-1, nu)));
    EXPECT_TRUE(std::isnan(rBesselJnu(NAN, nu)));
  }
  // Y has its pole at 0.
  EXPECT_TRUE(std::isnan(rBesselYnuDefinitive(0, 1)));
  // Negative non-integer orders at 0 are infinite, with the sign of
  // Gamma(nu + 1).
  EXPECT_EQ(rBesselJnu(0, -0.5), INFINITY);
  EXPECT_EQ(rBesselJnu(0, -1.5), -INFINITY);
}

TEST(BesselJYEdge, Wronskian) {
  // J_nu Y_nu' - J_nu' Y_nu = 2/(pi x): ties each derivative to J and Y,
  // at integer orders too (where the quotient from J has no value).
  for (double x : {0.83, 3.9, 11.2, 16.4, 27.7, 95.0, 212.6}) {
    for (double nu : {0.0, 1.0, 2.0, 5.0, 0.31, 2.5, 6.75, -3.4, -4.0}) {
      const double w = 2 / (kPi * x);
      const double got =
          rBesselJnu(x, nu) * rBesselYnuD(x, nu) - rBesselJnuD(x, nu) * rBesselYnuDefinitive(x, nu);
      // Scaled by the size of the products, which grow with |nu| at small x.
      const double scale = std::fabs(rBesselJnu(x, nu) * rBesselYnuD(x, nu)) + w;
      EXPECT_NEAR(got, w, 1e-14 * scale) << "x " << x << " nu " << nu;
    }
  }
}

TEST(BesselJYEdge, SecondDerivativesSolveBesselsEquation) {
  // x^2 J'' + x J' + (x^2 - nu^2) J = 0.
  for (double x : {0.83, 3.9, 11.2, 27.7, 95.0}) {
    for (Qword n : {0, 1, 3, 8}) {
      const double nd = static_cast<double>(n);
      const double j = rBesselJn(x, static_cast<Qlong>(n));
      const double r = x * x * rBesselJnD2(x, n) + x * rBesselJnD(x, n) + (x * x - nd * nd) * j;
      EXPECT_NEAR(r, 0, 1e-14 * (x * x + nd * nd)) << x << " " << n;
      const double r2 =
          x * x * rBesselJnuD2(x, nd) + x * rBesselJnuD(x, nd) + (x * x - nd * nd) * j;
      EXPECT_NEAR(r2, 0, 1e-14 * (x * x + nd * nd)) << x << " " << n;
    }
    for (double nu : {0.4, 2.5, 5.3}) {
      const double r = x * x * rBesselJnuD2(x, nu) + x * rBesselJnuD(x, nu) +
                       (x * x - nu * nu) * rBesselJnu(x, nu);
      EXPECT_NEAR(r, 0, 1e-14 * (x * x + nu * nu)) << x << " " << nu;
    }
  }
}

TEST(BesselJYEdge, TemmeSeries) {
  for (double x : {0.013, 0.4, 1.0, 1.7, 2.0}) {
    for (double nu : {-0.5, -0.31, -1e-9, 0.0, 1e-7, 0.25, 0.5}) {
      const double want = rBesselYnuDefinitive(x, nu);
      EXPECT_LT(RelativeError(rBesselYnuSmallTemme(x, nu), want, kFloor), 5e-14) << x << " " << nu;
    }
  }
  // Where sin(nu pi) is far from 0, the quotient from J agrees.
  EXPECT_LT(RelativeError(rBesselYnuSmallTemme(1, 0.25), rBesselYnu(1, 0.25), kFloor), 5e-14);
  EXPECT_TRUE(std::isnan(rBesselYnuSmallTemme(3, 0.25)));
  EXPECT_TRUE(std::isnan(rBesselYnuSmallTemme(1, 0.75)));
  EXPECT_TRUE(std::isnan(rBesselYnuSmallTemme(0, 0.25)));
}

TEST(BesselJYEdge, FormsFromJ) {
  // Away from integer orders the quotient holds to a few ulps of the
  // larger of J and Y; the averaged form near integers is limited by its
  // 1e-6 offset (second order) and by sin(nu pi) near 3e-6.
  for (double x : {0.7, 4.1, 8.8}) {
    for (double nu : {0.3, 1.5, 2.7, -1.25}) {
      const double y = rBesselYnuDefinitive(x, nu);
      const double scale = std::fmax(std::fabs(rBesselJnu(x, nu)), std::fabs(y));
      EXPECT_LT(std::fabs(rBesselYnu(x, nu) - y) / scale, 1e-14) << x << " " << nu;
    }
    for (double nu : {1.0000001, 3.0}) {
      EXPECT_LT(RelativeError(rBesselYnuCloseIntegers(x, nu), rBesselYnuDefinitive(x, nu), kFloor),
                1e-8)
          << x << " " << nu;
    }
  }
  // The quotient has no value at integer orders.
  EXPECT_TRUE(std::isnan(rBesselYnu(2.2, 2)));
}

TEST(BesselJYEdge, HugeOrdersAndArgumentsEnd) {
  EXPECT_EQ(rBesselJn(3.3, INT64_MIN), 0.0);
  EXPECT_EQ(rBesselJn(250.0, 5000000), 0.0);
  EXPECT_EQ(rBesselJnD(7.1, ~Qword{0}), 0.0);
  EXPECT_EQ(rBesselJnD2(7.1, ~Qword{0}), 0.0);
  EXPECT_EQ(rBesselJnu(150.0, 1e9), 0.0);
  EXPECT_EQ(rBesselYnuDefinitive(3.3, 1e300), -INFINITY);
  EXPECT_EQ(rBesselYnuDefinitive(33.3, 1e6), -INFINITY);
  // Far beyond the recurrences' reach the asymptotic sum answers.
  const double x = 1e7 + 0.3;
  EXPECT_NEAR(rBesselJn(x, 3), std::sqrt(2 / (kPi * x)) * std::cos(x - 3 * kPi / 2 - kPi / 4),
              1e-10);
}

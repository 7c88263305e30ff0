// Jacobi elliptic functions against mpmath.ellipfun (elliptic_reference.inc),
// the quarter-period values, the Pythagorean identities, the quotients and
// the inverses' round trips.
#include <gtest/gtest.h>

#include <cmath>

#include "elliptic_reference.inc"
#include "scalar/elliptic.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

namespace {
constexpr double kMs[] = {0.0, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99, 0.999999, -0.5, -1.0};
}

// Absolute error (floor 1) on [-50, 50]; the period reduction carries K to
// double-double precision, so many periods cost nothing extra.
TEST(Jacobi, AgainstReferenceOnZeroToFifty) {
  AccuracyTally sn("rSn", kTol1, 1), cn("rCn", kTol1, 1), dn("rDn", kTol1, 1);
  for (const JacobiRow& r : kJacobiRef) {
    sn.Check(r.u, rSn(r.m, r.u), r.sn);
    cn.Check(r.u, rCn(r.m, r.u), r.cn);
    dn.Check(r.u, rDn(r.m, r.u), r.dn);
  }
}

// Near 0 sn keeps its relative accuracy (series below 2^-8, a Taylor step
// after the bisection above).
TEST(Jacobi, SmallArgumentsKeepRelativeAccuracy) {
  AccuracyTally sn("rSn near 0", kTol1);
  for (const JacobiRow& r : kJacobiRef) {
    if (r.u > 0 && r.u < 1) sn.Check(r.u, rSn(r.m, r.u), r.sn);
  }
  EXPECT_EQ(rSn(0.5, 1e-300), 1e-300);
}

TEST(Jacobi, QuarterPeriodValues) {
  for (double m : kMs) {
    if (m < 0) continue;  // rEllipticKm takes m >= 0
    const double k = rEllipticKm(m);
    // The double nearest K misses it by up to half an ulp of K; where the
    // slope is 1 that shows in the value.
    const double tol = 1e-15 + 2 * kEps * k;
    EXPECT_NEAR(rSn(m, k), 1, 1e-15) << m;
    EXPECT_NEAR(rCn(m, k), 0, tol) << m;
    EXPECT_NEAR(rDn(m, k), std::sqrt(1 - m), 1e-15) << m;
    EXPECT_NEAR(rSn(m, 2 * k), 0, 2 * tol) << m;
    EXPECT_NEAR(rCn(m, 2 * k), -1, 1e-15) << m;
    EXPECT_NEAR(rSn(m, 3 * k), -1, 1e-15) << m;
    EXPECT_NEAR(rCn(m, 3 * k), 0, 3 * tol) << m;
  }
  for (int i = 0; i <= 64; ++i) {
    const double u = i * (2 * 3.141592653589793 / 64);
    EXPECT_NEAR(rSn(0, u), std::sin(u), 1e-15) << u;
    EXPECT_NEAR(rCn(0, u), std::cos(u), 1e-15) << u;
    EXPECT_EQ(rDn(0, u), 1) << u;
  }
}

TEST(Jacobi, IdentitiesAndSymmetry) {
  for (double m : kMs) {
    for (double u : {0.01, 0.3, 1.1, 2.385, 7.25, 31.5}) {
      double s, c, d;
      ASSERT_EQ(rSnCnDn(m, u, &s, &c, &d), kErrNone);
      EXPECT_NEAR(s * s + c * c, 1, 4 * kEps) << m << " " << u;
      EXPECT_NEAR(d * d + m * s * s, 1, 4 * kEps) << m << " " << u;
      // sn odd, cn and dn even.
      EXPECT_EQ(rSn(m, -u), -s);
      EXPECT_EQ(rCn(m, -u), c);
      EXPECT_EQ(rDn(m, -u), d);
    }
  }
  for (double u : {0.5, 3.0, -2.0, 40.0}) {
    EXPECT_LE(ErrorInEps(rSn(1, u), std::tanh(u)), kTol0);
    EXPECT_LE(ErrorInEps(rCn(1, u), 1 / std::cosh(u)), kTol0);
  }
}

TEST(Jacobi, QuotientsAndDomain) {
  const double m = 0.2385, u = 1.75;
  double s, c, d;
  ASSERT_EQ(rSnCnDn(m, u, &s, &c, &d), kErrNone);
  EXPECT_EQ(rNs(m, u), 1 / s);
  EXPECT_EQ(rNc(m, u), 1 / c);
  EXPECT_EQ(rNd(m, u), 1 / d);
  EXPECT_EQ(rSc(m, u), s / c);
  EXPECT_EQ(rSd(m, u), s / d);
  EXPECT_EQ(rCs(m, u), c / s);
  EXPECT_EQ(rCd(m, u), c / d);
  EXPECT_EQ(rDs(m, u), d / s);
  EXPECT_EQ(rDc(m, u), d / c);
  for (double mm : kMs) {
    EXPECT_NEAR(rCd(mm, 0), 1, 1e-15);
    EXPECT_TRUE(std::isnan(rNs(mm, 0)));  // sn(0) is exactly 0
    EXPECT_TRUE(std::isnan(rCs(mm, 0)));
  }
  s = c = d = 0;
  EXPECT_EQ(rSnCnDn(1.5, 0.5, &s, &c, &d), kErrIllegalArgument);
  EXPECT_TRUE(std::isnan(s) && std::isnan(c) && std::isnan(d));
  EXPECT_EQ(rSnCnDn(-1.5, 0.5, nullptr, nullptr, nullptr), kErrIllegalArgument);
  EXPECT_EQ(rSnCnDn(0.5, ___NAN, &s, &c, &d), kErrIllegalArgument);
  EXPECT_EQ(rSnCnDn(0.5, ___PlsINF, &s, &c, &d), kErrIllegalArgument);
  EXPECT_TRUE(std::isnan(rSn(___NAN, 0.5)));
  EXPECT_TRUE(std::isnan(rDc(2, 0.5)));
  EXPECT_FALSE(std::isnan(rSn(0.5, 1e300)));  // huge arguments still end
}

TEST(JacobiInverse, RoundTrips) {
  AccuracyTally value("sn(rSnInv(x))", kTol1, 1);
  for (double m : {0.0, 0.3, 0.5, 0.9, 0.999999, -0.5, -1.0}) {
    const double k = m >= 0 ? rEllipticKm(m) : 1.0;  // K for m < 0 is above 1
    for (int i = 1; i < 64; ++i) {
      const double u = k * i / 64;
      double s, c, d;
      ASSERT_EQ(rSnCnDn(m, u, &s, &c, &d), kErrNone);
      // The inverse's error is the value's error over the slope.
      const double tol_sn = 8 * kEps / (c * d) + 4 * kEps * u;
      EXPECT_NEAR(rSnInv(m, s), u, tol_sn) << m << " " << u;
      EXPECT_NEAR(rCnInv(m, c), u, 8 * kEps / (s * d) + 4 * kEps * u) << m << " " << u;
      if (m != 0) {
        EXPECT_NEAR(rDnInv(m, d), u, 8 * kEps / std::fabs(m * s * c) + 4 * kEps * u);
      }
    }
    for (double x : {0.001, 0.2385, 0.5, 0.875, 0.999}) value.Check(x, rSn(m, rSnInv(m, x)), x);
  }
  EXPECT_NEAR(rSnInv(0.3, rSn(0.3, 0.7)), 0.7, 1e-14);
  EXPECT_LE(ErrorInEps(rSnInv(0.5, 1), rEllipticKm(0.5)), kTol0);
  EXPECT_EQ(rCnInv(0.5, 1), 0);
  EXPECT_EQ(rSnInv(0.5, 0), 0);
  EXPECT_LE(ErrorInEps(rSnInv(1, 0.5), std::atanh(0.5)), kTol0);
}

TEST(JacobiInverse, Domain) {
  EXPECT_TRUE(std::isnan(rSnInv(0.3, 1.2)));
  EXPECT_TRUE(std::isnan(rSnInv(0.3, -0.1)));
  EXPECT_TRUE(std::isnan(rCnInv(0.3, 1.5)));
  EXPECT_TRUE(std::isnan(rDnInv(0.75, 0.4)));  // below sqrt(1 - m) = 0.5
  EXPECT_TRUE(std::isnan(rDnInv(0.75, 1.1)));
  EXPECT_TRUE(std::isnan(rSnInv(1.5, 0.5)));
  EXPECT_TRUE(std::isnan(rSnInv(0.5, ___NAN)));
  EXPECT_LE(ErrorInEps(rDnInv(0.75, 0.5), rEllipticKm(0.75)), kTol0);
  // m = 0: dn is 1 everywhere; the first midpoint answers.
  EXPECT_EQ(rDnInv(0, 1), rEllipticKm(0) / 2);
}

// Modified Bessel functions and Airy functions: closed forms, the method
// choices of the region maps, kernels and the edge cases.
#include "scalar/bessel_ik.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scalar/bessel_ik_internal.h"
#include "scalar/real_helpers.h"
#include "support/accuracy.h"

namespace {
constexpr double kPi = 3.141592653589793;

// Half-integer orders in closed form.
double KHalf(double x) { return std::sqrt(kPi / (2 * x)) * std::exp(-x); }
double KThreeHalves(double x) { return KHalf(x) * (1 + 1 / x); }
double IHalf(double x) { return std::sqrt(2 / (kPi * x)) * std::sinh(x); }
double IMinusHalf(double x) { return std::sqrt(2 / (kPi * x)) * std::cosh(x); }
}  // namespace

TEST(BesselI, HalfIntegerOrdersInClosedForm) {
  for (double x : {0.037, 0.61, 2.385, 7.9, 17.5, 18.2, 23.7, 41.3}) {
    EXPECT_LE(ErrorInEps(rBesselInuDefinitive(x, 0.5), IHalf(x)), 32) << x;
    EXPECT_LE(ErrorInEps(rBesselInuDefinitive(x, -0.5), IMinusHalf(x)), 32) << x;
    // I_(3/2) = I_(-1/2) - I_(1/2)/x, a closed form that cancels below 1
    if (x > 0.5) {
      EXPECT_LE(ErrorInEps(rBesselInuDefinitive(x, 1.5), IMinusHalf(x) - IHalf(x) / x), 64) << x;
    }
  }
}

TEST(BesselI, IntegerOrdersAndRegionChoices) {
  EXPECT_EQ(rBesselIn(0, 0), 1);
  EXPECT_EQ(rBessel_I0(0), 1);
  EXPECT_EQ(rBesselIn(0, 3), 0);
  for (double x : {0.3, 2.385, 12.6, 30.1}) {
    EXPECT_LE(ErrorInEps(rBesselIn(x, 0), rBessel_I0(x)), 32) << x;
    EXPECT_EQ(rBesselIn(x, -2), rBesselIn(x, 2)) << x;
    EXPECT_EQ(rBesselIn(x, -7), rBesselIn(x, 7)) << x;
    // The series itself takes I_-n = I_n instead of dividing by zero.
    Long count = -1;
    EXPECT_EQ(rBesselInuSeries(x, -3, &count), rBesselInuSeries(x, 3, nullptr)) << x;
    EXPECT_GT(count, 0);
  }
  // At x = 20 the edge c is about 9.42: order 1 takes the asymptotic sum,
  // order 10 the series, and both are right.
  EXPECT_EQ(rBesselInuDefinitive(20, 1), rBesselInuAsymp(20, 1));
  EXPECT_EQ(rBesselInuDefinitive(20, 10), rBesselInuSeries(20, 10, nullptr));
  EXPECT_LE(ErrorInEps(rBesselInuAsymp(20, 1), rBesselInuSeries(20, 1, nullptr)), 32);
  // Recurrence identity I_(n-1) - I_(n+1) = (2n/x) I_n across the edge.
  for (double x : {17.9, 18.1, 26.3}) {
    for (double nu : {0.3, 4.7, 8.2}) {
      const double lhs = rBesselInuDefinitive(x, nu - 1) - rBesselInuDefinitive(x, nu + 1);
      EXPECT_LE(ErrorInEps(lhs, 2 * nu / x * rBesselInuDefinitive(x, nu)), 256) << x << " " << nu;
    }
  }
}

TEST(BesselI, ThroughMultiplicationOfJ) {
  // Against the region map, including values far below 1 that an absolute
  // stop on the change would cut after two terms.
  for (double x : {0.1, 1.3, 7.7, 20.0}) {
    for (double nu : {0.0, 1.0, 2.5, 10.0, 20.0, -0.3}) {
      const double want = rBesselInuDefinitive(x, nu);
      EXPECT_LE(ErrorInEps(rBesselInuThroughMultiplication(x, nu), want), 128) << x << " " << nu;
    }
  }
  EXPECT_TRUE(std::isnan(rBesselInuThroughMultiplication(-1, 0.5)));
  EXPECT_EQ(rBesselInuThroughMultiplication(0, 0), 1);
}

TEST(BesselI, DomainAndCaps) {
  EXPECT_TRUE(std::isnan(rBesselIn(-1, 0)));
  EXPECT_TRUE(std::isnan(rBesselInuDefinitive(-0.5, 1.3)));
  EXPECT_TRUE(std::isnan(rBesselInuSeries(-2, 0.5, nullptr)));
  EXPECT_TRUE(std::isnan(rBessel_I0(-3)));
  EXPECT_TRUE(std::isnan(rBesselInuDefinitive(___NAN, 1)));
  EXPECT_TRUE(std::isnan(rBesselInuDefinitive(2, ___NAN)));
  // The series stops at its 1000-term cap with NaN.
  Long count = 0;
  EXPECT_TRUE(std::isnan(rBesselInuSeries(3000, 0.5, &count)));
  EXPECT_EQ(count, 1000);
  // Where the cap is reached with nu <= x, I overflows: infinity, not NaN.
  EXPECT_EQ(rBesselInuDefinitive(3000, 1200), ___PlsINF);
  // At 0, negative non-integer orders are infinite with the sign of
  // 1/Gamma(nu + 1).
  EXPECT_EQ(rBesselInuSeries(0, -0.4, nullptr), ___PlsINF);
  EXPECT_EQ(rBesselInuSeries(0, -1.4, nullptr), ___MnsINF);
  EXPECT_EQ(rBesselInuDefinitive(0, -2.5), ___PlsINF);
  EXPECT_EQ(rBesselInuSeries(0, 0, nullptr), 1);
  EXPECT_EQ(rBesselInuSeries(0, 2.5, nullptr), 0);
  // mu = 1 (nu = 1/2) ends the asymptotic sum after its first term.
  EXPECT_EQ(rBesselInuAsympSum(7.3, 0.5, 12), 1);
}

TEST(BesselK, HalfIntegerOrdersInClosedForm) {
  for (double x : {1e-3, 0.61, 1.999, 2.001, 5.2, 17.0, 20.0, 63.1, 650.0}) {
    EXPECT_LE(ErrorInEps(rBessel_Knu(x, 0.5), KHalf(x)), 16) << x;
    EXPECT_LE(ErrorInEps(rBessel_Knu(x, -1.5), KThreeHalves(x)), 8) << x;
    EXPECT_LE(ErrorInEps(rBesselKnuDefinitive(x, 2.5), KHalf(x) * (1 + 3 / x + 3 / (x * x))), 16)
        << x;
    // mu = 9 ends the asymptotic sum after one term: K_3/2 exactly.
    EXPECT_LE(ErrorInEps(rBesselKnuAsympt(x, 1.5, 10), KThreeHalves(x)), 8) << x;
  }
  EXPECT_LE(ErrorInEps(rBesselKnuDefinitive(20, 0.5), std::sqrt(kPi / 40) * std::exp(-20)), 4);
}

TEST(BesselK, FractionalOrdersDoNotCancel) {
  // The reflection through I gave exactly 0 from x = 20 on.
  for (double x : {20.0, 35.5, 90.0, 400.0}) {
    const double k = rBessel_Knu(x, 0.3);
    EXPECT_GT(k, 0) << x;
    // K_0.3 lies between K_0 and K_1 (K increases with the order).
    EXPECT_GT(k, rBesselKnuDefinitive(x, 0)) << x;
    EXPECT_LT(k, rBesselKnuDefinitive(x, 1)) << x;
  }
  // Integer orders through the same path agree with the rational forms.
  for (double x : {1.0, 3.3, 9.7}) {
    EXPECT_LE(ErrorInEps(rBessel_Knu(x, 0), rBesselK0Rat(x)), 8) << x;
    EXPECT_LE(ErrorInEps(rBessel_Knu(x, 1), rBesselK1Rat(x)), 8) << x;
  }
}

TEST(BesselK, RegionChoices) {
  EXPECT_EQ(rBesselKnuDefinitive(10, 0), rBesselK0Rat(10));
  EXPECT_LE(ErrorInEps(rBesselK0Rat(10), 1.7780062316167651811e-5), 4);
  EXPECT_EQ(rBesselKnuDefinitive(10, 1), rBesselK1Rat(10));
  const double k0 = rBesselK0Rat(10);
  const double k1 = rBesselK1Rat(10);
  const double k2 = 2 * 1 / 10.0 * k1 + k0;
  const double k3 = 2 * 2 / 10.0 * k2 + k1;
  EXPECT_EQ(rBesselKnuDefinitive(10, 3), k3);
  EXPECT_EQ(rBesselKRecurUp(10, 3, 2, k1, k0), k3);
  EXPECT_EQ(rBesselKnuDefinitive(2, 0), rBesselKnSeries(2, 0));
  EXPECT_LE(ErrorInEps(rBesselK0(2), rBesselKnSeries(2, 0)), 64);
  EXPECT_EQ(rBesselKnSeries(1.3, -4), rBesselKnSeries(1.3, 4));
  EXPECT_EQ(rBesselKnuDefinitive(7.1, -2.6), rBesselKnuDefinitive(7.1, 2.6));
}

TEST(BesselK, DomainAndLimits) {
  EXPECT_TRUE(std::isnan(rBesselK0Rat(0.5)));
  EXPECT_TRUE(std::isnan(rBesselK1Rat(0.999)));
  EXPECT_TRUE(std::isnan(rBesselK0(-1)));
  EXPECT_TRUE(std::isnan(rBesselKnSeries(-1, 2)));
  EXPECT_TRUE(std::isnan(rBesselKnuDefinitive(-1, 2)));
  EXPECT_TRUE(std::isnan(rBessel_Knu(-1, 0.3)));
  // A NaN argument is no argument: NaN, not 0.
  EXPECT_TRUE(std::isnan(rBesselKnuDefinitive(___NAN, 1)));
  EXPECT_TRUE(std::isnan(rBessel_Knu(___NAN, 1)));
  EXPECT_TRUE(std::isnan(rBessel_Knu(1, ___NAN)));
  EXPECT_EQ(rBessel_Knu(0, 0.3), ___PlsINF);
  EXPECT_EQ(rBesselKnuDefinitive(0, 2), ___PlsINF);
  EXPECT_EQ(rBesselKnSeries(0, 3), ___PlsINF);
  EXPECT_EQ(rBesselK0(0), ___PlsINF);
  EXPECT_EQ(rBessel_Knu(___PlsINF, 0.3), 0);
  EXPECT_EQ(rBessel_Knu(1e-3, 400.5), ___PlsINF);  // overflow, not NaN
  EXPECT_EQ(rBessel_Knu(2000, 3.3), 0);            // underflow
  EXPECT_EQ(rBessel_Knu(1e300, 3.3), 0);
  EXPECT_GT(rBessel_Knu(1e-300, 0.4), 0);
  // Orders whose factorials overflow or that would take endless
  // recurrence steps: finite where K is, at once.
  EXPECT_EQ(rBesselKnSeries(16, 172), rBessel_Knu(16, 172));
  EXPECT_TRUE(std::isfinite(rBesselKnSeries(16, 172)));
  EXPECT_EQ(rBesselKnSeries(1, INT64_MIN), ___PlsINF);
  EXPECT_EQ(rBesselKnuDefinitive(20, 1e300), ___PlsINF);
  EXPECT_EQ(rBesselKnuDefinitive(500, 4e18), ___PlsINF);
  EXPECT_EQ(rBesselKnuDefinitive(1e12, 3e6), 0);
}

TEST(Airy, ValuesAtZeroAndLimits) {
  EXPECT_EQ(rAi(0), 0.3550280538878172);
  EXPECT_LE(ErrorInEps(rBi(0), 0.6149266274460007), 1);
  EXPECT_EQ(rAi(___PlsINF), 0);
  EXPECT_EQ(rBi(___PlsINF), ___PlsINF);
  EXPECT_EQ(rAi(___MnsINF), 0);
  EXPECT_EQ(rBi(___MnsINF), 0);
  EXPECT_TRUE(std::isnan(rAi(___NAN)));
  EXPECT_TRUE(std::isnan(rBi(___NAN)));
  EXPECT_EQ(rAi(200), 0);  // underflow
  EXPECT_EQ(rBi(110), ___PlsINF);
}

TEST(Airy, FormerFailuresOfTheFixedSeries) {
  // The 99-term series gave Ai(10) < 0 and Ai(-20) far beyond its envelope.
  EXPECT_LE(ErrorInEps(rAi(10), 1.104753255289868785e-10), 16);
  EXPECT_GT(rAi(10), 0);
  for (double x = -30; x < -4; x += 0.731) {
    // The modulus: Ai² + Bi² = (1 - 5/32 z^-3 + 10395/18432 z^-6 - ...)/(pi sqrt z), z = -x.
    const double z = -x;
    const double z3 = z * z * z;
    const double m2 = (1 - 5.0 / 32 / z3 + 10395.0 / 18432 / (z3 * z3)) / (kPi * std::sqrt(z));
    const double sq = rAi(x) * rAi(x) + rBi(x) * rBi(x);
    EXPECT_NEAR(sq / m2, 1, 7 / (z3 * z3 * z3) + 1e-13) << x;  // next term 6.5 z^-9
  }
}

TEST(Airy, ContinuousAcrossMethodEdges) {
  // Each method edge: the value just inside and just outside differ by no
  // more than the slope allows.
  for (double edge : {1.0, -1.0, -9.5}) {
    const double h = std::fabs(edge) * 4 * kEps;
    const double lo = edge - h;
    const double hi = edge + h;
    const double slope_ai = std::fabs(rAi(edge + 1e-6) - rAi(edge - 1e-6)) / 2e-6;
    const double slope_bi = std::fabs(rBi(edge + 1e-6) - rBi(edge - 1e-6)) / 2e-6;
    // Scale: the envelope of the oscillation, or the value where it grows.
    const double scale = edge < 0 ? std::pow(-edge, -0.25) / std::sqrt(kPi) : rBi(edge);
    EXPECT_LE(std::fabs(rAi(hi) - rAi(lo)), slope_ai * 2 * h + 16 * kEps * scale) << edge;
    EXPECT_LE(std::fabs(rBi(hi) - rBi(lo)), slope_bi * 2 * h + 16 * kEps * scale) << edge;
  }
}

// Edge cases, closed forms, poles and round trips of the gamma family.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "reference_rows.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"
#include "support/accuracy.h"

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kSqrtPi = 1.7724538509055160;
constexpr double kEulerGamma = 0.5772156649015329;

bool IsNan(double v) { return std::isnan(v); }
}  // namespace

TEST(GammaEdges, PolesGiveNan) {
  for (double x : {0.0, -0.0, -1.0, -2.0, -3.0, -17.0, -170.0, -1e6, -1e20}) {
    EXPECT_TRUE(IsNan(rGammaLn(x))) << x;
    EXPECT_TRUE(IsNan(rGamma(x))) << x;
    EXPECT_TRUE(IsNan(rPsi0(x))) << x;
    EXPECT_TRUE(IsNan(rPsi1(x))) << x;
    EXPECT_EQ(r1DivGamma(x), 0.0) << x;
  }
  EXPECT_TRUE(IsNan(rGammaD(-4.0)));
  EXPECT_TRUE(IsNan(rGammaD2(-4.0)));
}

TEST(GammaEdges, ClosedForms) {
  EXPECT_TRUE(WithinEps(rGammaLn(-0.5), std::log(2.0 * kSqrtPi), 4));
  EXPECT_TRUE(WithinEps(rGamma(0.5), kSqrtPi, 4));
  EXPECT_TRUE(WithinEps(rGamma(-0.5), -2.0 * kSqrtPi, 4));
  EXPECT_TRUE(WithinEps(rGamma(-2.5), -8.0 * kSqrtPi / 15.0, 8));
  EXPECT_TRUE(WithinEps(rGamma(5.0), 24.0, 32));  // exp(lnGamma): lnGamma's ulps times 3.2
  EXPECT_TRUE(IsNan(rGamma(172.0)));              // the exponential overflows
  EXPECT_EQ(r1DivGamma(172.0), 0.0);
  EXPECT_TRUE(WithinEps(r1DivGamma(-1.5), 3.0 / (4.0 * kSqrtPi), 8));
  EXPECT_EQ(r1DivGammaT1(0.0, 0), 1.0);
  EXPECT_EQ(r1DivGammaT1(0.0, 3), -6.0);
  EXPECT_TRUE(WithinEps(r1DivGammaT1(0.0, 12), 479001600.0, 64));  // (-1)^12 12!
  EXPECT_TRUE(WithinEps(r1DivGammaT1(0.3, 2), 1.0 / (0.3 * std::tgamma(0.3 - 2.0)), 128));
  EXPECT_TRUE(WithinEps(r1DivGammaT1(0.3, 14), 1.0 / (0.3 * std::tgamma(0.3 - 14.0)), 1024));
  EXPECT_EQ(rGammaT1(0.0), -kEulerGamma);
  EXPECT_NEAR(rGammaT1(0.01), std::tgamma(0.01) - 100.0, 64 * kEps * 100.0);  // 99.43 - 100
  EXPECT_EQ(rGammaLnT1(0.0), -kEulerGamma);
  // lnGamma near its zero at 1 is good to an absolute few eps, not relative.
  EXPECT_NEAR(rGammaLnT1(0.25), std::lgamma(1.25) / 0.25, 32 * kEps / 0.25);
  EXPECT_TRUE(WithinEps(rPsi0(1.0), -kEulerGamma, 8));
  EXPECT_TRUE(WithinEps(rPsi0(0.5), -kEulerGamma - 2.0 * std::log(2.0), 16));
  EXPECT_TRUE(WithinEps(rPsi0(0.1), -10.423754940411076, 16));  // the reflection branch
  EXPECT_TRUE(WithinEps(rPsi1(1.0), kPi * kPi / 6.0, 4));
  EXPECT_TRUE(WithinEps(rPsi1(0.5), kPi * kPi / 2.0, 4));
  // Gamma'(1) = -gamma, Gamma''(1) = gamma^2 + pi^2/6
  EXPECT_TRUE(WithinEps(rGammaD(1.0), -kEulerGamma, 16));
  EXPECT_TRUE(WithinEps(rGammaD2(1.0), kEulerGamma * kEulerGamma + kPi * kPi / 6.0, 32));
}

TEST(GammaEdges, LargeNegativeArgumentsKeepAccuracy) {
  // Gamma(-n - 1/2) = (-4)^(n+1) (n+1)! sqrt(pi) / (2n+2)!, here n = 99:
  // the sine of pi x is reduced exactly, so no digits go.
  const double got = rGammaLn(-99.5);
  const double want = std::lgamma(-99.5);
  EXPECT_NEAR(got, want, 64 * kEps * std::fabs(want));
  // Gamma(1 - x) overflows: the value is below the exponential's range,
  // a signed zero rather than NaN.
  EXPECT_EQ(rGamma(-175.5), 0.0);
  EXPECT_FALSE(std::signbit(rGamma(-175.5)));
  EXPECT_TRUE(std::signbit(rGamma(-176.5)));
  EXPECT_EQ(rGamma(-176.5), 0.0);
  // 1/Gamma of a subnormal is that subnormal, not an infinity.
  EXPECT_EQ(r1DivGamma(1e-310), 1e-310);
}

TEST(GammaEdges, IncompleteGammaArguments) {
  EXPECT_EQ(rGammaIncP(2.5, 0.0), 0.0);
  EXPECT_EQ(rGammaIncQ(2.5, 0.0), 1.0);
  // Small x is not cut off: P(a, x) = x^a/Gamma(a + 1) (1 - a x/(a + 1) ...)
  EXPECT_TRUE(
      WithinEps(rGammaIncQ(0.01, 1e-16), 1.0 - std::pow(1e-16, 0.01) / std::tgamma(1.01), 16));
  EXPECT_TRUE(WithinEps(rGammaIncP(0.05, 3e-320),
                        std::exp(0.05 * std::log(3e-320)) / std::tgamma(1.05), 64));
  EXPECT_TRUE(WithinEps(rGammaIncP(0.2, 1e-200), std::pow(1e-200, 0.2) / std::tgamma(1.2),
                        1024));  // a ln x = -92
  EXPECT_TRUE(WithinEps(rGammaIncLower(0.01, 1e-16), std::pow(1e-16, 0.01) / 0.01, 16));
  EXPECT_TRUE(
      WithinEps(rGammaIncUpper(0.01, 1e-16), std::tgamma(0.01) - std::pow(1e-16, 0.01) / 0.01, 64));
  EXPECT_EQ(rGammaIncLower(2.5, 0.0), 0.0);
  EXPECT_TRUE(WithinEps(rGammaIncUpper(2.5, 0.0), std::tgamma(2.5), 16));
  for (double a : {0.0, -1.0}) {
    EXPECT_TRUE(IsNan(rGammaIncP(a, 1.0)));
    EXPECT_TRUE(IsNan(rGammaIncQ(a, 1.0)));
    EXPECT_TRUE(IsNan(rGammaIncLower(a, 1.0)));
    EXPECT_TRUE(IsNan(rGammaIncUpper(a, 1.0)));
  }
  EXPECT_TRUE(IsNan(rGammaIncP(1.0, -0.5)));
  EXPECT_TRUE(IsNan(rGammaIncQ(1.0, -0.5)));
  EXPECT_TRUE(IsNan(rGammaIncP(std::nan(""), 1.0)));
  // a = 1: P = 1 - e^-x exactly in closed form, on both kernels.
  for (double x : {0.3183, 1.9, 2.7182, 17.25})
    EXPECT_TRUE(WithinEps(rGammaIncQ(1.0, x), std::exp(-x), 128));
  // a = 1/2: P = erf(sqrt x)
  for (double x : {0.2, 0.8, 3.3})
    EXPECT_TRUE(WithinEps(rGammaIncP(0.5, x), std::erf(std::sqrt(x)), 64));
}

TEST(GammaEdges, IncompleteGammaKernelsReportExhaustion) {
  double v = 0;
  // Far from convergence with the caps these shapes allow.
  EXPECT_EQ(rGammaIncSeries(&v, 1e30, 1e30), 39u);
  EXPECT_EQ(rGammaIncSeries(&v, 2.0, 1.0), 0u);
  EXPECT_EQ(rGammaIncContFrac(&v, 2.0, 5.0), 0u);
}

TEST(GammaEdges, IncompleteGammaLargeShapeNearPeak) {
  // Near x = a the fixed caps of a thousand steps are not enough from a of
  // about 1e4; the values must still come, and P + Q = 1.
  for (double a : {2.0e4, 1.0e5, 3.0e6}) {
    for (double k : {-0.75, 0.0, 0.6, 2.0}) {
      const double x = a + k * std::sqrt(a);
      const double p = rGammaIncP(a, x);
      const double q = rGammaIncQ(a, x);
      ASSERT_FALSE(IsNan(p)) << a << " " << x;
      ASSERT_FALSE(IsNan(q)) << a << " " << x;
      EXPECT_NEAR(p + q, 1.0, 1e-12);
    }
    EXPECT_NEAR(rGammaIncPInv(a, rGammaIncP(a, a)), a, 1e-8 * a);
  }
}

TEST(GammaEdges, InverseIncompleteGammaRoundTrip) {
  EXPECT_EQ(rGammaIncPInv(1.0, 1.0), 101.0);
  EXPECT_EQ(rGammaIncPInv(0.25, 1.0), 100.0);
  EXPECT_EQ(rGammaIncPInv(3.7, 0.0), 0.0);
  EXPECT_TRUE(IsNan(rGammaIncPInv(0.0, 0.5)));
  EXPECT_TRUE(IsNan(rGammaIncPInv(2.0, 1.5)));
  EXPECT_TRUE(IsNan(rGammaIncPInv(2.0, -0.1)));
  double worst = 0;
  for (double a : {0.013, 0.1, 0.37, 1.0, 2.345, 9.81, 47.3, 512.5, 8191.0}) {
    for (double p :
         {1e-300, 1e-100, 1e-20, 1e-8, 0.001, 0.0917, 0.5, 0.8413, 0.999, 1 - 1e-9, 1 - 1e-15}) {
      const double x = rGammaIncPInv(a, p);
      ASSERT_FALSE(IsNan(x)) << a << " " << p;
      if (x == 0) {
        // Only when the root lies below the smallest double.
        EXPECT_GE(rGammaIncP(a, 4.9406564584124654e-324), p) << "a " << a << " p " << p;
        continue;
      }
      if (p < 0.5) {
        // Lower tail: p carries its digits, so the round trip is relative;
        // the bound is P's own tolerance class for large shapes.
        const double err = std::fabs(rGammaIncP(a, x) - p) / p / kEps;
        worst = std::fmax(worst, err);
        EXPECT_LE(err, 8192) << "a " << a << " p " << p << " x " << x;
      } else {
        // Upper tail: p is known to an absolute eps only, and the root moves
        // by that much; P itself carries up to its tolerance class.
        EXPECT_LE(std::fabs(rGammaIncP(a, x) - p), 8192 * kEps)
            << "a " << a << " p " << p << " x " << x;
      }
    }
  }
  std::printf("[ accuracy ] rGammaIncPInv lower-tail round trip worst %.1f eps\n", worst);
}

TEST(GammaEdges, BetaFamily) {
  EXPECT_TRUE(WithinEps(rBeta(2.0, 3.0), 1.0 / 12.0, 16));
  EXPECT_TRUE(WithinEps(rBeta(0.5, 0.5), kPi, 16));
  EXPECT_TRUE(WithinEps(rBeta(250.5, 3.0), 2.0 / (250.5 * 251.5 * 252.5), 4096));
  EXPECT_TRUE(IsNan(rBetaLn(0.0, 1.0)));
  EXPECT_TRUE(IsNan(rBetaLn(1.0, -2.0)));
  EXPECT_TRUE(IsNan(rBeta3Ln(1.0, 2.0, 0.0)));
  EXPECT_TRUE(WithinEps(rBeta3Ln(1.5, 2.5, 3.5),
                        std::lgamma(1.5) + std::lgamma(2.5) + std::lgamma(3.5) - std::lgamma(7.5),
                        64));
  const double v[3] = {1.5, 2.5, 3.5};
  EXPECT_TRUE(WithinEps(rBetaMultiLn(3, v), rBeta3Ln(1.5, 2.5, 3.5), 16));
  EXPECT_EQ(rBetaMultiLn(1, v), 1.0);
  EXPECT_TRUE(IsNan(rBetaMultiLn(3, nullptr)));
  const double bad[2] = {1.0, 0.0};
  EXPECT_TRUE(IsNan(rBetaMultiLn(2, bad)));
}

TEST(GammaEdges, IncompleteBetaRules) {
  EXPECT_TRUE(WithinEps(rBetaIncReg(0.9, 2.0, 5.0), 1.0 - rBetaIncReg(0.1, 5.0, 2.0), 64));
  EXPECT_TRUE(WithinEps(rBetaIncReg(0.5, 3.3, 3.3), 0.5, 64));
  // I_x(1, b) = 1 - (1 - x)^b, I_x(a, 1) = x^a
  EXPECT_TRUE(WithinEps(rBetaIncReg(0.3, 1.0, 4.5), 1.0 - std::pow(0.7, 4.5), 64));
  EXPECT_TRUE(WithinEps(rBetaIncReg(0.3, 2.5, 1.0), std::pow(0.3, 2.5), 64));
  for (double x : {0.2, 0.45, 0.8})
    EXPECT_TRUE(WithinEps(rBetaInc(x, 2.0, 3.0), rBeta(2.0, 3.0) * rBetaIncReg(x, 2.0, 3.0), 64));
  EXPECT_EQ(rBetaIncReg(1.0 - 2 * kEps, 2.0, 3.0), 1.0);
  EXPECT_EQ(rBetaInc(1.0 - 2 * kEps, 2.0, 3.0), rBeta(2.0, 3.0));
  // Near the end points the value still moves: x^a/(a B) and 1 - (1-x)^b/(b B).
  EXPECT_TRUE(WithinEps(rBetaIncReg(1e-17, 2.0, 3.0), 1e-34 * 6.0, 16));
  EXPECT_TRUE(WithinEps(rBetaIncReg(1e-17, 0.15, 1.0), std::pow(1e-17, 0.15), 64));
  EXPECT_TRUE(
      WithinEps(rBetaIncReg(1.0 - 2 * kEps, 1.0, 0.15), 1.0 - std::pow(2 * kEps, 0.15), 16));
  EXPECT_EQ(rBetaIncReg(0.0, 2.0, 3.0), 0.0);
  EXPECT_EQ(rBetaIncReg(1.0, 2.0, 3.0), 1.0);
  EXPECT_TRUE(IsNan(rBetaIncReg(1.0000001, 2.0, 3.0)));
  EXPECT_TRUE(IsNan(rBetaIncReg(-0.1, 2.0, 3.0)));
  EXPECT_TRUE(IsNan(rBetaIncReg(0.5, 0.0, 3.0)));
  EXPECT_TRUE(IsNan(rBetaIncReg(0.5, 2.0, -1.0)));
  EXPECT_TRUE(WithinEps(rBetaIncReg2(0.2, 0.7, 2.0, 3.0),
                        rBetaIncReg(0.7, 2.0, 3.0) - rBetaIncReg(0.2, 2.0, 3.0), 4));
  EXPECT_TRUE(WithinEps(rBetaInc2(0.2, 0.7, 2.0, 3.0),
                        rBetaIncReg2(0.2, 0.7, 2.0, 3.0) * rBeta(2.0, 3.0), 4));
}

// Accepts x when p lies between I at x moved by four ulps either way: the
// best any double can do, whatever the slope of I there.
::testing::AssertionResult BetaRootBracketsP(double x, double p, double a, double b) {
  double lo = x, hi = x;
  for (int i = 0; i < 4; ++i) {
    lo = std::nextafter(lo, 0.0);
    hi = std::nextafter(hi, 1.0);
  }
  const double slack = 1e-11;  // the incomplete beta's own error
  if (p < 0.5) {
    if (rBetaIncReg(lo, a, b) <= p * (1 + slack) &&
        p <= rBetaIncReg(hi, a, b) * (1 + slack) + 1e-300)
      return ::testing::AssertionSuccess();
  } else {
    const double q = 1.0 - p;
    const double qlo = 1.0 - rBetaIncReg(hi, a, b), qhi = 1.0 - rBetaIncReg(lo, a, b);
    if (qlo <= q * (1 + slack) + 1e-300 && q <= qhi * (1 + slack) + 4 * kEps)
      return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "a " << a << " b " << b << " p " << p << " x " << x;
}

TEST(GammaEdges, InverseIncompleteBetaRoundTrip) {
  EXPECT_EQ(rBetaIncRegInv(0.0, 2.0, 3.0), 0.0);
  EXPECT_EQ(rBetaIncRegInv(1.0, 2.0, 3.0), 1.0);
  EXPECT_TRUE(IsNan(rBetaIncRegInv(0.5, 0.0, 3.0)));
  EXPECT_TRUE(IsNan(rBetaIncRegInv(1.5, 2.0, 3.0)));
  // Below eps the root is not 0: I_x(2, 3) = 1e-17 at x = 1.29e-9.
  EXPECT_TRUE(BetaRootBracketsP(rBetaIncRegInv(1e-17, 2.0, 3.0), 1e-17, 2.0, 3.0));
  double worst = 0;
  for (double a : {0.15, 0.5, 1.0, 2.75, 13.0, 97.0}) {
    for (double b : {0.2, 1.0, 4.4, 60.0}) {
      for (double p : {1e-12, 1e-5, 0.01, 0.25, 0.5, 0.77, 0.99, 1 - 1e-7}) {
        const double x = rBetaIncRegInv(p, a, b);
        ASSERT_FALSE(IsNan(x)) << a << " " << b << " " << p;
        EXPECT_TRUE(BetaRootBracketsP(x, p, a, b));
        if (p < 0.5) worst = std::fmax(worst, std::fabs(rBetaIncReg(x, a, b) - p) / p / kEps);
      }
    }
  }
  std::printf("[ accuracy ] rBetaIncRegInv lower-tail round trip worst %.1f eps\n", worst);
}

TEST(GammaEdges, Factorials) {
  EXPECT_EQ(rFactorial(-1), 0.0);
  EXPECT_EQ(rFactorial(20), 2432902008176640000.0);
  EXPECT_TRUE(WithinEps(rFactorial(25), 15511210043330985984000000.0, 64));
  EXPECT_TRUE(std::isfinite(rFactorial(170)));
  EXPECT_EQ(rFactorial(171), INFINITY);
  EXPECT_TRUE(IsNan(rFactorialLn(-1)));
  EXPECT_EQ(rFactorialLn(1), 0.0);
  EXPECT_TRUE(WithinEps(rFactorialLn(20), std::log(2432902008176640000.0), 2));
  EXPECT_EQ(rDoubleFactorial(-3), 0.0);
  EXPECT_EQ(rDoubleFactorial(33), 6332659870762850625.0);
  EXPECT_TRUE(WithinEps(rDoubleFactorial(34), 355687428096000.0 * 131072.0, 64));  // 17! 2^17
  EXPECT_TRUE(WithinEps(rDoubleFactorial(35), 6332659870762850625.0 * 35.0, 64));
  EXPECT_EQ(rDoubleFactorial(301), INFINITY);
  EXPECT_TRUE(IsNan(rDoubleFactorialLn(-2)));
  EXPECT_TRUE(WithinEps(rDoubleFactorialLn(35), std::log(6332659870762850625.0 * 35.0), 8));
  EXPECT_TRUE(WithinEps(rDoubleFactorialLn(36), std::log(355687428096000.0 * 131072.0 * 36.0), 8));
  EXPECT_TRUE(std::signbit(rDivByFact(-0.0, 5)));
  EXPECT_EQ(rDivByFact(-0.0, 5), 0.0);
  EXPECT_EQ(rDivByFact(240.0, 5), 2.0);
  EXPECT_LT(rDivByFact(-1.0, 25), 0.0);
  EXPECT_TRUE(WithinEps(rDivByFact(3.0, 200), std::exp(std::log(3.0) - std::lgamma(201.0)), 2048));
  EXPECT_TRUE(
      WithinEps(rMulByFact(1e-300, 180), std::exp(std::log(1e-300) + std::lgamma(181.0)), 2048));
  EXPECT_EQ(rMulByFact(-0.5, 4), -12.0);
  EXPECT_TRUE(IsNan(rDivByFactLn(0.0, 5)));
  EXPECT_TRUE(IsNan(rMulByFactLn(0.0, 5)));
  EXPECT_TRUE(WithinEps(rDivByFactLn(2.0, 30), std::log(2.0) - std::lgamma(31.0), 16));
  EXPECT_TRUE(WithinEps(rMulByFactLn(-2.0, 6), std::log(1440.0), 4));
}

TEST(GammaEdges, BinomialAndPochhammer) {
  EXPECT_TRUE(IsNan(rBinomial(3.0, 5)));
  EXPECT_TRUE(WithinEps(rBinomial(5.0, 2), 10.0, 32));
  EXPECT_TRUE(WithinEps(rBinomial(7.5, 3), 7.5 * 6.5 * 5.5 / 6.0, 64));
  EXPECT_TRUE(WithinEps(rBinomialLn(60.0, 30), std::log(118264581564861424.0), 64));
  EXPECT_EQ(rPochhammer(0.0, 0), 1.0);
  EXPECT_EQ(rPochhammer(0.0, 3), 0.0);
  EXPECT_EQ(rPochhammer(5.0, -2), 20.0);
  EXPECT_EQ(rPochhammer(2.5, 3), 2.5 * 3.5 * 4.5);
  EXPECT_EQ(rPochhammer(2.5, -3), 2.5 * 1.5 * 0.5);
  EXPECT_EQ(rPochhammer(-3.0, 5), 0.0);  // a zero factor
  // Huge counts end at once instead of multiplying 2^63 times.
  EXPECT_EQ(rPochhammer(1.5, INT64_MAX), INFINITY);
  EXPECT_EQ(rPochhammer(-2.5, INT64_MAX), -INFINITY);  // three negative factors
  EXPECT_EQ(rPochhammer(1.5, INT64_MIN), INFINITY);
  EXPECT_EQ(rPochhammerLn(3.3, 0), 0.0);
  EXPECT_EQ(rPochhammerLn(0.0, 2), -INFINITY);
  EXPECT_TRUE(WithinEps(rPochhammerLn(-2.5, 3), std::log(1.875), 16));
  EXPECT_TRUE(WithinEps(rPochhammerLn(2.5, 1), std::log(2.5), 2));
  EXPECT_TRUE(WithinEps(rPochhammerLn(2.5, 4), std::log(2.5 * 3.5 * 4.5 * 5.5), 32));
  EXPECT_TRUE(WithinEps(rPochhammerLn(6.5, -3), std::log(6.5 * 5.5 * 4.5), 32));
}

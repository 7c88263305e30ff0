// Guards, special values and exact cases of the elementary functions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsNaN(double x) { return std::isnan(x); }

TEST(ElementaryGuards, ExpOverflowIsNanUnderflowIsZero) {
  EXPECT_TRUE(IsNaN(rExp(710)));
  EXPECT_TRUE(IsNaN(rExp(std::nextafter(___LnMaxReal, kInf))));
  EXPECT_TRUE(std::isfinite(rExp(___LnMaxReal)));
  EXPECT_TRUE(IsNaN(rExp(kInf)));
  EXPECT_TRUE(IsNaN(rExp(kNaN)));
  EXPECT_EQ(rExp(-710), 0.0);
  EXPECT_EQ(rExp(-kInf), 0.0);
  EXPECT_EQ(rExp(0), 1.0);
  // Built on rExp: overflow inherits NaN.
  EXPECT_TRUE(IsNaN(rCosh(710)));
  EXPECT_TRUE(IsNaN(rCosh(-710)));
  EXPECT_TRUE(IsNaN(rExpM1(710)));
  EXPECT_TRUE(IsNaN(rExpT1(710)));
  EXPECT_TRUE(IsNaN(rExpT2(710)));
  EXPECT_TRUE(IsNaN(rExpSym(712)));
  EXPECT_EQ(rExpM1(-800), -1.0);
  // The plain sinh is the C library's: finite at 710, infinite at 711.
  EXPECT_NEAR(rSinh(710) / 1.1169973830808557e308, 1.0, 1e-15);
  EXPECT_EQ(rSinh(711), kInf);
}

TEST(ElementaryGuards, LogarithmsAreNanAtAndBelowMinReal) {
  for (double x : {0.0, -0.0, -1.0, ___MinReal, ___MinReal / 2, -kInf, kNaN}) {
    EXPECT_TRUE(IsNaN(rLog(x))) << x;
    EXPECT_TRUE(IsNaN(rLog2(x))) << x;
    EXPECT_TRUE(IsNaN(rLog10(x))) << x;
  }
  EXPECT_EQ(rLog2(std::ldexp(1.0, -1023)), -1023.0);  // just above ___MinReal
  EXPECT_EQ(rLog2(1024), 10.0);
  EXPECT_EQ(rLog(1), 0.0);
  EXPECT_EQ(rLog10(1000), 3.0);
  EXPECT_EQ(rLog(kInf), kInf);
  EXPECT_EQ(rLogInBase(8, 2), 3.0);
  EXPECT_TRUE(IsNaN(rLogInBase(8, -2)));
  EXPECT_EQ(rLogInBase(8, 1), kInf);  // base 1 is not special here
  EXPECT_TRUE(IsNaN(rLogRatio(8, 1)));
  EXPECT_EQ(rLogRatio(8, 2), 3.0);
  EXPECT_TRUE(IsNaN(rLogA(-1)));
  EXPECT_EQ(rLogA(0), 0.0);
  EXPECT_EQ(rLogA(1), -1.0);
  EXPECT_EQ(rTanA(0), -0.0);
}

TEST(ElementaryGuards, SymmetricLogAndExp) {
  EXPECT_EQ(rLogSym(0), 0.0);
  EXPECT_EQ(rLogSym(-2.385), -rLogSym(2.385));
  EXPECT_DOUBLE_EQ(rExpSym(0), 1 / std::exp(1.0));
  EXPECT_DOUBLE_EQ(rExpSym(-1e-300), -1 / std::exp(1.0));
  EXPECT_DOUBLE_EQ(rExpSym10(0), 1 / std::exp(1.0));
  EXPECT_TRUE(IsNaN(rLogSym(kNaN)));
}

TEST(ElementaryGuards, TaylorFormsAtZeroAndDomainEnds) {
  EXPECT_EQ(rExpM1(1e-17), 1e-17);
  EXPECT_EQ(rExpM1(-0.0), -0.0);
  EXPECT_EQ(rExpT1(0), 1.0);
  EXPECT_EQ(rExpT2(0), 0.5);
  EXPECT_EQ(rLogT1(0), 1.0);
  EXPECT_EQ(rSqrtT1(0), 0.5);
  EXPECT_EQ(rCbrtT1(0), 1.0 / 3);
  EXPECT_EQ(rCosT2(0), 0.5);
  EXPECT_EQ(rCosT1(0), 0.0);
  EXPECT_EQ(rHsinc(0), -0.0);
  EXPECT_EQ(rTanT3(0), 1.0 / 3);
  EXPECT_TRUE(IsNaN(rTanT3(kPi / 2)));
  EXPECT_TRUE(IsNaN(rTanT3(-kPi / 2)));
  EXPECT_TRUE(IsNaN(rTanT3(kNaN)));
  EXPECT_TRUE(IsNaN(rLogT1(-1)));
  EXPECT_TRUE(IsNaN(rLogT1(-2.5)));
  EXPECT_TRUE(IsNaN(rSqrtT1(-2.5)));
  EXPECT_EQ(rSqrtT1(-1), 1.0);
  EXPECT_EQ(rCbrtT1(-1), 1.0);
  EXPECT_DOUBLE_EQ(rCbrtT1(-9), 1.0 / 3);  // the real cube root of -8 is -2
  for (double x : {kNaN}) {
    EXPECT_TRUE(IsNaN(rExpM1(x)));
    EXPECT_TRUE(IsNaN(rExpT1(x)));
    EXPECT_TRUE(IsNaN(rExpT2(x)));
    EXPECT_TRUE(IsNaN(rLogT1(x)));
    EXPECT_TRUE(IsNaN(rSqrtT1(x)));
    EXPECT_TRUE(IsNaN(rCbrtT1(x)));
    EXPECT_TRUE(IsNaN(rCosT2(x)));
  }
}

// The two sides of every switch meet without a jump beyond rounding.
TEST(ElementaryGuards, TaylorSwitchesAreContinuous) {
  using F = double (*)(double);
  struct Case {
    F f;
    std::initializer_list<double> switches;
  };
  const double e1 = ___EpsReal, e2 = ___SqrtEpsReal, e4 = ___Root4EpsReal;
  const Case cases[] = {
      {rExpM1, {e1, e2, e4}}, {rExpT1, {e1, e2, e4}},  {rExpT2, {e1, e2, e4, 1.0}},
      {rLogT1, {e4, 1e-3}},   {rSqrtT1, {1e-6, 1e-3}}, {rCbrtT1, {1e-6, 1e-3}},
      {rCosT2, {1e-3}},       {rTanT3, {1e-3, 1.0}},   {rSinc, {1e-3}},
  };
  for (const Case& c : cases) {
    const F f = c.f;
    for (double t : c.switches) {
      for (double s : {t, -t}) {
        const double below = f(std::nextafter(s, 0.0));
        const double at = f(s);
        EXPECT_LE(std::fabs(at - below), 4 * ___EpsReal * std::fabs(at)) << s;
      }
    }
  }
}

TEST(ElementaryGuards, TruncatedExponentialSeries) {
  EXPECT_EQ(rExpt(2.385, 0), 1.0);
  EXPECT_EQ(rExpt(2.385, 1), 3.385);
  EXPECT_DOUBLE_EQ(rExpt(2, 3), 1 + 2 + 2 + 4.0 / 3);
  EXPECT_TRUE(IsNaN(rExpt(kNaN, 5)));
  // A huge number of terms is the exponential itself, and finishes.
  EXPECT_NEAR(rExpt(2.385, UINT64_MAX) / std::exp(2.385), 1.0, 8 * ___EpsReal);
  EXPECT_NEAR(rExpt(-3.5, Qword{1} << 62) / std::exp(-3.5), 1.0, 1e-12);
  EXPECT_EQ(rExpt(1e6, Qword{1} << 40), kInf);
  EXPECT_EQ(rExpt(-1e6, UINT64_MAX), 0.0);
  EXPECT_EQ(rExpt(1e300, Qword{1} << 40), kInf);
  EXPECT_EQ(rExpt(1e6, 3), 1 + 1e6 + 5e11 + 1e18 / 6);
}

TEST(ElementaryGuards, RootsAndPowers) {
  EXPECT_TRUE(IsNaN(rRoot(8, 0)));
  EXPECT_EQ(rRoot(-5.5, 1), -5.5);
  EXPECT_NEAR(rRoot(-8, 3), 2.0, 4 * ___EpsReal);  // the sign is ignored
  EXPECT_NEAR(rSignedPower(-8, 1.0 / 3), -2.0, 4 * ___EpsReal);
  EXPECT_EQ(rSignedPower(0, 2), ___MinReal);  // rPow's clamp
  EXPECT_EQ(rSqrtA(4), 16.0 / 3);
  EXPECT_EQ(rSqrtD(4), 0.25);
  EXPECT_EQ(rCbrtA(8), 12.0);
  EXPECT_EQ(rCbrtD(8), 1.0 / 12);
  EXPECT_EQ(rSqrt1DivBplusAxA(1, 1, 3), 4.0 / 3);
  EXPECT_TRUE(IsNaN(rSqrt1DivBplusAxA(-1, 1, 3)));
  EXPECT_EQ(rSqrt1DivBplusAxA(3, 4, 0), 1.5);
  EXPECT_TRUE(IsNaN(rSqrt1DivBplusAxA(3, -4, 0)));
  EXPECT_TRUE(IsNaN(rSqrt(-1)));
}

TEST(ElementaryGuards, PlainWrappersAreTheCLibrary) {
  // Volatile, so that the compiler does not fold the C library calls.
  volatile double vx = 0.37, vy = 2.385;
  const double x = vx, y = vy;
  EXPECT_EQ(rAcosh(y), std::acosh(y));
  EXPECT_EQ(rAsin(x), std::asin(x));
  EXPECT_EQ(rAsinh(x), std::asinh(x));
  EXPECT_EQ(rAtan(x), std::atan(x));
  EXPECT_EQ(rAtanh(1), kInf);
  EXPECT_EQ(rCbrt(-y), std::cbrt(-y));
  EXPECT_EQ(rCos(x), std::cos(x));
  EXPECT_EQ(rExp2(10), 1024.0);
  EXPECT_EQ(rLog1p(x), std::log1p(x));
  EXPECT_EQ(rSin(x), std::sin(x));
  EXPECT_EQ(rTan(x), std::tan(x));
  EXPECT_EQ(rTanh(x), std::tanh(x));
  Long e = 0;
  EXPECT_EQ(rFrexp(12, &e), 0.75);
  EXPECT_EQ(e, 4);
  EXPECT_EQ(rFrexp(12, nullptr), 0.75);  // a null exponent address is allowed
  EXPECT_EQ(rLdexp(0.75, 4), 12.0);
}

TEST(ElementaryGuards, TrigonometricAndHyperbolicForms) {
  EXPECT_TRUE(IsNaN(rAcos(1.0000001)));
  EXPECT_TRUE(IsNaN(rAcos(-1.0000001)));
  EXPECT_EQ(rAcos(-1), kPi);
  EXPECT_EQ(rAcos(1), 0.0);
  EXPECT_EQ(rDegToRad(180), kPi);
  EXPECT_EQ(rRadToDeg(kPi), 180.0);
  EXPECT_EQ(rAtanD(0), 1.0);
  EXPECT_EQ(rTanD(0), 1.0);
  EXPECT_EQ(rSec(0), 1.0);
  EXPECT_EQ(rSech(0), 1.0);
  // Sech decays to zero instead of failing with the exponential.
  EXPECT_GT(rSech(710), 0.0);
  EXPECT_NEAR(rSech(710) / (2 * std::exp(-710.0)), 1.0, 1e-12);
  EXPECT_EQ(rSech(kInf), 0.0);
  EXPECT_EQ(rSech(-kInf), 0.0);
  EXPECT_TRUE(IsNaN(rSech(kNaN)));
  EXPECT_EQ(rCoshNRatio(2.385, 1), 1.0);
  EXPECT_TRUE(IsNaN(rCoshNRatio(1, 800)));  // cosh(800) is NaN
  EXPECT_EQ(rSinc(0), 1.0);
  EXPECT_EQ(rSinc(-2.385), rSinc(2.385));
  EXPECT_EQ(rSinc(-0.0005), rSinc(0.0005));
  EXPECT_EQ(rSincNormalized(0), 1.0);
  EXPECT_LT(std::fabs(rSincNormalized(1)), 1e-16);
  EXPECT_TRUE(IsNaN(rSinc(kNaN)));
}

TEST(ElementaryGuards, ConversionsBetweenValues) {
  EXPECT_TRUE(IsNaN(rCosFromSin(1.5)));
  EXPECT_TRUE(IsNaN(rSinFromCos(-1.0000001)));
  EXPECT_EQ(rCosFromSin(1), 0.0);
  EXPECT_EQ(rCosFromSin(0), 1.0);
  EXPECT_TRUE(IsNaN(rTan2XFromTanX(1)));
  EXPECT_TRUE(IsNaN(rTan2XFromTanX(-1)));
  EXPECT_TRUE(IsNaN(rTanhFromCosh(0.5)));
  EXPECT_TRUE(IsNaN(rTanhFromCosh(-0.5)));
  EXPECT_EQ(rTanhFromCosh(1), 0.0);
  EXPECT_GE(rTanhFromCosh(-2.385), 0.0);  // never negative
  EXPECT_TRUE(IsNaN(rSinhFromCosh(0.999)));
  // Large values stay finite instead of overflowing in a square.
  EXPECT_DOUBLE_EQ(rTanhFromCosh(1e300), 1.0);
  EXPECT_DOUBLE_EQ(rTanhFromSinh(1e300), 1.0);
  EXPECT_DOUBLE_EQ(rTanhFromSinh(-1e300), -1.0);
  EXPECT_DOUBLE_EQ(rCoshFromSinh(1e300), 1e300);
  EXPECT_EQ(rCosSinFromTan(0, nullptr), 1.0);
  EXPECT_EQ(rSinCosFromTan(0, nullptr), 0.0);
  double s = 0;
  EXPECT_EQ(rCosSinFromTan(1e300, &s), 1e-300);
  EXPECT_EQ(s, 1.0);
  double kept = 42;
  EXPECT_TRUE(IsNaN(rCoshSinhFromTanh(1.5, &kept)));
  EXPECT_EQ(kept, 42.0);
  EXPECT_TRUE(IsNaN(rSinhCoshFromTanh(-1.5, &kept)));
  EXPECT_EQ(kept, 42.0);
  EXPECT_EQ(rCoshSinhFromTanh(0, &kept), 1.0);
  EXPECT_EQ(kept, 0.0);
  EXPECT_EQ(rCoshSinhFromTanh(1, nullptr), kInf);
  EXPECT_EQ(rTanXFromTan2X(0), 0.0);
  EXPECT_NEAR(rTanXFromTan2X(1e300), 1.0, ___EpsReal);
}

TEST(ElementaryGuards, AnglesFromCoordinates) {
  EXPECT_EQ(rAtanXY(1e300, 1), 0.0);
  EXPECT_EQ(rAtanXY(1, 1e300), kPi / 2);
  EXPECT_EQ(rAtanXY(1, -1e300), -kPi / 2);
  EXPECT_EQ(rAtanXY(-1, 1e300), -kPi / 2);  // both signs flip for x < 0
  EXPECT_EQ(rAtanXY(0, 0), 0.0);
  EXPECT_EQ(rAcotanXY(1e300, 1), kPi / 2);
  EXPECT_EQ(rAzimuth(-1, 0), kPi);
  EXPECT_EQ(rAzimuth(-1, -0.0), kPi);
  EXPECT_EQ(rAzimuth(0, 0), 0.0);
  EXPECT_EQ(rAzimuth(0, -1), -kPi / 2);
  EXPECT_EQ(rAzimuth(0, 1), kPi / 2);
  EXPECT_TRUE(IsNaN(rAzimuth(kNaN, 1)));
  EXPECT_EQ(rAcosXR(2, 1), 0.0);
  EXPECT_EQ(rAcosXR(-2, 1), kPi);
  EXPECT_TRUE(IsNaN(rAcosXR(0, 0)));
  EXPECT_DOUBLE_EQ(rAcosXR(1, -2), kPi - std::acos(0.5));
  EXPECT_EQ(rAcosXR(1, 1), 0.0);
  EXPECT_EQ(rAcosXR(-1, 1), kPi);
  // Beyond the radius: the end of the domain, continuous with |y| = r.
  EXPECT_EQ(rAsinXR(2, 1), kPi / 2);
  EXPECT_EQ(rAsinXR(-2, 1), -kPi / 2);
  EXPECT_EQ(rAsinXR(1, 1), kPi / 2);
  EXPECT_TRUE(IsNaN(rAsinXR(0, 0)));
  EXPECT_DOUBLE_EQ(rAsinXR(1, -2), -kPi / 6);
  EXPECT_EQ(rAcosXY(0, 2.385), kPi / 2);
  EXPECT_EQ(rAsinXY(2.385, 0), 0.0);
  EXPECT_TRUE(IsNaN(rAcosXY(0, 0)));
}

TEST(ElementaryGuards, Norms) {
  EXPECT_EQ(rHypot(0, 0), 0.0);
  EXPECT_EQ(rHypot(3, 4), 5.0);
  EXPECT_EQ(rHypot(-3, -4), 5.0);
  EXPECT_EQ(rNorm2D(3, 4), 5.0);
  EXPECT_TRUE(std::isfinite(rHypot(1e300, 1e300)));
  EXPECT_EQ(rHypot(kInf, kNaN), kInf);
  EXPECT_EQ(rHypot(kNaN, -kInf), kInf);
  EXPECT_TRUE(IsNaN(rHypot(kNaN, 0)));
  EXPECT_TRUE(IsNaN(rHypot(0, kNaN)));
  EXPECT_TRUE(IsNaN(rHypot(kNaN, 1)));
  EXPECT_EQ(rNorm3D(0, 0, 0), 0.0);
  EXPECT_EQ(rNorm3D(2, -3, 6), 7.0);
  EXPECT_TRUE(IsNaN(rNorm3D(0, 0, kNaN)));
  EXPECT_TRUE(IsNaN(rNorm3D(kNaN, 0, 0)));
  EXPECT_TRUE(IsNaN(rNorm3D(1, kNaN, 0)));
  EXPECT_EQ(rNorm3D(kNaN, kInf, 1), kInf);
  EXPECT_EQ(rSqrNorm2D(1e200, 0), kInf);  // unscaled by design
  EXPECT_EQ(rSqrNorm3D(1, 2, 3), 14.0);
}

TEST(ElementaryGuards, Progressions) {
  EXPECT_EQ(rAriSum(0, 1, 1), 0.0);
  EXPECT_EQ(rAriSum(4, 1, 2), 16.0);
  EXPECT_EQ(rAriSumFl(0, 1, 7), 0.0);
  EXPECT_EQ(rAriSumFl(4, 1, 7), 16.0);
  EXPECT_EQ(rAriSumPow2(0, 1, 1), 0.0);
  EXPECT_EQ(rAriSumPow2(3, 1, 1), 14.0);
  EXPECT_EQ(rGeoSum(0, 2, 3), 0.0);
  EXPECT_EQ(rGeoSum(1, 2, 3), 2.0);
  EXPECT_EQ(rGeoSum(5, 0, 3), 0.0);
  EXPECT_EQ(rGeoSum(5, 2, 0), 2.0);
  EXPECT_EQ(rGeoSum(5, 2, 1), 10.0);
  EXPECT_EQ(rGeoSum(4, 1, 2), 15.0);
  EXPECT_EQ(rGeoSum(4, 1, -2), -5.0);
  EXPECT_EQ(rGeoSumPow2(3, 2, 2), 4.0 + 16 + 64);
  EXPECT_EQ(rGeoSumFl(0, 1, 4), 0.0);
  EXPECT_EQ(rGeoSumFl(1, 1, 4), 1.0);
  EXPECT_EQ(rGeoSumFl(4, 2.5, 2.5), 10.0);
  EXPECT_TRUE(IsNaN(rGeoSumFl(3, -1, 4)));
  EXPECT_TRUE(IsNaN(rGeoSumFl(3, 0, 4)));
  EXPECT_DOUBLE_EQ(rGeoSumFl(3, 1, 4), 7.0);
  EXPECT_DOUBLE_EQ(rGeoSumFl(3, -1, -4), -7.0);
  EXPECT_EQ(rGeoAri(0, 2.385, 7), 1.0);
  EXPECT_EQ(rGeoAri(1, 2.385, 7), 9.385);
  EXPECT_EQ(rGeoAri(3, 2, 1), 15.0);        // 1, 3, 7, 15
  EXPECT_EQ(rGeoAri(10, 1, 0.5), 6.0);      // a = 1: 1 + n b
  EXPECT_TRUE(IsNaN(rGeoAri(2000, 2, 1)));  // a^n overflows
}

}  // namespace

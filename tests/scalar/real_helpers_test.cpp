#include "scalar/real_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "scalar/c_wrappers.h"
#include "support/accuracy.h"

namespace {

const double kPi = 3.141592653589793;
const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(SpecialValues, BroadAndExactTests) {
  const double err = rSetERR(23);
  for (double x : {___NAN, ___PlsINF, ___MnsINF, err}) {
    EXPECT_TRUE(rIsNAN(x));
    EXPECT_FALSE(rIsNotNAN(x));
  }
  EXPECT_TRUE(rIsNotNAN(0.0));
  EXPECT_TRUE(rIsNotNAN(___MaxReal));
  EXPECT_EQ(c_Isnan(___PlsINF), 0);
  EXPECT_EQ(c_Isnan(___NAN), 1);
  EXPECT_TRUE(rIsPlsINF(___PlsINF));
  EXPECT_TRUE(rIsMnsINF(___MnsINF));
  EXPECT_FALSE(rIsPlsINF(___NAN));
  EXPECT_FALSE(rIsMnsINF(___PlsINF));
  double x = 1;
  EXPECT_EQ(rSetNAN(&x), &x);
  EXPECT_EQ(std::bit_cast<Qword>(x), 0x7FF8000000000000u);
  rSetPlsINF(&x);
  EXPECT_EQ(std::bit_cast<Qword>(x), 0x7FF0000000000000u);
  rSetMnsINF(&x);
  EXPECT_EQ(std::bit_cast<Qword>(x), 0xFFF0000000000000u);
}

TEST(SpecialValues, ErrorNanCarriesTheCode) {
  EXPECT_EQ(rGetERR(rSetERR(23)), 23u);
  EXPECT_EQ(rGetERR(rSetERR(0x80001)), 0x80001u);
  EXPECT_EQ(rGetERR(1.5), 0u);
  EXPECT_EQ(rGetERR(___NAN), 0u);
  EXPECT_EQ(rGetERR(___PlsINF), 0u);
  EXPECT_EQ(std::bit_cast<Qword>(rSetERR(0)), 0xFFFF000000000000u);
}

TEST(Compare, TolerantOrdering) {
  const struct {
    double a, b, tol;
    Long want;
  } rows[] = {
      {1, 1.0000001, 1e-6, 0}, {2, 3, 0, -1},    {3, 2, 0, 1},  {-3, -5, 0, -1},
      {-5, -3, 0, 1},          {-5, 3, 0, -1},   {3, -5, 0, 1}, {0, 0, 0, 0},
      {kNan, 1, 1, 1},         {-1, kNan, 1, 1},  // NaN falls through to the last rule
  };
  for (const auto& r : rows) EXPECT_EQ(rCompare(r.a, r.b, r.tol), r.want) << r.a << " " << r.b;
  EXPECT_EQ(rCompareTo0(-0.5, 0.1), -1);
  EXPECT_EQ(rCompareTo0(0.05, 0.1), 0);
  EXPECT_EQ(rCompareTo0(kNan, 0.1), 1);
}

TEST(Compare, DifferencesAndNan) {
  EXPECT_TRUE(rIsDifferentAbs(1, 1.5, 0.4));
  EXPECT_FALSE(rIsDifferentAbs(1, 1.5, 0.5));
  EXPECT_TRUE(rIsDifferentRel(100, 102, 0.01));
  EXPECT_FALSE(rIsDifferentRel(100, 100.5, 0.01));
  EXPECT_FALSE(rIsDifferentAbs(kNan, 1, 0));
  EXPECT_FALSE(rIsDifferentRel(kNan, 1, 0));
  EXPECT_TRUE(rIsZeroAbs(kNan, 0));
  EXPECT_FALSE(rIsZeroAbs(0.2, 0.1));
  EXPECT_EQ(rKronDelta(2, 2.0000000001, 1e-9), 1.0);
  EXPECT_EQ(rKronDelta(2, 3, 1e-9), 0.0);
  double v = 1;
  EXPECT_FALSE(rReplaceIfDifferentAbs(&v, 1.05, 0.1));
  EXPECT_EQ(v, 1);
  EXPECT_TRUE(rReplaceIfDifferentRel(&v, 2, 0.1));
  EXPECT_EQ(v, 2);
  EXPECT_TRUE(rIsBetweenAtoB(2, 3, 1));
  EXPECT_FALSE(rIsBetweenAtoB(kNan, 0, 1));
  EXPECT_TRUE(rHaveSameSign(0, -1));
  EXPECT_TRUE(rHaveSameSign(0, 1));
  EXPECT_FALSE(rHaveSameSign(-1, 1));
  EXPECT_FALSE(rHaveSameSign(kNan, kNan));
}

TEST(Integers, IsIntegerOverTheSignedRange) {
  EXPECT_TRUE(rIsInteger(3.0));
  EXPECT_FALSE(rIsInteger(3.5));
  EXPECT_FALSE(rIsInteger(1e20));
  EXPECT_TRUE(rIsInteger(-9223372036854775808.0));
  EXPECT_FALSE(rIsInteger(9223372036854775808.0));
  EXPECT_FALSE(rIsInteger(kNan));
  EXPECT_FALSE(rIsInteger(kInf));
}

TEST(Rounding, AbsKeepsNegativeZeroAndNan) {
  EXPECT_TRUE(std::signbit(rAbs(-0.0)));
  EXPECT_EQ(rAbs(-2.5), 2.5);
  EXPECT_TRUE(std::isnan(rAbs(kNan)));
  EXPECT_EQ(rRound(-2.5), -3);
  EXPECT_EQ(rRound(2.5), 3);
  double ip = 0;
  EXPECT_EQ(rModf(-2.75, &ip), -0.75);
  EXPECT_EQ(ip, -2);
  EXPECT_EQ(rModf(1.5, nullptr), 0.5);
}

TEST(Modulo, OneAndPeriod) {
  double ip = 0;
  EXPECT_EQ(rModuloOne(-0.25, &ip), 0.75);
  EXPECT_EQ(ip, -1);
  EXPECT_EQ(rModuloOne(1e300, &ip), 0);
  EXPECT_EQ(ip, 1e300);
  EXPECT_EQ(rModuloOne(kInf, &ip), 0);
  EXPECT_EQ(ip, kInf);
  // A value just below an integer: the remainder rounds to 1 and is folded.
  const double just_below = -std::ldexp(1.0, -60);
  EXPECT_EQ(rModuloOne(just_below, &ip), 0);
  EXPECT_EQ(ip, 0);
  double mult = 0;
  EXPECT_EQ(rModuloPeriod(7, -2, &mult), 1);
  EXPECT_EQ(mult, 6);
  EXPECT_EQ(rModuloPeriod(-7, 2, &mult), 1);
  EXPECT_EQ(mult, -8);
  EXPECT_DOUBLE_EQ(rPhaseInPeriod(0.25, 1, nullptr), kPi / 2);
}

TEST(MantissaAndExponent, RadixSplit) {
  Long e = 0;
  EXPECT_EQ(rMantissaAndExponent(1000, &e, 10), 1);
  EXPECT_EQ(e, 3);
  EXPECT_NEAR(rMantissaAndExponent(-0.05, &e, 10), -5, 1e-14);
  EXPECT_EQ(e, -2);
  const double m = rMantissaAndExponent(0, &e, 2);
  EXPECT_EQ(m, 0);
  EXPECT_FALSE(std::signbit(rMantissaAndExponent(-0.0, &e, 2)));
  EXPECT_EQ(e, -2147483647);
  EXPECT_TRUE(std::isnan(rMantissaAndExponent(5, &e, 1)));
  EXPECT_EQ(e, 0);
  EXPECT_TRUE(rIsPlsINF(rMantissaAndExponent(kInf, &e, 10)));
  EXPECT_EQ(e, 0);
  // Radix 2 is exact at both ends of the range.
  EXPECT_EQ(rMantissaAndExponent(___MaxReal, &e, 2), std::ldexp(___MaxReal, -1023));
  EXPECT_EQ(e, 1023);
  EXPECT_EQ(rMantissaAndExponent(std::ldexp(1.0, -1074), &e, 2), 1);
  EXPECT_EQ(e, -1074);
  EXPECT_EQ(rMultiplyByRadixToExponent(1.5, 3, 10), 1500);
  EXPECT_EQ(rMultiplyByRadixToExponent(1.5, -1, 2), 0.75);
}

TEST(Powers, IntegerPowers) {
  EXPECT_EQ(riPower(2, -3), 0.125);
  EXPECT_TRUE(std::isnan(riPower(0, -1)));
  EXPECT_EQ(ruPower(0, 0), 1);
  EXPECT_EQ(ruPower(kNan, 0), 1);
  EXPECT_EQ(ruPower(3, 13), 1594323);
  EXPECT_EQ(ruPower(-1.5, 3), -3.375);
  EXPECT_EQ(riPower(2, INT64_MIN), 0);  // the smallest exponent acts as 2^63
  EXPECT_EQ(riPower(1, INT64_MIN), 1);
}

#include "pow_reference.inc"

TEST(Powers, RealPowerIsAccurateOverAWideRange) {
  double worst = 0;
  for (const auto& row : kPowRows) worst = std::max(worst, UlpError(rPow(row.a, row.b), row.ref));
  EXPECT_LE(worst, 1.0);  // exp(b ln|a|) was up to a few hundred ulp off here
}

TEST(Powers, GuardedRealPower) {
  EXPECT_NEAR(rPow(-2, 3), 8, 8 * 4e-16);
  EXPECT_EQ(rPow(0, 2), ___MinReal);
  EXPECT_EQ(rPow(0, -2), ___MaxReal);
  EXPECT_EQ(rPow(0, 1e-17), 1);
  EXPECT_EQ(rPow(1e300, 5), ___MaxReal);
  EXPECT_EQ(rPow(1e-300, 5), ___MinReal);
  EXPECT_TRUE(std::isnan(rPow(kNan, 2)));
  EXPECT_NEAR(rPow(2, 0.5), std::sqrt(2.0), 4e-16);
}

TEST(Signs, ByMinusOne) {
  EXPECT_EQ(rByMin1toI(2.5, 3), -2.5);
  EXPECT_EQ(rByMin1toU(2.5, 4), 2.5);
  EXPECT_EQ(rMin1toU(4), 1);
  EXPECT_EQ(rMin1toI(7), -1);
}

TEST(Conversions, FrequencyPeriodAngle) {
  EXPECT_DOUBLE_EQ(rHzToRads(1), 2 * kPi);
  EXPECT_DOUBLE_EQ(rRadsToHz(2 * kPi), 1);
  EXPECT_EQ(rHzToPeriod(4), 0.25);
  EXPECT_EQ(rPeriodToHz(0.25), 4);
  EXPECT_DOUBLE_EQ(rPeriodToRads(2), kPi);
  EXPECT_DOUBLE_EQ(rRadsToPeriod(kPi), 2);
}

TEST(Swap, ExchangesAndReturnsSecond) {
  double a = 1, b = 2;
  EXPECT_EQ(rSwap(&a, &b), &b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

TEST(CWrappers, DifferingRows) {
  Long e = 0;
  EXPECT_EQ(c_Frexp(12, &e), 0.75);
  EXPECT_EQ(e, 4);
  EXPECT_EQ(c_Ldexp(0.75, 4), 12);
  double ip = 0;
  EXPECT_EQ(c_Modf(3.25, &ip), 0.25);
  EXPECT_EQ(ip, 3);
  Long q = 0;
  EXPECT_EQ(c_Remquo(7, 2, &q), -1);
  EXPECT_EQ(q & 7, 4);
  EXPECT_EQ(c_Lround(2.5), 3);
  EXPECT_EQ(c_Lround(-2.5), -3);
  EXPECT_EQ(c_Lround(1e12), INT32_MIN);
  EXPECT_EQ(std::bit_cast<Qword>(c_Nan("anything")), 0x7FF8000000000000u);
  EXPECT_FALSE(std::signbit(c_Fabs(-0.0)));
  EXPECT_EQ(c_Fabs(-3), 3);
  EXPECT_EQ(c_Hypot(3, 4), 5);
}

}  // namespace

#include "scalar/int_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double k2p63 = 9223372036854775808.0;

TEST(Rounders, ToLong) {
  const struct {
    double x;
    Long want;
    NumStatus status;
  } rows[] = {
      {2.5, 3, 0x40},
      {-2.5, -3, 0x40},
      {7.0, 7, 0},
      {0.4, 0, 0x40},
      {3e9, 2147483647, 0x1100},
      {-3e9, -2147483647, 0x2200},
      {2147483647.4, 2147483647, 0x40},
      {2147483647.5, 2147483647, 0x1100},
      {-2147483647.5, -2147483647, 0x2200},
      {kNan, INT32_MIN, 0x40},
  };
  for (const auto& r : rows) {
    NumStatus s = 0xDEAD;
    EXPECT_EQ(iRealRoundToLong(r.x, &s), r.want) << r.x;
    EXPECT_EQ(s, r.status) << r.x;
  }
  EXPECT_EQ(iRealRoundToLong(1.5, nullptr), 2);
}

TEST(Rounders, ToQlong) {
  const struct {
    double x;
    Qlong want;
    NumStatus status;
  } rows[] = {
      {2.5, 3, 0x40},
      {-7, -7, 0},
      {4503599627370495.5, 4503599627370495, 0x400},
      {-4503599627370495.5, -4503599627370495, 0x400},
      {4503599627370494.5, 4503599627370495, 0x40},
      {1e18, 1000000000000000000, 0x400},
      {k2p63, INT64_MAX, 0x4100},
      {-k2p63, -INT64_MAX, 0x8200},
      {kNan, INT64_MIN, 0x40},
  };
  for (const auto& r : rows) {
    NumStatus s = 0xDEAD;
    EXPECT_EQ(iRealRoundToQlong(r.x, &s), r.want) << r.x;
    EXPECT_EQ(s, r.status) << r.x;
  }
}

TEST(Rounders, ToDwordAndQword) {
  const struct {
    double x;
    Dword want;
    NumStatus status;
  } dwords[] = {
      {-0.4, 0, 0x20200},
      {kNan, 0, 0x20200},
      {4294967295.0, 4294967294u, 0x10100},
      {4294967294.4, 4294967294u, 0x40},
      {12.5, 13, 0x40},
      {0, 0, 0},
  };
  for (const auto& r : dwords) {
    NumStatus s = 0xDEAD;
    EXPECT_EQ(uRealRoundToDword(r.x, &s), r.want) << r.x;
    EXPECT_EQ(s, r.status) << r.x;
  }
  const struct {
    double x;
    Qword want;
    NumStatus status;
  } qwords[] = {
      {std::ldexp(1.0, 60), Qword{1} << 60, 0x400},
      {1e20, 0xFFFFFFFFFFFFFFFEu, 0x40100},
      {std::ldexp(1.0, 64), 0xFFFFFFFFFFFFFFFEu, 0x40100},
      {std::ldexp(1.0, 63) + 4096.0, (Qword{1} << 63) + 4096, 0x400},
      {18446744073709549568.0, 18446744073709549568u, 0x400},
      {-1, 0, 0x80200},
      {kNan, 0, 0x80200},
      {2.5, 3, 0x40},
  };
  for (const auto& r : qwords) {
    NumStatus s = 0xDEAD;
    EXPECT_EQ(uRealRoundToQword(r.x, &s), r.want) << r.x;
    EXPECT_EQ(s, r.status) << r.x;
  }
}

TEST(Intervals, ClampAndReport) {
  Long l = 0;
  EXPECT_EQ(iRealToLongInterval(7.6, &l, 0, 5), 0);
  EXPECT_EQ(l, 5);
  EXPECT_EQ(iRealToLongInterval(-7.6, &l, -10, 10), 1);
  EXPECT_EQ(l, -8);
  EXPECT_EQ(iRealToLongInterval(-1e300, &l, -10, 10), 0);
  EXPECT_EQ(l, -10);
  Qlong q = 0;
  EXPECT_EQ(iRealToQlongInterval(1e30, &q, 0, INT64_MAX), 0);
  EXPECT_EQ(q, INT64_MAX);
  EXPECT_EQ(iRealToQlongInterval(-k2p63, &q, INT64_MIN, 0), 1);
  EXPECT_EQ(q, INT64_MIN);
  Dword d = 0;
  EXPECT_EQ(uRealToDwordInterval(-0.2, &d, 3, 9), 0);
  EXPECT_EQ(d, 3u);
  EXPECT_EQ(uRealToDwordInterval(1e300, &d, 3, 9), 0);
  EXPECT_EQ(d, 9u);
  EXPECT_EQ(uRealToDwordInterval(8.5, &d, 3, 9), 1);
  EXPECT_EQ(d, 9u);
  Qword u = 0;
  EXPECT_EQ(uRealToQwordInterval(std::ldexp(1.0, 63), &u, 0, ~Qword{0}), 1);
  EXPECT_EQ(u, Qword{1} << 63);
  EXPECT_EQ(uRealToQwordInterval(1e20, &u, 0, ~Qword{0}), 0);
  EXPECT_EQ(u, ~Qword{0});
}

// A NaN lies in no interval: the conversions say so instead of accepting it.
TEST(Intervals, NanIsReportedOutside) {
  Long l = 5;
  EXPECT_EQ(iRealToLongInterval(kNan, &l, -10, 10), 0);
  EXPECT_EQ(l, INT32_MIN);
  Qlong q = 5;
  EXPECT_EQ(iRealToQlongInterval(kNan, &q, -10, 10), 0);
  EXPECT_EQ(q, INT64_MIN);
  Dword d = 5;
  EXPECT_EQ(uRealToDwordInterval(kNan, &d, 0, 10), 0);
  EXPECT_EQ(d, 0u);
  Qword u = 5;
  EXPECT_EQ(uRealToQwordInterval(kNan, &u, 0, 10), 0);
  EXPECT_EQ(u, 0u);
}

TEST(Conversions, FloorCeilRoundWithFractions) {
  double f = 9;
  EXPECT_EQ(iFloorFrac(-2.5, &f), -3);
  EXPECT_EQ(f, 0.5);
  EXPECT_EQ(iCeilFrac(2.5, &f), 3);
  EXPECT_EQ(f, -0.5);
  EXPECT_EQ(iSymFloor(-2.5), -2);
  EXPECT_EQ(iSymFloorFrac(-2.75, &f), -2);
  EXPECT_EQ(f, -0.75);
  EXPECT_EQ(iSymRoundFrac(-2.5, &f), -3);
  EXPECT_EQ(f, 0.5);
  EXPECT_EQ(iRoundFrac(2.25, &f), 2);
  EXPECT_EQ(f, 0.25);
  EXPECT_EQ(iRound(-0.5), -1);
  // The fraction must land in [0, 1) (or (-1, 0]); when x - floor rounds to
  // a whole 1 the floor moves up instead, so tiny values fold onto 0.
  EXPECT_EQ(iFloorFrac(-1e-300, &f), 0);
  EXPECT_EQ(f, 0);
  EXPECT_EQ(iCeilFrac(1e-300, &f), 0);
  EXPECT_EQ(f, 0);
  EXPECT_EQ(iFloor(-0.25), -1);
  EXPECT_EQ(iCeil(0.25), 1);
  for (double big : {k2p63, -k2p63 * 2, kNan, 1e300}) {
    EXPECT_EQ(iRound(big), INT64_MIN);
    EXPECT_EQ(iFloorFrac(big, &f), INT64_MIN);
    EXPECT_EQ(f, 0);
    EXPECT_EQ(iCeil(big), INT64_MIN);
    EXPECT_EQ(iSymFloor(big), INT64_MIN);
    EXPECT_EQ(iSymRound(big), INT64_MIN);
  }
}

TEST(Multiplication, BoundedAndSafe) {
  EXPECT_EQ(uBoundMul(Qword{1} << 32, Qword{1} << 32), ~Qword{0});
  EXPECT_EQ(uBoundMul(0, ~Qword{0}), 0u);
  EXPECT_EQ(uBoundMul(3, 5), 15u);
  EXPECT_EQ(uBoundMul(~Qword{0} - 1, 1), ~Qword{0} - 1);
  EXPECT_EQ(iBoundMul(-3, 4), -12);
  EXPECT_EQ(iBoundMul(Qlong{1} << 62, 2), INT64_MIN);
  EXPECT_EQ(iBoundMul(0, 0), 0);
  NumStatus s = 0;
  EXPECT_EQ(uSafeMul(Qword{1} << 32, Qword{1} << 32, &s), 0u);  // wrapped
  EXPECT_EQ(s, 0x4000u);
  s = 7;
  EXPECT_EQ(uSafeMul(6, 7, &s), 42u);
  EXPECT_EQ(s, 7u);
  s = 0;
  EXPECT_EQ(iSafeMul(INT64_MAX, 4, &s), -1);  // saturated magnitude read as signed
  EXPECT_EQ(s, 0x4000u);
  s = 0;
  EXPECT_EQ(iSafeMul(INT64_MAX, -4, &s), 1);
  EXPECT_EQ(s, 0x4000u);
  s = 0;
  EXPECT_EQ(iSafeMul(-6, 7, &s), -42);
  EXPECT_EQ(s, 0u);
}

TEST(Bits, CountsAndParity) {
  EXPECT_EQ(uBitsNeeded(0), 1u);
  EXPECT_EQ(uBitsNeeded(~Qword{0}), 64u);
  EXPECT_EQ(iBitsNeeded(5), 4);
  EXPECT_EQ(iBitsNeeded(-1), 65);
  EXPECT_EQ(uHammingWeight(0xF0F0), 8u);
  EXPECT_EQ(iHammingWeight(-1), 64u);
  EXPECT_TRUE(uIsOddParity(7));
  EXPECT_FALSE(iIsOddParity(-1));
  EXPECT_TRUE(iIsEven(-4));
  EXPECT_TRUE(iIsOdd(-3));
  EXPECT_TRUE(uIsEven(0));
  EXPECT_TRUE(uIsOdd(~Qword{0}));
}

TEST(SmallFunctions, SignsRangesAndExcess) {
  EXPECT_LT(uCompare(3, 5), 0);
  EXPECT_GT(uCompare(5, 3), 0);
  EXPECT_TRUE(iIsInRangeMtoN(0, 5, -5));
  EXPECT_FALSE(uIsInRangeMtoN(6, 1, 5));
  EXPECT_TRUE(iHaveSameSign(0, -3));
  EXPECT_FALSE(iHaveSameSign(2, -3));
  EXPECT_EQ(iKronDelta(-4, -4), 1);
  EXPECT_EQ(uKronDelta(4, 5), 0);
  EXPECT_EQ(iMin1toI(3), -1);
  EXPECT_EQ(iMin1toU(4), 1);
  EXPECT_EQ(iByMin1toI(7, 1), -7);
  EXPECT_EQ(iByMin1toU(7, 2), 7);
  EXPECT_EQ(iAbs(-9), 9);
  EXPECT_EQ(iAbs(INT64_MIN), INT64_MIN);
  EXPECT_EQ(iTriangularExcess(3, 4, 5), -2);
  EXPECT_EQ(iTriangularExcess(1, 1, 5), 3);
}

TEST(IndexWindow, Normalisation) {
  Qword first = ~Qword{0}, last = ~Qword{0};
  EXPECT_EQ(uNormalizeIndexWindow(&first, &last, 99, 10), 90u);
  EXPECT_EQ(first, 10u);
  EXPECT_EQ(last, 99u);
  first = 50;
  last = 20;
  EXPECT_EQ(uNormalizeIndexWindow(&first, &last, 99, 10), 31u);
  EXPECT_EQ(first, 20u);
  EXPECT_EQ(last, 50u);
  first = 5;
  last = ~Qword{0};
  EXPECT_EQ(uNormalizeIndexWindow(&first, &last, ~Qword{0}, 0), ~Qword{0} - 5);
  EXPECT_EQ(last, ~Qword{0} - 1);
}

TEST(Distribute, PickSpreading) {
  Qword picks = 0, last = 0;
  EXPECT_EQ(uqDistributeMinN(101, 11, &picks, &last), 10u);
  EXPECT_EQ(picks, 11u);
  EXPECT_EQ(last, 100u);
  EXPECT_EQ(uqDistributeMinN(5, 10, &picks, &last), 1u);
  EXPECT_EQ(picks, 5u);
  EXPECT_EQ(last, 4u);
  EXPECT_EQ(uqDistributeMinN(5, 0, &picks, &last), 1u);
  EXPECT_EQ(picks, 5u);
}

// One wanted pick takes the first index alone instead of dividing by zero.
TEST(Distribute, SinglePickDoesNotFault) {
  Qword picks = 0, last = 9;
  const Qword step = uqDistributeMinN(50, 1, &picks, &last);
  EXPECT_EQ(picks, 1u);
  EXPECT_EQ(last, 0u);
  EXPECT_GE(step, 50u);  // stepping once from index 0 leaves the range
}

TEST(Scores, Conversions) {
  EXPECT_EQ(ssProbabilityToScore(-1), -1);
  EXPECT_EQ(ssProbabilityToScore(0.75), 0.5);
  EXPECT_EQ(ssScoreToProbability(3), 1);
  EXPECT_EQ(ssScoreToProbability(0), 0.5);
  EXPECT_EQ(ssProbabilityToMlp(0, 50), 50);
  EXPECT_NEAR(ssProbabilityToMlp(0, 1000), -std::log(3.72e-44), 1e-12);
  EXPECT_EQ(ssProbabilityToMlp(1, 50), 0);
  EXPECT_EQ(ssScoreToMlp(-1, 1), 100);
  EXPECT_EQ(ssScoreToMlp(-1, 2), 200);
  EXPECT_EQ(ssMlpToProbability(-3), 1);
  EXPECT_DOUBLE_EQ(ssMlpToProbability(std::log(4.0)), 0.25);
  EXPECT_DOUBLE_EQ(ssMlpToScore(std::log(4.0), 1), -0.5);
  EXPECT_EQ(ssScoreQuality(2, 1), 0.5);
  EXPECT_EQ(ssScoreQuality(0.5, -3), 0);
}

}  // namespace

// The accuracy harness itself: the error measures on values whose errors
// are known exactly (neighbours of powers of two), and a tally that fails
// the rows beyond its tolerance and reports the worst one.
#include "support/accuracy.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/complex_accuracy.h"

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ErrorMeasures, RelativeErrorInEps) {
  struct Case {
    double got, want, floor, eps;
  } cases[] = {
      {1 + kEps, 1, 0, 1},      {1 - kEps, 1, 0, 1},
      {8 + 24 * kEps, 8, 0, 3}, {-3, -2, 0, 0.5 / kEps},
      {0.0, -0.0, 0, 0},   // the signs of zeros are no error here
      {kNaN, kNaN, 0, 0},  // NaN where NaN is expected
      {kInf, kInf, 0, 0},       {kInf, -kInf, 0, kInf},
      {kNaN, 1, 0, kInf},       {1, kNaN, 0, kInf},
      {kInf, 1, 0, kInf},       {1e-300, 0, 0, kInf},  // a zero without floor must be hit exactly
      {4 * kEps, 0, 1, 4},      // with a floor the error is absolute below it
      {0.5 + kEps, 0.5, 1, 1},  // measured against the floor, not |want|
      {4 + 8 * kEps, 4, 1, 2},  // above the floor relative again
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorInEps(c.got, c.want, c.floor), c.eps)
        << c.got << " " << c.want << " " << c.floor;
    EXPECT_EQ(RelativeError(c.got, c.want, c.floor), c.eps * kEps) << c.got << " " << c.want;
  }
}

TEST(ErrorMeasures, UlpsAreTheSpacingAboveTheReference) {
  struct Case {
    double got, want, ulp;
  } cases[] = {
      {std::nextafter(1.0, 2.0), 1, 1},
      {std::nextafter(1.0, 0.0), 1, 0.5},  // the spacing below a power of two is half
      {std::nextafter(std::nextafter(3.0, 0.0), 0.0), 3, 2},
      {-std::nextafter(1.0, 2.0), -1, 1},
      {1e300, 1e300, 0},
      {kNaN, kNaN, 0},
      {kInf, 1e308, kInf},
      {1, kInf, kInf},
      {std::numeric_limits<double>::denorm_min(), 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(UlpError(c.got, c.want), c.ulp) << c.got << " " << c.want;
}

TEST(ErrorMeasures, WithinEpsSaysWhyNot) {
  EXPECT_TRUE(WithinEps(1 + 4 * kEps, 1, 4));
  EXPECT_TRUE(WithinEps(3 * kEps, 0, 3, 1));
  const ::testing::AssertionResult r = WithinEps(1 + 8 * kEps, 1, 4);
  EXPECT_FALSE(r);
  EXPECT_STREQ(r.message(), "got 1.0000000000000018, want 1: error 8 eps, tolerance 4");
  EXPECT_FALSE(WithinEps(kNaN, 1, 1e300));
  EXPECT_FALSE(WithinEps(1e-300, 0, 1e300));  // a zero without floor is hit exactly or not at all
}

TEST(ErrorMeasures, RowDescriptionsReadBack) {
  EXPECT_EQ(At(0.1), "x = 0.10000000000000001");
  EXPECT_EQ(At(1, -2), "(1, -2)");
  EXPECT_EQ(At(1, 2, 3), "(1, 2, 3)");
  EXPECT_EQ(Call("f", 0.5), "f(0.5)");
  EXPECT_EQ(Call("g", 0.5, 2), "g(0.5, 2)");
  EXPECT_EQ(Call("h", 1, 2, 0.1), "h(1, 2, 0.10000000000000001)");
}

TEST(AccuracyTally, KeepsWorstRowAndRms) {
  AccuracyTally t("table", 8);
  t.Check(1.0, 1 + 3 * kEps, 1.0);
  t.Check(2.0, 2 + 8 * kEps, 2.0);  // 4 eps, the worst
  t.Check(3.0, 3.0, 3.0);
  t.Check(1 + kEps, 1, "f(7)");  // 1 eps
  EXPECT_EQ(t.count(), 4);
  EXPECT_EQ(t.worst(), 4);
  EXPECT_EQ(t.worst_where(), "x = 2");
  EXPECT_DOUBLE_EQ(t.rms(), std::sqrt((9.0 + 16 + 0 + 1) / 4));
}

TEST(AccuracyTally, MeasuresWithTheTallysFloorOrInUlps) {
  AccuracyTally floored("floored", 4, 1.0);
  floored.Check(0.0, 2 * kEps, 0.0);  // absolute below the floor
  EXPECT_EQ(floored.worst(), 2);
  AccuracyTally ulps("ulps", 1, Measure::kUlp);
  ulps.Check(1.0, std::nextafter(1.0, 0.0), 1.0);
  EXPECT_EQ(ulps.worst(), 0.5);
  AccuracyTally scaled("scaled", 4);
  scaled.CheckScaled(kEps, 0, 1, "row");  // a floor of the row's own
  EXPECT_EQ(scaled.worst(), 1);
}

TEST(AccuracyTally, FailsRowsBeyondTheTolerance) {
  EXPECT_NONFATAL_FAILURE(
      {
        AccuracyTally t("strict", 2);
        t.Check(5.0, 1 + 4 * kEps, 1.0);
      },
      "strict at x = 5: expected 1, got 1.0000000000000009, error 4 eps, tolerance 2");
  EXPECT_NONFATAL_FAILURE(
      {
        AccuracyTally t("nan", 1e300);
        t.Check(kNaN, 1, "f(1)");
      },
      "error inf eps");
  // A tolerance of the row's own replaces the tally's.
  EXPECT_NONFATAL_FAILURE(
      {
        AccuracyTally t("own", 100);
        t.CheckScaled(1 + 8 * kEps, 1, 0, "g(2)", 4);
      },
      "own at g(2)");
  EXPECT_NONFATAL_FAILURE(
      {
        AccuracyTally t("ulp", 0, Measure::kUlp);
        t.Check(1.0, std::nextafter(1.0, 2.0), 1.0);
      },
      "error 1 ulp, tolerance 0");
}

TEST(AccuracyTally, NanErrorStaysTheWorst) {
  AccuracyTally t("nan rows", kInf);
  t.Add(1, "first");
  EXPECT_TRUE(t.Add(kInf, "infinite"));
  EXPECT_NONFATAL_FAILURE(t.Add(kNaN, "not a number"), "not a number");
  t.Add(7, "later");
  EXPECT_TRUE(std::isnan(t.worst()));
  EXPECT_EQ(t.worst_where(), "not a number");
  EXPECT_EQ(t.count(), 4);
  EXPECT_EQ(t.rms(), std::sqrt((1.0 + 49) / 4));  // non-finite errors stay out of the RMS
}

TEST(ComplexAccuracy, NormwiseErrorAndBitIdentity) {
  EXPECT_EQ(ctest::ErrorEps(COMPLEX(3, 4 + 20 * kEps), COMPLEX(3, 4)), 4);
  EXPECT_EQ(ctest::ErrorEps(COMPLEX(3 * kEps, 4 * kEps), COMPLEX(0, 0)), 5);  // absolute at zero
  EXPECT_EQ(ctest::ErrorEps(COMPLEX(kNaN, 0), COMPLEX(1, 0)), kInf);
  EXPECT_TRUE(ctest::Identical(COMPLEX(0.0, kNaN), COMPLEX(0.0, kNaN)));
  EXPECT_FALSE(ctest::Identical(COMPLEX(0.0, 1), COMPLEX(-0.0, 1)));
  EXPECT_EQ(ctest::Show(COMPLEX(0.1, -2)), "(0.10000000000000001, -2)");
}

}  // namespace

// The exponential integrals E1, En and Ein against mpmath, and their edges.
#include <gtest/gtest.h>

#include <cmath>

#include "erf_reference.inc"
#include "scalar/error_functions.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

TEST(ExpInt, E1AgainstReference) {
  CheckTable("rE_1", kE1Ref, rE_1, kTol1);
  EXPECT_EQ(rE_1(___PlsINF), 0);
  EXPECT_TRUE(std::isnan(rE_1(0)));
  EXPECT_TRUE(std::isnan(rE_1(-1)));
  EXPECT_TRUE(std::isnan(rE_1(___NAN)));
  EXPECT_EQ(rE_1(800), 0);  // underflows, no NaN
}

TEST(ExpInt, EnAgainstReference) {
  AccuracyTally tally("rEn", kTol1);
  for (const RefRowN& r : kEnRef) tally.Check(r.x, rEn(r.x, r.n), r.value, r.n);
}

TEST(ExpInt, EnEdges) {
  EXPECT_EQ(rEn(0, 0), ___PlsINF);
  EXPECT_EQ(rEn(0, 1), ___PlsINF);
  EXPECT_EQ(rEn(0, 3), 0.5);
  EXPECT_EQ(rEn(0, 11), 0.1);
  EXPECT_TRUE(std::isnan(rEn(-1, 2)));
  EXPECT_EQ(rEn(0.5, 1), rE_1(0.5));
  EXPECT_EQ(rEn(2, 0), std::exp(-2.0) / 2);
  EXPECT_EQ(rEn(___PlsINF, 4), 0);
  EXPECT_TRUE(std::isnan(rEn(___NAN, 2)));
  // A huge order must not run an endless recurrence: E_n(x) ~ e^-x/(x + n).
  const double n = 1e18;
  EXPECT_NEAR(rEn(0.25, 1000000000000000000ull) * (0.25 + n) / std::exp(-0.25), 1, 1e-15);
}

TEST(ExpInt, EinSeries) {
  AccuracyTally tally("rEinSeries", kTol3, 1);
  for (const RefRow& r : kEinRef) tally.Check(r.x, rEinSeries(r.x, nullptr), r.value);
  Qword count = 77;
  EXPECT_EQ(rEinSeries(0, &count), 0);
  EXPECT_EQ(count, 3u);
  for (double bad : {___NAN, ___PlsINF, ___MnsINF}) {
    count = 77;
    EXPECT_TRUE(std::isnan(rEinSeries(bad, &count)));
    EXPECT_EQ(count, 77u);
  }
  // Small x: the series stops after a handful of terms.
  count = 0;
  rEinSeries(1e-3, &count);
  EXPECT_GT(count, 2u);
  EXPECT_LT(count, 12u);
  // Beyond the double range of the terms the series returns NaN, and returns.
  EXPECT_TRUE(std::isnan(rEinSeries(800, &count)));
}

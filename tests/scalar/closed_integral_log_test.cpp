// The integral of t^n·ln^m t: F(b) - F(a) against mpmath.quad, its closed
// forms and its domain.
#include <gtest/gtest.h>

#include <cmath>

#include "closed_integrals_check.h"
#include "scalar/closed_integrals.h"
#include "scalar/real_helpers.h"

TEST(ClosedIntegralLog, AgainstQuadrature) {
  CheckIntegrals("rAS4_1_51", krAS4_1_51Ref, [](const double* p, double x) {
    return rAS4_1_51(x, static_cast<Qword>(p[0]), static_cast<Qword>(p[1]));
  });
}

TEST(ClosedIntegralLog, ClosedFormsAndDomain) {
  for (double x : {0.3, 1.0, 2.385}) {
    EXPECT_NEAR(rAS4_1_51(x, 0, 1), x * std::log(x) - x, 1e-15);
    EXPECT_NEAR(rAS4_1_51(x, 2, 0), x * x * x / 3, 1e-15);
  }
  // From 0 to 1: (-1)^m·m!/(n + 1)^(m+1).
  EXPECT_DOUBLE_EQ(rAS4_1_51(1, 3, 4), 24.0 / 1024);
  EXPECT_DOUBLE_EQ(rAS4_1_51(1, 1, 3), -6.0 / 16);
  EXPECT_EQ(rAS4_1_51(0, 3, 2), 0);
  // 171! overflows: the value is infinite at x = 1, and a huge m returns.
  EXPECT_EQ(rAS4_1_51(1, 0, 171), -___PlsINF);
  EXPECT_TRUE(std::isinf(rAS4_1_51(1, 0, ~Qword{0})) || std::isnan(rAS4_1_51(1, 0, ~Qword{0})));
  for (double bad : {-1.0, ___NAN, ___PlsINF}) EXPECT_TRUE(std::isnan(rAS4_1_51(bad, 3, 2))) << bad;
}

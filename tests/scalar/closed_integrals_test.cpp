// The closed-form antiderivatives: F(b) - F(a) against mpmath.quad of the
// integrand, and the cases the formulas leave out.
#include "scalar/closed_integrals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "closed_integrals_check.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

namespace {
Qlong I(double v) { return static_cast<Qlong>(v); }
}  // namespace

TEST(ClosedIntegrals, AgainstQuadrature) {
  CheckIntegrals("rAS_3_3_14", krAS_3_3_14Ref,
                 [](const double* p, double x) { return rAS_3_3_14(x, p[0], p[1], I(p[2])); });
  CheckIntegrals("rAS_3_3_16", krAS_3_3_16Ref,
                 [](const double* p, double x) { return rAS_3_3_16(x, p[0], p[1], p[2]); });
  CheckIntegrals("rAS_3_3_19", krAS_3_3_19Ref,
                 [](const double* p, double x) { return rAS_3_3_19(x, p[0], p[1], p[2]); });
  CheckIntegrals("rAS_3_3_20", krAS_3_3_20Ref,
                 [](const double* p, double x) { return rAS_3_3_20(x, p[0], p[1], p[2], p[3]); });
  CheckIntegrals("rAS_3_3_21", krAS_3_3_21Ref,
                 [](const double* p, double x) { return rAS_3_3_21(x, p[0], p[1]); });
  CheckIntegrals("rAS_3_3_22", krAS_3_3_22Ref,
                 [](const double* p, double x) { return rAS_3_3_22(x, p[0], p[1]); });
  CheckIntegrals("rAS_3_3_33", krAS_3_3_33Ref,
                 [](const double* p, double x) { return rAS_3_3_33(x, p[0], p[1], p[2]); });
}

TEST(ClosedIntegrals, NamedCases) {
  for (double x : {0.3, 1.0, 2.385}) {
    EXPECT_NEAR(rAS_3_3_14(x, 1.5, 2, -1), std::log(1.5 + 2 * x) / 2, 1e-15);
    EXPECT_NEAR(rAS_3_3_16(x, 1, 0, 1), std::atan(x), 1e-15);
    EXPECT_NEAR(rAS_3_3_20(x, 1, 0, 1, 1), -std::log((x + 1) / x), 1e-15);
    EXPECT_NEAR(rAS_3_3_21(x, 2, 3), std::atan(1.5 * x) / 6, 1e-16);
    EXPECT_NEAR(rAS_3_3_33(x, 1, 0, 1), std::asinh(x), 1e-15);
  }
  EXPECT_NEAR(rAS_3_3_19(2.5, -1, 0, 1), 0.5 * std::log(2.5 * 2.5 - 1), 1e-15);
  EXPECT_EQ(rAS_3_3_14(2.385, 1.5, 2, 0), 2.385);
  EXPECT_NEAR(rAS_3_3_33(0.6, 1, 0, -1), std::asin(0.6), 1e-15);
  EXPECT_TRUE(std::isnan(rAS_3_3_33(1.5, 1, 0, -1)));
}

TEST(ClosedIntegrals, UncoveredCasesGiveNaN) {
  EXPECT_TRUE(std::isnan(rAS_3_3_19(1.5, 0, 0, 0)));
  EXPECT_TRUE(std::isnan(rAS_3_3_20(1.5, 1, 2, 0, 0)));  // D = 0, q1 = 0, p1 != 0
  EXPECT_TRUE(std::isnan(rAS_3_3_21(1.5, 0, 0)));
  EXPECT_TRUE(std::isnan(rAS_3_3_22(1.5, 0, 0)));
  EXPECT_TRUE(std::isnan(rAS_3_3_33(1.5, 1, 3, 1)));    // c = 1, 4a - b² < 0
  EXPECT_TRUE(std::isnan(rAS_3_3_33(1.5, 1, 3, 0)));    // c = 0
  EXPECT_TRUE(std::isnan(rAS_3_3_33(0.1, -1, 0, -1)));  // c < 0, D <= 0
  // The c = 0 form of 3.3.19 differentiates to x/(a + b x).
  const double h = 1e-6, x = 1.75, a = 2, b = 3;
  EXPECT_NEAR((rAS_3_3_19(x + h, a, b, 0) - rAS_3_3_19(x - h, a, b, 0)) / (2 * h), x / (a + b * x),
              1e-9);
}

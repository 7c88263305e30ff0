// The sine and cosine integrals against mpmath (cross-checked with scipy's
// sici by the generator), their symmetry and their edges.
#include <gtest/gtest.h>

#include <cmath>

#include "erf_reference.inc"
#include "scalar/error_functions.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

TEST(SineCosineIntegral, AgainstReference) {
  CheckTable("rSineIntegral", kSiRef, rSineIntegral, kTol1);
  CheckTable(
      "rSineIntegral(-x)", kSiRef, [](double x) { return -rSineIntegral(-x); }, kTol1);
  // Ci has a zero near 0.6165: absolute error there.
  CheckTable("rCosineIntegral", kCiRef, rCosineIntegral, kTol1, 0.5);
}

TEST(SineCosineIntegral, Edges) {
  EXPECT_NEAR(rSineIntegral(4), rSineIntegral(4.0000001) - 1e-7 * std::sin(4.0) / 4, 4e-15);
  EXPECT_NEAR(rCosineIntegral(4), rCosineIntegral(4.0000001) - 1e-7 * std::cos(4.0) / 4, 4e-15);
  EXPECT_EQ(rSineIntegral(0), 0);
  EXPECT_EQ(rSineIntegral(-1), -rSineIntegral(1));
  EXPECT_TRUE(std::isnan(rCosineIntegral(-1)));
  EXPECT_TRUE(std::isnan(rCosineIntegral(0)));
  EXPECT_TRUE(std::isnan(rSineIntegral(___NAN)));
  EXPECT_TRUE(std::isnan(rCosineIntegral(___NAN)));
  EXPECT_EQ(rSineIntegral(___PlsINF), M_PI / 2);
  EXPECT_EQ(rSineIntegral(___MnsINF), -M_PI / 2);
  EXPECT_EQ(rCosineIntegral(___PlsINF), 0);
}

// The error function family against mpmath references and its edge cases.
#include <gtest/gtest.h>

#include <cmath>

#include "erf_reference.inc"
#include "scalar/error_functions.h"
#include "scalar/error_functions_internal.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

TEST(ErfFamily, AgainstReference) {
  CheckTable("rErf", kErfRef, rErf, kTol0);
  CheckTable("rErfc", kErfcRef, rErfc, kTol1);
  CheckTable("rErfA", kErfARef, rErfA, kTol1);
  CheckTable("rErfcA", kErfcARef, rErfcA, kTol2);
  CheckTable("rErfD", kErfDRef, rErfD, kTol1);
  CheckTable("rErfD2", kErfD2Ref, rErfD2, kTol1);
  CheckTable(
      "rErfcD", kErfDRef, [](double x) { return -rErfcD(x); }, kTol1);
  CheckTable(
      "rErfcD2", kErfD2Ref, [](double x) { return -rErfcD2(x); }, kTol1);
  CheckTable("rErfi", kErfiRef, rErfi, kTol1);
  CheckTable("rErfiD", kErfiDRef, rErfiD, kTol1);
  CheckTable("rErfiD2", kErfiD2Ref, rErfiD2, kTol1);
}

TEST(ErfFamily, ExponentialOverflowGivesNaN) {
  for (double x : {26.7, -26.7, 40.0}) {
    EXPECT_TRUE(std::isnan(rErfi(x))) << x;
    EXPECT_TRUE(std::isnan(rErfiD(x))) << x;
    EXPECT_TRUE(std::isnan(rErfiD2(x))) << x;
  }
  EXPECT_TRUE(std::isnan(rFaddeevaIw(-26.7)));  // 2e^(x²) itself overflows
  EXPECT_TRUE(std::isnan(rErf(___NAN)));
  EXPECT_TRUE(std::isnan(rErfA(___NAN)));
  EXPECT_TRUE(std::isnan(rErfcA(___NAN)));
}

TEST(ErfFast, FormulaAndSymmetry) {
  // R(0) = a1 + ... + a5, so erf 0 comes out near 1e-9, not 0.
  const double r0 = 0.254829592 + (-0.284496736 + (1.421413741 + (-1.453152027 + 1.061405429)));
  EXPECT_EQ(rErfcAS7_1_26(0), r0);
  EXPECT_EQ(rErfFast(0), 1 - r0);
  EXPECT_LT(std::fabs(rErfFast(0)), 1e-8);
  for (const RefRow& r : kErfRef) {
    EXPECT_NEAR(rErfFast(r.x), r.value, 1.5e-7) << r.x;
    EXPECT_EQ(rErfFast(-r.x), -rErfFast(r.x)) << r.x;
    EXPECT_NEAR(rErfcFast(r.x), 1 - r.value, 1.5e-7) << r.x;
    if (r.x > 0) {
      EXPECT_EQ(rErfcFast(-r.x), 2 - rErfcFast(r.x)) << r.x;
    }
  }
}

TEST(ErfInv, AgainstReferenceIntoTheTails) {
  CheckTable("rErfInv", kErfInvRef, rErfInv, kTol0);
  // And the round trip through erfc where erf itself has no digits left.
  for (int k = 1; k <= 15; ++k) {
    const double q = std::pow(10.0, -k);
    const double y = rErfInv(1 - q);
    EXPECT_LE(ErrorInEps(rErfc(y), 1 - (1 - q)), kTol2) << q;
  }
}

TEST(ErfInv, FastFormEdgesAndAccuracy) {
  EXPECT_EQ(rErfInvFast(0), 0);
  EXPECT_EQ(rErfInv(0), 0);
  for (double x : {1.0, -1.0, 1.5, -2.0, ___NAN, ___PlsINF}) {
    EXPECT_TRUE(std::isnan(rErfInvFast(x))) << x;
    EXPECT_TRUE(std::isnan(rErfInv(x))) << x;
  }
  for (double x : {0.1, 0.6, 0.9, 0.999}) EXPECT_EQ(rErfInvFast(-x), -rErfInvFast(x));
  // The guess holds to about 1e-7 away from the tails, by either branch:
  // w = -ln(1 - x²) < 5 takes the central polynomial, w >= 5 the tail one.
  for (double x : {0.1, 0.476, 0.9, 0.99, 0.996, 0.9999}) {
    EXPECT_NEAR(rErfInvFast(x) / rErfInv(x), 1, 5e-7) << x;
  }
  const double x = 0.9999;  // w = 8.52
  double p = 0;
  for (double c : {-0.000200214257, 0.000100950558, 0.00134934322, -0.00367342844, 0.00573950773,
                   -0.0076224613, 0.00943887047, 1.00167406, 2.83297682}) {
    p = p * (std::sqrt(-std::log((1 + x) * (1 - x))) - 3) + c;
  }
  EXPECT_NEAR(rErfInvFast(x), x * p, 1e-14);
}

TEST(Faddeeva, ScaledErfcAgainstReference) {
  CheckTable("rFaddeevaIw", kFaddeevaIwRef, rFaddeevaIw, kTol1);
  CheckTable("rFaddeevaIwD", kFaddeevaIwDRef, rFaddeevaIwD, kTol2);
  EXPECT_EQ(rFaddeevaIw(___PlsINF), 0);
  EXPECT_EQ(rFaddeevaIwD(___PlsINF), 0);
  EXPECT_TRUE(std::isnan(rFaddeevaIw(___NAN)));
  EXPECT_TRUE(std::isnan(rFaddeevaIwD(___NAN)));
  // Far out w(ix) ~ 1/(x·√π): finite where e^(x²)·erfc x is not.
  EXPECT_NEAR(rFaddeevaIw(1e8) * 1e8 * std::sqrt(M_PI), 1, 1e-15);
}

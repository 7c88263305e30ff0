// The complete beta function, its logarithm and the plain incomplete beta
// against mpmath (tools/gen_beta_accuracy_reference.py): shapes from 1e-3
// to 1e6, equal and very unequal shapes, and values near the underflow
// threshold. Each tally prints its worst and RMS error.
//
// Before Stirling's form took over where Gamma overflows, the exponential
// of a difference of log-gammas gave 9.6e6 ulp at shapes near 1e6, and 0
// instead of the subnormal values near the underflow threshold.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scalar/gamma.h"
#include "support/accuracy.h"

namespace {
struct BetaShapeRow {
  int kind;  // 0 spread, 1 finite gammas, 2 equal, 3 unequal, 4 near underflow, 5 integers
  double a, b, beta, beta_ln;
};
struct BetaIncPlainRow {
  double x, a, b, value;
};
#include "beta_accuracy.inc"

bool GammasFinite(const BetaShapeRow& r) { return r.a + r.b < 171.5; }
double Larger(const BetaShapeRow& r) { return r.a > r.b ? r.a : r.b; }
}  // namespace

TEST(BetaAccuracy, ProductOfGammas) {
  // Gamma(l) / Gamma(s + l) * Gamma(s), each within 3 ulp, and the rounding
  // of s + l carried: worst 4 ulp, rms 1.2.
  AccuracyTally t("rBeta, a + b < 171.5", 4, Measure::kUlp);
  for (const BetaShapeRow& r : kBetaShapeRows)
    if (GammasFinite(r)) t.Check(rBeta(r.a, r.b), r.beta, Call("rBeta", r.a, r.b));
}

TEST(BetaAccuracy, StirlingForm) {
  // Beyond the gammas' range, by kind of row: worst 2 ulp (1 near the
  // underflow, where the result is rounded once to a subnormal).
  constexpr const char* kName[] = {"rBeta, shapes 1e-3..1e6", "",
                                   "rBeta, equal shapes",     "rBeta, very unequal shapes",
                                   "rBeta, near underflow",   "rBeta, integer shapes"};
  for (int kind : {0, 2, 3, 4, 5}) {
    AccuracyTally t(kName[kind], 2, Measure::kUlp);
    for (const BetaShapeRow& r : kBetaShapeRows)
      if (r.kind == kind && !GammasFinite(r))
        t.Check(rBeta(r.a, r.b), r.beta, Call("rBeta", r.a, r.b));
  }
}

TEST(BetaAccuracy, UnderflowAndOverflowEnds) {
  // Zero where B is below half the smallest subnormal, also where the
  // exponent's products overflow; huge shapes meet a small one.
  EXPECT_EQ(rBeta(600.0, 600.0), 0.0);
  EXPECT_EQ(rBeta(1e300, 1e300), 0.0);
  EXPECT_EQ(rBeta(1.7e308, 1.7e308), 0.0);
  EXPECT_TRUE(WithinEps(rBeta(1.0, 1e300), 1e-300, 2));  // B(1, b) = 1/b
  EXPECT_TRUE(WithinEps(rBeta(2.0, 1e150), 1.0 / (1e150 * (1e150 + 1.0)), 4));
  EXPECT_TRUE(std::isnan(rBeta(2.0, std::nan(""))));
  EXPECT_TRUE(std::isnan(rBeta(std::nan(""), 500.0)));
}

TEST(BetaAccuracy, BetaLnSmallShapes) {
  // Both shapes below 12: lnGamma(a) + lnGamma(b) - lnGamma(a + b) as it
  // stands, in eps of max(|ln B|, 1): worst 7.5 eps where the three terms
  // are about four times the result (0.9 eps of the terms' size, see
  // GammaUlp.BetaLnAgainstItsTerms).
  AccuracyTally t("rBetaLn, both shapes below 12", 8, 1.0);
  for (const BetaShapeRow& r : kBetaShapeRows)
    if (Larger(r) < 12) t.Check(rBetaLn(r.a, r.b), r.beta_ln, Call("rBetaLn", r.a, r.b));
}

TEST(BetaAccuracy, BetaLnLargeShapes) {
  // From a shape of 12 on, Stirling's terms of one sign: worst 2 eps (the
  // difference of log-gammas gave 4.8e6 eps at (0.108, 9.9e5)).
  AccuracyTally t("rBetaLn, larger shape from 12", 2, 1.0);
  for (const BetaShapeRow& r : kBetaShapeRows)
    if (Larger(r) >= 12) t.Check(rBetaLn(r.a, r.b), r.beta_ln, Call("rBetaLn", r.a, r.b));
}

TEST(BetaAccuracy, PlainIncompleteBeta) {
  // The prefactor x^a (1 - x)^b as the regularised one times B(a, b) from a
  // shape of 12 on, as the powers below: worst 24 ulp where B - w loses
  // digits past the switch point, rms 3.4 (exp(a ln x + b ln(1 - x)) gave
  // 542 ulp, rms 95).
  AccuracyTally t("rBetaInc, shapes to 2000", 32, Measure::kUlp);
  for (const BetaIncPlainRow& r : kBetaIncPlainRows)
    t.Check(rBetaInc(r.x, r.a, r.b), r.value, Call("rBetaInc", r.x, r.a, r.b));
}

TEST(BetaAccuracy, ShapesNearTheEndOfTheRange) {
  // B(1, b) = 1/b and B(2, b) = 1/(b (b + 1)) in closed form; the shapes'
  // products in the exponent must not overflow on the way (lnGamma(b) -
  // lnGamma(b + 1) once gave ln B = 0 here).
  for (double b : {1e200, 1e300, 1.5e308, 0x1.fffffffffffffp+1023}) {
    EXPECT_TRUE(WithinEps(rBetaLn(1.0, b), -std::log(b), 2)) << b;
    EXPECT_TRUE(WithinEps(rBetaLn(b, 2.0), -std::log(b) - std::log1p(b), 2)) << b;
  }
  EXPECT_LE(UlpError(rBeta(1.0, 1.5e308), 1.0 / 1.5e308), 1);  // subnormal, rounded once
  // B(e, b) = Gamma(e) b^-e (1 + O(e/b)) and Gamma(e) = 1/e - 0.577...
  EXPECT_TRUE(WithinEps(rBeta(1e-300, 1e300), 1.0 / 1e-300, 2));
}

TEST(BetaAccuracy, WholeRangeAgreesWithItsLogarithm) {
  // Shapes log-uniform over the whole positive range: ln B is a number
  // wherever a + b is, B is never NaN, and where B is a normal double it is
  // exp(ln B) to the rounding that exp gives a logarithm of that size (ln B
  // within about 1.5 eps of itself).
  std::mt19937_64 rng(39);
  std::uniform_real_distribution<double> log_shape(std::log(1e-300), std::log(1e307));
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const double a = std::exp(log_shape(rng));
    const double b = std::exp(log_shape(rng));
    const double ln_b = rBetaLn(a, b);
    const double v = rBeta(a, b);
    ASSERT_FALSE(std::isnan(ln_b)) << Call("rBetaLn", a, b);
    ASSERT_FALSE(std::isnan(v)) << Call("rBeta", a, b);
    ASSERT_GE(v, 0.0) << Call("rBeta", a, b);
    if (v >= 0x1p-1022 && v < 0x1p1023) {
      ++compared;
      // Below 12 ln B is the difference of log-gammas, within an eps of
      // their size.
      const double size = std::fmax(a, b) < 12 ? std::fabs(rGammaLn(a)) + std::fabs(rGammaLn(b)) +
                                                     std::fabs(rGammaLn(a + b))
                                               : std::fabs(ln_b);
      EXPECT_TRUE(WithinEps(v, std::exp(ln_b), 4 + 3 * size)) << Call("rBeta", a, b);
    } else if (v == 0) {
      EXPECT_LT(ln_b, -744.0) << Call("rBeta", a, b);
    }
  }
  EXPECT_GT(compared, 1000);
}

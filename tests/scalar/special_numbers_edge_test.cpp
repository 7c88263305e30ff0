// Edge cases, closed forms and failure paths of the special numbers, zeta,
// eta and the integer-argument functions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/elementary.h"
#include "scalar/log_derivatives.h"
#include "scalar/special_number_tables.h"
#include "scalar/special_numbers.h"
#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {
constexpr double kPi = 3.141592653589793;
}  // namespace

TEST(SpecialNumbersEdges, Bernoulli) {
  EXPECT_EQ(rBernoulliNum(1), -0.5);
  EXPECT_EQ(rBernoulliPlusNum(1), 0.5);
  EXPECT_EQ(rBernoulliPlusNum(4), rBernoulliNum(4));
  EXPECT_EQ(rBernoulliNum(3), 0.0);
  EXPECT_EQ(rBernoulliNum(4), -1.0 / 30.0);
  EXPECT_GT(rBernoulliNum(42), 8.4169e17);
  EXPECT_LT(rBernoulliNum(42), 8.4170e17);
  EXPECT_EQ(rBernoulliNumDivFact(1), -0.5);
  EXPECT_EQ(rBernoulliNumDivFact(7), 0.0);
  EXPECT_EQ(rBernoulliNumDivFact(2), 1.0 / 12.0);
  EXPECT_TRUE(std::isnan(rBernoulliNum(300)));  // beyond the double range
}

TEST(SpecialNumbersEdges, BernoulliGeneratingFunction) {
  EXPECT_EQ(rBernoulliNumEgf(0.0), 1.0);
  for (double x : {1e-9, -3e-5, 0.5, -1.75, 20.0})
    EXPECT_TRUE(WithinEps(rBernoulliNumEgf(x), x / std::expm1(x), 8));
  // Just above the last series switch e^x - 1 cancels: eps/x of relative error.
  EXPECT_TRUE(WithinEps(rBernoulliNumEgf(2e-3), 2e-3 / std::expm1(2e-3), 128));
}

TEST(SpecialNumbersEdges, BernoulliPolynomials) {
  for (double x : {-1.3, 0.25, 0.7, 2.5}) {
    EXPECT_EQ(rBernoulliPolynomial(x, 0), 1.0);
    EXPECT_TRUE(WithinEps(rBernoulliPolynomial(x, 1), x - 0.5, 4));
    EXPECT_TRUE(WithinEps(rBernoulliPolynomial(x, 2), x * x - x + 1.0 / 6.0, 16));
    EXPECT_TRUE(WithinEps(rBernoulliPolynomial(x, 3), x * x * x - 1.5 * x * x + 0.5 * x, 64));
    // B_n(x + 1) - B_n(x) = n x^(n-1)
    EXPECT_NEAR(rBernoulliPolynomial(x + 1, 6) - rBernoulliPolynomial(x, 6), 6 * std::pow(x, 5),
                1e-11);
  }
  EXPECT_EQ(rBernoulliPolynomial(0.0, 2), 1.0 / 6.0);
  EXPECT_TRUE(WithinEps(rBernoulliPolynomial(1.0, 2), 1.0 / 6.0, 4));
  // The polynomial and the filled coefficients agree.
  std::vector<double> c(9);
  ASSERT_EQ(rBernoulliFillPoly(8, c.data()), 0u);
  EXPECT_EQ(c[8], 1.0);
  EXPECT_EQ(c[7], -4.0);  // C(8,1) B_1
  const double x = 0.8125;
  double v = 0;
  for (int i = 8; i >= 0; --i) v = v * x + c[static_cast<size_t>(i)];
  EXPECT_TRUE(WithinEps(rBernoulliPolynomial(x, 8), v, 64));
  EXPECT_EQ(rBernoulliFillPoly(3, nullptr), 18u);
}

TEST(SpecialNumbersEdges, BernoulliNewPoly) {
  Dword err = 7;
  double* p = rBernoulliNewPoly(&err, 4);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(err, 0u);
  EXPECT_EQ(p[4], 1.0);
  EXPECT_EQ(p[0], -1.0 / 30.0);
  KillPtr(&p);
  EXPECT_EQ(p, nullptr);
  AllocFailureGuard fail(0);
  err = 0;
  EXPECT_EQ(rBernoulliNewPoly(&err, 4), nullptr);
  fail.Release();
  EXPECT_EQ(err, 0x80001u);
  err = 0;
  EXPECT_EQ(rBernoulliNewPoly(&err, ~Qword{0}), nullptr);
  EXPECT_EQ(err, 0x80001u);
}

TEST(SpecialNumbersEdges, EulerAndZigzag) {
  EXPECT_EQ(rEulerNum(2), -1.0);
  EXPECT_EQ(rEulerNum(4), 5.0);
  EXPECT_EQ(rEulerNum(5), 0.0);
  EXPECT_EQ(rEulerNum(200), INFINITY);
  EXPECT_EQ(rEulerNum(202), -INFINITY);
  EXPECT_EQ(rEulerZigZagNum(3), 2.0);
  EXPECT_EQ(rEulerZigZagNum(5), 16.0);
  EXPECT_TRUE(std::isnan(rEulerZigZagNum(171)));
  EXPECT_TRUE(WithinEps(rEulerNumDivFact(4), 5.0 / 24.0, 32));  // exp(ln 5 - lnGamma(5))
  EXPECT_TRUE(WithinEps(rEulerNumDivFact(6), -61.0 / 720.0, 32));
  // E_n/n! tends to 0 where E_n overflows: 2 (2/pi)^(n+1) to double precision.
  EXPECT_TRUE(WithinEps(rEulerNumDivFact(400), 2.0 * std::pow(2.0 / kPi, 401.0), 512));
  EXPECT_TRUE(WithinEps(rEulerNumDivFact(402), -2.0 * std::pow(2.0 / kPi, 403.0), 512));
  EXPECT_TRUE(WithinEps(rEulerNumDivFact(100),
                        2.0 * std::pow(2.0 / kPi, 101.0) * (1 - std::pow(3.0, -101.0)), 2048));
}

TEST(SpecialNumbersEdges, StirlingAndHarmonic) {
  EXPECT_EQ(rStirling2(30, 5), 7713000216608565075.0);
  EXPECT_TRUE(WithinEps(rStirling2(40, 7), 1.2447270338715310e30, 64));
  EXPECT_EQ(rStirling2(5, 7), 0.0);
  EXPECT_EQ(rStirling1(5, 2), -50.0);
  EXPECT_EQ(rStirling1(5, 3), 35.0);
  EXPECT_EQ(ruStirling1(5, 2), 50.0);
  EXPECT_EQ(rStirling1(401, 2), -INFINITY);  // beyond the double range: odd n - k
  EXPECT_EQ(rStirling1(400, 2), INFINITY);
  EXPECT_TRUE(std::isnan(ruStirling1(400, 2)));
  // Huge counts close to each other end quickly (the band is n - k wide).
  EXPECT_TRUE(WithinEps(rStirling2(2000000, 1999999), 1999999000000.0, 4));
  EXPECT_TRUE(WithinEps(ruStirling1(2000000, 1999999), 1999999000000.0, 4));
  EXPECT_EQ(rHarmonicNumber(0), 0.0);
  double h = 0;
  for (int i = 1; i <= 45; ++i) h += 1.0 / i;
  EXPECT_TRUE(WithinEps(rHarmonicNumber(45), h, 8));
  EXPECT_TRUE(WithinEps(rHarmonicNumber(50), 4.499205338329425, 4));
}

TEST(SpecialNumbersEdges, Zeta) {
  EXPECT_EQ(ruRiemannZetaM1(0), -1.5);
  EXPECT_EQ(ruRiemannZetaM1(1), INFINITY);
  EXPECT_EQ(ruRiemannZetaM1(2), 0.6449340668482264);
  EXPECT_EQ(ruRiemannZetaM1(1025), 0.0);
  EXPECT_EQ(riRiemannZeta(-1), -1.0 / 12.0);
  EXPECT_EQ(riRiemannZeta(-2), 0.0);
  EXPECT_EQ(riRiemannZeta(0), -0.5);
  EXPECT_EQ(riRiemannZeta(INT64_MIN), 0.0);
  EXPECT_TRUE(std::isnan(rRiemannZeta(1.0)));
  EXPECT_TRUE(std::isnan(rRiemannZetaM1(1.0)));
  EXPECT_TRUE(WithinEps(rRiemannZeta(2.0), kPi * kPi / 6.0, 4));
  EXPECT_TRUE(WithinEps(rRiemannZeta(4.0), std::pow(kPi, 4) / 90.0, 4));
  EXPECT_EQ(rRiemannZeta(50.0), 1.0);
  EXPECT_EQ(rRiemannZeta(-24.0), 0.0);  // integers below -22.5 go to the integer form
  EXPECT_TRUE(WithinEps(rRiemannZeta(-25.0), riRiemannZeta(-25), 1));
  EXPECT_EQ(rRiemannZeta(-400.5), -INFINITY);  // the reflection overflows
  EXPECT_EQ(rRiemannAz(2000.0), 0.0);
  EXPECT_TRUE(std::isnan(rRiemannAz(std::nan(""))));
  EXPECT_TRUE(std::isnan(rRiemannAzD(3.0, 31)));
  EXPECT_TRUE(std::isnan(rRiemannAzD(-30.0, 1)));
  EXPECT_TRUE(std::isnan(rRiemannAzD(80.0, 2)));
  EXPECT_EQ(rRiemannAzD(80.0, 0), rRiemannAz(80.0));
  EXPECT_EQ(rRiemannAzD(2000.0, 1), 0.0);
}

TEST(SpecialNumbersEdges, AzTableEvaluator) {
  double out = 3;
  EXPECT_EQ(rRiemannAzPolyEval(1.0, &out, nullptr, 5, 0), 14u);
  EXPECT_EQ(out, 0.0);
  const double t[4] = {1.0, 2.0, 3.0, 4.0};  // 1 + 2x + 3x^2 + 4x^3
  EXPECT_EQ(rRiemannAzPolyEval(1.0, &out, t, 0, 0), 14u);
  ASSERT_EQ(rRiemannAzPolyEval(0.5, &out, t, 4, 0), 0u);
  EXPECT_EQ(out, 1.0 + 1.0 + 0.75 + 0.5);
  ASSERT_EQ(rRiemannAzPolyEval(0.5, &out, t, 4, 1), 0u);
  EXPECT_EQ(out, 2.0 + 3.0 + 3.0);  // 2 + 6x + 12x^2
  ASSERT_EQ(rRiemannAzPolyEval(0.5, &out, t, 4, 3), 0u);
  EXPECT_EQ(out, 24.0);
  ASSERT_EQ(rRiemannAzPolyEval(0.5, &out, t, 4, 4), 0u);
  EXPECT_EQ(out, 0.0);
  ASSERT_EQ(rRiemannAzPolyEval(0.5, &out, t, 4, -1), 0u);
  EXPECT_EQ(out, 0.5 + 0.25 + 0.125 + 0.0625);  // x + x^2 + x^3 + x^4
  ASSERT_EQ(rRiemannAzPolyEval(2.0, &out, t, 4, -2), 0u);
  EXPECT_TRUE(
      WithinEps(out, 2.0 + 8.0 / 3.0 + 4.0 + 32.0 / 5.0, 4));  // x^2/2 + x^3/3 + x^4/4 + x^5/5
  // Order 30 of the 40-term tables: 39!/9! no longer fits 64 bits.
  ASSERT_EQ(rRiemannAzPolyEval(0.0, &out, RiemannAzTables[3], kRiemannAzTableSize, 30), 0u);
  EXPECT_TRUE(WithinEps(out, RiemannAzTables[3][30] * 2.652528598121910586e32, 16));  // 30!
  EXPECT_EQ(ruPowerBySquaring(1.5, 0), 1.0);
  EXPECT_EQ(ruPowerBySquaring(1.5, 1), 1.5);
  EXPECT_EQ(ruPowerBySquaring(-2.0, 11), -2048.0);
}

TEST(SpecialNumbersEdges, Eta) {
  EXPECT_EQ(rDirichletEta(0.0), 0.5);
  EXPECT_EQ(rDirichletEta(1.0), 0.6931471805599453);
  EXPECT_EQ(riDirichletEta(1), 0.6931471805599453);
  EXPECT_EQ(riDirichletEta(0), 0.5);
  EXPECT_EQ(riDirichletEta(-1), 0.25);
  EXPECT_EQ(rDirichletEta(60.0), 1.0);
  EXPECT_TRUE(WithinEps(rDirichletEta(2.0), kPi * kPi / 12.0, 8));
  // eta(1 + h) = ln 2 + h (gamma ln 2 - (ln 2)^2/2) + O(h^2), kept to full
  // precision by the expm1 form of 1 - 2^(1-x).
  const double x = 1.0 + 1e-9, h = x - 1.0;
  EXPECT_TRUE(WithinEps(rDirichletEta(x), 0.6931471805599453 + h * 0.15986890374243121, 64));
  // At the trivial zeros the factor 2^(1-n) overflows; the value is 0.
  EXPECT_EQ(riDirichletEta(-2000), 0.0);
  EXPECT_EQ(rDirichletEta(-2000.0), 0.0);
}

TEST(SpecialNumbersEdges, IntegerArgumentFunctions) {
  EXPECT_EQ(riBinomial(-1, 3), -1.0);
  EXPECT_EQ(riBinomial(5, 7), 0.0);
  EXPECT_EQ(riBinomial(5, -1), 0.0);
  EXPECT_EQ(riBinomial(9, 0), 1.0);
  EXPECT_TRUE(WithinEps(riBinomial(70, 35), 1.1218627781666e20, 1e4));
  EXPECT_EQ(riBinomial(INT64_MIN, 1), -9223372036854775808.0);
  EXPECT_TRUE(std::isnan(riCatalanNumber(-1)));
  EXPECT_EQ(riCatalanNumber(5), 42.0);
  EXPECT_TRUE(std::isnan(riCentralBinomial(-3)));
  EXPECT_EQ(riCentralBinomial(6), 20.0);
  EXPECT_EQ(riCountMultisets(3, 2), 6.0);
  EXPECT_TRUE(std::isnan(riCountMultisets(INT64_MAX, 2)));
  EXPECT_EQ(riAbsPower(-2.0, 3), 8.0);
  EXPECT_EQ(riSignedPower(-2.0, 2), -4.0);
  EXPECT_EQ(riSignedPower(2.0, -2), 0.25);
  const double x = 1.7;
  EXPECT_TRUE(WithinEps(ruPowerAD(x, 3, 2), 6 * x, 4));
  EXPECT_EQ(ruPowerAD(x, 3, 4), 0.0);
  EXPECT_TRUE(WithinEps(ruPowerAD(x, 2, -1), x * x * x / 3, 4));
  EXPECT_TRUE(WithinEps(ruPowerAD(x, 2, -3), std::pow(x, 5) / 60, 8));
  EXPECT_TRUE(WithinEps(ruPowerAD(x, 4, 0), x * x * x * x, 4));
  EXPECT_EQ(ruPowerAD(x, 5, INT64_MAX), 0.0);
  // Where the factorial ratio overflows, logarithms: x^k/k! tends to 0.
  EXPECT_EQ(ruPowerAD(2.0, 0, INT64_MIN), 0.0);
  EXPECT_TRUE(WithinEps(ruPowerAD(30.0, 0, -200),
                        std::exp(200 * std::log(30.0) - std::lgamma(201.0)), 1e4));
  EXPECT_TRUE(WithinEps(ruPowerAD(-1e-10, 300, 249),
                        -std::exp(std::lgamma(301.0) - std::lgamma(52.0) + 51 * std::log(1e-10)),
                        1e4));
}

TEST(SpecialNumbersEdges, LogDerivativesAndSignedPowers) {
  const double x = 2.375;
  EXPECT_EQ(rLogAD(x, 0), rLog(x));
  EXPECT_EQ(rLogAD(2.0, 1), 0.5);
  EXPECT_EQ(rLogD(2.0), 0.5);
  EXPECT_EQ(rLogD(0.0), INFINITY);  // the safe reciprocal's infinity
  EXPECT_TRUE(WithinEps(rLogAD(x, 2), -1.0 / (x * x), 4));
  EXPECT_TRUE(WithinEps(rLogAD(x, 3), 2.0 / (x * x * x), 32));  // exp(lnGamma(n) - n ln x)
  EXPECT_TRUE(WithinEps(rLogAD(x, 4), -6.0 / (x * x * x * x), 32));
  EXPECT_TRUE(std::isnan(rLogAD(-x, 3)));
  EXPECT_EQ(rLogAD(0.0, -1), 0.0);
  EXPECT_TRUE(std::isnan(rLogAD(-1.0, -2)));
  EXPECT_TRUE(WithinEps(rLogAD(x, -1), x * std::log(x) - x, 8));
  EXPECT_TRUE(WithinEps(rLogAD(x, -2), x * x / 2 * (std::log(x) - 1.5), 8));
  EXPECT_TRUE(WithinEps(rLogAD(x, -3), x * x * x / 6 * (std::log(x) - 11.0 / 6.0), 16));
  // Where x^m or m! overflows alone the ratio still comes.
  EXPECT_TRUE(WithinEps(rLogAD(900.0, -120),
                        (std::log(900.0) - rHarmonicNumber(120)) *
                            std::exp(120 * std::log(900.0) - std::lgamma(121.0)),
                        1e4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -2, -1), -1.0 / x, 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -2, -2), -std::log(x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(-x, -2, -2), -std::log(x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -1, -1), std::log(x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -3, -1), -0.5 / (x * x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -2, 1), -2.0 / (x * x * x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, -2, 0), 1.0 / (x * x), 4));
  EXPECT_TRUE(WithinEps(riPowerAD(x, 3, 2), 6 * x, 4));
}

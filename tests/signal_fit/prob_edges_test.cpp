#include <gtest/gtest.h>

#include <cmath>

#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

namespace {

constexpr double kPi = 3.141592653589793;

TEST(ProbEdges, DiscreteFamilies) {
  EXPECT_DOUBLE_EQ(pCfBernoulli(0, 0.3), 0.7);
  EXPECT_EQ(pCfBernoulli(1, 0.3), 1.0);
  EXPECT_TRUE(std::isnan(pCfBernoulli(0, 1.2)));
  EXPECT_DOUBLE_EQ(pMfBernoulli(1, 0.3), 0.3);
  EXPECT_DOUBLE_EQ(pMfBernoulli(0, 0.3), 0.7);
  EXPECT_EQ(pMfBernoulli(2, 0.3), 0.0);
  EXPECT_TRUE(std::isnan(pMfBernoulli(1, -0.1)));
  EXPECT_DOUBLE_EQ(pFisherInfoBernoulli(0.25), 1.0 / (0.25 * 0.75));
  EXPECT_TRUE(std::isnan(pFisherInfoBernoulli(0.0)));
  EXPECT_TRUE(std::isnan(pFisherInfoBernoulli(1.0)));
  EXPECT_DOUBLE_EQ(pMgfBernoulli(std::log(3.0), 0.5), 2.0);

  EXPECT_EQ(pMfPoisson(3, 0.0), 0.0);
  EXPECT_EQ(pMfPoisson(0, 0.0), 1.0);
  EXPECT_TRUE(std::isnan(pMfPoisson(0, -1.0)));
  EXPECT_EQ(pCfPoisson(5, 0.0), 1.0);
  EXPECT_NEAR(pMfPoisson0(2), std::exp(-1.0) / 2.0, 1e-16);
  EXPECT_NEAR(pCfPoisson0(1), 2.0 * std::exp(-1.0), 1e-15);
  EXPECT_EQ(pMgfPoisson(2.0, 0.0), 1.0);
  EXPECT_NEAR(pMgfPoisson(0.5, 2.0), std::exp(2.0 * (std::exp(0.5) - 1.0)), 1e-14);
  COMPLEX c;
  EXPECT_EQ(pcChfPoisson(&c, 1.0, 0.0), &c);
  EXPECT_EQ(c.re, 1.0);
  EXPECT_EQ(c.im, 0.0);
  pcChfPoisson(&c, 1.0, -2.0);
  EXPECT_TRUE(std::isnan(c.re));
  EXPECT_EQ(c.im, 0.0);

  EXPECT_EQ(pMfContPoisson(0.0, 0.0), 1.0);
  EXPECT_EQ(pMfContPoisson(0.5, 0.0), 0.0);
  EXPECT_TRUE(std::isnan(pMfContPoisson(-0.5, 1.0)));
  EXPECT_EQ(pCfContPoisson(-0.5, 1.0), 0.0);
  EXPECT_EQ(pCfContPoisson(2.0, 0.0), 1.0);
}

// Large means near the mode: the direct exp(-lambda + k ln lambda - lnGamma)
// loses digits to terms of size 1e7; against Stirling's series to O(1/k^3).
TEST(ProbEdges, PoissonMassAtLargeMean) {
  const double lambda = 1e6;
  const double k = 1e6;
  const double c = 1.0 / (12 * k) - 1.0 / (360 * k * k * k);
  EXPECT_NEAR(pMfPoisson(1000000, lambda), std::exp(-c) / std::sqrt(2 * kPi * k), 1e-14 * 4e-4);
}

struct NanCase {
  const char* what;
  double value;
};

TEST(ProbEdges, DomainErrorsAreNan) {
  const NanCase cases[] = {
      {"DfBeta a=0", pDfBeta(0.5, 0.0, 1.0)},
      {"DfBeta x>1", pDfBeta(1.5, 2.0, 1.0)},
      {"QfBeta p<0", pQfBeta(-0.1, 2.0, 1.0)},
      {"DfCauchy g=0", pDfCauchy(0.0, 0.0, 0.0)},
      {"CfCauchy g<0", pCfCauchy(0.0, 0.0, -1.0)},
      {"QfCauchy p>1", pQfCauchy(1.5, 0.0, 1.0)},
      {"MgfCauchy", pMgfCauchy(0.0, 0.0, 1.0)},
      {"MgfCauchy t", pMgfCauchy(1.0, 2.0, 3.0)},
      {"DfChiSquare k=0", pDfChiSquare(1.0, 0.0)},
      {"DfChiSquare x<0", pDfChiSquare(-1.0, 3.0)},
      {"DfChiSquare k=1 x=0", pDfChiSquare(0.0, 1.0)},
      {"QfChiSquare p>1", pQfChiSquare(1.5, 3.0)},
      {"DfExponential l=0", pDfExponential(1.0, 0.0)},
      {"DfExponential0 z<0", pDfExponential0(-1.0)},
      {"QfExponential p<0", pQfExponential(-0.5, 1.0)},
      {"MgfExponential t=l", pMgfExponential(2.0, 2.0)},
      {"DfFisher d1=0", pDfFisherSnedecor(1.0, 0.0, 3.0)},
      {"QfFisher p<0", pQfFisherSnedecor(-0.1, 3.0, 3.0)},
      {"DfLogistic s=0", pDfLogistic(0.0, 0.0, 0.0)},
      {"QfLogistic s<0", pQfLogistic(0.5, 0.0, -1.0)},
      {"MGFLogistic t=1/s", pMGFLogistic(2.0, 0.0, 0.5)},
      {"VarianceLogistic", pVarianceLogistic(0.0)},
      {"EntropyLogistic", pEntropyLogistic(-1.0)},
      {"DfMaxwell x=0", pDfMaxwellBoltzmann(0.0, 1.0)},
      {"CfMaxwell a=0", pCfMaxwellBoltzmann(1.0, 0.0)},
      {"MeanMaxwell", pMeanMaxwellBoltzmann(-1.0)},
      {"DfNormal s=0", pDfNormal(0.0, 0.0, 0.0)},
      {"CfNormal s=0", pCfNormal(0.0, 0.0, 0.0)},
      {"QfNormal p>1", pQfNormal(1.5, 0.0, 1.0)},
      {"QfNormal NaN", pQfNormal(___NAN, 0.0, 1.0)},
      {"DfStudent nu=0", pDfStudent(0.0, 0.0, 0.0, 1.0)},
      {"CfStudent s=0", pCfStudent(0.0, 3.0, 0.0, 0.0)},
      {"QfStudent p<0", pQfStudent(-0.2, 3.0, 0.0, 1.0)},
      {"DfUniform w=0", pDfUniform(0.0, 0.0, 0.0)},
      {"QfUniform p>1", pQfUniform(1.5, 0.0, 1.0)},
      {"QfUniform0 p<0", pQfUniform0(-0.1)},
      {"MgfUniform w=0", pMgfUniform(1.0, 0.0, 0.0)},
      {"DfWeibull k<0", pDfWeibull(1.0, -1.0, 1.0)},
      {"MGfWeibull k<1", pMGfWeibull(0.5, 0.5, 1.0)},
      {"MGfWeibull k=1 t*l>=1", pMGfWeibull(1.0, 1.0, 1.0)},
      {"ModeWeibull l<0", pModeWeibull(2.0, -1.0)},
  };
  for (const NanCase& c : cases) EXPECT_TRUE(std::isnan(c.value)) << c.what << " = " << c.value;
}

TEST(ProbEdges, SupportEndsAndSpecialPoints) {
  EXPECT_EQ(pQfLogistic(0.5, 2.0, 1.0), 2.0);
  EXPECT_EQ(pQfLogistic(0.0, 2.0, 1.0), -HUGE_VAL);
  EXPECT_EQ(pQfLogistic(1.0, 2.0, 1.0), HUGE_VAL);
  EXPECT_DOUBLE_EQ(pMGFLogistic(0.0, 3.0, 0.7), 1.0);
  EXPECT_EQ(pCfUWeibull(-1.0, 2.0, 1.0), 1.0);
  EXPECT_EQ(pCfWeibull(-1.0, 2.0, 1.0), 0.0);
  EXPECT_EQ(pDfWeibull(-1.0, 2.0, 1.0), 0.0);
  EXPECT_DOUBLE_EQ(pDfUniform(1.0 - 2.0, 1.0, 4.0), 0.5 / 4.0);
  EXPECT_DOUBLE_EQ(pDfUniform(1.0 + 2.0, 1.0, 4.0), 0.5 / 4.0);
  EXPECT_DOUBLE_EQ(pDfUniform(2.0, 1.0, 4.0), 0.25);
  EXPECT_EQ(pDfUniform(4.0, 1.0, 4.0), 0.0);
  EXPECT_DOUBLE_EQ(pCfUniform(2.0, 1.0, 4.0), 0.75);
  EXPECT_EQ(pCfUniform0(-1.0), 0.0);
  EXPECT_EQ(pCfUniform0(2.0), 1.0);
  EXPECT_DOUBLE_EQ(pQfUniform(0.25, 1.0, 4.0), 0.0);
  EXPECT_EQ(pQfUniform0(0.3), 0.3);
  for (double nu : {0.5, 3.0, 1e6}) EXPECT_EQ(pQfStudent(0.5, nu, 1.25, 3.0), 1.25);
  EXPECT_EQ(pQfStudent(0.0, 3.0, 0.0, 1.0), -HUGE_VAL);
  EXPECT_EQ(pQfStudent(1.0, 3.0, 0.0, 1.0), HUGE_VAL);
  EXPECT_NEAR(pVarianceMaxwellBoltzmann(1.0), (3 * kPi - 8) / kPi, 1e-15);
  EXPECT_EQ(pQfNormal(0.0, 0.0, 1.0), -HUGE_VAL);
  EXPECT_EQ(pQfNormal(1.0, 0.0, 1.0), HUGE_VAL);
  EXPECT_EQ(pQfCauchy(0.0, 0.0, 1.0), -HUGE_VAL);
  EXPECT_EQ(pQfCauchy(1.0, 0.0, 1.0), HUGE_VAL);
  EXPECT_EQ(pQfChiSquare(1.0, 3.0), HUGE_VAL);
  EXPECT_EQ(pQfChiSquare(0.0, 3.0), 0.0);
  EXPECT_EQ(pQfExponential(1.0, 2.0), HUGE_VAL);
  EXPECT_EQ(pQfFisherSnedecor(1.0, 2.0, 3.0), HUGE_VAL);
  EXPECT_EQ(pCfExponential0(-1.0), 0.0);

  // Beta density at the ends of [0, 1].
  EXPECT_EQ(pDfBeta(0.0, 0.5, 2.0), HUGE_VAL);
  EXPECT_EQ(pDfBeta(1.0, 2.0, 0.5), HUGE_VAL);
  EXPECT_EQ(pDfBeta(0.0, 1.0, 3.0), 3.0);
  EXPECT_EQ(pDfBeta(1.0, 4.0, 1.0), 4.0);
  EXPECT_EQ(pDfBeta(0.0, 2.0, 3.0), 0.0);

  // Fisher-Snedecor density at x = 0 for d1 below, at and above 2.
  EXPECT_EQ(pDfFisherSnedecor(0.0, 1.0, 5.0), HUGE_VAL);
  EXPECT_EQ(pDfFisherSnedecor(0.0, 2.0, 5.0), 1.0);
  EXPECT_EQ(pDfFisherSnedecor(0.0, 3.0, 5.0), 0.0);

  // Chi-square density at x = 0.
  EXPECT_EQ(pDfChiSquare(0.0, 2.0), 0.5);
  EXPECT_EQ(pDfChiSquare(0.0, 5.0), 0.0);

  // A negative sigma is accepted by the normal density.
  EXPECT_DOUBLE_EQ(pDfNormal(1.0, 0.0, -2.0), -pDfNormal(1.0, 0.0, 2.0));
}

// Formerly NaN (inf/inf in the series) and, for t << 0, lost to the
// alternating series: the Weibull MGF with k = 1 is the exponential's.
TEST(ProbEdges, WeibullMgfWithUnitShapeIsExponential) {
  for (double t : {-30.0, -2.0, 0.0, 0.2, 0.45}) {
    EXPECT_NEAR(pMGfWeibull(t, 1.0, 2.0), 1.0 / (1.0 - 2.0 * t), 1e-15) << t;
  }
}

// Upper and lower tails of the normal quantile beyond erfinv's reach, by
// symmetry and against the cdf.
TEST(ProbEdges, NormalQuantileDeepTails) {
  for (double p : {5.4e-17, 1e-30, 1e-200, 1e-307}) {
    const double z = pQfNormal0(p);
    ASSERT_TRUE(std::isfinite(z)) << p;
    EXPECT_NEAR(pCfNormal0(z) / p, 1.0, 1e-13 * std::fabs(z)) << p;
  }
  EXPECT_NEAR(pQfNormal0(1.0 - 1e-10), -pQfNormal0(1e-10), 1e-6);
}

TEST(ProbEdges, UniformMgfNearZero) {
  // Below sqrt(eps) the series form; above it the closed form.
  EXPECT_NEAR(pMgfUniform(1e-9, 0.0, 2.0), 1.0, 1e-15);
  EXPECT_NEAR(pMgfUniform(1.0, 0.0, 2.0), std::sinh(1.0), 1e-15);
  EXPECT_NEAR(pMgfUniform(0.5, 1.0, 2.0), std::exp(0.5) * std::sinh(0.5) / 0.5, 1e-15);
}

}  // namespace

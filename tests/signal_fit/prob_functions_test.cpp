#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/double_to_int.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

namespace {

struct Case {
  const char* name;
  double (*fn)(double x, double p1, double p2, double p3);
  double x, p1, p2, p3, expected, tol;
};

// Adapters to one signature, one per function of the reference table.
#define ARGS double x, double p1, double p2, double p3
#define UNUSED (void)x, (void)p1, (void)p2, (void)p3
double DfBeta(ARGS) {
  UNUSED;
  return pDfBeta(x, p1, p2);
}
double CfBeta(ARGS) {
  UNUSED;
  return pCfBeta(x, p1, p2);
}
double QfBeta(ARGS) {
  UNUSED;
  return pQfBeta(x, p1, p2);
}
double DfCauchy(ARGS) {
  UNUSED;
  return pDfCauchy(x, p1, p2);
}
double CfCauchy(ARGS) {
  UNUSED;
  return pCfCauchy(x, p1, p2);
}
double QfCauchy(ARGS) {
  UNUSED;
  return pQfCauchy(x, p1, p2);
}
double DfChiSquare(ARGS) {
  UNUSED;
  return pDfChiSquare(x, p1);
}
double CfChiSquare(ARGS) {
  UNUSED;
  return pCfChiSquare(x, p1);
}
double QfChiSquare(ARGS) {
  UNUSED;
  return pQfChiSquare(x, p1);
}
double MfContPoisson(ARGS) {
  UNUSED;
  return pMfContPoisson(x, p1);
}
double CfContPoisson(ARGS) {
  UNUSED;
  return pCfContPoisson(x, p1);
}
double MfPoisson(ARGS) {
  UNUSED;
  return pMfPoisson(DoubleToQword(x), p1);
}
double CfPoisson(ARGS) {
  UNUSED;
  return pCfPoisson(DoubleToQword(x), p1);
}
double DfExponential(ARGS) {
  UNUSED;
  return pDfExponential(x, p1);
}
double CfExponential(ARGS) {
  UNUSED;
  return pCfExponential(x, p1);
}
double QfExponential(ARGS) {
  UNUSED;
  return pQfExponential(x, p1);
}
double DfFisherSnedecor(ARGS) {
  UNUSED;
  return pDfFisherSnedecor(x, p1, p2);
}
double CfFisherSnedecor(ARGS) {
  UNUSED;
  return pCfFisherSnedecor(x, p1, p2);
}
double QfFisherSnedecor(ARGS) {
  UNUSED;
  return pQfFisherSnedecor(x, p1, p2);
}
double DfLogistic(ARGS) {
  UNUSED;
  return pDfLogistic(x, p1, p2);
}
double CfLogistic(ARGS) {
  UNUSED;
  return pCfLogistic(x, p1, p2);
}
double CfULogistic(ARGS) {
  UNUSED;
  return pCfULogistic(x, p1, p2);
}
double QfLogistic(ARGS) {
  UNUSED;
  return pQfLogistic(x, p1, p2);
}
double MGFLogistic(ARGS) {
  UNUSED;
  return pMGFLogistic(x, p1, p2);
}
double DfMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pDfMaxwellBoltzmann(x, p1);
}
double CfMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pCfMaxwellBoltzmann(x, p1);
}
double MeanMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pMeanMaxwellBoltzmann(p1);
}
double ModeMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pModeMaxwellBoltzmann(p1);
}
double VarianceMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pVarianceMaxwellBoltzmann(p1);
}
double EntropyMaxwellBoltzmann(ARGS) {
  UNUSED;
  return pEntropyMaxwellBoltzmann(p1);
}
double DfNormal(ARGS) {
  UNUSED;
  return pDfNormal(x, p1, p2);
}
double CfNormal(ARGS) {
  UNUSED;
  return pCfNormal(x, p1, p2);
}
double QfNormal(ARGS) {
  UNUSED;
  return pQfNormal(x, p1, p2);
}
double MgfNormal(ARGS) {
  UNUSED;
  return pMgfNormal(x, p1, p2);
}
double DfStudent(ARGS) {
  UNUSED;
  return pDfStudent(x, p1, p2, p3);
}
double CfStudent(ARGS) {
  UNUSED;
  return pCfStudent(x, p1, p2, p3);
}
double QfStudent(ARGS) {
  UNUSED;
  return pQfStudent(x, p1, p2, p3);
}
double DfWeibull(ARGS) {
  UNUSED;
  return pDfWeibull(x, p1, p2);
}
double CfWeibull(ARGS) {
  UNUSED;
  return pCfWeibull(x, p1, p2);
}
double CfUWeibull(ARGS) {
  UNUSED;
  return pCfUWeibull(x, p1, p2);
}
double MGfWeibull(ARGS) {
  UNUSED;
  return pMGfWeibull(x, p1, p2);
}
double MeanWeibull(ARGS) {
  UNUSED;
  return pMeanWeibull(p1, p2);
}
double MedianWeibull(ARGS) {
  UNUSED;
  return pMedianWeibull(p1, p2);
}
double ModeWeibull(ARGS) {
  UNUSED;
  return pModeWeibull(p1, p2);
}
#undef ARGS
#undef UNUSED

struct ChfCase {
  const char* name;
  double t, p1, p2, p3, re, im, tol;
};

#define PROB_CASE(f, x, a, b, c, v, tol) {#f, f, x, a, b, c, v, tol},
#define PROB_CHF(f, t, a, b, c, re, im, tol)
#define PROB_CHI2_SF(dof, x, sf)
#define PROB_KS_CRITICAL(n, d)
const Case kCases[] = {
#define PROB_PROPS(fam, a, b, c, field, v, tol)
#include "tests/signal_fit/prob_reference.inc"
#undef PROB_PROPS
};
#undef PROB_CASE
#undef PROB_CHF
#undef PROB_CHI2_SF
#undef PROB_KS_CRITICAL
#define PROB_CASE(f, x, a, b, c, v, tol)
#define PROB_CHI2_SF(dof, x, sf)
#define PROB_KS_CRITICAL(n, d)
#define PROB_CHF(f, t, a, b, c, re, im, tol) {#f, t, a, b, c, re, im, tol},
const ChfCase kChfCases[] = {
#define PROB_PROPS(fam, a, b, c, field, v, tol)
#include "tests/signal_fit/prob_reference.inc"
#undef PROB_PROPS
};
#undef PROB_CASE
#undef PROB_CHF
#undef PROB_CHI2_SF
#undef PROB_KS_CRITICAL

TEST(ProbFunctions, ReferenceTable) {
  int failures = 0;
  for (const Case& c : kCases) {
    const double got = c.fn(c.x, c.p1, c.p2, c.p3);
    const double err = std::fabs(got - c.expected);
    const bool ok = err <= c.tol * std::fabs(c.expected) || (c.expected == 0.0 && err <= 1e-300);
    if (!ok && ++failures <= 40) {
      ADD_FAILURE() << c.name << "(" << c.x << ", " << c.p1 << ", " << c.p2 << ", " << c.p3
                    << ") = " << got << ", expected " << c.expected << " (rel "
                    << err / std::fabs(c.expected) << ")";
    }
  }
  EXPECT_EQ(failures, 0);
}

COMPLEX* Chf(const ChfCase& c, COMPLEX* out) {
  const std::string n = c.name;
  if (n == "Normal") return pcChfNormal(out, c.t, c.p1, c.p2);
  if (n == "Exponential") return pcChfExponential(out, c.t, c.p1);
  if (n == "Cauchy") return pcChfCauchy(out, c.t, c.p1, c.p2);
  if (n == "Uniform") return pcChfUniform(out, c.t, c.p1, c.p2);
  if (n == "Poisson") return pcChfPoisson(out, c.t, c.p1);
  if (n == "Bernoulli") return pcChfBernoulli(out, c.t, c.p1);
  return nullptr;
}

TEST(ProbFunctions, CharacteristicFunctionsMatchQuadrature) {
  for (const ChfCase& c : kChfCases) {
    COMPLEX out;
    ASSERT_EQ(Chf(c, &out), &out) << c.name;
    const double scale = std::hypot(c.re, c.im);
    EXPECT_NEAR(out.re, c.re, c.tol * scale) << c.name << " t=" << c.t;
    EXPECT_NEAR(out.im, c.im, c.tol * scale) << c.name << " t=" << c.t;
  }
}

}  // namespace

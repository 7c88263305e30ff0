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
#define ADAPT(name, call) \
  double name(ARGS) {     \
    UNUSED;               \
    return call;          \
  }
ADAPT(DfBeta, pDfBeta(x, p1, p2))
ADAPT(CfBeta, pCfBeta(x, p1, p2))
ADAPT(QfBeta, pQfBeta(x, p1, p2))
ADAPT(DfCauchy, pDfCauchy(x, p1, p2))
ADAPT(CfCauchy, pCfCauchy(x, p1, p2))
ADAPT(QfCauchy, pQfCauchy(x, p1, p2))
ADAPT(DfChiSquare, pDfChiSquare(x, p1))
ADAPT(CfChiSquare, pCfChiSquare(x, p1))
ADAPT(QfChiSquare, pQfChiSquare(x, p1))
ADAPT(MfContPoisson, pMfContPoisson(x, p1))
ADAPT(CfContPoisson, pCfContPoisson(x, p1))
ADAPT(MfPoisson, pMfPoisson(DoubleToQword(x), p1))
ADAPT(CfPoisson, pCfPoisson(DoubleToQword(x), p1))
ADAPT(DfExponential, pDfExponential(x, p1))
ADAPT(CfExponential, pCfExponential(x, p1))
ADAPT(QfExponential, pQfExponential(x, p1))
ADAPT(DfFisherSnedecor, pDfFisherSnedecor(x, p1, p2))
ADAPT(CfFisherSnedecor, pCfFisherSnedecor(x, p1, p2))
ADAPT(QfFisherSnedecor, pQfFisherSnedecor(x, p1, p2))
ADAPT(DfLogistic, pDfLogistic(x, p1, p2))
ADAPT(CfLogistic, pCfLogistic(x, p1, p2))
ADAPT(CfULogistic, pCfULogistic(x, p1, p2))
ADAPT(QfLogistic, pQfLogistic(x, p1, p2))
ADAPT(MGFLogistic, pMGFLogistic(x, p1, p2))
ADAPT(DfMaxwellBoltzmann, pDfMaxwellBoltzmann(x, p1))
ADAPT(CfMaxwellBoltzmann, pCfMaxwellBoltzmann(x, p1))
ADAPT(MeanMaxwellBoltzmann, pMeanMaxwellBoltzmann(p1))
ADAPT(ModeMaxwellBoltzmann, pModeMaxwellBoltzmann(p1))
ADAPT(VarianceMaxwellBoltzmann, pVarianceMaxwellBoltzmann(p1))
ADAPT(EntropyMaxwellBoltzmann, pEntropyMaxwellBoltzmann(p1))
ADAPT(DfNormal, pDfNormal(x, p1, p2))
ADAPT(CfNormal, pCfNormal(x, p1, p2))
ADAPT(QfNormal, pQfNormal(x, p1, p2))
ADAPT(MgfNormal, pMgfNormal(x, p1, p2))
ADAPT(DfStudent, pDfStudent(x, p1, p2, p3))
ADAPT(CfStudent, pCfStudent(x, p1, p2, p3))
ADAPT(QfStudent, pQfStudent(x, p1, p2, p3))
ADAPT(DfWeibull, pDfWeibull(x, p1, p2))
ADAPT(CfWeibull, pCfWeibull(x, p1, p2))
ADAPT(CfUWeibull, pCfUWeibull(x, p1, p2))
ADAPT(MGfWeibull, pMGfWeibull(x, p1, p2))
ADAPT(MeanWeibull, pMeanWeibull(p1, p2))
ADAPT(MedianWeibull, pMedianWeibull(p1, p2))
ADAPT(ModeWeibull, pModeWeibull(p1, p2))
#undef ADAPT
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

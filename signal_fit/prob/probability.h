// Scalar probability functions of the distribution families: densities
// (pDf) or masses (pMf), cumulative functions (pCf, pCfU for the upper
// tail), quantiles (pQf), moment generating functions (pMgf) and
// characteristic functions (pcChf, written into the caller's COMPLEX whose
// address they return), plus single moments and measures. A trailing 0 marks
// the standardised form. Domain errors give ___NAN ((NaN, 0) for the
// characteristic functions); no state, no status word.
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// Bernoulli (p).
VELTRIA_API double pMfBernoulli(Qword k, double p);
VELTRIA_API double pCfBernoulli(Qword k, double p);
VELTRIA_API double pMgfBernoulli(double t, double p);
VELTRIA_API COMPLEX* pcChfBernoulli(COMPLEX* out, double t, double p);
VELTRIA_API double pFisherInfoBernoulli(double p);

// Beta (a, b).
VELTRIA_API double pDfBeta(double x, double a, double b);
VELTRIA_API double pCfBeta(double x, double a, double b);
VELTRIA_API double pQfBeta(double p, double a, double b);

// Cauchy (location x0, scale gamma).
VELTRIA_API double pDfCauchy(double x, double x0, double gamma);
VELTRIA_API double pDfCauchy0(double z);
VELTRIA_API double pCfCauchy(double x, double x0, double gamma);
VELTRIA_API double pCfCauchy0(double z);
VELTRIA_API double pQfCauchy(double p, double x0, double gamma);
VELTRIA_API double pQfCauchy0(double p);
VELTRIA_API double pMgfCauchy(double t, double x0, double gamma);
VELTRIA_API COMPLEX* pcChfCauchy(COMPLEX* out, double t, double x0, double gamma);

// Chi-square (k degrees of freedom, real).
VELTRIA_API double pDfChiSquare(double x, double k);
VELTRIA_API double pCfChiSquare(double x, double k);
VELTRIA_API double pQfChiSquare(double p, double k);

// Poisson with a real outcome x (mean lambda).
VELTRIA_API double pMfContPoisson(double x, double lambda);
VELTRIA_API double pCfContPoisson(double x, double lambda);

// Exponential (rate lambda).
VELTRIA_API double pDfExponential(double x, double lambda);
VELTRIA_API double pDfExponential0(double z);
VELTRIA_API double pCfExponential(double x, double lambda);
VELTRIA_API double pCfExponential0(double z);
VELTRIA_API double pQfExponential(double p, double lambda);
VELTRIA_API double pQfExponential0(double p);
VELTRIA_API double pMgfExponential(double t, double lambda);
VELTRIA_API COMPLEX* pcChfExponential(COMPLEX* out, double t, double lambda);

// Fisher-Snedecor (d1, d2).
VELTRIA_API double pDfFisherSnedecor(double x, double d1, double d2);
VELTRIA_API double pCfFisherSnedecor(double x, double d1, double d2);
VELTRIA_API double pQfFisherSnedecor(double p, double d1, double d2);

// Logistic (mu, s).
VELTRIA_API double pDfLogistic(double x, double mu, double s);
VELTRIA_API double pCfLogistic(double x, double mu, double s);
VELTRIA_API double pCfULogistic(double x, double mu, double s);
VELTRIA_API double pQfLogistic(double p, double mu, double s);
VELTRIA_API double pMGFLogistic(double t, double mu, double s);
VELTRIA_API double pVarianceLogistic(double s);
VELTRIA_API double pEntropyLogistic(double s);

// Maxwell-Boltzmann (scale a).
VELTRIA_API double pDfMaxwellBoltzmann(double x, double a);
VELTRIA_API double pCfMaxwellBoltzmann(double x, double a);
VELTRIA_API double pMeanMaxwellBoltzmann(double a);
VELTRIA_API double pModeMaxwellBoltzmann(double a);
VELTRIA_API double pVarianceMaxwellBoltzmann(double a);
VELTRIA_API double pEntropyMaxwellBoltzmann(double a);

// Normal (mu, sigma).
VELTRIA_API double pDfNormal(double x, double mu, double sigma);
VELTRIA_API double pDfNormal0(double z);
VELTRIA_API double pCfNormal(double x, double mu, double sigma);
VELTRIA_API double pCfNormal0(double z);
VELTRIA_API double pQfNormal(double p, double mu, double sigma);
VELTRIA_API double pQfNormal0(double p);
VELTRIA_API double pMgfNormal(double t, double mu, double sigma);
VELTRIA_API COMPLEX* pcChfNormal(COMPLEX* out, double t, double mu, double sigma);

// Poisson (integer k, mean lambda).
VELTRIA_API double pMfPoisson(Qword k, double lambda);
VELTRIA_API double pMfPoisson0(Qword k);
VELTRIA_API double pCfPoisson(Qword k, double lambda);
VELTRIA_API double pCfPoisson0(Qword k);
VELTRIA_API double pMgfPoisson(double t, double lambda);
VELTRIA_API COMPLEX* pcChfPoisson(COMPLEX* out, double t, double lambda);

// Student (nu, mu, sigma).
VELTRIA_API double pDfStudent(double x, double nu, double mu, double sigma);
VELTRIA_API double pDfStudent0(double x, double nu);
VELTRIA_API double pCfStudent(double x, double nu, double mu, double sigma);
VELTRIA_API double pCfStudent0(double x, double nu);
VELTRIA_API double pQfStudent(double p, double nu, double mu, double sigma);
VELTRIA_API double pQfStudent0(double p, double nu);

// Uniform (centre c, width w).
VELTRIA_API double pDfUniform(double x, double c, double w);
VELTRIA_API double pDfUniform0(double u);
VELTRIA_API double pCfUniform(double x, double c, double w);
VELTRIA_API double pCfUniform0(double u);
VELTRIA_API double pQfUniform(double p, double c, double w);
VELTRIA_API double pQfUniform0(double p);
VELTRIA_API double pMgfUniform(double t, double c, double w);
VELTRIA_API COMPLEX* pcChfUniform(COMPLEX* out, double t, double c, double w);

// Weibull (shape k, scale lambda).
VELTRIA_API double pDfWeibull(double x, double k, double lambda);
VELTRIA_API double pCfWeibull(double x, double k, double lambda);
VELTRIA_API double pCfUWeibull(double x, double k, double lambda);
VELTRIA_API double pMGfWeibull(double t, double k, double lambda);
VELTRIA_API double pMeanWeibull(double k, double lambda);
VELTRIA_API double pMedianWeibull(double k, double lambda);
VELTRIA_API double pModeWeibull(double k, double lambda);

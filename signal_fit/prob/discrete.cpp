// Bernoulli and Poisson families, and the Poisson law with a real outcome.
#include <cmath>

#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

double pMfBernoulli(Qword k, double p) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  if (k == 1) return p;
  if (k == 0) return 1.0 - p;
  return 0.0;
}

double pCfBernoulli(Qword k, double p) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return k == 0 ? 1.0 - p : 1.0;
}

double pMgfBernoulli(double t, double p) { return 1.0 - p + p * std::exp(t); }

COMPLEX* pcChfBernoulli(COMPLEX* out, double t, double p) {
  *out = COMPLEX(1.0 - p + p * std::cos(t), p * std::sin(t));
  return out;
}

double pFisherInfoBernoulli(double p) {
  if (!(p > 0.0 && p < 1.0)) return ___NAN;
  return 1.0 / (p * (1.0 - p));
}

double pMfPoisson(Qword k, double lambda) {
  if (!(lambda >= 0.0)) return ___NAN;
  if (lambda == 0.0) return k == 0 ? 1.0 : 0.0;
  return std::exp(ProbPoissonLn(static_cast<double>(k), lambda));
}

double pMfPoisson0(Qword k) {
  // e^(-1)/k!, through the same logarithmic form as any other mean.
  return pMfPoisson(k, 1.0);
}

double pCfPoisson(Qword k, double lambda) {
  if (!(lambda >= 0.0)) return ___NAN;
  if (lambda == 0.0) return 1.0;
  return rGammaIncQ(static_cast<double>(k) + 1.0, lambda);
}

double pCfPoisson0(Qword k) { return rGammaIncQ(static_cast<double>(k) + 1.0, 1.0); }

double pMgfPoisson(double t, double lambda) {
  if (!(lambda >= 0.0)) return ___NAN;
  if (lambda == 0.0) return 1.0;
  return std::exp(lambda * std::expm1(t));
}

COMPLEX* pcChfPoisson(COMPLEX* out, double t, double lambda) {
  if (!(lambda >= 0.0)) {
    *out = COMPLEX(___NAN, 0.0);
  } else if (lambda == 0.0) {
    *out = COMPLEX(1.0, 0.0);
  } else {
    const double r = std::exp(lambda * (std::cos(t) - 1.0));
    const double phi = lambda * std::sin(t);
    *out = COMPLEX(r * std::cos(phi), r * std::sin(phi));
  }
  return out;
}

double pMfContPoisson(double x, double lambda) {
  if (!(lambda >= 0.0) || !(x >= 0.0)) return ___NAN;
  if (lambda <= ___MinReal) return x <= ___MinReal ? 1.0 : 0.0;
  return std::exp(ProbPoissonLn(x, lambda));
}

double pCfContPoisson(double x, double lambda) {
  if (!(lambda >= 0.0)) return ___NAN;
  if (lambda == 0.0) return 1.0;
  if (x < 0.0) return 0.0;
  return rGammaIncQ(x + 1.0, lambda);
}

// Chi-square, exponential and Maxwell-Boltzmann families. The chi-square
// density is evaluated in logarithms so that it stays right for many
// degrees of freedom.
#include <cmath>

#include "scalar/error_functions.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

double pDfChiSquare(double x, double k) {
  if (!(k > 0.0 && x >= 0.0) || (k == 1.0 && x == 0.0)) return ___NAN;
  const double h = 0.5 * k;
  if (x == 0.0) {
    if (h < 1.0) return ___PlsINF;
    return h == 1.0 ? 0.5 : 0.0;
  }
  // The density is half the Poisson term of x/2 at h - 1 (h = k/2).
  return 0.5 * std::exp(ProbPoissonLn(h - 1.0, 0.5 * x));
}

double pCfChiSquare(double x, double k) { return rGammaIncP(0.5 * k, 0.5 * x); }

double pQfChiSquare(double p, double k) {
  if (p == 1.0) return ___PlsINF;
  if (!(p >= 0.0 && p < 1.0)) return ___NAN;
  return 2.0 * rGammaIncPInv(0.5 * k, p);
}

double pDfExponential(double x, double lambda) {
  if (!(lambda > 0.0)) return ___NAN;
  return lambda * pDfExponential0(lambda * x);
}

double pDfExponential0(double z) {
  if (!(z >= 0.0)) return ___NAN;
  return std::exp(-z);
}

double pCfExponential(double x, double lambda) {
  if (!(lambda > 0.0)) return ___NAN;
  return pCfExponential0(lambda * x);
}

double pCfExponential0(double z) {
  if (z <= 0.0) return 0.0;
  return -std::expm1(-z);
}

double pQfExponential(double p, double lambda) {
  if (p == 1.0) return ___PlsINF;
  if (!(lambda > 0.0)) return ___NAN;
  return pQfExponential0(p) / lambda;
}

double pQfExponential0(double p) {
  if (p == 1.0) return ___PlsINF;
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return -std::log1p(-p);
}

double pMgfExponential(double t, double lambda) {
  if (!(lambda > 0.0) || !(t < lambda)) return ___NAN;
  return lambda / (lambda - t);
}

COMPLEX* pcChfExponential(COMPLEX* out, double t, double lambda) {
  if (!(lambda > 0.0)) {
    *out = COMPLEX(___NAN, 0.0);
  } else {
    // lambda/(lambda - i t) = lambda (lambda + i t)/(lambda^2 + t^2).
    const double r = t / lambda;
    const double d = 1.0 / (1.0 + r * r);
    *out = COMPLEX(d, r * d);
  }
  return out;
}

double pDfMaxwellBoltzmann(double x, double a) {
  if (!(x > 0.0 && a > 0.0)) return ___NAN;
  const double z = x / a;
  return 0.7978845608028654 * z * z * std::exp(-0.5 * z * z) / a;
}

double pCfMaxwellBoltzmann(double x, double a) {
  if (!(x > 0.0 && a > 0.0)) return ___NAN;
  // erf(z/sqrt 2) - sqrt(2/pi) z e^(-z^2/2) is P(3/2, z^2/2); the incomplete
  // gamma form does not cancel for small z.
  const double z = x / a;
  return rGammaIncP(1.5, 0.5 * z * z);
}

double pMeanMaxwellBoltzmann(double a) {
  if (!(a >= 0.0)) return ___NAN;
  return 1.5957691216057308 * a;
}

double pModeMaxwellBoltzmann(double a) {
  if (!(a >= 0.0)) return ___NAN;
  return 1.4142135623730951 * a;
}

double pVarianceMaxwellBoltzmann(double a) {
  if (!(a >= 0.0)) return ___NAN;
  return a * a * 1.4247779607693793 / 3.141592653589793;
}

double pEntropyMaxwellBoltzmann(double a) {
  if (!(a >= 0.0)) return ___NAN;
  return std::log(2.5066282746310007 * a) + 0.5772156649015329 - 0.5;
}

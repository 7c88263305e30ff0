// Cauchy, logistic, normal and uniform families. The tails are taken from
// forms that do not cancel: erfc for the normal, atan2 for the Cauchy,
// e^(-|z|) for the logistic.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

namespace {

constexpr double kPi = 3.141592653589793;

COMPLEX* Polar(COMPLEX* out, double r, double phi) {
  *out = COMPLEX(r * std::cos(phi), r * std::sin(phi));
  return out;
}

}  // namespace

double pDfCauchy(double x, double x0, double gamma) {
  if (!(gamma > 0.0)) return ___NAN;
  return pDfCauchy0((x - x0) / gamma) / gamma;
}

double pDfCauchy0(double z) { return 1.0 / (kPi * (1.0 + z * z)); }

double pCfCauchy(double x, double x0, double gamma) {
  if (!(gamma > 0.0)) return ___NAN;
  return pCfCauchy0((x - x0) / gamma);
}

// 0.5 + atan(z)/pi, as the angle of (-z, 1) so that the lower tail keeps
// its relative accuracy.
double pCfCauchy0(double z) { return std::atan2(1.0, -z) / kPi; }

double pQfCauchy(double p, double x0, double gamma) {
  if (p == 0.0) return ___MnsINF;
  if (p == 1.0) return ___PlsINF;
  if (!(p > 0.0 && p < 1.0)) return ___NAN;
  // tan(pi (p - 1/2)) = -cot(pi p): the cotangent of the smaller tail keeps
  // p's relative accuracy where p - 1/2 would round it away.
  const double z = p < 0.5 ? -1.0 / std::tan(kPi * p) : 1.0 / std::tan(kPi * (1.0 - p));
  return x0 + gamma * z;
}

double pQfCauchy0(double p) { return pQfCauchy(p, 0.0, 1.0); }

double pMgfCauchy(double, double, double) { return ___NAN; }

COMPLEX* pcChfCauchy(COMPLEX* out, double t, double x0, double gamma) {
  return Polar(out, std::exp(-gamma * std::fabs(t)), t * x0);
}

double pDfLogistic(double x, double mu, double s) {
  if (!(s > 0.0)) return ___NAN;
  const double e = std::exp(-std::fabs((x - mu) / s));  // the density is even in z
  const double d = 1.0 + e;
  return e / (s * d * d);
}

double pCfLogistic(double x, double mu, double s) {
  if (!(s > 0.0)) return ___NAN;
  return 1.0 / (1.0 + std::exp(-(x - mu) / s));
}

double pCfULogistic(double x, double mu, double s) {
  if (!(s > 0.0)) return ___NAN;
  return 1.0 / (1.0 + std::exp((x - mu) / s));
}

double pQfLogistic(double p, double mu, double s) {
  if (p == 0.0) return ___MnsINF;
  if (p == 1.0) return ___PlsINF;
  if (!(p > 0.0 && p < 1.0) || !(s > 0.0)) return ___NAN;
  return mu + s * (std::log(p) - std::log1p(-p));
}

double pMGFLogistic(double t, double mu, double s) {
  if (!(s > 0.0) || !(std::fabs(t) < 1.0 / s)) return ___NAN;
  // B(1 - u, 1 + u) = Gamma(1 - u) Gamma(1 + u) = pi u/sin(pi u), exact at u = 0.
  return std::exp(mu * t) / rSinc(kPi * s * t);
}

double pVarianceLogistic(double s) {
  if (!(s > 0.0)) return ___NAN;
  return s * s * kPi * kPi / 3.0;
}

double pEntropyLogistic(double s) {
  if (!(s > 0.0)) return ___NAN;
  return std::log(s) + 2.0;
}

double pDfNormal(double x, double mu, double sigma) {
  if (sigma == 0.0) return ___NAN;
  return pDfNormal0((x - mu) / sigma) / sigma;
}

double pDfNormal0(double z) { return 0.3989422804014327 * std::exp(-0.5 * z * z); }

double pCfNormal(double x, double mu, double sigma) {
  if (sigma == 0.0) return ___NAN;
  return pCfNormal0((x - mu) / sigma);
}

// 0.5 (1 + erf(z/sqrt 2)) written as 0.5 erfc(-z/sqrt 2): equal in the body,
// and the lower tail does not cancel to 0.
double pCfNormal0(double z) { return 0.5 * rErfc(-0.7071067811865476 * z); }

namespace {

// Lower-tail quantile for small p: erfinv(2p - 1) loses p entirely once
// 2p - 1 rounds to -1. Newton steps on ln Phi(z) = ln p from the asymptotic
// start converge in a few steps over the whole range of doubles.
double NormalLowerTailQuantile(double p) {
  const double lp = std::log(p);
  const double u = -2.0 * lp;
  double z = -std::sqrt(u - std::log(u) - std::log(2.0 * kPi));
  for (int i = 0; i < 50; ++i) {
    const double cdf = pCfNormal0(z);
    if (!(cdf > 0.0)) break;
    const double step = (std::log(cdf) - lp) * cdf / pDfNormal0(z);
    z -= step;
    if (std::fabs(step) <= 1e-15 * std::fabs(z)) break;
  }
  return z;
}

}  // namespace

double pQfNormal(double p, double mu, double sigma) {
  if (p == 0.0) return ___MnsINF;
  if (p == 1.0) return ___PlsINF;
  if (!(p > 0.0 && p < 1.0)) return ___NAN;
  double z;
  if (p < 1e-3) {
    z = NormalLowerTailQuantile(p);
  } else if (p > 1.0 - 1e-3) {
    z = -NormalLowerTailQuantile(1.0 - p);
  } else {
    z = 1.4142135623730951 * rErfInv(2.0 * p - 1.0);
  }
  return mu + sigma * z;
}

double pQfNormal0(double p) { return pQfNormal(p, 0.0, 1.0); }

double pMgfNormal(double t, double mu, double sigma) {
  return std::exp(mu * t + 0.5 * sigma * sigma * t * t);
}

COMPLEX* pcChfNormal(COMPLEX* out, double t, double mu, double sigma) {
  const double st = sigma * t;
  return Polar(out, std::exp(-0.5 * st * st), t * mu);
}

double pDfUniform(double x, double c, double w) {
  if (w == 0.0) return ___NAN;
  return pDfUniform0((x - c) / w + 0.5) / w;
}

double pDfUniform0(double u) {
  if (u < 0.0 || u > 1.0) return 0.0;
  if (u == 0.0 || u == 1.0) return 0.5;
  return 1.0;
}

double pCfUniform(double x, double c, double w) {
  if (w == 0.0) return ___NAN;
  return pCfUniform0((x - c) / w + 0.5);
}

double pCfUniform0(double u) {
  if (u <= 0.0) return 0.0;
  if (u >= 1.0) return 1.0;
  return u;
}

double pQfUniform(double p, double c, double w) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return c + w * (p - 0.5);
}

double pQfUniform0(double p) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return p;
}

double pMgfUniform(double t, double c, double w) {
  if (w == 0.0) return ___NAN;
  const double d = t * w;
  const double el = std::exp(t * (c - 0.5 * w));
  if (std::fabs(d) < ___SqrtEpsReal) return el * (1.0 + 0.5 * d);
  return el * std::expm1(d) / d;
}

COMPLEX* pcChfUniform(COMPLEX* out, double t, double c, double w) {
  return Polar(out, rSinc(0.5 * t * w), t * c);
}

// Beta, Fisher-Snedecor and Student families. The densities are evaluated
// in logarithms: the direct products of powers and beta functions overflow
// or cancel once a shape parameter reaches a few hundred.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

double pDfBeta(double x, double a, double b) {
  if (!(a > 0.0 && b > 0.0 && x >= 0.0 && x <= 1.0)) return ___NAN;
  if ((x == 0.0 && a < 1.0) || (x == 1.0 && b < 1.0)) return ___PlsINF;
  if (x == 0.0 && a == 1.0) return b;
  if (x == 1.0 && b == 1.0) return a;
  if (x == 0.0 || x == 1.0) return 0.0;
  return std::exp((a - 1.0) * std::log(x) + (b - 1.0) * std::log1p(-x) - ProbBetaLn(a, b));
}

double pCfBeta(double x, double a, double b) { return rBetaIncReg(x, a, b); }

double pQfBeta(double p, double a, double b) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return rBetaIncRegInv(p, a, b);
}

double pDfFisherSnedecor(double x, double d1, double d2) {
  if (!(d1 > 0.0 && d2 > 0.0)) return ___NAN;
  if (x < ___5EpsReal) {
    if (std::fabs(d1 - 2.0) <= ___5EpsReal * 2.0) return 1.0;
    return d1 > 2.0 ? 0.0 : ___PlsINF;
  }
  // ln f = (d1/2) ln(d1 x/(d1 x + d2)) - (d2/2) ln(1 + d1 x/d2) - ln x - ln B.
  const double u = d1 * x;
  const double ln_f = 0.5 * d1 * (std::log(u) - std::log(u + d2)) - 0.5 * d2 * std::log1p(u / d2) -
                      std::log(x) - ProbBetaLn(0.5 * d1, 0.5 * d2);
  return std::exp(ln_f);
}

double pCfFisherSnedecor(double x, double d1, double d2) {
  const double u = d1 * x;
  return rBetaIncReg(u / (u + d2), 0.5 * d1, 0.5 * d2);
}

double pQfFisherSnedecor(double p, double d1, double d2) {
  if (p == 1.0) return ___PlsINF;
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  if (p < 0.5) {
    // The lower tail directly (u = d1 x/(d1 x + d2)): through 1 - p the
    // small p would round away and x with it.
    const double u = rBetaIncRegInv(p, 0.5 * d1, 0.5 * d2);
    return (d2 / d1) * (u / (1.0 - u));
  }
  const double y = rBetaIncRegInv(1.0 - p, 0.5 * d2, 0.5 * d1);
  return (d2 / d1) * (1.0 / y - 1.0);
}

namespace {

// ln of the normalising constant Gamma((nu+1)/2)/(sqrt(nu pi) Gamma(nu/2)),
// through the beta function so that the two large log-gammas do not cancel.
double StudentLnNorm(double nu) { return -0.5 * std::log(nu) - ProbBetaLn(0.5 * nu, 0.5); }

}  // namespace

double pDfStudent(double x, double nu, double mu, double sigma) {
  if (!(nu > 0.0 && sigma > 0.0)) return ___NAN;
  const double z = (x - mu) / sigma;
  return std::exp(StudentLnNorm(nu) - 0.5 * (nu + 1.0) * std::log1p(z * z / nu)) / sigma;
}

double pDfStudent0(double x, double nu) { return pDfStudent(x, nu, 0.0, 1.0); }

double pCfStudent(double x, double nu, double mu, double sigma) {
  if (!(nu > 0.0 && sigma > 0.0)) return ___NAN;
  const double d = x - mu;
  const double ns2 = nu * sigma * sigma;
  const double y = ns2 / (ns2 + d * d);
  const double w = d * d / (ns2 + d * d);
  // Near the centre y rounds towards 1 and loses w = 1 - y: there the lower
  // half comes from I_w(1/2, nu/2) = 1 - I_y(nu/2, 1/2) as well.
  if (x <= mu && y < 0.5) return 0.5 * rBetaIncReg(y, 0.5 * nu, 0.5);
  const double half = 0.5 * rBetaIncReg(w, 0.5, 0.5 * nu);
  return x <= mu ? 0.5 - half : 0.5 + half;
}

double pCfStudent0(double x, double nu) { return pCfStudent(x, nu, 0.0, 1.0); }

double pQfStudent(double p, double nu, double mu, double sigma) {
  if (p == 0.0) return ___MnsINF;
  if (p == 1.0) return ___PlsINF;
  if (!(p > 0.0 && p < 1.0)) return ___NAN;
  if (p == 0.5) return mu;
  const double tail = p < 0.5 ? 2.0 * p : 2.0 - 2.0 * p;
  double t;
  if (tail < 0.5) {
    const double y = rBetaIncRegInv(tail, 0.5 * nu, 0.5);
    t = sigma * std::sqrt(nu * (1.0 / y - 1.0));
  } else {
    // Near the centre y is close to 1 and 1/y - 1 cancels: invert the
    // complement w = 1 - y, with I_w(1/2, nu/2) = 1 - tail = |2p - 1|.
    const double w = rBetaIncRegInv(std::fabs(2.0 * p - 1.0), 0.5, 0.5 * nu);
    t = sigma * std::sqrt(nu * w / (1.0 - w));
  }
  return p < 0.5 ? mu - t : mu + t;
}

double pQfStudent0(double p, double nu) { return pQfStudent(p, nu, 0.0, 1.0); }

// Deviates by inversion through the quantile functions, and Poisson counts.
#include "signal_fit/prob/random_deviates.h"

#include <cmath>

#include "arrays/random.h"
#include "base/double_to_int.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

namespace {

constexpr Dword kInvalidCount = 0xFFFFFFFFu;
// Below this mean the counts come from multiplying uniforms (lambda + 1
// draws on average); above it from transformed rejection (about 1.1 pairs).
constexpr double kPoissonRejectionFrom = 30.0;

// Transformed rejection with squeeze (Hoermann 1993), valid for lambda >= 10;
// its cost does not grow with lambda and nothing underflows.
double PoissonByRejection(double lambda) {
  const double slam = std::sqrt(lambda);
  const double b = 0.931 + 2.53 * slam;
  const double a = -0.059 + 0.02483 * b;
  const double inv_alpha = 1.1239 + 1.1328 / (b - 3.4);
  const double vr = 0.9277 - 3.6224 / (b - 2.0);
  for (;;) {
    const double u = pRgUniform0() - 0.5;
    const double v = pRgUniform0();
    const double us = 0.5 - std::fabs(u);
    const double k = std::floor((2.0 * a / us + b) * u + lambda + 0.43);
    if (us >= 0.07 && v <= vr) return k;
    if (k < 0.0 || (us < 0.013 && v > us)) continue;
    if (std::log(v * inv_alpha / (a / (us * us) + b)) <= ProbPoissonLn(k, lambda)) return k;
  }
}

}  // namespace

double pRgUniform(double c, double w) { return c + w * (pRgUniform0() - 0.5); }

double pRgExponential0(void) { return -std::log(pRgUniform0()); }

double pRgExponential(double lambda) {
  if (!(lambda > 0.0)) return ___NAN;
  return pRgExponential0() / lambda;
}

double pRgCauchy0(void) { return std::tan(3.141592653589793 * (pRgUniform0() - 0.5)); }

double pRgCauchy(double x0, double gamma) { return x0 + gamma * pRgCauchy0(); }

double pRgBeta(double a, double b) { return pQfBeta(pRgUniform0(), a, b); }

double pRgChiSquare(Qword k) { return pQfChiSquare(pRgUniform0(), static_cast<double>(k)); }

double pRgFisherSnedecor(double d1, double d2) { return pQfFisherSnedecor(pRgUniform0(), d1, d2); }

double pRgStudent(double nu, double mu, double sigma) {
  return pQfStudent(pRgUniform0(), nu, mu, sigma);
}

double pRgStudent0(double nu) { return pRgStudent(nu, 0.0, 1.0); }

Dword pRgBernoulli(double p) {
  if (!(p >= 0.0 && p <= 1.0)) return kInvalidCount;
  return p > pRgUniform0() ? 1u : 0u;
}

Dword pRgPoisson(double lambda) {
  if (!(lambda >= 0.0) || std::isinf(lambda)) return kInvalidCount;
  if (lambda < kPoissonRejectionFrom) {
    const double limit = std::exp(-lambda);
    Dword count = 0;
    double t = pRgUniform0();
    while (t > limit) {
      ++count;
      t *= pRgUniform0();
    }
    return count;
  }
  const double k = PoissonByRejection(lambda);
  // Counts beyond 32 bits saturate just below the invalid marker.
  if (k >= 4294967294.0) return kInvalidCount - 1u;
  return static_cast<Dword>(DoubleToQword(k));
}

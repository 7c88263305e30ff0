// Accurate logarithms of beta functions and Poisson terms for large arguments.
#include "signal_fit/prob/log_beta.h"

#include <cmath>

#include "scalar/gamma.h"

namespace {

constexpr double kHalfLn2Pi = 0.9189385332046728;
constexpr double kLargeArgument = 10.0;

// ln(1 + u) for u > -1, by log1p near 0.
double Ln1p(double u) { return std::log1p(u); }

}  // namespace

double ProbStirlingCorrection(double z) {
  const double r = 1.0 / z;
  const double r2 = r * r;
  // Bernoulli-number series; at z = 10 the next term is below 1e-14 of 1/z.
  return r *
         (1.0 / 12 - r2 * (1.0 / 360 - r2 * (1.0 / 1260 - r2 * (1.0 / 1680 - r2 * (1.0 / 1188)))));
}

double ProbBetaLn(double a, double b) {
  if (a > b) {
    const double t = a;
    a = b;
    b = t;
  }
  if (b < kLargeArgument) return rBetaLn(a, b);
  // ln Gamma(b) - ln Gamma(a + b) = -(b - 1/2) ln(1 + a/b) - a ln(a + b) + a
  //                                 + c(b) - c(a + b).
  const double s = a + b;
  const double diff = -(b - 0.5) * Ln1p(a / b) - a * std::log(s) + a + ProbStirlingCorrection(b) -
                      ProbStirlingCorrection(s);
  return rGammaLn(a) + diff;
}

double ProbPoissonLn(double x, double lambda) {
  // Gamma(x + 1) itself is small and exact to a few ulps below the switch.
  if (x < kLargeArgument) return -lambda + x * std::log(lambda) - std::log(std::tgamma(x + 1.0));
  // ln Gamma(x + 1) = (x + 1/2) ln x - x + ln(2 pi)/2 + c(x): the large terms
  // combine into x ln(lambda/x) + x - lambda, which stays of order one near
  // the mode.
  const double d = (lambda - x) / x;
  const double lr = std::fabs(d) < 0.5 ? Ln1p(d) : std::log(lambda / x);
  return x * lr + (x - lambda) - 0.5 * std::log(x) - kHalfLn2Pi - ProbStirlingCorrection(x);
}

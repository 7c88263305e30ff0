// Weibull family (shape k, scale lambda).
#include <cmath>

#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

double pDfWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 0.0;
  const double r = x / lambda;
  return (k / lambda) * rPow(r, k - 1.0) * std::exp(-rPow(r, k));
}

double pCfWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 0.0;
  return -std::expm1(-rPow(x / lambda, k));
}

double pCfUWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 1.0;
  return std::exp(-rPow(x / lambda, k));
}

namespace {

// M(s) = sum_n s^n Gamma(1 + n/k)/n!, s = t lambda. Each term is formed in
// logarithms: the power and n! alone overflow long before their ratio does
// (k = 1 gave inf/inf).
double WeibullMgfSeries(double s, double k) {
  double sum = 1.0;
  const double ls = std::log(std::fabs(s));
  for (int n = 1; n <= 1000; ++n) {
    const double nd = n;
    double term = std::exp(nd * ls + rGammaLn(1.0 + nd / k) - rGammaLn(nd + 1.0));
    if (s < 0.0 && (n & 1)) term = -term;
    const double before = sum;
    sum += term;
    if (std::fabs(sum - before) < ___EpsReal) break;
  }
  return sum;
}

// For s < 0 the series alternates with huge terms; the integral
// M(s) = int_0^inf k v^(k-1) exp(s v - v^k) dv is taken instead by the
// exp-sinh rule v = exp(pi/2 sinh tau), which fits both ends.
double WeibullMgfIntegral(double s, double k) {
  constexpr double kH = 1.0 / 64.0;
  constexpr int kHalf = 5 * 64;
  double sum = 0.0;
  for (int j = -kHalf; j <= kHalf; ++j) {
    const double tau = j * kH;
    const double lv = 1.5707963267948966 * std::sinh(tau);
    const double v = std::exp(lv);
    const double vk = std::exp(k * lv);
    const double ln_w =
        s * v - vk + std::log(k) + k * lv + std::log(1.5707963267948966 * std::cosh(tau));
    sum += std::exp(ln_w);
  }
  return sum * kH;
}

}  // namespace

double pMGfWeibull(double t, double k, double lambda) {
  if (!(k >= 1.0) || lambda < 0.0) return ___NAN;
  const double s = t * lambda;
  if (s == 0.0) return 1.0;
  if (k == 1.0) return s < 1.0 ? 1.0 / (1.0 - s) : ___NAN;  // exponential law
  if (s < -1.0) return WeibullMgfIntegral(s, k);
  return WeibullMgfSeries(s, k);
}

double pMeanWeibull(double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  return lambda * rGamma(1.0 + 1.0 / k);
}

double pMedianWeibull(double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  return lambda * rPow(0.6931471805599453, 1.0 / k);
}

double pModeWeibull(double k, double lambda) {
  if (lambda < 0.0) return ___NAN;
  if (k <= 1.0) return 0.0;
  return lambda * rPow((k - 1.0) / k, 1.0 / k);
}

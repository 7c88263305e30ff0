// Temme's series of Y_mu and Y_(mu+1) for |mu| <= 1/2 and 0 < x <= 2.
#include <cmath>

#include "scalar/bessel.h"
#include "scalar/bessel_internal.h"
#include "scalar/bessel_temme_table.h"
#include "scalar/real_helpers.h"

namespace {

double Sinc(double t) { return t == 0 ? 1.0 : std::sin(t) / t; }
}  // namespace

namespace bessel_detail {
bool YTemme(double x, double mu, double* y_mu, double* y_mu1) {
  // g2 = (1/Gamma(1 - mu) + 1/Gamma(1 + mu))/2 and
  // g1 = (1/Gamma(1 - mu) - 1/Gamma(1 + mu))/(2 mu) from the even and odd
  // Taylor coefficients: the difference itself would lose eps/mu.
  const double mu2 = mu * mu;
  double g1 = 0, g2 = 0;
  for (int k = kRecipGammaTerms - 1; k >= 0; --k) {
    if (k % 2)
      g1 = g1 * mu2 + kRecipGammaTaylor[k];
    else
      g2 = g2 * mu2 + kRecipGammaTaylor[k];
  }
  g1 = -g1;
  const double l = std::log(2 / x);
  const double e = mu * l;
  double p = std::exp(e) / (kPi * (g2 - mu * g1));   // (x/2)^-mu Gamma(1 + mu)/pi
  double q = std::exp(-e) / (kPi * (g2 + mu * g1));  // (x/2)^mu Gamma(1 - mu)/pi
  const double sinh_e = e == 0 ? 1.0 : std::sinh(e) / e;
  const double half_sinc = Sinc(0.5 * mu * kPi);
  const double r = mu * (0.5 * kPi * kPi) * half_sinc * half_sinc;  // (2/mu) sin^2(mu pi/2)
  double f = (2 / kPi) * (std::cosh(e) * g1 + sinh_e * l * g2) / Sinc(mu * kPi);
  double sum = f + r * q, sum1 = p;
  double c = 1;
  for (int k = 1; k < 1000; ++k) {
    const double kd = k;
    f = (kd * f + p + q) / (kd * kd - mu2);
    q /= kd + mu;
    p /= kd - mu;
    c *= -x * x / (4 * kd);
    const double delta = c * (f + r * q);
    sum += delta;
    sum1 += c * p - kd * delta;
    if (std::fabs(delta) < 0.5 * (1 + std::fabs(sum)) * ___EpsReal) {
      *y_mu = -sum;
      if (y_mu1) *y_mu1 = -sum1 * (2 / x);
      return true;
    }
  }
  return false;
}
}  // namespace bessel_detail

VELTRIA_API double rBesselYnuSmallTemme(double x, double nu) {
  if (!(std::fabs(nu) <= 0.5) || !(x <= 2) || !(x > 0)) return ___NAN;
  double y;
  return bessel_detail::YTemme(x, nu, &y, nullptr) ? y : ___NAN;
}

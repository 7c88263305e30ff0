// The power series of J_nu and the series of Y_0 and Y_1 with harmonic
// numbers.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel.h"
#include "scalar/bessel_internal.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {
constexpr Long kMaxTerms = 1000;

// sum_k (-x^2/4)^k / (k! (nu + 1)_k); NaN when the cap is reached.
double JSeriesSum(double x, double nu, Long* count) {
  const double q = -0.25 * x * x;
  double sum = 1, term = 1;
  Long k = 1;
  for (; k <= kMaxTerms; ++k) {
    term *= q / (k + nu) / k;
    sum += term;
    if (std::fabs(term) < ___2EpsReal * std::fabs(sum)) break;
  }
  if (count) *count = k;
  return k > kMaxTerms ? ___NAN : sum;
}

// (x/2)^nu / Gamma(nu + 1), with the sign of Gamma(nu + 1).
double JSeriesPrefactor(double x, double nu) {
  const double f = std::exp(nu * std::log(0.5 * std::fabs(x)) - rGammaLn(nu + 1));
  return (nu < 0 && (DoubleToQlong(nu) & 1) != 0) ? -f : f;
}
}  // namespace

VELTRIA_INTERNAL double rBesselJnuPowerSeries(double x, double nu, Long* count) {
  if (std::isnan(x) || std::isnan(nu)) return ___NAN;
  // J_-n = (-1)^n J_n: the prefactor's gamma has a pole there.
  const double rounded = std::round(nu);
  if (nu < 0 && std::fabs(nu - rounded) < 1e-7) {
    const Qlong n = DoubleToQlong(-rounded);
    if (count) *count = 0;
    const double j = rBesselJn(x, n);
    return (n & 1) ? -j : j;
  }
  const double sum = JSeriesSum(x, nu, count);
  if (x == 0) {
    if (nu >= 0) return nu == 0 ? 1.0 : 0.0;
    // A pole for negative non-integer orders, signed like Gamma(nu + 1).
    return (DoubleToQlong(nu) & 1) ? ___MnsINF : ___PlsINF;
  }
  return JSeriesPrefactor(x, nu) * sum;
}

VELTRIA_INTERNAL double rBesselY0Series(double x, Long* count) {
  if (!(x > 0)) return ___NAN;
  const double a = 0.5 * x;
  const double q = -a * a;
  double s = 1, c = 1;  // c = (-a^2)^(k-1)/(k!)^2
  Long k = 2;
  for (; k <= kMaxTerms; ++k) {
    c *= q / (static_cast<double>(k) * k);
    const double term = c * rHarmonicNumber(static_cast<Qword>(k));
    s += term;
    if (std::fabs(term) < ___2EpsReal * std::fabs(s)) break;
  }
  if (count) *count = k;
  if (k > kMaxTerms) return ___NAN;
  const double j0 = rBesselJnuPowerSeries(x, 0, nullptr);
  return bessel_detail::kTwoDivPi * ((std::log(a) + bessel_detail::kEulerGamma) * j0 + a * a * s);
}

VELTRIA_INTERNAL double rBesselY1Series(double x, Long* count) {
  if (!(x > 0)) return ___NAN;
  const double a = 0.5 * x;
  const double q = -a * a;
  double s = 1, c = 1;  // c = (-a^2)^(k-1)/((k-1)! k!)
  Long k = 2;
  for (; k <= kMaxTerms; ++k) {
    c *= q / (static_cast<double>(k - 1) * k);
    const double term = c * rHarmonicNumber(static_cast<Qword>(k));
    s += term;
    if (std::fabs(term) < ___5EpsReal * std::fabs(s)) break;
  }
  if (count) *count = k;
  if (k > kMaxTerms) return ___NAN;
  const double j0 = rBesselJnuPowerSeries(x, 0, nullptr);
  const double j1 = rBesselJnuPowerSeries(x, 1, nullptr);
  return bessel_detail::kTwoDivPi *
         (j1 * (std::log(a) + bessel_detail::kEulerGamma) - j0 / x - a * s);
}

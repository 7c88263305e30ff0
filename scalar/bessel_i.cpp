// Modified Bessel functions of the first kind: the power series, the
// large-x asymptotic sum and the region map between them.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel_ik.h"
#include "scalar/bessel_ik_internal.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kInvSqrt2Pi = 0.3989422804014327;
constexpr double kTwoDivPi = 0.6366197723675814;
constexpr Long kSeriesCap = 1000;
}  // namespace

VELTRIA_API double rBesselInuSeries(double x, double nu, Long* count) {
  if (count) *count = 0;
  if (!(x >= 0) || std::isnan(nu)) return ___NAN;
  // I_-n = I_n; the series itself divides by zero at negative integers.
  if (nu < 0 && nu == std::floor(nu)) nu = -nu;
  const double q = 0.25 * x * x;
  double sum = 1;
  double term = 1;
  Long k = 1;
  for (; k < kSeriesCap; ++k) {
    term = term * q / (k + nu) / k;
    sum += term;
    if (std::fabs(term) < ___2EpsReal * std::fabs(sum)) break;
  }
  if (count) *count = k;
  if (k >= kSeriesCap) return ___NAN;
  double pre;
  if (x > 0) {
    pre = std::exp(nu * std::log(0.5 * x) - rGammaLn(nu + 1));
    if (nu < 0 && (DoubleToQlong(nu) & 1)) pre = -pre;
  } else if (nu < 0) {
    // (x/2)^nu grows without bound; the sign is that of 1/Gamma(nu + 1).
    pre = (DoubleToQlong(nu) & 1) ? -___PlsINF : ___PlsINF;
  } else {
    pre = nu == 0 ? 1.0 : 0.0;
  }
  return pre * sum;
}

double rBesselInuAsympSum(double x, double nu, Dword n) {
  const double mu = 4 * nu * nu;
  double term = -(mu - 1) / (8 * x);
  double sum = 1 + term;
  const double last = 2.0 * n + 1;
  for (double k = 2; k <= last; ++k) {
    const double g = 2 * k - 1;
    term = term * (-(mu - g * g)) / (8 * k * x);
    sum += term;
  }
  return sum;
}

VELTRIA_API double rBesselInuAsymp(double x, double nu) {
  // e^x split in halves: I stays finite a little beyond where e^x overflows.
  const double half = std::exp(0.5 * x);
  return half * (kInvSqrt2Pi / std::sqrt(x) * rBesselInuAsympSum(x, nu, 12)) * half;
}

VELTRIA_API double rBesselInuDefinitive(double x, double nu) {
  if (!(x >= 0) || std::isnan(nu)) return ___NAN;
  double ip;
  if (rModf(nu, &ip) == 0) nu = std::fabs(nu);
  const double d = x - 10;
  const double c = 3 + 0.175 * d * d / (1 + 0.05 * x + 0.00725 * d * d);
  // Near the edge c the alternating asymptotic sum cancels by about
  // e^(nu²/2x) (1e-13 at x = 47.5, nu = 21); 2 sqrt(x) keeps it below 1e-14.
  const double asymp_top = std::fmin(c, 2 * std::sqrt(x));
  if (nu >= 0) {
    if (x > 18 && nu < asymp_top) return rBesselInuAsymp(x, nu);
    const double value = rBesselInuSeries(x, nu, nullptr);
    // The series needs more than its 1000 terms only from x = 2000 on; with
    // nu <= x, I is at least I_x(x) ~ e^(0.53 x) there and overflows.
    if (std::isnan(value) && x > 1500 && nu <= x) return ___PlsINF;
    return value;
  }
  if (x > 18) {
    // The asymptotic sum holds only for small orders; beyond, the
    // reflection I_-a = I_a + (2/pi) sin(a pi) K_a from accurate parts.
    const double a = -nu;
    if (a < asymp_top) return rBesselInuAsymp(x, nu);
    return rBesselInuDefinitive(x, a) +
           kTwoDivPi * gamma_detail::SinPi(a) * bessel_detail::KnuAccurate(x, a);
  }
  return rBesselInuSeries(x, nu, nullptr);
}

VELTRIA_API double rBesselIn(double x, Qlong n) {
  if (!(x >= 0)) return ___NAN;
  return rBesselInuDefinitive(x, static_cast<double>(n));
}

VELTRIA_API double rBessel_I0(double x) {
  if (!(x >= 0)) return ___NAN;
  const double q = 0.25 * x * x;
  double term = 1;
  double sum = 1;
  for (int k = 1; k < 1000; ++k) {
    term = term * q / (static_cast<double>(k) * k);
    const double before = sum;
    sum += term;
    if (std::fabs(sum - before) < ___EpsReal) break;
  }
  return sum;
}

// K of real order by Temme's method: the pair K_mu, K_(mu+1) with
// |mu| <= 1/2 from Temme's series (x <= 2) or Steed's continued fraction
// (x > 2), then the upward recurrence in the order, which is stable for K.
// Very high orders take Debye's uniform expansion instead of that many
// recurrence steps.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel_ik_internal.h"
#include "scalar/bessel_temme_table.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kEps = 2.220446049250313e-16;
constexpr int kMaxSteps = 100000;
// Orders above this go to Debye's expansion (its first left-out term is
// below 1e-23 there). Both ways lose accuracy in proportion to the order,
// the recurrence by its rounding per step, Debye's form by the cancelling
// exponent nu·eta; they meet near 1e5 at a few 1e-13.
constexpr double kDebyeOrder = 1e5;

// sum over i of a_(2i + parity) m2^i from the Taylor coefficients a_k of
// 1/Gamma(1 + mu).
double HalfTaylor(int parity, double m2) {
  using bessel_detail::kRecipGammaTaylor;
  using bessel_detail::kRecipGammaTerms;
  int i = kRecipGammaTerms - 1;
  if ((i & 1) != parity) --i;
  double s = kRecipGammaTaylor[i];
  for (i -= 2; i >= 0; i -= 2) s = s * m2 + kRecipGammaTaylor[i];
  return s;
}

// Temme's series, for 0 < x <= 2.
void TemmePair(double x, double mu, double* k_mu, double* k_mu1) {
  const double m2 = mu * mu;
  const double g1 = -HalfTaylor(1, m2);  // (1/G(1-mu) - 1/G(1+mu)) / (2 mu)
  const double g2 = HalfTaylor(0, m2);   // (1/G(1-mu) + 1/G(1+mu)) / 2
  const double rg_plus = g2 - mu * g1;   // 1/Gamma(1 + mu)
  const double rg_minus = g2 + mu * g1;  // 1/Gamma(1 - mu)
  const double ln2x = std::log(2.0 / x);
  const double sigma = mu * ln2x;
  const double pimu = kPi * mu;
  const double fact = mu == 0 ? 1.0 : pimu / std::sin(pimu);
  const double shc = sigma == 0 ? 1.0 : std::sinh(sigma) / sigma;
  const double e = std::exp(sigma);  // (2/x)^mu
  double f = fact * (g1 * std::cosh(sigma) + g2 * shc * ln2x);
  double p = 0.5 * e / rg_plus;
  double q = 0.5 / (e * rg_minus);
  const double d = 0.25 * x * x;
  double c = 1;
  double sum = f;
  double sum1 = p;
  for (int k = 1; k < kMaxSteps; ++k) {
    const double kk = k;
    f = (kk * f + p + q) / (kk * kk - m2);
    c *= d / kk;
    p /= kk - mu;
    q /= kk + mu;
    const double del = c * f;
    sum += del;
    sum1 += c * (p - kk * f);
    if (std::fabs(del) < kEps * std::fabs(sum)) break;
  }
  *k_mu = sum;
  *k_mu1 = sum1 * 2.0 / x;
}

// Steed's continued fraction for K_(mu+1)/K_mu with Temme's normalising
// sum, for x > 2; both results are times e^x.
void SteedPair(double x, double mu, double* k_mu, double* k_mu1) {
  const double a1 = 0.25 - mu * mu;
  double b = 2.0 * (1.0 + x);
  double d = 1.0 / b;
  double delh = d;
  double h = d;
  double q1 = 0;
  double q2 = 1;
  double q = a1;
  double c = a1;
  double a = -a1;
  double s = 1.0 + q * delh;
  for (int i = 1; i < kMaxSteps; ++i) {
    a -= 2.0 * i;
    c = -a * c / (i + 1.0);
    const double qnew = (q1 - b * q2) / a;
    q1 = q2;
    q2 = qnew;
    q += c * qnew;
    b += 2.0;
    d = 1.0 / (b + a * d);
    delh = (b * d - 1.0) * delh;
    h += delh;
    const double dels = q * delh;
    s += dels;
    if (std::fabs(dels) < kEps * std::fabs(s)) break;
  }
  *k_mu = std::sqrt(kPi / (2.0 * x)) / s;
  *k_mu1 = *k_mu * (mu + x + 0.5 - a1 * h) / x;
}

// ln K_nu(x) by Debye's expansion for very large nu (three correction terms).
double DebyeLogK(double x, double nu) {
  const double z = x / nu;
  const double r = std::sqrt(1.0 + z * z);
  const double t = 1.0 / r;
  const double eta = r + std::log(z / (1.0 + r));
  const double t2 = t * t;
  const double u1 = t * (3.0 - 5.0 * t2) / 24.0;
  const double u2 = t2 * (81.0 + t2 * (-462.0 + 385.0 * t2)) / 1152.0;
  const double u3 =
      t * t2 * (30375.0 + t2 * (-369603.0 + t2 * (765765.0 - 425425.0 * t2))) / 414720.0;
  const double v = 1.0 / nu;
  const double series = 1.0 + v * (-u1 + v * (u2 - v * u3));
  return 0.5 * std::log(kPi / (2.0 * nu)) - nu * eta - 0.5 * std::log(r) + std::log(series);
}

}  // namespace

namespace bessel_detail {

void ScaledKPair(double x, double mu, double* k_mu, double* k_mu1) {
  if (x > 2.0) {
    SteedPair(x, mu, k_mu, k_mu1);
    return;
  }
  TemmePair(x, mu, k_mu, k_mu1);
  const double ex = std::exp(x);
  *k_mu *= ex;
  *k_mu1 *= ex;
}

double KnuAccurate(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return NAN;
  nu = std::fabs(nu);
  if (x == 0) return INFINITY;
  if (std::isinf(x)) return 0;
  if (nu > kDebyeOrder) return std::exp(DebyeLogK(x, nu));
  const Qlong n = DoubleToQlong(std::floor(nu + 0.5));
  const double mu = nu - static_cast<double>(n);
  double k0;
  double k1;
  ScaledKPair(x, mu, &k0, &k1);
  // The recurrence grows; a running power-of-two exponent keeps it finite
  // until the final e^-x, which is applied as 2^-k e^-r so that neither
  // factor under- or overflows on its own.
  int scale = 0;
  double value = k0;
  if (n > 0) {
    const double two_x = 2.0 / x;
    for (Qlong j = 1; j < n; ++j) {
      const double next = two_x * (mu + static_cast<double>(j)) * k1 + k0;
      k0 = k1;
      k1 = next;
      if (k1 > 0x1p900) {
        k0 *= 0x1p-900;
        k1 *= 0x1p-900;
        scale += 900;
        if (scale > 1100 + 1.4426950408889634 * x) return INFINITY;
      }
      if (std::isinf(k1)) return INFINITY;
    }
    value = k1;
  }
  if (scale == 0 && x < 700) return value * std::exp(-x);
  if (x > 1e9) return 0;
  // Cody and Waite's split of ln 2: k ln2_hi is exact.
  const double k = std::floor(x * 1.4426950408889634);
  const double r = (x - k * 0.6931471803691238) - k * 1.9082149292705877e-10;
  return std::ldexp(value * std::exp(-r), scale - DoubleToLong(k));
}

}  // namespace bessel_detail

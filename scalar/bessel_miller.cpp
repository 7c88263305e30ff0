// Miller's method for J of any order nu >= 0: downward recurrence from
// above max(nu, x), normalised by the Neumann sum
//   (x/2)^mu / Gamma(mu + 1) = J_mu + sum_{k>=1} (mu + 2k) c_k J_(mu+2k),
//   c_k = Gamma(mu + k) / (Gamma(mu + 1) k!),
// for the fractional part mu of nu (mu = 0 gives J_0 + 2 sum J_2k = 1).
// And Steed's continued fraction for Y from J at the same order.
#include <cmath>
#include <complex>

#include "scalar/bessel_internal.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"

namespace bessel_detail {
namespace {
constexpr double kRescaleAbove = 1e150;
constexpr double kRescale = 1e-150;
}  // namespace

double JnuMiller(double x, double nu, double* j_mu, double* j_mu1) {
  const double whole = std::floor(nu);
  const double mu = nu - whole;
  const Qword target = CountOf(whole);  // nu = mu + target
  // An even count of steps above mu, so that the top order is mu + 2K.
  const Qword steps = (CountOf(MillerStartOrder(std::fmax(x, nu)) - mu) | 1) + 1;
  // c_K at the top by the exact product, then divided down.
  const Qword k_top = steps / 2;
  double c = 1;
  for (Qword k = 2; k <= k_top; ++k)
    c *= (mu + static_cast<double>(k) - 1) / static_cast<double>(k);
  const double two_div_x = 2 / x;
  double cur = 1e-30, prev = 0;  // orders mu + i and mu + i + 1
  double f = steps == target ? cur : 0;
  double sum = (mu + 2 * static_cast<double>(k_top)) * c * cur;  // (mu + 2K) c_K J_top
  for (Qword i = steps; i > 0; --i) {
    const double g = (mu + static_cast<double>(i)) * two_div_x * cur - prev;
    prev = cur;
    cur = g;  // order mu + i - 1
    const Qword order = i - 1;
    if (order == target) f = g;
    if (order > 0 && order % 2 == 0) {
      const Qword k = order / 2;
      // c_k from c_(k+1): c_k = c_(k+1) (k + 1) / (mu + k).
      c *= static_cast<double>(k + 1) / (mu + static_cast<double>(k));
      sum += (mu + static_cast<double>(order)) * c * g;
    }
    if (std::fabs(cur) > kRescaleAbove) {
      cur *= kRescale;
      prev *= kRescale;
      f *= kRescale;
      sum *= kRescale;
    }
  }
  sum += cur;  // J_mu
  const double lhs = mu == 0 ? 1.0 : std::exp(mu * std::log(0.5 * x) - rGammaLn(mu + 1));
  const double scale = lhs / sum;
  if (j_mu) *j_mu = cur * scale;
  if (j_mu1) *j_mu1 = prev * scale;
  return f * scale;
}

double YnuSteed(double x, double nu) {
  const double whole = std::floor(nu);
  const double mu = nu - whole;
  double jm, jm1;
  JnuMiller(x, mu, &jm, &jm1);
  // p + iq = (J' + iY')/(J + iY) = -1/(2x) + i + (i/x) T with the fraction
  // T = a1/(b1 + a2/(b2 + ...)), a_k = (k - 1/2)^2 - mu^2, b_k = 2(x + k i),
  // by the modified Lentz method.
  using C = std::complex<double>;
  const double tiny = 1e-300;
  C t(tiny, 0), cc = t, d(0, 0);
  for (int k = 1; k < 10000; ++k) {
    const double kh = k - 0.5;
    const double a = kh * kh - mu * mu;
    const C b(2 * x, 2.0 * k);
    d = b + a * d;
    if (std::abs(d) == 0) d = tiny;
    cc = b + a / cc;
    if (std::abs(cc) == 0) cc = tiny;
    d = 1.0 / d;
    const C delta = cc * d;
    t *= delta;
    if (std::abs(delta - 1.0) < ___EpsReal) break;
  }
  const C pq = C(-0.5 / x, 1) + C(0, 1 / x) * t;
  const double p = pq.real(), q = pq.imag();
  const double jp = (mu / x) * jm - jm1;  // J'_mu
  double y = (p * jm - jp) / q;           // from J' = pJ - qY
  const double yp = q * jm + p * y;       // Y' = qJ + pY
  double y1 = (mu / x) * y - yp;          // Y_(mu+1)
  // Upward in the order: Y grows, the stable direction.
  const Qword n = CountOf(whole);
  if (n == 0) return y;
  for (Qword i = 1; i < n; ++i) {
    const double g = (mu + static_cast<double>(i)) * (2 / x) * y1 - y;
    y = y1;
    y1 = g;
    if (!std::isfinite(y1)) break;
  }
  return y1;
}
}  // namespace bessel_detail

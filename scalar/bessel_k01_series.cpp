// The series of K_0 and K_1 with the harmonic numbers running along
// (psi(k + 1) = H_k - gamma) and I_0, I_1 summed in the same loop: one
// logarithm and a dozen terms below x = 2, no digamma or I calls.
#include <cmath>

#include "scalar/bessel_ik_internal.h"

namespace bessel_detail {
namespace {
constexpr double kEulerGamma = 0.5772156649015329;
constexpr double kTiny = 0x1p-56;  // terms below this share of the sum stop it
}  // namespace

double K0Series(double x) {
  // K_0 = -(ln(x/2) + gamma) I_0 + sum_{k>=1} H_k t_k, t_k = (x^2/4)^k/(k!)^2.
  const double half = 0.5 * x;
  const double q = half * half;
  double t = 1, i0 = 1, h = 0, s = 0;
  for (int k = 1; k <= 1000; ++k) {
    const double dk = k;
    t *= q / (dk * dk);
    h += 1 / dk;
    i0 += t;
    s += h * t;
    if (h * t <= kTiny * s) break;
  }
  return s - (std::log(half) + kEulerGamma) * i0;
}

double K1Series(double x) {
  // K_1 = 1/x + (ln(x/2) + gamma) I_1 - (x/4) sum_{k>=0} (H_k + H_{k+1}) u_k,
  // u_k = (x^2/4)^k/(k! (k+1)!), I_1 = (x/2) sum u_k.
  const double half = 0.5 * x;
  const double q = half * half;
  double u = 1, su = 1, h = 1, s = 1;  // k = 0: H_0 + H_1 = 1
  for (int k = 1; k <= 1000; ++k) {
    const double dk = k;
    u *= q / (dk * (dk + 1));
    const double hk = h;
    h += 1 / (dk + 1);
    su += u;
    s += (hk + h) * u;
    if ((hk + h) * u <= kTiny * s) break;
  }
  return 1 / x + (std::log(half) + kEulerGamma) * half * su - 0.5 * half * s;
}
}  // namespace bessel_detail

// Hankel's asymptotic expansion of J_nu and Y_nu for large x.
#include <cmath>

#include "scalar/bessel_internal.h"
#include "scalar/gamma_internal.h"

VELTRIA_INTERNAL double rBesselHankelPQ(double x, double nu, bool p, Qword n) {
  const double mu = 4 * nu * nu;
  const double x2 = x * x;
  double term = p ? 1.0 : (mu - 1) / (8 * x);
  double sum = term;
  for (Qword k = p ? 0 : 1; k <= 2 * n;) {
    k += 2;
    const double g = 2.0 * static_cast<double>(k) - 1;
    const double kd = static_cast<double>(k);
    term *= -(mu - g * g) * (mu - (g - 2) * (g - 2)) / (64 * (kd - 1) * kd * x2);
    sum += term;
  }
  return sum;
}

namespace {
// cos and sin of chi = x - (2 nu + 1) pi/4 by the angle sum: x is exact and
// the libm reduction of x is, while x - nu pi/2 - pi/4 formed in doubles
// would lose several ulps of x at large x.
void HankelPhase(double x, double nu, double* cos_chi, double* sin_chi) {
  const double t = 0.25 * (2 * nu + 1);
  const double cp = gamma_detail::CosPi(t), sp = gamma_detail::SinPi(t);
  const double cx = std::cos(x), sx = std::sin(x);
  *cos_chi = cx * cp + sx * sp;
  *sin_chi = sx * cp - cx * sp;
}

double HankelJ(double x, double nu, Qword n) {
  double c, s;
  HankelPhase(x, nu, &c, &s);
  const double amp = std::sqrt(bessel_detail::kTwoDivPi / x);
  return amp * (rBesselHankelPQ(x, nu, true, n) * c - rBesselHankelPQ(x, nu, false, n) * s);
}
}  // namespace

VELTRIA_INTERNAL double rBesselJnHankel(double x, double nu, Qword n) { return HankelJ(x, nu, n); }
VELTRIA_INTERNAL double rBesselJnuHankel(double x, double nu, Qword n) { return HankelJ(x, nu, n); }

VELTRIA_INTERNAL double rBesselYnuHankel(double x, double nu, Qword n) {
  double c, s;
  HankelPhase(x, nu, &c, &s);
  const double amp = std::sqrt(bessel_detail::kTwoDivPi / x);
  return amp * (rBesselHankelPQ(x, nu, false, n) * c + rBesselHankelPQ(x, nu, true, n) * s);
}

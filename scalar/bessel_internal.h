// Kernels of the Bessel J and Y family, shared by its files; not exported.
// Each public function picks one of them by region of argument and order.
#pragma once
#include <cmath>

#include "base/types.h"

namespace bessel_detail {
inline constexpr double kTwoDivPi = 0.6366197723675814;
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kEulerGamma = 0.5772156649015329;

// By x: the largest order of the Hankel sum for x >= 17, and the order c
// from just below which the upward recurrence of Y starts at large x.
// Both grow linearly up to x = 300; the truncation of the Hankel sums goes
// with nu^2/x, so beyond 300 they grow with sqrt(x) (the linear forms lose
// 3e-10 at x = 900).
inline double HankelOrderBound6(double x) {
  if (x > 300) return 23.249592645791438 * std::sqrt(x / 300);  // the linear form at 300
  return 10.5 + 0.0412 * (x + 10) - 1950 / ((x - 5) * (x - 5));
}
inline double TransitionOrder(double x) {
  if (x > 300) return 45.70216666666667 * std::sqrt(x / 300);
  return 19.6 + 0.0835 * (x + 13) - 3000 / (x * x);
}

// Truncation to an unsigned count; the arguments are finite and
// non-negative by construction.
Qword CountOf(double v);

// The start order of a downward recurrence that converges to J at x.
double MillerStartOrder(double x);
// J_nu(x), nu >= 0, x > 0, by Miller's method normalised with the Neumann
// sum of the fractional order mu; also J_mu and J_(mu+1) when asked.
double JnuMiller(double x, double nu, double* j_mu, double* j_mu1);
// Y_nu(x), nu >= 0, x >= 2: Steed's continued fraction with J_mu from
// Miller's method at the fractional order, then upward recurrence.
double YnuSteed(double x, double nu);
// Y_mu(x) and Y_(mu+1)(x) by Temme's series, |mu| <= 1/2, 0 < x <= 2;
// false when the series reaches its cap.
bool YTemme(double x, double mu, double* y_mu, double* y_mu1);
// j_n(x) by the power series for any sign of x.
double SphericalJSeries(double x, Qword n);
// J_0(x) and J_1(x) for x >= 0 by their dedicated forms.
double J0Direct(double x);
double J1Direct(double x);
}  // namespace bessel_detail

VELTRIA_INTERNAL double rBesselJnuPowerSeries(double x, double nu, Long* count);
VELTRIA_INTERNAL double rBesselHankelPQ(double x, double nu, bool p, Qword n);
VELTRIA_INTERNAL double rBesselJnHankel(double x, double nu, Qword n);
VELTRIA_INTERNAL double rBesselJnuHankel(double x, double nu, Qword n);
VELTRIA_INTERNAL double rBesselYnuHankel(double x, double nu, Qword n);
VELTRIA_INTERNAL double rBesselYRecurUp(double x, double nu, Qword m, double c, double d);
VELTRIA_INTERNAL double rBesselY0Series(double x, Long* count);
VELTRIA_INTERNAL double rBesselY1Series(double x, Long* count);
VELTRIA_INTERNAL double rBesselYnuFromJ(double x, double nu);

// Bessel functions of the first kind J_n and J_nu with their first and
// second derivatives: the kernel is picked by region of x and the order.
#include <algorithm>
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel.h"
#include "scalar/bessel_internal.h"
#include "scalar/elementary.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

using namespace bessel_detail;

namespace {
// Up to here the power series cancels by less than e^x ulps at any order;
// beyond it Miller's recurrence serves nu >= 0 and the reflection through
// J and Y the negative orders, up to the orders where the series is safe.
constexpr double kSeriesUpTo = 5;
// Beyond this x the recurrences would run through millions of orders;
// the asymptotic sum serves every order it has not given to the series.
constexpr double kRecurrenceLimit = 1e5;

// J_n(x) is below the double range: (e x / (2 n))^n with n >= 1.36 x + 1100.
bool JnUnderflows(double x, double n) { return n >= 1.36 * x + 1100; }

double JnPositive(double x, Qword n) {
  if (n == 0) return J0Direct(x);
  if (n == 1) return J1Direct(x);
  const double nd = static_cast<double>(n);
  // From order x^2/4 on the series' terms fall from the first; below it
  // they cancel by up to e^(x^2/2n) ulps (1e-12 at J_22(19.4)).
  if (x <= kSeriesUpTo || nd >= 0.25 * x * x) return rBesselJnuPowerSeries(x, nd, nullptr);
  // The 6-term sum is held to the real-order bound as well: beyond it the
  // integer bound lets the sum's truncation reach 2e-10 (J_17(61.9)).
  if (x >= 17 &&
      nd <= std::trunc(2.2 + 0.15 * (x - 13) * (x - 13) / (1 + 0.01 * (x - 14) * (x - 14))) &&
      nd <= HankelOrderBound6(x))
    return rBesselJnHankel(x, nd, x < 30 ? 12 : 6);
  // Downward from true start values of the scaled series would lose up to
  // e^(x^2/2b) ulps to its cancellation, and they underflow from x near
  // 107 on: Miller's normalised recurrence instead.
  if (JnUnderflows(x, nd)) return 0.0;
  if (x > kRecurrenceLimit) return rBesselJnHankel(x, nd, 12);
  return JnuMiller(x, nd, nullptr, nullptr);
}
}  // namespace

VELTRIA_API double rBesselJn(double x, Qlong n) {
  if (std::isnan(x)) return ___NAN;
  // J_-n = (-1)^n J_n and J_n(-x) = (-1)^n J_n(x); the magnitude of the
  // order is formed unsigned, so the smallest Qlong is no overflow.
  const Qword an = n < 0 ? Qword{0} - static_cast<Qword>(n) : static_cast<Qword>(n);
  const bool odd = (an & 1) != 0;
  double v = JnPositive(std::fabs(x), an);
  if (odd && n < 0) v = -v;
  if (odd && x < 0) v = -v;
  return v;
}

namespace {
// J_-a = cos(a pi) J_a - sin(a pi) Y_a, both of non-negative order; at
// integer a the Y term is absent (it may be infinite).
double JReflected(double x, double a) {
  const double s = gamma_detail::SinPi(a);
  const double j = gamma_detail::CosPi(a) * rBesselJnu(x, a);
  return s == 0 ? j : j - s * rBesselYnuDefinitive(x, a);
}
}  // namespace

VELTRIA_API double rBesselJnu(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return ___NAN;
  // From order x^2/4 on the series' terms fall from the first; below it
  // they cancel by up to e^(x^2/2 nu) ulps.
  if (x <= kSeriesUpTo || nu >= 0.25 * x * x) return rBesselJnuPowerSeries(x, nu, nullptr);
  const double anu = std::fabs(nu);
  // Below x = 30 the Hankel sums take 12 terms: with 6 their truncation
  // reaches 1.5e-13 near x = 19.
  if (x >= 17 && anu <= HankelOrderBound6(x)) return rBesselJnuHankel(x, nu, x < 30 ? 12 : 6);
  if (nu >= 0) {
    // Downward from the scaled series' start values would inherit its
    // cancellation; the 12-term Hankel values of 14 <= x < 17 lose 2e-13.
    // Miller's normalised recurrence starts above max(nu, x) with no start
    // values at all.
    if (JnUnderflows(x, nu)) return 0.0;
    if (x > kRecurrenceLimit) return rBesselJnuHankel(x, nu, 12);
    return JnuMiller(x, nu, nullptr, nullptr);
  }
  // Negative orders by reflection: the recurrence from series or Hankel
  // start values loses up to 1e-12 near x = 14 and 1e-13 at x = 30.
  return JReflected(x, -nu);
}

VELTRIA_API double rBesselJnD(double x, Qword n) {
  if (n == 0) return -rBesselJn(x, 1);
  // Beyond 2^62 J_n is zero at every x the recurrences reach; the clamp
  // keeps n + 1 a Qlong.
  const Qlong k = static_cast<Qlong>(std::min<Qword>(n, Qword{1} << 62));
  return 0.5 * (rBesselJn(x, k - 1) - rBesselJn(x, k + 1));
}

VELTRIA_API double rBesselJnD2(double x, Qword n) {
  if (n == 0) return -rBesselJnD(x, 1);
  const Qword k = std::min<Qword>(n, Qword{1} << 62);
  return 0.5 * (rBesselJnD(x, k - 1) - rBesselJnD(x, k + 1));
}

VELTRIA_API double rBesselJnuD(double x, double nu) {
  if (nu == 0) return -rBesselJnu(x, 1);
  return 0.5 * (rBesselJnu(x, nu - 1) - rBesselJnu(x, nu + 1));
}

VELTRIA_API double rBesselJnuD2(double x, double nu) {
  if (nu == 0) return -rBesselJnuD(x, 1);
  return 0.5 * (rBesselJnuD(x, nu - 1) - rBesselJnuD(x, nu + 1));
}

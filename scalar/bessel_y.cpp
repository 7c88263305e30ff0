// Bessel functions of the second kind Y_n and Y_nu: by region, from J, and
// the derivative.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel.h"
#include "scalar/bessel_internal.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

using namespace bessel_detail;

namespace {
// Below this x the Y_0 and Y_1 series of integer orders cancel by less
// than e^x ulps; above it Steed's fraction serves every order.
constexpr double kSeriesBelow = 5;
// Temme's series serves x up to 2, Steed's fraction from there.
constexpr double kTemmeUpTo = 2;
constexpr double kSteedBelow = 60;

double YIntegerSeries(double x, double n) {
  const double y0 = rBesselY0Series(x, nullptr);
  if (n == 0) return y0;
  return rBesselYRecurUp(x, n, CountOf(n - 1), rBesselY1Series(x, nullptr), y0);
}

// Y_nu for non-integer nu >= 0 and x <= 2: Temme's series at the order mu
// nearest 0, then upward. The quotient from J loses eps/|sin nu pi| near
// integer orders, and its averaged form is infinite where nu -+ 1e-6 is
// an integer.
double YTemmeUp(double x, double nu) {
  const double n = std::round(nu);
  const double mu = nu - n;
  double y, y1;
  if (!YTemme(x, mu, &y, &y1)) return ___NAN;
  if (n == 0) return y;
  return rBesselYRecurUp(x, nu, CountOf(n - 1), y1, y);
}

double YPositive(double x, double nu) {
  // Past 2^53 the orders of a recurrence are no longer distinct doubles;
  // Y_nu(x) has long overflowed for x < nu/2.
  if (nu > 9e15 && x < 0.5 * nu) return ___MnsINF;
  // Beyond this x the recurrences would run through millions of orders.
  if (x > 1e5) return rBesselYnuHankel(x, nu, 12);
  double ip;
  const bool integer = rModf(nu, &ip) == 0;
  if (x < kSeriesBelow) {
    if (integer) return YIntegerSeries(x, nu);
    return x <= kTemmeUpTo ? YTemmeUp(x, nu) : YnuSteed(x, nu);
  }
  if (x < 10) return YnuSteed(x, nu);
  // Below x = 30 the Hankel sums take 12 terms: with 6 their truncation
  // reaches 3e-13 near x = 19.
  const Qword terms = x < 30 ? 12 : 6;
  if (x >= 17 && nu <= HankelOrderBound6(x)) return rBesselYnuHankel(x, nu, terms);
  // Below 60 the 12-term Hankel values, alone or as start values of the
  // recurrence, lose up to 1e-7 at x = 10 and 1e-12 at x = 14 (the sum's
  // smallest term goes with e^-2x, and faster with the order): Steed's
  // fraction instead.
  if (x < kSteedBelow) return YnuSteed(x, nu);
  const double c = TransitionOrder(x);
  const Qword m = CountOf(std::fabs(nu - (c - 1)));
  const double low = nu - static_cast<double>(m);
  return rBesselYRecurUp(x, nu, m, rBesselYnuHankel(x, low, 12), rBesselYnuHankel(x, low - 1, 12));
}
}  // namespace

VELTRIA_API double rBesselYnuDefinitive(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return ___NAN;
  if (nu >= 0) return YPositive(x, nu);
  // Negative orders by reflection: Y_-n = (-1)^n Y_n, and
  // Y_-a = cos(a pi) Y_a + sin(a pi) J_a otherwise.
  const double a = -nu;
  const double ya = YPositive(x, a);
  double ip;
  if (rModf(a, &ip) == 0) return std::fmod(a, 2.0) != 0 ? -ya : ya;
  return gamma_detail::CosPi(a) * ya + gamma_detail::SinPi(a) * rBesselJnu(x, a);
}

VELTRIA_API double rBesselYn(double x, Qlong n) {
  return rBesselYnuDefinitive(x, static_cast<double>(n));
}

VELTRIA_INTERNAL double rBesselYnuFromJ(double x, double nu) {
  // sin and cos of nu pi with the order reduced exactly: at nu = 20.5 the
  // plain product nu * pi is already off by ulps.
  return (rBesselJnu(x, nu) * gamma_detail::CosPi(nu) - rBesselJnu(x, -nu)) /
         gamma_detail::SinPi(nu);
}

VELTRIA_API double rBesselYnu(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return ___NAN;
  return rBesselYnuFromJ(x, nu);
}

VELTRIA_API double rBesselYnuCloseIntegers(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return ___NAN;
  return 0.5 * (rBesselYnuFromJ(x, nu - 1e-6) + rBesselYnuFromJ(x, nu + 1e-6));
}

// Built on the region-selecting Y: the quotient from J has no value at
// integer orders.
VELTRIA_API double rBesselYnuD(double x, double nu) {
  if (std::isnan(x) || std::isnan(nu) || x < 0) return ___NAN;
  return 0.5 * (rBesselYnuDefinitive(x, nu - 1) - rBesselYnuDefinitive(x, nu + 1));
}

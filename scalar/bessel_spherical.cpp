// Spherical Bessel functions j_n and y_n: closed forms of low order, their
// derivatives, the forms through J and Y of half-integer order, and the
// power series.
#include <algorithm>
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel.h"
#include "scalar/bessel_internal.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

namespace {
constexpr double kHalfPi = 1.5707963267948966;
constexpr Qword kMaxTerms = 1000;
// Below this |x| the closed forms of j_1 and j_2 cancel (j_2 loses
// 90 eps/x^4); the series converges in a few terms there.
constexpr double kSeriesBelow = 2;
}  // namespace

namespace bessel_detail {
double SphericalJSeries(double x, Qword n) {
  const double h = -0.5 * x * x;
  // (2n + 1)!! is infinite from n = 150 on; the clamp keeps 2n + 1 in range.
  double term = 1 / rDoubleFactorial(static_cast<Qlong>(2 * std::min<Qword>(n, 1000) + 1));
  if (term == 0) return 0.0;  // x^n would meet an infinity
  double sum = term;
  const double two_n = 2 * static_cast<double>(n);
  for (Qword c = 0; c < kMaxTerms; ++c) {
    const double cd = static_cast<double>(c);
    term *= h / ((cd + 1) * (two_n + 2 * cd + 3));
    const double next = sum + term;
    // Relative: the sum is 1/(2n + 1)!!, far below 1 from n = 10 on.
    const bool done = std::fabs(next - sum) <= ___EpsReal * std::fabs(next);
    sum = next;
    if (done) return riPower(x, static_cast<Qlong>(n)) * sum;
  }
  return ___NAN;
}
}  // namespace bessel_detail

VELTRIA_API double rBessel_j0(double x) { return rSinc(x); }

VELTRIA_API double rBessel_j1(double x) {
  if (std::fabs(x) < kSeriesBelow) return bessel_detail::SphericalJSeries(x, 1);
  return (rSinc(std::fabs(x)) - std::cos(x)) / x;
}

VELTRIA_API double rBessel_j2(double x) {
  if (std::fabs(x) < kSeriesBelow) return bessel_detail::SphericalJSeries(x, 2);
  const double a = std::fabs(x);
  const double t = 3 / (x * x);
  return (t - 1) * (std::sin(a) / a) - t * std::cos(a);
}

VELTRIA_API double rBessel_j0D(double x) { return -rBessel_j1(x); }

VELTRIA_API double rBessel_j1D(double x) {
  if (x == 0) return 1.0 / 3;  // j_1(x)/x -> 1/3
  return rBessel_j0(x) - 2 * rBessel_j1(x) / x;
}

VELTRIA_API double rBessel_jnu(double x, double nu) {
  if (!(x > 0) || std::isnan(nu)) return ___NAN;
  if (nu == 0) return rBessel_j0(x);
  return std::sqrt(kHalfPi / x) * rBesselJnu(x, nu + 0.5);
}

VELTRIA_API double rBessel_jnu_series(double x, Qword n) {
  if (!(x > 0)) return ___NAN;
  return bessel_detail::SphericalJSeries(x, n);
}

VELTRIA_API double rBessel_y0(double x) { return -rSafeDiv(std::cos(x), x); }

VELTRIA_API double rBessel_y1(double x) {
  return -(rSafeDiv(std::cos(x), rSafeMul(x, x)) + rBessel_j0(x));
}

// y_2 = (3/x) y_1 - y_0, with x y_0 = -cos x taken exactly.
VELTRIA_API double rBessel_y2(double x) { return rSafeDiv(3 * rBessel_y1(x) + std::cos(x), x); }

VELTRIA_API double rBessel_y0D(double x) { return rBessel_j0(x) - rSafeDiv(rBessel_y0(x), x); }
VELTRIA_API double rBessel_y1D(double x) { return rBessel_y0(x) - rSafeDiv(rBessel_y1(x), x / 2); }
VELTRIA_API double rBessel_y2D(double x) { return rBessel_y1(x) - rSafeDiv(rBessel_y2(x), x / 3); }

VELTRIA_API double rBessel_ynu(double x, double nu) {
  if (!(x > 0) || std::isnan(nu)) return ___NAN;
  if (nu == 0) return rBessel_y0(x);
  return std::sqrt(kHalfPi / x) * rBesselYnuDefinitive(x, nu + 0.5);
}

VELTRIA_API double rBessel_ynu_series(double x, Qlong n) {
  if (!(x > 0)) return ___NAN;
  // y_-n-1 = (-1)^(n+1) j_n; the finite part below needs n >= -1.
  if (n < -1) {
    const Qword m = static_cast<Qword>(-(n + 1));
    const double j = bessel_detail::SphericalJSeries(x, m);
    return (m & 1) ? j : -j;
  }
  // (2n - 1)!! is infinite from n = 151 on; this keeps 2n a Qlong.
  if (n > 1000) return ___MnsINF;
  const double h = 0.5 * x * x;
  // G = sum_{k=0..n} (2n - 2k - 1)!! h^k / k!
  // (2n - 1)!! with (-1)!! = 1; n = -1 has no finite part.
  double term = n == 0 ? 1.0 : rDoubleFactorial(2 * n - 1);
  if (!std::isfinite(term)) return ___MnsINF;  // (2n - 1)!! beyond the double range
  double g = n < 0 ? 0.0 : term;
  for (Qlong k = 0; k < n; ++k)
    g += term *= h / (static_cast<double>(k + 1) * static_cast<double>(2 * n - 2 * k - 1));
  // T = sum_{k>n} (-h)^k / (k! (2k - 2n - 1)!!)
  double t_term = riPower(-h, n + 1) / rFactorial(n + 1);
  double t = t_term;
  Qlong k = n + 2;
  for (; k < 1000; ++k) {
    t_term *= -h / (static_cast<double>(k) * static_cast<double>(2 * k - 2 * n - 1));
    const double next = t + t_term;
    const bool done = std::fabs(next - t) < ___EpsReal;
    t = next;
    if (done) break;
  }
  if (k >= 1000) return ___NAN;
  const double xp = riPower(x, n + 1);
  return (-g + ((n + 1) % 2 == 0 ? t : -t)) / xp;
}

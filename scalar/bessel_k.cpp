// Modified Bessel functions of the second kind: the series of K_0 and K_n,
// rational approximations of K_0 and K_1, the large-x asymptotic sum, the
// upward recurrence and the region map among them.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel_ik.h"
#include "scalar/bessel_ik_internal.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kEulerGamma = 0.5772156649015329;
constexpr double kHalfPi = 1.5707963267948966;

// N(y)/D(y) in y = 1/x, coefficients from the constant term up.
constexpr double kK0Num[22] = {
    0.10694678222191263,   0.9075336041568385,     1.7215172959695073,   -0.17172089076875258,
    0.07315475035699123,   -0.05497528623209785,   0.057217703802970844, -0.07288417784436345,
    0.10443967655783545,   -0.1574159755331735,    0.23582486699296815,  -0.3348416678325776,
    0.4332852489085557,    -0.49470375304462433,   0.48474122247422385,  -0.3972579955637448,
    0.2650765332293077,    -0.13951265948137254,   0.05550066735849046,  -0.015636955694760497,
    0.0027741514506299243, -0.00023261089001545715};
constexpr double kK0Den[3] = {0.08533118636241045, 0.7347734494618207, 1.4594189037511447};
constexpr double kK1Num[23] = {
    0.10234817795732426,   0.9457647359473672,   2.187672135688138,      0.6014344786131653,
    -0.1396139145674139,   0.0882294272723468,   -0.08549405405151275,   0.10617946033429944,
    -0.15284482951051873,  0.2370770068646264,   -0.37345723872158015,   0.5687478385598606,
    -0.8041874294448321,   1.0215105768084562,   -1.1342221242815913,    1.0746932686976676,
    -0.8490453247579777,   0.545422510565663,    -0.2763089675220986,    0.10585982409547308,
    -0.028751691985417886, 0.004923344152587738, -0.00039900679319457223};
constexpr double kK1Den[3] = {0.08166203101845318, 0.7239878193322835, 1.4835841581744134};

// psi(k) for k = 1..kPsiCount as rPsi0 gives it, filled once: the series
// below needs two per term, and the table keeps its results bit for bit.
constexpr int kPsiCount = 1200;

double PsiAtInteger(Qword k) {
  static const auto table = [] {
    struct Table {
      double v[kPsiCount + 1];
    } t{};
    for (int i = 1; i <= kPsiCount; ++i) t.v[i] = rPsi0(i);
    return t;
  }();
  return k <= static_cast<Qword>(kPsiCount) ? table.v[k] : rPsi0(static_cast<double>(k));
}

template <size_t N>
double Horner(const double (&c)[N], double y) {
  double s = c[N - 1];
  for (size_t i = N - 1; i-- > 0;) s = s * y + c[i];
  return s;
}

template <size_t N, size_t M>
double RationalK(double x, const double (&num)[N], const double (&den)[M]) {
  if (!(x >= 1)) return ___NAN;
  const double y = 1 / x;
  return Horner(num, y) / Horner(den, y) * std::exp(-x) / std::sqrt(x);
}
}  // namespace

VELTRIA_API double rBesselK0Rat(double x) { return RationalK(x, kK0Num, kK0Den); }
VELTRIA_API double rBesselK1Rat(double x) { return RationalK(x, kK1Num, kK1Den); }

VELTRIA_API double rBesselK0(double x) {
  if (!(x >= 0)) return ___NAN;
  // Beyond 2 the series loses K_0 against I_0 (6 digits at x = 10).
  if (x > 2) return bessel_detail::KnuAccurate(x, 0);
  const double q = 0.25 * x * x;
  double term = q;  // (x²/4)^k/(k!)²
  double harmonic = 1;
  double sum = q;
  for (int k = 2; k <= 1000; ++k) {
    term = term * q / (static_cast<double>(k) * k);
    harmonic += 1.0 / k;
    const double before = sum;
    sum += harmonic * term;
    if (std::fabs(sum - before) < ___EpsReal) break;
  }
  return -(std::log(0.5 * x) + kEulerGamma) * rBessel_I0(x) + sum;
}

VELTRIA_API double rBesselKnSeries(double x, Qlong n) {
  if (!(x >= 0)) return ___NAN;
  if (x == 0) return ___PlsINF;  // the parts are infinities of both signs
  const Qword m = n < 0 ? Qword{0} - static_cast<Qword>(n) : static_cast<Qword>(n);
  // From m = 172 on (m-1)! overflows and the series gives inf or NaN; its
  // sums would also take m steps.
  if (m > 171) return bessel_detail::KnuAccurate(x, static_cast<double>(m));
  // Orders 0 and 1: the same series with I and psi summed along.
  if (m == 0) return bessel_detail::K0Series(x);
  if (m == 1) return bessel_detail::K1Series(x);
  const double md = static_cast<double>(m);
  const double half = 0.5 * x;
  const double q = half * half;
  // F = sum_{k<m} (m-k-1)! (-x²/4)^k / k!
  double f = 0;
  double term = rFactorial(static_cast<Qlong>(m) - 1);
  for (Qword k = 0; k < m; ++k) {
    f += term;
    term = term * (-q) / (static_cast<double>(k) + 1) / (md - static_cast<double>(k) - 1);
  }
  // L = sum_k (psi(k+1) + psi(m+k+1)) (x²/4)^k / (k! (m+k)!)
  double t = 1 / rFactorial(static_cast<Qlong>(m));
  double l = (PsiAtInteger(1) + PsiAtInteger(m + 1)) * t;
  for (int k = 1; k < 1000; ++k) {
    t = t * q / k / (md + k);
    const Qword kq = static_cast<Qword>(k);
    const double add = (PsiAtInteger(kq + 1) + PsiAtInteger(m + kq + 1)) * t;
    l += add;
    if (std::fabs(add) < ___2EpsReal * std::fabs(l)) break;
  }
  const double s = (m & 1) ? 1.0 : -1.0;  // (-1)^(m+1)
  return 0.5 * riPower(half, -static_cast<Qlong>(m)) * f +
         s * std::log(half) * rBesselIn(x, static_cast<Qlong>(m)) -
         s * 0.5 * riPower(half, static_cast<Qlong>(m)) * l;
}

VELTRIA_API double rBesselKnuAsympt(double x, double nu, Dword n) {
  const double mu = 4 * nu * nu;
  double term = (mu - 1) / (8 * x);
  double sum = 1 + term;
  const double last = 2.0 * n;
  for (double k = 2; k <= last; ++k) {
    const double g = 2 * k - 1;
    term = term * (mu - g * g) / (8 * k * x);
    sum += term;
  }
  return std::sqrt(kHalfPi / x) * std::exp(-x) * sum;
}

double rBesselKRecurUp(double x, double nu, Qword m, double c, double d) {
  double k_cur = c;
  double k_prev = d;
  double order = nu - static_cast<double>(m);
  for (Qword i = 0; i < m; ++i) {
    const double next = 2 * order / x * k_cur + k_prev;
    k_prev = k_cur;
    k_cur = next;
    order += 1;
  }
  return k_cur;
}

VELTRIA_API double rBessel_Knu(double x, double nu) { return bessel_detail::KnuAccurate(x, nu); }

VELTRIA_API double rBesselKnuDefinitive(double x, double nu) {
  if (!(x >= 0) || std::isnan(nu)) return ___NAN;
  if (x == 0) return ___PlsINF;
  const double m = std::fabs(nu);
  // Beyond this order the recurrences below would take as many steps; the
  // real-order path switches to Debye's expansion there.
  if (m > 1e5) return rBessel_Knu(x, m);
  double ip;
  const bool integer = rModf(m, &ip) == 0;
  if (x >= 17) {
    const double c = 15.8 + 0.06 * (x + 10) - 2950 / (x * x);
    if (m <= c) return rBesselKnuAsympt(x, m, 10);
    // From x = 700 the start values e^-x underflow while K of a high order
    // does not: the scaled pair there.
    if (!integer || x >= 700) return rBessel_Knu(x, m);
    const Qword e = DoubleToQword(std::fabs(m - (c - 1)));
    const double from = m - static_cast<double>(e);
    return rBesselKRecurUp(x, m, e, rBesselKnuAsympt(x, from, 10),
                           rBesselKnuAsympt(x, from - 1, 10));
  }
  const double p = rPow(x - 5, 1.34 / (1 - 0.00075 * x));
  if (!integer) return rBessel_Knu(x, m);
  if (x < 5 || m > 10 + 0.6 * p) {
    // The series cancels as K falls below I (8e-12 for K_0(4.4)): Temme's
    // pair and the recurrence there.
    if (x > 2 && m <= 10 + 0.6 * p) return rBessel_Knu(x, m);
    // On [1, 2) the rational forms hold K_0 and K_1 to 2 eps, where the
    // series loses up to 20 eps to cancellation against I.
    if (x >= 1 && x < 2 && m <= 1) return m == 0 ? rBesselK0Rat(x) : rBesselK1Rat(x);
    return rBesselKnSeries(x, DoubleToQlong(m));
  }
  if (m == 0) return rBesselK0Rat(x);
  return rBesselKRecurUp(x, m, DoubleToQword(m) - 1, rBesselK1Rat(x), rBesselK0Rat(x));
}

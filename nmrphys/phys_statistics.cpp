// Statistical physics: partition functions of the harmonic oscillator and
// of a spin, the Einstein functions, the Debye integral and the Debye
// function. Exponentials are taken relative to the largest one of a sum, so
// results that are representable never pass through an overflow.
#include <cmath>

#include "nmrphys/physics.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

VELTRIA_API double rPartiHarmonicOsci(double x, double delta) {
  return std::exp(-delta * x) / -std::expm1(-x);
}
VELTRIA_API double rPartiHarmonicOsciMeanE(double x, double delta) {
  return (delta + (1.0 - delta) * std::exp(-x)) / -std::expm1(-x);
}

namespace {

// Sums of w(m) exp(m x) over m = -n/2 ... n/2, each exponent shifted by the
// largest, and that largest exponent.
struct SpinSums {
  double plain = 0, first = 0, second = 0, shift = 0;
};

SpinSums Sums(double x, Dword n) {
  SpinSums s;
  const double half = 0.5 * n;
  s.shift = std::fabs(half * x);
  for (Dword k = 0; k <= n; ++k) {
    const double m = k - half;
    const double e = std::exp(m * x - s.shift);
    s.plain += e;
    s.first += k * e;
    s.second += m * m * e;
  }
  return s;
}

}  // namespace

VELTRIA_API double rPartiSpin(double x, Dword n) {
  const SpinSums s = Sums(x, n);
  return s.plain * std::exp(s.shift);
}
VELTRIA_API double rPartiSpinMeanSz(double x, Dword n) {
  const SpinSums s = Sums(x, n);
  return s.first / s.plain - 0.5 * n;
}
VELTRIA_API double rPartiSpinMeanSz2(double x, Dword n) {
  const SpinSums s = Sums(x, n);
  return s.second / s.plain;
}
VELTRIA_API double rSpinSquareMagnitude(Dword n) {
  const double d = n;
  return d * (d + 2.0) / 4.0;
}
VELTRIA_API double rSpinMagnitude(Dword n) { return std::sqrt(rSpinSquareMagnitude(n)); }

// x^2 e^x / (e^x - 1)^2 is even; with a = |x| it is a^2 e^-a / (1 - e^-a)^2,
// which stays finite where e^a overflows.
VELTRIA_API double rEinstein1(double x) {
  if (x == 0) return 1.0;
  const double a = std::fabs(x);
  const double d = std::expm1(-a);
  return a * a * std::exp(-a) / (d * d);
}
VELTRIA_API double rEinstein2(double x) {
  if (x == 0) return 1.0;
  return x / std::expm1(x);
}
VELTRIA_API double rEinstein3(double x) {
  if (x == 0) return ___NAN;
  return std::log(-std::expm1(-x));
}
VELTRIA_API double rEinstein4(double x) {
  if (x == 0) return ___NAN;
  return rEinstein2(x) - rEinstein3(x);
}

VELTRIA_API double rDebyeR(double x, double n) {
  if (!(n > 0) || !(x >= 0)) return ___NAN;
  if (x == 0) return 0.0;
  if (x < std::sqrt(2.0 * std::sqrt(___EpsReal))) return std::pow(x, n) / n;
  // Rectangle rule with the fixed step h. Past the integrand's maximum (near
  // t = n) the terms only fall; once the rest cannot change the sum the loop
  // ends instead of walking on to x in steps of 1e-6.
  const double h = 1e-6;
  const double eh = std::exp(h);
  const double tail_factor = 2.0 / h;  // the rest is at most this many terms
  double t = h, e = 1.0, sum = 0.0;
  while (t <= x) {
    e *= eh;
    const double term = std::pow(t, n) / (e - 1.0);
    sum += term;
    if (t > 2.0 * n + 2.0 && term * tail_factor < sum * 1e-17) break;
    t += h;
  }
  return sum * h;
}

namespace {

void Tally(Qword* counter, Qword n) {
  if (counter) *counter += n;
}

// 1 - n x / (2n + 2) + n sum_k (B_k / k!) x^k / (k + n), k = 2, 4, ...
double DebyeSeries(double x, Qword n, Qword* counter) {
  Tally(counter, 1);
  const double dn = static_cast<double>(n);
  double sum = 1.0 - dn * x / (2.0 * dn + 2.0);
  const double x2 = x * x;
  double xk = 1.0;
  for (Qword k = 2;; k += 2) {
    xk *= x2;
    const double term = dn * rBernoulliNumDivFact(k) * xk / (static_cast<double>(k) + dn);
    sum += term;
    Tally(counter, k == 2 ? 3 : 4);
    if (!(std::fabs(term) >= std::fabs(sum) * ___5EpsReal) || k > 400) break;
  }
  Tally(counter, 5);
  return sum;
}

// n ((zeta(n+1)) / (x^n / n!) - sum_k e^(-kx)/k sum_i n!/((n-i)! (kx)^i)).
double DebyeExponentialSum(double x, Qword n, Qword* counter) {
  Tally(counter, 10);
  const double dn = static_cast<double>(n);
  double sum = 0.0;
  for (Qword k = 1;; ++k) {
    const double kx = static_cast<double>(k) * x;
    double p = 1.0, inner = 1.0;
    for (Qword i = 1; i <= n; ++i) {
      p *= static_cast<double>(n - i + 1) / kx;
      inner += p;
      Tally(counter, 3);
    }
    const double g = std::exp(-kx) / static_cast<double>(k) * inner;
    sum += g;
    Tally(counter, k == 1 ? 4 : 5);
    if (!(std::fabs(g) >= std::fabs(sum) * ___5EpsReal) || k > 100000) break;
  }
  const double xn_by_fact = std::exp(dn * std::log(x) - rFactorialLn(static_cast<Qlong>(n)));
  Tally(counter, 5);
  return dn * ((1.0 + rRiemannZetaM1(dn + 1.0)) / xn_by_fact - sum);
}

// Below this the series is used; it converges up to 2 pi but its terms grow
// past the largest double near the radius, so the exponential sum, accurate
// from about 3 on, takes over early.
constexpr double kSeriesLimit = 4.0;

}  // namespace

VELTRIA_API double rDebyeU(double x, Qword n, Qword* counter) {
  if (counter) *counter = 0;
  if (std::isnan(x)) return ___NAN;
  if (std::fabs(x) < ___EpsReal) return 1.0;
  if (std::fabs(x) < kSeriesLimit) return DebyeSeries(x, n, counter);
  if (x > 0) return DebyeExponentialSum(x, n, counter);
  // D_n(-a) = D_n(a) + n a / (n + 1): the odd part of the series is its
  // linear term alone.
  const double a = -x;
  const double dn = static_cast<double>(n);
  return DebyeExponentialSum(a, n, counter) + dn * a / (dn + 1.0);
}

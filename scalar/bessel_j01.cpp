// J_0 and J_1 of x >= 0 by their own forms: the Taylor series up to 2,
// Chebyshev expansions in x^2 up to 8, Hankel's amplitude and phase terms as expansions in 1/x^2
// beyond, with sin x and cos x of the unreduced argument (no x - pi/4 rounding).
#include <cmath>

#include "scalar/bessel_internal.h"
#include "scalar/bessel_j01_tables.h"

namespace bessel_detail {
namespace {
template <int N>
double Chebyshev(const double (&c)[N], double t) {
  const double t2 = 2 * t;
  double b1 = 0, b2 = 0;
  for (int k = N - 1; k >= 1; --k) {
    const double b = c[k] + t2 * b1 - b2;
    b2 = b1;
    b1 = b;
  }
  return c[0] + t * b1 - b2;
}

double MidT(double x) { return (x * x - 34) / 30; }

// 1/(k!)^2 and 1/(k! (k+1)!): the Taylor coefficients in q = x^2/4.
constexpr int kTaylorTerms = 13;  // q^13/(13!)^2 < 2^-70 for q <= 1
struct Taylor {
  double j0[kTaylorTerms], j1[kTaylorTerms];
};
constexpr Taylor kTaylor = [] {
  Taylor t{};
  double f = 1;  // k!
  for (int k = 0; k < kTaylorTerms; ++k) {
    if (k > 0) f *= k;
    t.j0[k] = (k & 1 ? -1.0 : 1.0) / (f * f);
    t.j1[k] = (k & 1 ? -1.0 : 1.0) / (f * (f * (k + 1)));
  }
  return t;
}();

double TaylorSum(const double (&c)[kTaylorTerms], double q) {
  // Even and odd halves side by side: half the dependent chain.
  static_assert(kTaylorTerms % 2 == 1, "an even term last");
  const double q2 = q * q;
  double even = c[kTaylorTerms - 1];
  double odd = c[kTaylorTerms - 2];
  for (int k = kTaylorTerms - 3; k >= 0; k -= 2) {
    even = c[k] + q2 * even;
    if (k >= 2) odd = c[k - 1] + q2 * odd;
  }
  return even + q * odd;
}
double LargeT(double x) { return 128 / (x * x) - 1; }
}  // namespace

double J0Direct(double x) {
  using namespace bessel_j01;
  if (x <= 2) return TaylorSum(kTaylor.j0, 0.25 * x * x);
  if (x <= 8) return Chebyshev(kJ0Mid, MidT(x));
  const double t = LargeT(x);
  const double p = Chebyshev(kP0, t);
  const double q = Chebyshev(kQ0, t) / x;
  const double s = std::sin(x);
  const double c = std::cos(x);
  // cos(x - pi/4) = (c + s)/sqrt 2, sin(x - pi/4) = (s - c)/sqrt 2.
  return (p * (c + s) - q * (s - c)) / std::sqrt(kPi * x);
}

double J1Direct(double x) {
  using namespace bessel_j01;
  if (x <= 2) return 0.5 * x * TaylorSum(kTaylor.j1, 0.25 * x * x);
  if (x <= 8) return x * Chebyshev(kJ1Mid, MidT(x));
  const double t = LargeT(x);
  const double p = Chebyshev(kP1, t);
  const double q = Chebyshev(kQ1, t) / x;
  const double s = std::sin(x);
  const double c = std::cos(x);
  // cos(x - 3pi/4) = (s - c)/sqrt 2, sin(x - 3pi/4) = -(s + c)/sqrt 2.
  return (p * (s - c) + q * (s + c)) / std::sqrt(kPi * x);
}
}  // namespace bessel_detail

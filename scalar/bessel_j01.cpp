// J_0 and J_1 of x >= 0 by their own forms: near-minimax polynomials in x^2
// up to 2,
// Chebyshev expansions in x^2 up to 8, Hankel's amplitude and phase terms as expansions in 1/x^2
// beyond, with sin x and cos x of the unreduced argument (no x - pi/4 rounding).
#include <cmath>

#include "scalar/bessel_internal.h"
#include "scalar/bessel_j01_tables.h"
#include "scalar/double_double.h"

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

double LargeT(double x) { return 128 / (x * x) - 1; }

// Degree-8 polynomials by Estrin's scheme: four dependent multiply-adds
// instead of eight.
double Estrin8(const double (&c)[9], double q) {
  const double q2 = q * q;
  const double q4 = q2 * q2;
  const double lo = (c[0] + c[1] * q) + q2 * (c[2] + c[3] * q);
  const double hi = (c[4] + c[5] * q) + q2 * (c[6] + c[7] * q) + q4 * c[8];
  return lo + q4 * hi;
}

// J_0 up to 2 as (1 - q) + q^2 T(q), q = x^2/4, with 1 - q formed from the
// exact square: near x = 2 the Taylor terms 1 - q + q^2/4 ... cancel to 0.22
// (8 ulp), while here the two parts are both positive.
double J0Small(double x) {
  // x^2 = p + e exactly, with x split once into halves of 26 bits.
  double h, l;
  dd::Split(x, h, l);
  const double p = x * x;
  const double e = ((h * h - p) + 2.0 * h * l) + l * l;
  const double q = 0.25 * p;
  return ((1.0 - q) - 0.25 * e) + q * q * Estrin8(bessel_j01::kJ0SmallTail, q);
}

// J_1 up to 2 from its near-minimax polynomial of degree 8 in q = x^2/4
// (the Taylor series needs 12 terms).
double J1Small(double x) { return 0.5 * x * Estrin8(bessel_j01::kJ1Small, 0.25 * x * x); }
}  // namespace

double J0Direct(double x) {
  using namespace bessel_j01;
  if (x <= 2) return J0Small(x);
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
  if (x <= 2) return J1Small(x);
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

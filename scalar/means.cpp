// Arithmetic, geometric, harmonic, quadratic and Heronian means of two
// numbers, and the power and Lehmer means.
#include "scalar/means.h"

#include <cmath>

#include "scalar/elementary.h"
#include "scalar/means_scaling.h"
#include "scalar/real_helpers.h"

namespace {

bool OppositeSigns(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// The exponent that lifts arguments whose larger magnitude lies below
// 2^-960 (0 otherwise), so sums and products of them stay normal.
int TinyScale(double a, double b) {
  const double big = std::fmax(std::fabs(a), std::fabs(b));
  return big < 0x1p-960 ? -1000 : 0;
}

// The larger and the smaller magnitude and the signs of the values they
// came from.
struct Ordered {
  double big, small;
  double big_sign, small_sign;
};

Ordered Order(double a, double b) {
  const bool a_big = std::fabs(a) >= std::fabs(b);
  const double x = a_big ? a : b;
  const double y = a_big ? b : a;
  return {std::fabs(x), std::fabs(y), x < 0 ? -1.0 : 1.0, y < 0 ? -1.0 : 1.0};
}

// (num/den)^q for magnitudes; through logarithms when the ratio leaves the
// normal range, where rPow would clamp a power that still matters for a
// real order near 0 (a zero numerator gives 0 for q > 0).
double RatioPower(double num, double den, double q) {
  if (q == 0) return 1;
  const double r = num / den;
  if (std::isnormal(r)) return rPow(r, q);
  return std::exp(q * (std::log(num) - std::log(den)));
}

// sign^k for an integer order.
double SignPower(double sign, Qlong k) { return (k & 1) ? sign : 1.0; }

}  // namespace

VELTRIA_API double rMeanA(double a, double b) { return HalfSum(a, b); }

VELTRIA_API double rMeanG(double a, double b) {
  if (OppositeSigns(a, b)) return ___NAN;
  return GeometricMeanOfProduct(a, b);
}

// The harmonic mean, with the zero rules applied after lifting tiny
// arguments, so that only a true cancellation of the sum remains.
VELTRIA_API double rMeanH(double a, double b) {
  if (a == 0 || b == 0) return 0;
  const int e = TinyScale(a, b);
  const double x = std::ldexp(a, -e);
  const double y = std::ldexp(b, -e);
  const double m = HalfSum(x, y);
  if (x > 0 && y > 0 && m < ___MinReal) return 0;
  if (x < 0 && y < 0 && m > -___MinReal) return 0;
  if (OppositeSigns(x, y) && std::fabs(m) < ___MinReal) return ___NAN;
  const double p = x * y;
  // y/m lies in (0, 2) for equal signs, so the second order cannot overflow
  // where the product would.
  return std::ldexp(std::isnormal(p) ? p / m : x * (y / m), e);
}

VELTRIA_API double rMeanH2(double a, double b) {
  if (a == 0 || b == 0) return 0;
  if (!std::isfinite(a) || !std::isfinite(b))
    return std::sqrt(a * a * b * b / ((a * a + b * b) / 2));
  const int e = BinaryExponent(std::fmax(std::fabs(a), std::fabs(b)));
  const double x = std::ldexp(a, -e);
  const double y = std::ldexp(b, -e);
  const double small = std::fabs(x) < std::fabs(y) ? std::fabs(x) : std::fabs(y);
  // Far below the larger one the mean is sqrt(2) times the smaller value to
  // working precision, and its square would underflow.
  if (small < 0x1p-500)
    return std::sqrt(2.0) * (std::fabs(a) < std::fabs(b) ? std::fabs(a) : std::fabs(b));
  const double xx = x * x;
  const double yy = y * y;
  return std::ldexp(std::sqrt(xx * yy / ((xx + yy) / 2)), e);
}

VELTRIA_API double rMeanRms(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return std::sqrt((a * a + b * b) / 2);
  const int e = BinaryExponent(std::fmax(std::fabs(a), std::fabs(b)));
  const double x = std::ldexp(a, -e);
  const double y = std::ldexp(b, -e);
  return std::ldexp(std::sqrt((x * x + y * y) / 2), e);
}

VELTRIA_API double rMeanHero(double a, double b) {
  const double A = rMeanA(a, b);
  const double G = rMeanG(a, b);
  const double r = (2 * A + G) / 3;
  if (std::isinf(r) && std::isfinite(A) && std::isfinite(G)) return 2 * (A / 3) + G / 3;
  return r;
}

// (a + b + sum over 0 < i < k of |a|^(i/k) |b|^((k-i)/k)) / (k + 1). With M
// the larger magnitude and d = ln(m/M) <= 0 the inner terms are M e^(d j/k)
// for j = 1 .. k-1, summed directly for moderate k and as a geometric series
// beyond, so a huge k costs no more than a small one. The logarithms are the
// C library's, which take subnormal magnitudes too.
VELTRIA_API double rMeanHeroK(double a, double b, Qword k) {
  if (k == 0) return ___NAN;
  if (k == 1) return rMeanA(a, b);
  if (k == 2) return rMeanHero(a, b);
  if (std::isnan(a) || std::isnan(b)) return a + b;
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  const double M = fa > fb ? fa : fb;
  const double m = fa > fb ? fb : fa;
  if (M == 0) return 0;
  const double kd = static_cast<double>(k);
  if (std::isinf(M)) return (a + b) / (kd + 1);
  double inner = 0;
  if (m > 0) {
    const double ratio = m / M;
    const double d = std::isnormal(ratio) ? std::log(ratio) : std::log(m) - std::log(M);
    constexpr Qword kDirectLimit = 4096;
    if (d == 0) {
      inner = kd - 1;
    } else if (k <= kDirectLimit) {
      for (Qword j = 1; j < k; ++j) inner += std::exp(d * static_cast<double>(j) / kd);
    } else {
      const double t = d / kd;
      inner = std::exp(t) * std::expm1(t * (kd - 1)) / std::expm1(t);
    }
  }
  const double ends = a / M + b / M;
  return M * ((ends + inner) / (kd + 1));
}

// The power and Lehmer means are homogeneous of degree 1. They are written
// in the ratio r = small/big <= 1 (or its inverse for negative orders), so
// every power taken is at most 1 and none overflows; the formulas are those
// of rPow and riPower on the ratio, times the magnitude factored out.
VELTRIA_API double rMeanHoelder(double a, double b, double p) {
  if (p == 0) return rMeanG(a, b);
  if (!std::isfinite(a) || !std::isfinite(b) || std::isnan(p)) {
    return rPow(0.5 * (rPow(a, p) + rPow(b, p)), 1 / p);
  }
  const Ordered o = Order(a, b);
  if (o.big == 0) return 0;
  if (p > 0) return o.big * rPow(0.5 * (1 + RatioPower(o.small, o.big, p)), 1 / p);
  if (o.small == 0) return 0;
  return o.small * rPow(0.5 * (1 + RatioPower(o.big, o.small, p)), 1 / p);
}

VELTRIA_API double rMeanHoelderI(double a, double b, Qlong k) {
  switch (k) {
    case 0:
      return rMeanG(a, b);
    case 1:
      return rMeanA(a, b);
    case 2:
      return rMeanRms(a, b);
    case -1:
      return rMeanH(a, b);
    case -2:
      return rMeanH2(a, b);
    default:
      break;
  }
  const double inv = 1 / static_cast<double>(k);
  if (!std::isfinite(a) || !std::isfinite(b))
    return rPow(0.5 * (riPower(a, k) + riPower(b, k)), inv);
  const Ordered o = Order(a, b);
  if (k > 0) {
    if (o.big == 0) return 0;
    const double r = riPower(o.small / o.big, k);
    return o.big * rPow(0.5 * (SignPower(o.big_sign, k) + SignPower(o.small_sign, k) * r), inv);
  }
  if (o.small == 0) return ___NAN;  // a zero to a negative power
  const double s = riPower(o.big / o.small, k);
  return o.small * rPow(0.5 * (SignPower(o.small_sign, k) + SignPower(o.big_sign, k) * s), inv);
}

// For 0 < p < 1 the denominator's power is negative; there the mean is
// big r^(1-p) (1 + r^p) / (1 + r^(1-p)).
VELTRIA_API double rMeanLehmer(double a, double b, double p) {
  if (p == 0) return rMeanH(a, b);
  if (!std::isfinite(a) || !std::isfinite(b) || std::isnan(p)) {
    return (rPow(a, p) + rPow(b, p)) / (rPow(a, p - 1) + rPow(b, p - 1));
  }
  const Ordered o = Order(a, b);
  if (o.big == 0) return ___NAN;
  if (p >= 1) {
    return o.big * ((1 + RatioPower(o.small, o.big, p)) / (1 + RatioPower(o.small, o.big, p - 1)));
  }
  if (p < 0) {
    if (o.small == 0) return 0;
    return o.small *
           ((1 + RatioPower(o.big, o.small, p)) / (1 + RatioPower(o.big, o.small, p - 1)));
  }
  if (o.small == 0) return 0;
  const double t = RatioPower(o.small, o.big, 1 - p);
  const double f = (1 + RatioPower(o.small, o.big, p)) / (1 + t);
  if (std::isnormal(o.small / o.big)) return o.big * t * f;
  // big r^(1-p) in one exponential: the factor alone may underflow.
  return std::exp(std::log(o.big) + (1 - p) * (std::log(o.small) - std::log(o.big))) * f;
}

VELTRIA_API double rMeanLehmerI(double a, double b, Qlong k) {
  if (k == 0) return rMeanH(a, b);
  if (k == 1) return rMeanA(a, b);
  if (!std::isfinite(a) || !std::isfinite(b)) {
    return (riPower(a, k) + riPower(b, k)) / (riPower(a, k - 1) + riPower(b, k - 1));
  }
  const Ordered o = Order(a, b);
  if (o.big == 0) return ___NAN;
  if (k > 0) {
    const double r = o.small / o.big;
    const double num = SignPower(o.big_sign, k) + SignPower(o.small_sign, k) * riPower(r, k);
    const double den =
        SignPower(o.big_sign, k - 1) + SignPower(o.small_sign, k - 1) * riPower(r, k - 1);
    return o.big * (num / den);
  }
  if (o.small == 0) return ___NAN;  // a zero to a negative power
  const double s = o.big / o.small;
  const double num = SignPower(o.small_sign, k) + SignPower(o.big_sign, k) * riPower(s, k);
  const double den =
      SignPower(o.small_sign, k - 1) + SignPower(o.big_sign, k - 1) * riPower(s, k - 1);
  return o.small * (num / den);
}

// Airy functions Ai and Bi on the real line. Near 0 the Maclaurin series
// of Abramowitz and Stegun 10.4.2/10.4.3; for x > 0 beyond it the modified
// Bessel functions of order 1/3; for x < 0 the same series in double-double
// arithmetic (its alternating terms cancel by up to e^(2/3 |x|^1.5)), then
// the oscillating asymptotic expansions 10.4.60 and 10.4.64 with the phase
// reduced in double-double.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel_ik.h"
#include "scalar/bessel_ik_internal.h"

namespace {

constexpr double kAi0 = 0.3550280538878172;    // Ai(0)
constexpr double kMAiD0 = 0.2588194037928068;  // -Ai'(0)
constexpr double kSqrt3 = 1.7320508075688772;
constexpr double kPi = 3.141592653589793;
constexpr double kInvSqrtPi = 0.5641895835477563;

// Region edges, chosen by the error against the reference table.
constexpr double kSeriesEdge = 1.0;  // |x| up to here: the double series
constexpr double kAsympEdge = 9.5;   // -x from here: the asymptotic forms

// The fixed-length series f and g of 10.4.2.
void SeriesFG(double x, double* f_out, double* g_out) {
  const double x3 = x * x * x;
  double f = 1;
  double tf = 1;
  double g = x;
  double tg = x;
  for (int k = 0; k < 99; ++k) {
    const double k3 = 3.0 * k;
    tf = tf * x3 / ((k3 + 3) * (k3 + 2));
    tg = tg * x3 / ((k3 + 4) * (k3 + 3));
    f += tf;
    g += tg;
  }
  *f_out = f;
  *g_out = g;
}

// Double-double numbers: hi + lo with |lo| <= ulp(hi)/2.
struct DD {
  double hi;
  double lo;
};

inline DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}
inline DD FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}
inline void Split(double a, double* h, double* l) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  *h = t - (t - a);
  *l = a - *h;
}
inline DD TwoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  Split(a, &ah, &al);
  Split(b, &bh, &bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}
inline DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  s.lo += a.lo + b.lo;
  return FastTwoSum(s.hi, s.lo);
}
inline DD Mul(DD a, DD b) {
  DD p = TwoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo);
}
inline DD Mul(DD a, double b) {
  DD p = TwoProd(a.hi, b);
  p.lo += a.lo * b;
  return FastTwoSum(p.hi, p.lo);
}
inline DD Div(DD a, double b) {
  const double q1 = a.hi / b;
  const DD p = TwoProd(q1, b);
  const double q2 = ((a.hi - p.hi) - p.lo + a.lo) / b;
  return FastTwoSum(q1, q2);
}

// f and g of the Maclaurin series for x < 0 in double-double; both stay
// of order 1 there, so an absolute stop suffices.
void SeriesFGDouble(double x, DD* f_out, DD* g_out) {
  const DD x3 = Mul(TwoProd(x, x), x);
  DD f{1, 0};
  DD tf{1, 0};
  DD g{x, 0};
  DD tg{x, 0};
  for (int k = 0; k < 200; ++k) {
    const double k3 = 3.0 * k;
    tf = Div(Mul(tf, x3), (k3 + 3) * (k3 + 2));
    tg = Div(Mul(tg, x3), (k3 + 4) * (k3 + 3));
    f = Add(f, tf);
    g = Add(g, tg);
    if (std::fabs(tf.hi) + std::fabs(tg.hi) < 1e-22) break;
  }
  *f_out = f;
  *g_out = g;
}

// Ai and Bi for x < 0 from the double-double series.
void AiryNegativeSeries(double x, double* ai, double* bi) {
  DD f, g;
  SeriesFGDouble(x, &f, &g);
  const DD a = Mul(f, kAi0);
  const DD b = Mul(g, kMAiD0);
  *ai = Add(a, DD{-b.hi, -b.lo}).hi;
  *bi = kSqrt3 * Add(a, b).hi;
}

// zeta = (2/3) z^1.5 to double-double accuracy: its rounding error alone,
// times zeta, would otherwise show in e^(±zeta) and in the phase.
DD Zeta(double z) {
  const double s0 = std::sqrt(z);
  const DD sq = TwoProd(s0, s0);
  const double s1 = ((z - sq.hi) - sq.lo) / (2 * s0);
  const DD s = FastTwoSum(s0, s1);
  return Div(Mul(Mul(s, z), 2.0), 3.0);
}

// Ai(-z), Bi(-z) for large z > 0: 10.4.60 and 10.4.64 with
// zeta = (2/3) z^1.5 and theta = zeta + pi/4 in double-double.
void AiryNegativeAsymp(double z, double* ai, double* bi) {
  const double s0 = std::sqrt(z);
  const DD zeta = Zeta(z);
  // theta reduced by pi/2.
  const DD theta = Add(zeta, DD{0.7853981633974483, 3.061616997868383e-17});
  const double nq = std::nearbyint(theta.hi / 1.5707963267948966);
  const DD sub = Mul(DD{1.5707963267948966, 6.123233995736766e-17}, nq);
  const DD r = Add(theta, DD{-sub.hi, -sub.lo});
  const double sr = std::sin(r.hi) + r.lo * std::cos(r.hi);
  const double cr = std::cos(r.hi) - r.lo * std::sin(r.hi);
  double sin_t, cos_t;
  switch (DoubleToQlong(nq) & 3) {
    case 0:
      sin_t = sr;
      cos_t = cr;
      break;
    case 1:
      sin_t = cr;
      cos_t = -sr;
      break;
    case 2:
      sin_t = -sr;
      cos_t = -cr;
      break;
    default:
      sin_t = -cr;
      cos_t = sr;
      break;
  }
  // P = sum (-1)^k c_2k zeta^-2k, Q = sum (-1)^k c_(2k+1) zeta^-(2k+1),
  // c_k = Gamma(3k + 1/2) / (54^k k! Gamma(k + 1/2)); stop at the least term.
  const double iz = 1.0 / zeta.hi;
  double p = 1;
  double q = 0;
  double term = 1;  // c_k zeta^-k
  double prev = INFINITY;
  for (int k = 1; k < 60; ++k) {
    const double kk = k;
    term *= (3 * kk - 0.5) * (3 * kk - 1.5) * (3 * kk - 2.5) / (54 * kk * (kk - 0.5)) * iz;
    if (!(term < prev)) break;
    prev = term;
    const double signed_term = ((k >> 1) & 1) ? -term : term;
    if (k & 1) {
      q += signed_term;
    } else {
      p += signed_term;
    }
    if (term < 1e-17) break;
  }
  const double amp = kInvSqrtPi / std::sqrt(s0);  // pi^-1/2 z^-1/4
  *ai = amp * (sin_t * p - cos_t * q);
  *bi = amp * (cos_t * p + sin_t * q);
}

}  // namespace

VELTRIA_API double rAi(double x) {
  if (std::isnan(x)) return x;
  if (std::fabs(x) <= kSeriesEdge) {
    double f, g;
    SeriesFG(x, &f, &g);
    return kAi0 * f - kMAiD0 * g;
  }
  double ai, bi;
  if (x > 0) {
    // Ai(x) = sqrt(x/3)/pi K_1/3(zeta); the low part of zeta enters through
    // d ln K/d zeta = -1 - 1/(2 zeta) + O(zeta^-2).
    if (std::isinf(x)) return 0;
    const DD zeta = Zeta(x);
    const double k = bessel_detail::KnuAccurate(zeta.hi, 1.0 / 3.0);
    return std::sqrt(x / 3) / kPi * (k - k * zeta.lo * (1 + 0.5 / zeta.hi));
  }
  if (std::isinf(x)) return 0;  // the oscillation decays as |x|^-1/4
  if (-x < kAsympEdge) {
    AiryNegativeSeries(x, &ai, &bi);
  } else {
    AiryNegativeAsymp(-x, &ai, &bi);
  }
  return ai;
}

VELTRIA_API double rBi(double x) {
  if (std::isnan(x)) return x;
  if (std::fabs(x) <= kSeriesEdge) {
    double f, g;
    SeriesFG(x, &f, &g);
    return kSqrt3 * (kAi0 * f + kMAiD0 * g);
  }
  double ai, bi;
  if (x > 0) {
    // Bi(x) = sqrt(x/3) (I_-1/3(zeta) + I_1/3(zeta)); d ln I/d zeta is
    // 1 - 1/(2 zeta) + O(zeta^-2).
    if (std::isinf(x)) return x;
    const DD zeta = Zeta(x);
    const double i =
        rBesselInuDefinitive(zeta.hi, -1.0 / 3.0) + rBesselInuDefinitive(zeta.hi, 1.0 / 3.0);
    if (std::isinf(i)) return i;
    return std::sqrt(x / 3) * (i + i * zeta.lo * (1 - 0.5 / zeta.hi));
  }
  if (std::isinf(x)) return 0;  // the oscillation decays as |x|^-1/4
  if (-x < kAsympEdge) {
    AiryNegativeSeries(x, &ai, &bi);
  } else {
    AiryNegativeAsymp(-x, &ai, &bi);
  }
  return bi;
}

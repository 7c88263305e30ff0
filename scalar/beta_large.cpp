// ln B(a, b) at large shapes, taken apart with Stirling's formula so that
// nothing cancels. With p >= q, s = p + q, x0 = p/s and y0 = q/s:
//   q large: B = sqrt(2 pi) x0^(p-1/2) y0^(q-1/2) s^(-1/2) e^(mu(p)+mu(q)-mu(s))
//   q small: B = Gamma(q) x0^(p-1/2) (e/s)^q e^(mu(p)-mu(s))
// (mu Binet's remainder). The terms of the exponent do not cancel (all have
// one sign but q, which meets -q ln s with ln s > 2.4), so its rounding
// error is a few eps of the result's logarithm; the logarithms are
// taken in double-double, because e^E turns an absolute error of E into a
// relative one, and E reaches -745 before B underflows.
#include <cmath>

#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"

namespace {
constexpr dd::DD kLn2DD = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr dd::DD kHalfLn2PiDD = {0x1.d67f1c864beb5p-1, -0x1.65b5a1b7ff5dfp-55};
constexpr double kSqrtHalf = 0.70710678118654752;

dd::DD Scale(dd::DD v, double c) { return {v.hi * c, v.lo * c}; }  // c a power of two

// v times a shape; beyond 2^995 Dekker's split of the shape would overflow,
// so the factor 2^64 moves over to v (a logarithm, far from overflow).
dd::DD MulShape(dd::DD v, double shape) {
  if (shape > 0x1p995) return dd::Mul(Scale(v, 0x1p64), shape * 0x1p-64);
  return dd::Mul(v, shape);
}

// num/den for positive num and den with the exponents taken off first, so
// that no intermediate product overflows; a quotient below the normal range
// keeps what the subnormals hold.
dd::DD Ratio(double num, dd::DD den) {
  int en = 0, ed = 0;
  const double mn = std::frexp(num, &en);
  const double md = std::frexp(den.hi, &ed);
  const double ld = den.lo == 0 ? 0.0 : std::ldexp(den.lo, -ed);
  const dd::DD m = dd::Div({mn, 0.0}, {md, ld});
  return {std::ldexp(m.hi, en - ed), std::ldexp(m.lo, en - ed)};
}

// 1/(2k + 5), k = 0, 1, ...: the coefficients of the atanh series past t^3.
constexpr double kInvOdd[] = {1.0 / 5,  1.0 / 7,  1.0 / 9,  1.0 / 11, 1.0 / 13,
                              1.0 / 15, 1.0 / 17, 1.0 / 19, 1.0 / 21, 1.0 / 23};

// ln(1 + f) for f in [-0.3, 0.42] given in double-double: with
// t = f/(2 + f), ln(1 + f) = 2 atanh t = 2t + 2t^3/3 + 2t^5 (1/5 + t^2/7 + ...);
// |t| <= 0.172, so the first two terms in double-double and the rest (at
// most 1.8e-4 of the whole, ten terms enough for 1e-15 of it) in double
// leave a relative error of about 2^-104.
dd::DD Log1pDD(dd::DD f) {
  const dd::DD den = dd::Renormalize(2.0 + f.hi, (2.0 - (2.0 + f.hi) + f.hi) + f.lo);
  const dd::DD t = dd::Div(f, den);
  const dd::DD t2 = dd::Mul(t, t);
  const dd::DD t3 = dd::Mul(t2, t);
  double rest = kInvOdd[9];
  for (int k = 8; k >= 0; --k) rest = kInvOdd[k] + t2.hi * rest;
  constexpr dd::DD kTwoThirds = {0x1.5555555555555p-1, 0x1.5555555555555p-55};
  const dd::DD lead = dd::Add(Scale(t, 2.0), dd::Mul(t3, kTwoThirds));
  return dd::Add(lead, {2.0 * t3.hi * t2.hi * rest, 0.0});
}
}  // namespace

namespace gamma_detail {
// The binary exponents are taken off first, so the quotient may lie far
// outside the range of doubles.
dd::DD LogRatio(dd::DD num, dd::DD den) {
  int en = 0, ed = 0;
  const double mn = std::frexp(num.hi, &en);
  const double md = std::frexp(den.hi, &ed);
  const double ln = num.lo == 0 ? 0.0 : std::ldexp(num.lo, -en);
  const double ld = den.lo == 0 ? 0.0 : std::ldexp(den.lo, -ed);
  dd::DD m = dd::Div({mn, ln}, {md, ld});  // in (1/2, 2)
  int k = en - ed;
  if (m.hi < kSqrtHalf) {
    m = Scale(m, 2.0);
    --k;
  } else if (m.hi > 2 * kSqrtHalf) {
    m = Scale(m, 0.5);
    ++k;
  }
  const dd::DD f = dd::Renormalize(m.hi - 1.0, m.lo);  // m.hi - 1 is exact here
  const dd::DD kl = dd::TwoProd(k, kLn2DD.hi);
  return dd::Add({kl.hi, kl.lo + k * kLn2DD.lo}, Log1pDD(f));
}

BetaLnParts BetaLnLarge(double a, double b) {
  const double p = a > b ? a : b;
  const double q = a > b ? b : a;
  const dd::DD s = dd::TwoSum(p, q);
  const dd::DD one = {1.0, 0.0};
  // ln x0: from y0 = q/s through log1p while x0 is near 1, so that a huge p
  // times it keeps its digits.
  const dd::DD y0 = Ratio(q, s);
  const dd::DD lx = y0.hi <= 0.29 ? Log1pDD({-y0.hi, -y0.lo}) : LogRatio({p, 0.0}, s);
  const dd::DD ls = LogRatio(s, one);
  BetaLnParts r;
  // (p - 1/2) ln x0 without rounding p - 1/2.
  r.e = dd::Add(MulShape(lx, p), Scale(lx, -0.5));
  if (q >= kStirlingFrom) {
    const dd::DD ly = LogRatio({q, 0.0}, s);
    r.e = dd::Add(r.e, dd::Add(MulShape(ly, q), Scale(ly, -0.5)));
    r.e = dd::Add(r.e, dd::Add(Scale(ls, -0.5), kHalfLn2PiDD));
    r.mu = BinetRemainder(p) + BinetRemainder(q) - BinetRemainder(s.hi);
    r.with_gamma_q = false;
  } else {
    // q (1 - ln s): ln s >= ln 12, so the difference keeps most of q ln s.
    r.e = dd::Add(r.e, dd::Add({q, 0.0}, Scale(MulShape(ls, q), -1.0)));
    r.mu = BinetRemainder(p) - BinetRemainder(s.hi);
    r.with_gamma_q = true;
  }
  return r;
}

double BetaLarge(double a, double b) {
  if (!std::isfinite(a + b)) return 0.0;  // both shapes near the end of the range
  const BetaLnParts r = BetaLnLarge(a, b);
  dd::DD e = r.e;
  // Gamma(q) < 2^1024 cannot lift this above the smallest subnormal; the low
  // part may be NaN out here (its products overflow).
  if (!(e.hi > -1500.0)) return 0.0;
  const double gamma_q = r.with_gamma_q ? rGamma(a > b ? b : a) : 1.0;
  // Near the underflow threshold the exponential is taken 2^256 higher and
  // scaled back at the end, so the result is rounded only once.
  double scale = 1.0;
  if (e.hi < -700.0) {
    e = dd::Add(e, Scale(kLn2DD, 256.0));
    scale = 0x1p-256;
  }
  const double v = gamma_q * std::exp(e.hi) * std::exp(e.lo + r.mu);
  return v * scale;
}
}  // namespace gamma_detail

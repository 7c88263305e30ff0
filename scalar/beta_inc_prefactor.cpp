// The prefactor x^a (1 - x)^b / B(a, b) of the regularised incomplete beta.
// Its logarithm a ln x + b ln(1 - x) - ln B(a, b) is a small difference of
// terms of size a + b, so at large shapes the plain sum loses about
// (a + b) eps; here the prefactor is taken apart around its peak instead.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kInvTwoPi = 0.15915494309189535;
// 1/(2k + 7), k = 0, 1, ...: the series of e - ln(1 + e) past its t^5 term.
constexpr double kInvOddFrom7[] = {1.0 / 7,  1.0 / 9,  1.0 / 11, 1.0 / 13, 1.0 / 15, 1.0 / 17,
                                   1.0 / 19, 1.0 / 21, 1.0 / 23, 1.0 / 25, 1.0 / 27, 1.0 / 29,
                                   1.0 / 31, 1.0 / 33, 1.0 / 35, 1.0 / 37, 1.0 / 39, 1.0 / 41,
                                   1.0 / 43, 1.0 / 45, 1.0 / 47, 1.0 / 49, 1.0 / 51, 1.0 / 53,
                                   1.0 / 55, 1.0 / 57, 1.0 / 59, 1.0 / 61, 1.0 / 63, 1.0 / 65};

// e - ln(1 + e) for e > -1, where 1 + e = ratio is also given directly.
// Near 0 both terms agree to first order; with t = e/(2 + e),
// ln(1 + e) = 2 atanh t and e - 2t = e t exactly, so
// e - ln(1 + e) = e t - 2 t^3 (1/3 + t^2/5 + t^4/7 + ...), a sum without
// cancellation for |t| <= 1/2 (e in [-2/3, 2]); there e t, the larger part,
// is carried in double-double, since the caller multiplies the result by a
// shape of up to millions. Below -2/3, 1 + e has lost the digits that e
// carried, and beyond 2 the series is slow: there the logarithm is taken of
// the ratio, in double-double for the same reason.
dd::DD EMinusLog1p(dd::DD e, dd::DD ratio) {
  if (e.hi < -2.0 / 3.0 || e.hi > 2.0) {
    const dd::DD l = gamma_detail::LogRatio(ratio, {1.0, 0.0});
    return dd::Add(e, {-l.hi, -l.lo});
  }
  // 2 + e is kept exactly: t's rounding would otherwise enter e t at full
  // weight (160 ulp at a shape of 700 with e = -0.6).
  const dd::DD two_e = dd::TwoSum(2.0, e.hi);
  const dd::DD t = dd::Div(e, dd::Renormalize(two_e.hi, two_e.lo + e.lo));
  const dd::DD t2 = dd::Mul(t, t);
  // 1/3 + t^2/5 + t^4 (1/7 + t^2/9 + ...): the first two terms, up to a
  // fifth of the result, in double-double, the rest (below 1/60 of it) in
  // double.
  double rest = 0;
  double power = 1;
  for (double inv : kInvOddFrom7) {
    rest += power * inv;
    power *= t2.hi;
    if (power < 1e-16) break;  // t^2 <= 1/4: at most 27 terms
  }
  constexpr dd::DD kThird = {0x1.5555555555555p-2, 0x1.5555555555555p-56};
  constexpr dd::DD kFifth = {0x1.999999999999ap-3, -0x1.999999999999ap-57};
  const dd::DD series = dd::Add(kThird, dd::Mul(t2, dd::Add(kFifth, dd::Mul(t2, {rest, 0.0}))));
  const dd::DD t3 = dd::Mul(t2, t);
  const dd::DD tail = dd::Mul(t3, series);
  return dd::Add(dd::Mul(e, t), {-2.0 * tail.hi, -2.0 * tail.lo});
}

// (a + b) z / c, the ratio x/x0 or y/y0; in double-double below the range
// where the exact products of Dekker's split overflow.
dd::DD ShapeRatio(dd::DD sum, dd::DD z, double c) {
  if (!(sum.hi < 1e290)) return {sum.hi * z.hi / c, 0.0};
  return dd::Div(dd::Mul(sum, z), c);
}

// q^q e^-q / Gamma(q), the factor of the smaller shape.
double ScaledReciprocalGamma(double q) {
  if (q >= gamma_detail::kStirlingFrom)
    return std::sqrt(q * kInvTwoPi) * std::exp(-gamma_detail::BinetRemainder(q));
  return std::pow(q, q) * std::exp(-q) / rGamma(q);
}
}  // namespace

namespace gamma_detail {
dd::DD BetaIncLambda(double x, double a, double b) {
  const dd::DD s = dd::TwoSum(a, b);
  if (!(s.hi < 1e290)) return {a - s.hi * x, 0.0};  // beyond the exact split
  const dd::DD sx = dd::TwoProd(s.hi, x);
  const dd::DD d = dd::TwoSum(a, -sx.hi);  // exact near the peak
  return dd::Renormalize(d.hi, d.lo - sx.lo - s.lo * x);
}

double BetaIncPrefactor(double x, double a, double b, dd::DD lambda, double x_lo) {
  const double p = a > b ? a : b;
  const double q = a > b ? b : a;
  if (p < kStirlingFrom) {
    // Small shapes: the powers themselves are nearly correctly rounded, and
    // x_lo and 1 - x are carried with their rounding errors to first order.
    const dd::DD y = dd::TwoSum(1.0, -x);
    const double xa = std::pow(x, a) * (1.0 + a * x_lo / x);
    const double yb = std::pow(y.hi, b) * (1.0 + b * (y.lo - x_lo) / y.hi);
    if (xa >= ___MinRegularReal && yb >= ___MinRegularReal) return xa * yb / rBeta(a, b);
    return rExp(a * LogOfPositive(x) + b * std::log1p(-x) - rBetaLn(a, b));
  }
  // With Stirling's formula for the gammas, the prefactor is
  //   (x/x0)^a (y/y0)^b sqrt(p/(a+b)) e^(mu(a+b) - mu(p)) q^q e^-q / Gamma(q)
  // (x0 = a/(a+b), y0 = b/(a+b), mu Binet's remainder). With
  // lambda = a - (a+b) x = (a+b) y - b, x/x0 = 1 - lambda/a and
  // y/y0 = 1 + lambda/b; the first-order terms of the two logarithms cancel
  // exactly, leaving -(a r(-lambda/a) + b r(lambda/b)) with r(e) = e - ln(1+e),
  // two terms of one sign. Their sum E is carried in double-double: e^E
  // takes the rounding of E as a relative error.
  const dd::DD sum = dd::TwoSum(a, b);
  const double s = sum.hi;
  const dd::DD y1 = dd::TwoSum(1.0, -x);
  const dd::DD y = dd::Renormalize(y1.hi, y1.lo - x_lo);
  const dd::DD u = EMinusLog1p(dd::Div({-lambda.hi, -lambda.lo}, a), ShapeRatio(sum, {x, x_lo}, a));
  const dd::DD v = EMinusLog1p(dd::Div(lambda, b), ShapeRatio(sum, y, b));
  const dd::DD au = dd::TwoProd(a, u.hi);
  const dd::DD bv = dd::TwoProd(b, v.hi);
  const dd::DD e = dd::Add({au.hi, au.lo + a * u.lo}, {bv.hi, bv.lo + b * v.lo});
  return std::exp(-e.hi) * (1.0 - e.lo) * std::sqrt(p / s) *
         std::exp(BinetRemainder(s) - BinetRemainder(p)) * ScaledReciprocalGamma(q);
}
}  // namespace gamma_detail

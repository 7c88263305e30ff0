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

dd::DD Renormalize(double hi, double lo) {
  const double s = hi + lo;
  return {s, lo - (s - hi)};
}

dd::DD Add(dd::DD a, dd::DD b) {
  const dd::DD s = dd::TwoSum(a.hi, b.hi);
  return Renormalize(s.hi, s.lo + a.lo + b.lo);
}

dd::DD Div(dd::DD a, double b) {
  const double q = a.hi / b;
  const dd::DD p = dd::TwoProd(q, b);
  return Renormalize(q, ((a.hi - p.hi) - p.lo + a.lo) / b);
}

// e - ln(1 + e) for e > -1, where 1 + e = ratio is also given directly.
// Near 0 both terms agree to first order; with t = e/(2 + e),
// ln(1 + e) = 2 atanh t and e - 2t = e t exactly, so
// e - ln(1 + e) = e t - 2 t^3 (1/3 + t^2/5 + t^4/7 + ...), a sum without
// cancellation for |t| <= 1/2 (e in [-2/3, 2]); there e t, the larger part,
// is carried in double-double, since the caller multiplies the result by a
// shape of up to millions. Below -2/3, 1 + e has lost the digits that e
// carried, and the logarithm is taken of the ratio.
dd::DD EMinusLog1p(dd::DD e, double ratio) {
  if (e.hi < -2.0 / 3.0) return {e.hi - std::log(ratio), 0.0};
  if (e.hi > 2.0) return {e.hi - std::log1p(e.hi), 0.0};
  const dd::DD t = Div(e, 2.0 + e.hi);  // the rounding of 2 + e is below e's low part's effect
  const double t2 = t.hi * t.hi;
  double sum = 0;
  double power = 1;
  for (int k = 3; k < 120; k += 2) {
    const double term = power / k;
    sum += term;
    if (term <= sum * 1e-17) break;
    power *= t2;
  }
  const dd::DD et = dd::TwoProd(e.hi, t.hi);
  return Renormalize(et.hi, et.lo + e.hi * t.lo + e.lo * t.hi - 2.0 * t.hi * t2 * sum);
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
  return Renormalize(d.hi, d.lo - sx.lo - s.lo * x);
}

double BetaIncPrefactor(double x, double a, double b, dd::DD lambda) {
  const double p = a > b ? a : b;
  const double q = a > b ? b : a;
  if (p < kStirlingFrom) {
    // Small shapes: the powers themselves are nearly correctly rounded, and
    // 1 - x is carried with its rounding error to first order.
    const dd::DD y = dd::TwoSum(1.0, -x);
    const double xa = std::pow(x, a);
    const double yb = std::pow(y.hi, b) * (1.0 + b * y.lo / y.hi);
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
  const double s = a + b;
  const dd::DD y = dd::TwoSum(1.0, -x);
  const dd::DD u = EMinusLog1p(Div({-lambda.hi, -lambda.lo}, a), x * s / a);
  const dd::DD v = EMinusLog1p(Div(lambda, b), y.hi * s / b * (1.0 + y.lo / y.hi));
  const dd::DD au = dd::TwoProd(a, u.hi);
  const dd::DD bv = dd::TwoProd(b, v.hi);
  const dd::DD e = Add({au.hi, au.lo + a * u.lo}, {bv.hi, bv.lo + b * v.lo});
  return std::exp(-e.hi) * (1.0 - e.lo) * std::sqrt(p / s) *
         std::exp(BinetRemainder(s) - BinetRemainder(p)) * ScaledReciprocalGamma(q);
}
}  // namespace gamma_detail

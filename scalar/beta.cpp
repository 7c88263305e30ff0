// Complete beta function and its logarithmic, three-argument and
// many-argument forms.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

namespace {
bool BelowBetaDomain(double v) { return !(v >= 2.0 * ___MinReal); }  // NaN too

// a + b rounds, and Gamma is steep at large arguments (a relative rounding of
// the sum becomes x psi(x) times larger): the rounding error lo of the sum
// is carried to first order, lnGamma(hi + lo) = lnGamma(hi) + lo psi(hi).
double SumCorrection(dd::DD sum) { return sum.lo == 0 ? 0.0 : sum.lo * rPsi0(sum.hi); }
}  // namespace

VELTRIA_INTERNAL double rBetaCore(double a, double b) {
  double s = a;
  double l = b;
  if (s > l) rSwap(&s, &l);
  // The larger gamma meets the reciprocal first.
  const dd::DD sum = dd::TwoSum(s, l);
  double inv = r1DivGamma(sum.hi);
  if (inv != 0 && std::isfinite(inv)) inv -= inv * SumCorrection(sum);
  const double v = (rGamma(l) * inv) * rGamma(s);
  // Gamma(l) alone overflows from about 171.6 on (and 1/Gamma(s + l) is 0)
  // while B(a, b) is still a double: Stirling's form then, which keeps a few
  // ulp down to the underflow (a difference of log-gammas would lose
  // digits in proportion to their size).
  if ((rIsNAN(v) || v == 0) && s > 0 && l >= s) {
    if (l >= gamma_detail::kStirlingFrom) return gamma_detail::BetaLarge(s, l);
    return rExp(rBetaLnCore(s, l));
  }
  return v;
}

VELTRIA_INTERNAL double rBetaLnCore(double a, double b) {
  if (BelowBetaDomain(a) || BelowBetaDomain(b)) return ___NAN;
  // From a shape of 12 on the three log-gammas grow faster than their
  // difference (lnGamma(1e6) is 1.3e7 where ln B(1e6, 1) is -13.8), so the
  // difference would lose those digits: the terms of Stirling's form are
  // summed instead, which do not cancel.
  if ((a > b ? a : b) >= gamma_detail::kStirlingFrom && a + b <= ___MaxReal) {
    const gamma_detail::BetaLnParts r = gamma_detail::BetaLnLarge(a, b);
    const double small = r.e.lo + r.mu;
    if (!r.with_gamma_q) return r.e.hi + small;
    return r.e.hi + (small + rGammaLn(a > b ? b : a));
  }
  const dd::DD sum = dd::TwoSum(a, b);
  return rGammaLn(a) + rGammaLn(b) - (rGammaLn(sum.hi) + SumCorrection(sum));
}

VELTRIA_INTERNAL double rBeta3LnCore(double a, double b, double c) {
  if (BelowBetaDomain(a) || BelowBetaDomain(b) || BelowBetaDomain(c)) return ___NAN;
  return rGammaLn(a) + rGammaLn(b) + rGammaLn(c) - rGammaLn(a + b + c);
}

VELTRIA_INTERNAL double rBetaMultiLnCore(Dword n, const double* values) {
  if (!values) return ___NAN;
  if (n < 2) return 1.0;
  double sum = 0;
  double acc = 0;
  for (Dword i = 0; i < n; ++i) {
    if (BelowBetaDomain(values[i])) return ___NAN;
    sum += values[i];
    acc += rGammaLn(values[i]);
  }
  return acc - rGammaLn(sum);
}

VELTRIA_API double rBeta(double a, double b) { return rBetaCore(a, b); }
VELTRIA_API double rBetaLn(double a, double b) { return rBetaLnCore(a, b); }
VELTRIA_API double rBeta3Ln(double a, double b, double c) { return rBeta3LnCore(a, b, c); }
VELTRIA_API double rBetaMultiLn(Dword n, const double* values) {
  return rBetaMultiLnCore(n, values);
}

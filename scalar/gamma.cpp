// Gamma, its reciprocal, the forms regular at zero and the derivatives.
#include "scalar/gamma.h"

#include <cmath>

#include "scalar/elementary.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

using namespace gamma_detail;

namespace {
// sqrt(2 pi) x^(x - 1/2) e^-x e^B(x); x^(x - 1/2) alone overflows above 143,
// so it is formed as a square there. Overflow of the value is NaN.
double GammaStirling(double x) {
  const double c = std::exp(kHalfLn2Pi + BinetRemainder(x));
  const double e = std::exp(-x);
  double v;
  if (x <= 140.0) {
    v = std::pow(x, x - 0.5) * e * c;
  } else {
    const double h = std::pow(x, 0.5 * x - 0.25);
    v = h * e * c * h;
  }
  return std::isfinite(v) ? v : ___NAN;
}

// Gamma(x) for ___SqrtEpsReal < x: Gamma(2 + z) = exp(lnGamma(2 + z)) with
// |z| <= 1/2, times or divided by the shift product, no exp of a large
// logarithm.
double GammaPositive(double x) {
  if (x >= kStirlingFrom) return GammaStirling(x);
  if (x < 0.5) {
    // Gamma(x + 2)/(x (x + 1)), the divisor in double-double.
    const dd::DD one_x = dd::TwoSum(1.0, x);
    const dd::DD d = dd::Mul(one_x, x);
    const double q = std::exp(LnGamma2(x)) / d.hi;
    return q - q * (d.lo / d.hi);
  }
  if (x < 1.5) return std::exp(LnGamma2(x - 1.0)) / x;
  if (x < 2.5) return std::exp(LnGamma2(x - 2.0));
  const ShiftedProduct s = ShiftDown(x);
  const double v = std::exp(LnGamma2(s.z)) * s.p.hi;
  return v + v * (s.p.lo / s.p.hi);
}
}  // namespace

VELTRIA_API double rGamma(double x) {
  if (x > ___SqrtEpsReal) return GammaPositive(x);
  if (rIsNAN(x)) return ___NAN;
  // Zero and the negative integers are poles: NaN, not a huge quotient.
  if (x == rFloor(x)) return ___NAN;
  const double s = SinPi(x);
  if (x < -___SqrtEpsReal) {
    // Gamma(1 - x) = -x Gamma(-x): 1 - x itself would round, and Gamma is
    // steep enough there to turn that into a dozen ulps.
    const double g = GammaPositive(-x);
    if (!rIsNAN(g)) return kPi / (s * g) / -x;
  }
  const double g = rGamma(1.0 - x);
  if (rIsNAN(g)) {
    // Gamma(1 - x) overflows: the value is tiny, so go through logarithms.
    const double m = rExp(kLnPi - rLog(rAbs(s)) - rGammaLn(1.0 - x));
    return s < 0 ? -m : m;
  }
  return kPi / (s * g);
}

VELTRIA_API double r1DivGamma(double x) {
  if (x > ___SqrtEpsReal) {
    const double g = GammaPositive(x);
    return rIsNAN(g) ? 0.0 : 1.0 / g;
  }
  if (rIsNAN(x)) return ___NAN;
  const double s = SinPi(x);
  if (s == 0) return 0.0;  // the poles of Gamma
  const double m = rAbs(s);
  if (m <= ___SqrtMinReal) {
    // Only for tiny |x|, where Gamma(1 - x) is about 1; the logarithm of so
    // small a sine would be NaN.
    return s * rGamma(1.0 - x) / kPi;
  }
  // Where Gamma(1 - x) = -x Gamma(-x) is finite, no logarithms.
  const double g = x < -___SqrtEpsReal ? -x * GammaPositive(-x) : rGamma(1.0 - x);
  if (!rIsNAN(g)) return s * g / kPi;
  const double e = rExp(rLog(m) + rGammaLn(1.0 - x) - kLnPi);
  if (rIsNAN(e)) return s < 0 ? ___MnsINF : ___PlsINF;
  return s < 0 ? -e : e;
}

VELTRIA_API double rGammaT1(double x) {
  if (rAbs(x) < ___Root4EpsReal) {
    return -0.5772156649015329 +
           x * (0.9890559953279725 + x * (-0.9074790760808863 +
                                          x * (0.9817280868344002 + x * (-0.9819950689031453 +
                                                                         x * 0.9931491146212762))));
  }
  return rGamma(x) - 1.0 / x;
}

VELTRIA_API double rGammaLnT1(double x) {
  if (rAbs(x) < ___Root4EpsReal) {
    return -0.5772156649015329 +
           x * (0.8224670334241132 +
                x * (-0.40068563438653143 +
                     x * (0.27058080842778454 +
                          x * (-0.20738555102867398 + x * 0.1695571769974082))));
  }
  return rGammaLn(1.0 + x) / x;
}

VELTRIA_API double r1DivGammaT1(double x, Qlong n) {
  if (n == 0 && rAbs(x) < ___Root4EpsReal) return 1.0 / (1.0 + x * rGammaT1(x));
  if (n >= 1 && n <= 10) return r1DivGammaT1(x, n - 1) * (x - static_cast<double>(n));
  if (n > 10) {
    const double dn = static_cast<double>(n);
    const double r = r1DivGammaT1(-x, 0) * rGamma(dn + 1.0 - x) / rGamma(1.0 + x);
    return (n & 1) ? -r : r;
  }
  return r1DivGamma(x - static_cast<double>(n)) / x;
}

VELTRIA_API double rGammaD(double x) { return rPsi0(x) * rGamma(x); }

VELTRIA_API double rGammaD2(double x) {
  const double psi = rPsi0(x);
  return (rPsi1(x) + psi * psi) * rGamma(x);
}

// Gamma, its reciprocal, the forms regular at zero and the derivatives.
#include "scalar/gamma.h"

#include "scalar/elementary.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

using namespace gamma_detail;

VELTRIA_API double rGamma(double x) {
  if (x > ___SqrtEpsReal) return rExp(rGammaLn(x));
  if (rIsNAN(x)) return ___NAN;
  // Zero and the negative integers are poles: NaN, not a huge quotient.
  if (x == rFloor(x)) return ___NAN;
  const double s = SinPi(x);
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
    const double e = rExp(rGammaLn(x));
    return rIsNAN(e) ? 0.0 : 1.0 / e;
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

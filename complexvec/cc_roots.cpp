// Square and cube roots on a chosen branch with their derivative and
// antiderivative forms, roots of real values, roots of unity and of -1, and
// the unit phasor.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kTwoPiOver3 = 2.0943951023931953;

// Odd branches of the square root are the negated principal one.
COMPLEX NegatedIfOdd(COMPLEX z, Qlong k) { return (k & 1) ? -z : z; }

// Branches 1, 2, 0 (and 4, 5, 3, ...): the principal root, the root turned
// by +120 degrees, the root turned by -120 degrees; a negative remainder
// turns by -120 degrees as well.
double CbrtAngle(COMPLEX z, Qlong k) {
  double theta = 0.3333333333333333 * cArg(z);
  const Qlong r = k % 3;
  if (r == 2)
    theta += kTwoPiOver3;
  else if (r != 1)
    theta -= kTwoPiOver3;
  return theta;
}
}  // namespace

COMPLEX ccUnityValue(double t) { return COMPLEX(rCos(t), rSin(t)); }
COMPLEX ccMagArgValue(double m, double t) { return m * ccUnityValue(t); }

COMPLEX ccSqrtValue(COMPLEX z, Qlong k) {
  return NegatedIfOdd(rSqrt(cAbs(z)) * ccUnityValue(0.5 * cArg(z)), k);
}
COMPLEX ccSqrtAValue(COMPLEX z, Qlong k) { return (0.6666666666666666 * z) * ccSqrtValue(z, k); }
COMPLEX ccSqrtDValue(COMPLEX z, Qlong k) {
  return NegatedIfOdd((0.5 / rSqrt(cAbs(z))) * ccUnityValue(-0.5 * cArg(z)), k);
}

COMPLEX ccCbrtValue(COMPLEX z, Qlong k) { return rCbrt(cAbs(z)) * ccUnityValue(CbrtAngle(z, k)); }
COMPLEX ccCbrtAValue(COMPLEX z, Qlong k) { return (0.75 * z) * ccCbrtValue(z, k); }
COMPLEX ccCbrtDValue(COMPLEX z, Qlong k) {
  const COMPLEX r = 1.0 / ccCbrtValue(z, k);
  return (0.3333333333333333 * r) * r;
}

COMPLEX ccrSqrtValue(double x, Qlong k) {
  const COMPLEX root = x >= 0 ? COMPLEX(rSqrt(x), 0.0) : COMPLEX(0.0, rSqrt(-x));
  return NegatedIfOdd(root, k);
}

COMPLEX ccrRootValue(double x, Qword n, Qword k) {
  if (n == 0) return NanComplex;
  if (x == 0) return ZeroComplex;
  if (n == 1) return COMPLEX(x, 0.0);
  const double dn = static_cast<double>(n);
  double theta = kTwoPi * static_cast<double>(k % n) / dn;
  if (x < 0) theta += kPi / dn;
  return rRoot(rAbs(x), n) * ccUnityValue(theta);
}
COMPLEX ccrCbrtValue(double x, Qword k) { return ccrRootValue(x, 3, k); }

COMPLEX ccRootOfUnityValue(Qword n, Qword k) {
  if (n <= 1) return OneComplex;
  return ccUnityValue(kTwoPi * static_cast<double>(k % n) / static_cast<double>(n));
}
COMPLEX ccRootOfMinusOneValue(Qword n, Qword k) {
  if (n == 0) return OneComplex;
  if (n == 1) return MnsOneComplex;
  return ccUnityValue(kPi * (2.0 * static_cast<double>(k % n) + 1.0) / static_cast<double>(n));
}

VELTRIA_API COMPLEX* ccSqrt(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccSqrtValue, k); }
VELTRIA_API COMPLEX* ccSqrtA(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccSqrtAValue, k); }
VELTRIA_API COMPLEX* ccSqrtD(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccSqrtDValue, k); }
VELTRIA_API COMPLEX* ccCbrt(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccCbrtValue, k); }
VELTRIA_API COMPLEX* ccCbrtA(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccCbrtAValue, k); }
VELTRIA_API COMPLEX* ccCbrtD(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccCbrtDValue, k); }
VELTRIA_API COMPLEX* ccMagArg(COMPLEX* result, double m, double t) {
  return FillWith(result, ccMagArgValue, m, t);
}
VELTRIA_API COMPLEX* ccUnity(COMPLEX* result, double t) {
  return FillWith(result, ccUnityValue, t);
}
VELTRIA_API COMPLEX* ccRootOfUnity(COMPLEX* result, Qword n, Qword k) {
  return FillWith(result, ccRootOfUnityValue, n, k);
}
VELTRIA_API COMPLEX* ccRootOfMinusOne(COMPLEX* result, Qword n, Qword k) {
  return FillWith(result, ccRootOfMinusOneValue, n, k);
}
VELTRIA_API COMPLEX* ccrSqrt(COMPLEX* result, double x, Qlong k) {
  return FillWith(result, ccrSqrtValue, x, k);
}
VELTRIA_API COMPLEX* ccrRoot(COMPLEX* result, double x, Qword n, Qword k) {
  return FillWith(result, ccrRootValue, x, n, k);
}
VELTRIA_API COMPLEX* ccrCbrt(COMPLEX* result, double x, Qword k) {
  return FillWith(result, ccrCbrtValue, x, k);
}

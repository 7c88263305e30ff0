// Complex exponential and logarithm on a chosen branch, with their series
// forms near zero, the derivative and the antiderivative of the logarithm.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

COMPLEX ccExpValue(COMPLEX z) { return rExp(z.re) * COMPLEX(rCos(z.im), rSin(z.im)); }

COMPLEX ccExpm1Value(COMPLEX z) {
  const double m = cAbs(z);
  if (m < ___EpsReal) return z * (1.0 + 0.5 * z);
  if (m < ___SqrtEpsReal) return z * (1.0 + z * (0.5 + z / 6.0));
  if (m < ___Root4EpsReal)
    return z * (1.0 + z * (0.5 + z * (0.16666666666666666 +
                                      z * (0.041666666666666664 + z * 0.008333333333333333))));
  return ccExpValue(z) - 1.0;
}

COMPLEX ccExptValue(COMPLEX z, Qword n) {
  if (n == 0) return OneComplex;
  if (n == 1) return z + 1.0;
  COMPLEX s = OneComplex;
  for (Qword k = n; k >= 1; --k) s = 1.0 + z * s / static_cast<double>(k);
  return s;
}

COMPLEX ccLogValue(COMPLEX z, Qlong k) {
  return COMPLEX(rLog(cAbs(z)), cArg(z) + kTwoPi * static_cast<double>(k));
}

COMPLEX ccLog1pValue(COMPLEX z, Qlong k) {
  const double m = cAbs(z);
  if (m > 4 * ___Root4EpsReal) return ccLogValue(1.0 + z, k);
  COMPLEX q;
  if (m < ___EpsReal)
    q = z;
  else if (m < ___SqrtEpsReal)
    q = z * (1.0 - 0.5 * z);
  else
    q = z * (1.0 + z * (-0.5 + z * (0.3333333333333333 + z * (-0.25))));
  q.im += kTwoPi * static_cast<double>(k);
  return q;
}

COMPLEX ccLogAValue(COMPLEX z, Qlong k) { return z * (ccLogValue(z, k) - 1.0); }

COMPLEX ccLogDValue(COMPLEX z) { return 1.0 / z; }

VELTRIA_API COMPLEX* ccExp(COMPLEX* z) { return ReplaceBy(z, ccExpValue); }
VELTRIA_API COMPLEX* ccExpm1(COMPLEX* z) { return ReplaceBy(z, ccExpm1Value); }
VELTRIA_API COMPLEX* ccExpt(COMPLEX* z, Qword n) { return ReplaceBy(z, ccExptValue, n); }
VELTRIA_API COMPLEX* ccLog(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccLogValue, k); }
VELTRIA_API COMPLEX* ccLog1p(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccLog1pValue, k); }
VELTRIA_API COMPLEX* ccLogA(COMPLEX* z, Qlong k) { return ReplaceBy(z, ccLogAValue, k); }
VELTRIA_API COMPLEX* ccLogD(COMPLEX* z) { return ReplaceBy(z, ccLogDValue); }

// Inverse circular and hyperbolic functions by their logarithmic forms on
// the principal branches of the logarithm and the square root. The cuts
// follow from those forms (so acos(-2) is (pi, +1.317...)).
#include "complexvec/complex_functions.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"

COMPLEX ccAsinValue(COMPLEX z) {
  return ccLogValue(IComplex * z + ccSqrtValue(1.0 - z * z, 0), 0) / IComplex;
}
COMPLEX ccAcosValue(COMPLEX z) { return ccLogValue(z + ccSqrtValue(z * z - 1.0, 0), 0) / IComplex; }
COMPLEX ccAtanValue(COMPLEX z) {
  return (0.5 * IComplex) * ccLogValue((IComplex + z) / (IComplex - z), 0);
}
COMPLEX ccAcotValue(COMPLEX z) {
  return ((-ccLogValue((z + IComplex) / (z - IComplex), 0)) * IComplex) / 2.0;
}
COMPLEX ccAsinhValue(COMPLEX z) { return MnsIComplex * ccAsinValue(IComplex * z); }
COMPLEX ccAcoshValue(COMPLEX z) { return IComplex * ccAcosValue(z); }
COMPLEX ccAtanhValue(COMPLEX z) { return 0.5 * ccLogValue((1.0 + z) / (1.0 - z), 0); }
COMPLEX ccAcothValue(COMPLEX z) { return ccLogValue((z + 1.0) / (z - 1.0), 0) / 2.0; }

VELTRIA_API COMPLEX* ccAsin(COMPLEX* z) { return ReplaceBy(z, ccAsinValue); }
VELTRIA_API COMPLEX* ccAcos(COMPLEX* z) { return ReplaceBy(z, ccAcosValue); }
VELTRIA_API COMPLEX* ccAtan(COMPLEX* z) { return ReplaceBy(z, ccAtanValue); }
VELTRIA_API COMPLEX* ccAcot(COMPLEX* z) { return ReplaceBy(z, ccAcotValue); }
VELTRIA_API COMPLEX* ccAsinh(COMPLEX* z) { return ReplaceBy(z, ccAsinhValue); }
VELTRIA_API COMPLEX* ccAcosh(COMPLEX* z) { return ReplaceBy(z, ccAcoshValue); }
VELTRIA_API COMPLEX* ccAtanh(COMPLEX* z) { return ReplaceBy(z, ccAtanhValue); }
VELTRIA_API COMPLEX* ccAcoth(COMPLEX* z) { return ReplaceBy(z, ccAcothValue); }

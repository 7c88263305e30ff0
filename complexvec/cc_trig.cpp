// Complex circular and hyperbolic functions; the hyperbolic ones are the
// circular ones turned by i.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/elementary.h"

COMPLEX ccSinValue(COMPLEX z) {
  return COMPLEX(rSin(z.re) * rCosh(z.im), rCos(z.re) * rSinh(z.im));
}
COMPLEX ccCosValue(COMPLEX z) {
  return COMPLEX(rCos(z.re) * rCosh(z.im), -rSin(z.re) * rSinh(z.im));
}
COMPLEX ccTanValue(COMPLEX z) { return ccSinValue(z) / ccCosValue(z); }
COMPLEX ccCotValue(COMPLEX z) { return ccCosValue(z) / ccSinValue(z); }

COMPLEX ccSinhValue(COMPLEX z) { return IComplex * ccSinValue(z / IComplex); }
COMPLEX ccCoshValue(COMPLEX z) { return ccCosValue(z / IComplex); }
COMPLEX ccTanhValue(COMPLEX z) { return MnsIComplex * ccTanValue(IComplex * z); }
COMPLEX ccCothValue(COMPLEX z) { return IComplex * ccCotValue(IComplex * z); }

VELTRIA_API COMPLEX* ccSin(COMPLEX* z) { return ReplaceBy(z, ccSinValue); }
VELTRIA_API COMPLEX* ccCos(COMPLEX* z) { return ReplaceBy(z, ccCosValue); }
VELTRIA_API COMPLEX* ccTan(COMPLEX* z) { return ReplaceBy(z, ccTanValue); }
VELTRIA_API COMPLEX* ccCot(COMPLEX* z) { return ReplaceBy(z, ccCotValue); }
VELTRIA_API COMPLEX* ccSinh(COMPLEX* z) { return ReplaceBy(z, ccSinhValue); }
VELTRIA_API COMPLEX* ccCosh(COMPLEX* z) { return ReplaceBy(z, ccCoshValue); }
VELTRIA_API COMPLEX* ccTanh(COMPLEX* z) { return ReplaceBy(z, ccTanhValue); }
VELTRIA_API COMPLEX* ccCoth(COMPLEX* z) { return ReplaceBy(z, ccCothValue); }

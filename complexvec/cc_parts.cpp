// Part-wise complex operations: conjugates, modulus of one value with the
// argument of another, signs, floor and fractional parts.
#include <cmath>

#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/real_helpers.h"

COMPLEX ccConjugateValue(COMPLEX z) { return COMPLEX(z.re, -z.im); }

// A NaN modulus of w counts as not 0.
COMPLEX ccAbsC1ArgC2Value(COMPLEX z, COMPLEX w) {
  const double mw = cAbs(w);
  if (mw != 0) return w * (cAbs(z) / mw);
  return ZeroComplex;
}

COMPLEX ccMulByConjugateValue(COMPLEX z, COMPLEX w) {
  return COMPLEX(z.re * w.re + z.im * w.im, z.im * w.re - z.re * w.im);
}

// A -0 in w counts as not negative.
COMPLEX ccCopySignValue(COMPLEX z, COMPLEX w) {
  const double re = std::fabs(z.re);
  const double im = std::fabs(z.im);
  return COMPLEX(w.re < 0 ? -re : re, w.im < 0 ? -im : im);
}

COMPLEX ccFloorValue(COMPLEX z) { return COMPLEX(rFloor(z.re), rFloor(z.im)); }

COMPLEX ccModfValue(COMPLEX z, COMPLEX* integer_parts) {
  double ire, iim;
  const COMPLEX frac(rModf(z.re, &ire), rModf(z.im, &iim));
  if (integer_parts) *integer_parts = COMPLEX(ire, iim);
  return frac;
}

VELTRIA_API COMPLEX* ccConjugate(COMPLEX* z) { return ReplaceBy(z, ccConjugateValue); }
VELTRIA_API COMPLEX* ccAbsC1ArgC2(COMPLEX* z, COMPLEX w) {
  return ReplaceBy(z, ccAbsC1ArgC2Value, w);
}
VELTRIA_API COMPLEX* ccMulByConjugate(COMPLEX* z, COMPLEX w) {
  return ReplaceBy(z, ccMulByConjugateValue, w);
}
VELTRIA_API COMPLEX* ccCopySign(COMPLEX* z, COMPLEX w) { return ReplaceBy(z, ccCopySignValue, w); }
VELTRIA_API COMPLEX* ccFloor(COMPLEX* z) { return ReplaceBy(z, ccFloorValue); }
VELTRIA_API COMPLEX* ccModf(COMPLEX* z, COMPLEX* integer_parts) {
  return ReplaceBy(z, ccModfValue, integer_parts);
}

// The integral of t^n (ln t)^m from 0 to z in closed form, and scaling by
// factorials.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"

namespace {
// rFactorial takes a signed order and is infinite above 170; larger
// unsigned orders keep that answer instead of wrapping negative.
double FactorialOf(Qword m) { return rFactorial(static_cast<Qlong>(m > 171 ? 171 : m)); }
}  // namespace

COMPLEX ccAS4_1_51Value(COMPLEX z, Qword n, Qword m, Qlong k) {
  if (z.re == 0 && z.im == 0) return ZeroComplex;
  const double a = static_cast<double>(n) + 1.0;
  const COMPLEX zn1 = ccPowerUnsignedValue(z, n + 1);
  if (m == 0) return zn1 / a;
  // (-1)^m m! z^(n+1) / (n+1)^(m+1) times the truncated exponential series
  // of -(n+1) ln z.
  const double p = ruPower(-a, m + 1);
  const COMPLEX q = ((-zn1) / p) * FactorialOf(m);
  return q * ccExptValue(-a * ccLogValue(z, k), m);
}

VELTRIA_API COMPLEX* ccAS4_1_51(COMPLEX* z, Qword n, Qword m, Qlong k) {
  return ReplaceBy(z, ccAS4_1_51Value, n, m, k);
}

// z / n! and z n! through the modulus, so the factorial itself never
// overflows.
VELTRIA_API COMPLEX* ccDivByFact(COMPLEX* z, Qword n) {
  if (!z) return z;
  const double m = cNormalize(z);
  *z = *z * rDivByFact(m, n);
  return z;
}
VELTRIA_API COMPLEX* ccMulByFact(COMPLEX* z, Qword n) {
  if (!z) return z;
  const double m = cNormalize(z);
  *z = *z * rMulByFact(m, n);
  return z;
}

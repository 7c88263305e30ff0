// Complex powers: integer powers by binary powering, complex, real and
// integer exponents, and powers of the modulus alone.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/real_helpers.h"

// Integer powers by binary powering (declared with the type in complex.h).
COMPLEX ccPowerUnsignedValue(COMPLEX z, Qword n) {
  if (n == 0) return COMPLEX(1.0, 0.0);
  if (n == 1) return z;
  COMPLEX p = z;
  COMPLEX r;
  bool have_r = false;
  for (;;) {
    if (n & 1) {
      r = have_r ? r * p : p;
      have_r = true;
    }
    n >>= 1;
    if (n == 0) break;
    p = p * p;
  }
  return r;
}

COMPLEX ccPowerSignedValue(COMPLEX z, Qlong n) {
  if (n >= 0) return ccPowerUnsignedValue(z, static_cast<Qword>(n));
  // Negation in unsigned arithmetic: the smallest n gives 2^63.
  const Qword m = Qword{0} - static_cast<Qword>(n);
  return ccPowerUnsignedValue(COMPLEX(1.0, 0.0) / z, m);
}

COMPLEX ccPowerValue(COMPLEX z, COMPLEX w) { return ccExpValue(w * ccLogValue(z, 0)); }
COMPLEX ccrPowerValue(COMPLEX z, double x) { return ccExpValue(x * ccLogValue(z, 0)); }
COMPLEX cciPowerValue(COMPLEX z, Qlong n) { return ccPowerSignedValue(z, n); }

// The modulus raised to the power, the argument kept.
COMPLEX cciArgPowerValue(COMPLEX z, Qlong n) {
  const Qlong n1 = static_cast<Qlong>(static_cast<Qword>(n) - 1);  // wraps like the integer type
  return z * riPower(cAbs(z), n1);
}
COMPLEX ccrArgPowerValue(COMPLEX z, double x) { return z * rPow(cAbs(z), x - 1); }

double ciAbsPowerValue(COMPLEX z, Qlong n) {
  if (n == 0) return 1.0;
  if (n == 1) return cAbs(z);
  return riPower(cAbs(z), n);
}
double crAbsPowerValue(COMPLEX z, double x) {
  if (x == 0) return 1.0;
  if (x == 1) return cAbs(z);
  return rPow(cAbs(z), x);
}

VELTRIA_API COMPLEX* ccPower(COMPLEX* z, COMPLEX w) { return ReplaceBy(z, ccPowerValue, w); }
VELTRIA_API COMPLEX* ccrPower(COMPLEX* z, double x) { return ReplaceBy(z, ccrPowerValue, x); }
VELTRIA_API COMPLEX* cciPower(COMPLEX* z, Qlong n) { return ReplaceBy(z, cciPowerValue, n); }
VELTRIA_API COMPLEX* cciArgPower(COMPLEX* z, Qlong n) { return ReplaceBy(z, cciArgPowerValue, n); }
VELTRIA_API COMPLEX* ccrArgPower(COMPLEX* z, double x) { return ReplaceBy(z, ccrArgPowerValue, x); }
VELTRIA_API double ciAbsPower(COMPLEX z, Qlong n) { return ciAbsPowerValue(z, n); }
VELTRIA_API double crAbsPower(COMPLEX z, double x) { return crAbsPowerValue(z, x); }

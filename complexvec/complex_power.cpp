// Integer powers of a complex value by binary powering.
#include "complexvec/complex.h"

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

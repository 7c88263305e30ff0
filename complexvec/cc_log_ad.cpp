// Derivatives and repeated antiderivatives of the complex logarithm by a
// signed order.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/gamma.h"
#include "scalar/special_numbers.h"

COMPLEX ccLogADValue(COMPLEX z, Qlong n, Qlong k) {
  // The order counts modulo 2^32, after negation for the antiderivatives.
  const Qword magnitude = n <= 0 ? Qword{0} - static_cast<Qword>(n) : static_cast<Qword>(n);
  const Dword c = static_cast<Dword>(magnitude);
  if (n <= 0 || c == 0) {
    const COMPLEX log = ccLogValue(z, k);
    switch (c) {
      case 1:
        return (log - 1.0) * z;
      case 2:
        return (0.5 * (log - 1.5)) * z * z;
      case 3:
        return (0.16666666666666666 * (log - 1.8333333333333333)) * z * z * z;
      default:
        return (log - rHarmonicNumber(c)) * ccPowerUnsignedValue(z, c) / rFactorial(c);
    }
  }
  switch (c) {
    case 1:
      return 1.0 / z;
    case 2:
      return (-1.0 / z) / z;
    case 3:
      return (2.0 / z) / z / z;
    case 4: {
      const COMPLEX q = z * z;
      return (-6.0 / q) / q;
    }
    case 5: {
      const COMPLEX q = z * z;
      return (24.0 / q) / q / z;
    }
    default: {
      // (n-1)!/z^n with the sign (-1)^(n-1); the branch does not enter.
      const double dc = static_cast<double>(c);
      const COMPLEX mag = ccExpValue(rGammaLn(dc) - dc * ccLogValue(z, 0));
      return (c & 1) ? mag : -mag;
    }
  }
}

VELTRIA_API COMPLEX* ccLogAD(COMPLEX* z, Qlong n, Qlong k) {
  return ReplaceBy(z, ccLogADValue, n, k);
}

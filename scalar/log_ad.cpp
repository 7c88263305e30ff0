// Derivatives and antiderivatives of the natural logarithm.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/log_derivatives.h"
#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"
#include "scalar/special_numbers.h"

VELTRIA_API double rLogD(double x) { return rSafeInv(x); }

VELTRIA_API double rLogAD(double x, Qlong n) {
  if (n == 0) return rLog(x);
  if (n < 0) {
    // m-fold antiderivative with zero constants: (ln x - H_m) x^m / m!.
    const Qword m = Qword{0} - static_cast<Qword>(n);
    if (x == 0) return 0.0;
    if (x < 0) return ___NAN;
    const double l = rLog(x);
    if (m == 1) return (l - 1.0) * x;
    if (m == 2) return (l - 1.5) * x * x / 2.0;
    const double p = ruPower(x, m);
    const double f = rFactorial(static_cast<Qlong>(m));
    if (!rIsNAN(p) && !rIsNAN(f)) return (l - rHarmonicNumber(m)) * p / f;
    // x^m or m! overflows on its own: their ratio through logarithms.
    const double dm = static_cast<double>(m);
    return (l - rHarmonicNumber(m)) * rExp(dm * l - rGammaLn(dm + 1.0));
  }
  if (n == 1) return rSafeInv(x);
  if (n == 2) return -rSafeDiv(rSafeInv(x), x);
  // (n-1)!/x^n with the sign (-1)^(n-1); x <= 0 has no logarithm: NaN.
  const double v = rExp(rGammaLn(static_cast<double>(n)) - static_cast<double>(n) * rLog(x));
  const bool even = !(n & 1);
  return (even == (x >= 0)) ? -v : v;
}

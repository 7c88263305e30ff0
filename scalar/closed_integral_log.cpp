// The integral of t^n·ln^m t from 0 to x (Abramowitz-Stegun 4.1.51).
#include "scalar/closed_integrals.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rAS4_1_51(double x, Qword n, Qword m) {
  if (x < 0 || rIsNAN(x)) return ___NAN;
  if (x == 0) return 0;
  const double d = static_cast<double>(n) + 1;
  // x^(n+1) without wrapping n + 1 at the top of the unsigned range.
  const double xd = ruPower(x, n) * x;
  if (m == 0) return xd / d;
  // m! as the rising factorial (1)_m: a plain product, exact up to 22!;
  // beyond 170! it overflows, so larger m need no product at all.
  const double factorial = m > 170 ? ___PlsINF : rPochhammer(1, static_cast<Qlong>(m));
  return -(xd / ruPower(-d, m + 1)) * factorial * rExpt(-d * rLog(x), m);
}

// Division, inversion, multiplication and proportion that answer with an
// infinity of the right sign where the result would overflow.
#include <cmath>

#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

namespace {

double SignedInfinity(bool negative) { return negative ? ___MnsINF : ___PlsINF; }

}  // namespace

VELTRIA_API double rSafeDiv(double a, double b) {
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  if (fb < 1 && fa > fb && fa > ___MaxReal * fb) return SignedInfinity((a < 0) != (b < 0));
  return a / b;
}

VELTRIA_API double rSafeInv(double x) {
  const double fx = std::fabs(x);
  if (fx < 1 && ___MaxReal * fx < 1) return SignedInfinity(x < 0);
  return 1.0 / x;
}

VELTRIA_API double rSafeMul(double a, double b) {
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  if (fa > 1 && fb > 1 && fa > ___MaxReal / fb) return SignedInfinity((a < 0) != (b < 0));
  return a * b;
}

// With C < 1 the smaller magnitude is divided by C first, with C > 1 the
// larger one: the intermediate quotient then overflows or underflows only
// where the result itself is out of range.
VELTRIA_API double rSafeProportion(double a, double b, double c) {
  const double A = std::fabs(a);
  const double B = std::fabs(b);
  const double C = std::fabs(c);
  const bool negative = ((a < 0) + (b < 0) + (c < 0)) % 2 == 1;
  const double r = ((C < 1 && B > A) || (C > 1 && A > B)) ? rSafeMul(B, rSafeDiv(A, C))
                                                          : rSafeMul(A, rSafeDiv(B, C));
  return negative ? -r : r;
}

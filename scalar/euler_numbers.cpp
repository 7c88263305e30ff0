// Euler numbers, E_n/n! and the zigzag numbers as reals: exact below 26,
// asymptotic beyond.
#include "scalar/combinatorics.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {
double WithEulerSign(Qword n, double magnitude) {
  const bool negative = (n & 2) != 0;
  if (rIsNAN(magnitude)) return negative ? ___MnsINF : ___PlsINF;
  return negative ? -magnitude : magnitude;
}
}  // namespace

VELTRIA_API double ruEulerNum(Qword n) {
  if (n & 1) return 0.0;
  if (n < 26) return static_cast<double>(uEulerNumber(n, nullptr));
  if (n > 186) return ___PlsINF;
  const double dn = static_cast<double>(n);
  const double n2 = dn * dn;
  const double base =
      0.23419932609727664 * dn * (n2 + 0.075 + 6.51e-4 / (n2 * n2)) / (n2 - 1.0 / 120);
  return rSqrt(10.185916357881302 * dn) * ruPower(base, n);
}

VELTRIA_API double rEulerNum(Qword n) {
  if (n & 1) return 0.0;
  return WithEulerSign(n, ruEulerNum(n));
}

VELTRIA_API double rEulerNumDivFact(Qword n) {
  if (n & 1) return 0.0;
  const double e = ruEulerNum(n);
  if (rIsNAN(e)) {
    // E_n itself overflows but E_n/n! = 2 (2/pi)^(n+1) beta(n+1) tends to 0;
    // beta(n+1) is 1 to double precision here.
    return WithEulerSign(n, 2.0 * ruPower(0.6366197723675814, n + 1));
  }
  return WithEulerSign(n, rExp(rLog(e) - rGammaLn(static_cast<double>(n) + 1.0)));
}

VELTRIA_API double rEulerZigZagNum(Qword n) {
  if (!(n & 1)) return ruEulerNum(n);
  if (n > 170) return ___NAN;
  const Qword m = n + 1;
  const double p = ruPower(2.0, m);
  return rAbs(p * (p - 1.0) * rBernoulliNum(m) / static_cast<double>(m));
}

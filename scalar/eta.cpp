// Dirichlet eta, the alternating zeta: (1 - 2^(1-x)) zeta(x).
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {
constexpr double kLn2 = 0.6931471805599453;
}

VELTRIA_API double rDirichletEta(double x) {
  if (x == 0) return 0.5;
  if (x == 1) return kLn2;
  if (x >= 51) return 1.0;
  const double z = rRiemannZeta(x);
  // At the trivial zeros the factor may overflow; the product is 0.
  if (z == 0) return 0.0;
  // 1 - 2^(1-x) as -expm1, so no digits are lost near x = 1.
  return -rExpM1(kLn2 * (1.0 - x)) * z;
}

VELTRIA_API double riDirichletEta(Qlong n) {
  if (n == 0) return 0.5;
  if (n == 1) return kLn2;
  if (n == -1) return 0.25;
  if (n < 0 && !(n & 1)) return 0.0;  // trivial zeros, whatever 2^(1-n) does
  if (n < -1100) return ___NAN;       // 1 - n would wrap; the value overflows
  return (1.0 - riPower(2.0, 1 - n)) * riRiemannZeta(n);
}

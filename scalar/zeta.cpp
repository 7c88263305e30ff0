// Riemann zeta of real and integer arguments, and zeta - 1.
#include "base/double_to_int.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"
#include "scalar/special_number_tables.h"
#include "scalar/special_numbers.h"

namespace {
constexpr Qword kZetaM1Count = 60;

// zeta(n) - 1 for n = 0..59, completed once on first use (a function-local
// static, so concurrent first calls are safe).
const double* ZetaM1Table() {
  struct Table {
    double v[kZetaM1Count];
    Table() {
      v[0] = -1.5;
      v[1] = ___PlsINF;  // the pole
      for (Qword n = 2; n < kZetaM1Count; ++n) v[n] = ZetaM1Constants[n - 2];
    }
  };
  static const Table table;
  return table.v;
}
}  // namespace

VELTRIA_API double ruRiemannZetaM1(Qword n) {
  if (n < kZetaM1Count) return ZetaM1Table()[n];
  if (n <= 99) return ruPower(1.0 / 3.0, n) + ruPower(0.5, n);
  if (n <= 1024) return ruPower(0.5, n);
  return 0.0;
}

VELTRIA_API double riRiemannZeta(Qlong n) {
  if (n >= 0) return n < 47 ? 1.0 + ruRiemannZetaM1(static_cast<Qword>(n)) : 1.0;
  if (!(n & 1)) return 0.0;                          // the trivial zeros
  const Qword m = Qword{1} - static_cast<Qword>(n);  // 1 - n, without overflow
  return -rBernoulliNum(m) / static_cast<double>(m);
}

VELTRIA_API double rRiemannZeta(double x) {
  if (rIsNAN(x)) return ___NAN;
  if (x < -22.5) {
    if (rIsInteger(x)) return riRiemannZeta(DoubleToQlong(x));
    // Reflection in logarithms: ln|2^x pi^(x-1) sin(pi x/2) Gamma(1 - x)|.
    const double s = gamma_detail::SinPi(0.5 * x);
    const double l =
        rGammaLn(1.0 - x) + 1.8378770664093456 * x - 1.1447298858494002 + rLog(rAbs(s));
    if (l > ___LnMaxReal) return s < 0 ? ___MnsINF : ___PlsINF;
    const double v = rExp(l) * rRiemannZeta(1.0 - x);
    return s < 0 ? -v : v;
  }
  if (x >= 47) return 1.0;
  if (x == 1) return ___NAN;
  return 1.0 + rRiemannAz(x) / (x - 1.0);
}

VELTRIA_API double rRiemannZetaM1(double x) {
  if (x == 1) return ___NAN;  // the pole, as for zeta itself
  if (x >= -22.5) return rRiemannAz(x) / (x - 1.0);
  return rRiemannZeta(x) - 1.0;
}

// Hyperbolic forms built on the guarded exponential.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

// NaN beyond ___LnMaxReal, where rExp gives NaN.
VELTRIA_API double rCosh(double x) { return (rExp(x) + rExp(-x)) / 2; }

// 2 e^-|x| / (1 + e^-2|x|): only decaying exponentials, so large |x| gives
// the small (or zero) value of the function instead of NaN.
VELTRIA_API double rSech(double x) {
  const double e = std::exp(-std::fabs(x));
  return 2 * e / (1 + e * e);
}

VELTRIA_API double rCoshNRatio(double x, Qword n) {
  return rCosh(x) / rCosh(static_cast<double>(n) * x);
}

VELTRIA_API double rSinhNRatio(double x, Qword n) {
  return std::sinh(x) / std::sinh(static_cast<double>(n) * x);
}

// Rounding to a multiple of a quantum.
#include <cmath>

#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

VELTRIA_API double rRoundToEps(double a, double q) {
  if (q == 1) {
    const double r = rRound(std::fabs(a));
    return a < 0 ? -r : r;
  }
  if (q > 0) return q * rRoundToEps(rBoundDiv(a, q, nullptr), 1);
  return a;  // q <= 0 or NaN
}

// The upward recurrence of Y in the order, the count of a real, and the
// start order of Miller's downward recurrence.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/bessel_internal.h"

namespace bessel_detail {
Qword CountOf(double v) { return DoubleToQword(v); }

// J_N(x) for N = x + t x^(1/3) behaves like Ai(2^(1/3) t); at t = 8 it is
// near 1e-10 of its peak, and Miller's error goes with its square.
double MillerStartOrder(double x) { return x + 8 * std::cbrt(x) + 16; }

}  // namespace bessel_detail

VELTRIA_INTERNAL double rBesselYRecurUp(double x, double nu, Qword m, double c, double d) {
  // c at order nu - m, d at nu - m - 1.
  double cur = c, prev = d;
  double k = nu - static_cast<double>(m);
  for (Qword i = 0; i < m; ++i, k += 1) {
    const double g = (2 * k / x) * cur - prev;
    prev = cur;
    cur = g;
    if (!std::isfinite(cur)) break;  // Y grows without bound with the order
  }
  return cur;
}

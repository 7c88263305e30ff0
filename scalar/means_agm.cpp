// The arithmetic-geometric mean and its modified form.
#include <cmath>

#include "scalar/means.h"
#include "scalar/means_scaling.h"
#include "scalar/real_helpers.h"

namespace {

// Both means are homogeneous of degree 1 and are computed on arguments
// scaled by an exact power of two. A larger argument above 2^1016 comes down
// to there, so x - z of the modified form stays finite; one below 2^-960 goes
// up to there, so x * ___5EpsReal stays above the subnormal range, where the
// stopping test would wait for an exact tie that the rounding may never
// reach (2 and 1 units of the smallest subnormal repeat themselves).
int RangeExponent(double x) {
  const int e = BinaryExponent(x);
  if (e > 1016) return e - 1016;
  if (e < -960) return e + 960;
  return 0;
}

double Agm(double a, double b, bool modified) {
  if (a < 0 || b < 0) return ___NAN;
  double x = a;
  double y = b;
  if (x < y) rSwap(&x, &y);
  if (y == 0) return 0;
  const int e = RangeExponent(x);
  x = std::ldexp(x, -e);
  y = std::ldexp(y, -e);
  double z = 0;
  for (;;) {
    const double m = HalfSum(x, y);
    // Written so that NaN and infinite arguments stop at once.
    if (!(x - y > x * ___5EpsReal)) return std::ldexp(m, e);
    if (modified) {
      const double r = GeometricMeanOfProduct(x - z, y - z);
      y = z + r;
      z = z - r;
    } else {
      y = GeometricMeanOfProduct(x, y);
    }
    x = m;
  }
}

}  // namespace

VELTRIA_API double rMeanAGM(double a, double b) { return Agm(a, b, false); }
VELTRIA_API double rMeanMAGM(double a, double b) { return Agm(a, b, true); }

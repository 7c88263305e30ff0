// The arithmetic-geometric mean and its modified form.
#include <cmath>

#include "scalar/means.h"
#include "scalar/means_scaling.h"
#include "scalar/real_helpers.h"

namespace {

// Both means are homogeneous of degree 1 and are computed on arguments
// scaled by an exact power of two. A larger argument above 2^top comes down
// to there, so the sums of the iteration stay finite; one below 2^-960 goes
// up to there, so x * ___5EpsReal stays above the subnormal range, where the
// stopping test would wait for an exact tie that the rounding may never
// reach (2 and 1 units of the smallest subnormal repeat themselves).
int RangeExponent(double x, int top) {
  const int e = BinaryExponent(x);
  if (e > top) return e - top;
  if (e < -960) return e + 960;
  return 0;
}

// Orders the arguments (larger first) and applies the domain and zero rules;
// false when the mean is already in *result.
bool Prepare(double a, double b, double* x, double* y, double* result) {
  if (a < 0 || b < 0) {
    *result = ___NAN;
    return false;
  }
  *x = a;
  *y = b;
  if (*x < *y) rSwap(x, y);
  if (*y == 0) {
    *result = 0;
    return false;
  }
  return true;
}

}  // namespace

VELTRIA_API double rMeanAGM(double a, double b) {
  double x, y, result;
  if (!Prepare(a, b, &x, &y, &result)) return result;
  const int e = RangeExponent(x, 1016);
  x = std::ldexp(x, -e);
  y = std::ldexp(y, -e);
  for (;;) {
    const double m = HalfSum(x, y);
    // Written so that NaN and infinite arguments stop at once.
    if (!(x - y > x * ___5EpsReal)) return std::ldexp(m, e);
    y = GeometricMeanOfProduct(x, y);
    x = m;
  }
}

// The modified mean runs x' = (x + y)/2, y' = z + r, z' = z - r with
// r = sqrt((x - z)(y - z)), z <= 0. While |z| is small beside r that form of
// y is accurate; later z doubles each step, y becomes the small difference
// of two growing terms, its rounding error outgrows the stopping tolerance
// and the test can be missed for good. From then on the difference d = x - y
// is carried instead, by d' = (sqrt(u) - sqrt(v))^2/2 = d^2/(2 s^2) with
// u = x - z, v = y - z, s = sqrt(u) + sqrt(v), and y = x - d. d at least
// halves per step, so the test is always met. u and v are sums of positive
// terms; |z| grows about twofold per step, hence the lower top of the
// scaling.
VELTRIA_API double rMeanMAGM(double a, double b) {
  double x, y, result;
  if (!Prepare(a, b, &x, &y, &result)) return result;
  if (!std::isfinite(x)) return x;  // +infinity, or NaN
  const int e = RangeExponent(x, 960);
  x = std::ldexp(x, -e);
  y = std::ldexp(y, -e);
  double z = 0;
  double d = x - y;
  for (;;) {
    const double m = HalfSum(x, y);
    if (!(d > x * ___5EpsReal)) return std::ldexp(m, e);
    const double su = std::sqrt(x - z);
    const double sv = std::sqrt(y - z);
    const double r = su * sv;
    if (-z <= 0.5 * r) {
      y = z + r;
      d = m - y;
    } else {
      const double s = su + sv;
      d = d * (d / (2 * (s * s)));
      y = m - d;
    }
    z = z - r;
    x = m;
  }
}

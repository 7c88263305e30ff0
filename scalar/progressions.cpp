// Sums of arithmetic and geometric progressions. Near a ratio of 1 the
// geometric sums go through expm1 and log1p, where 1 - r^n and 1 - r would
// cancel.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rAriSum(Qword n, double first, double step) {
  if (n == 0) return 0.0;
  const double m = static_cast<double>(n);
  return m * (first + (m - 1) * step / 2);
}

VELTRIA_API double rAriSumFl(Qword n, double first, double last) {
  if (n == 0) return 0.0;
  return static_cast<double>(n) * (first + last) / 2;
}

VELTRIA_API double rAriSumPow2(Qword n, double first, double step) {
  if (n == 0) return 0.0;
  const double m = static_cast<double>(n);
  return m * (first * first + (m - 1) * step * (first + (2 * m - 1) * step / 6));
}

VELTRIA_API double rGeoSum(Qword n, double first, double ratio) {
  if (n == 0) return 0.0;
  if (n == 1) return first;
  if (first == 0) return 0.0;
  if (ratio == 0) return first;
  const double m = static_cast<double>(n);
  if (ratio == 1) return m * first;
  const double d = ratio - 1;  // exact for ratios in [1/2, 2]
  if (std::fabs(d) < 0.5) return first * (std::expm1(m * std::log1p(d)) / d);
  const double p = ruPower(ratio, n);
  return first * (1 - p) / (1 - ratio);
}

VELTRIA_API double rGeoSumPow2(Qword n, double first, double ratio) {
  return rGeoSum(n, first * first, ratio * ratio);
}

VELTRIA_API double rGeoSumFl(Qword n, double first, double last) {
  if (n == 0) return 0.0;
  if (n == 1) return first;
  if (first == last) return static_cast<double>(n) * first;
  if (first == 0 || (last != 0 && (first < 0) != (last < 0))) return ___NAN;
  const double m1 = static_cast<double>(n - 1);
  // ln q of the ratio q = (last/first)^(1/(n-1)) between terms.
  const double lq = std::log(last / first) / m1;
  if (std::fabs(lq) < 0.5) {
    // Sum = (q last - first)/(q - 1); below |n ln q| = 1 the numerator as
    // first (q^n - 1), above it the difference does not cancel.
    const double nlq = (m1 + 1) * lq;
    const double num = std::fabs(nlq) < 1 ? first * std::expm1(nlq) : std::exp(lq) * last - first;
    return num / std::expm1(lq);
  }
  const double q = rPow(last / first, 1 / m1);
  return (first - q * last) / (1 - q);
}

// v(n) = a^n + b (1 + a + ... + a^(n-1)); the sum also serves a = 1.
VELTRIA_API double rGeoAri(Qword n, double a, double b) {
  const double p = ruPower(a, n);
  if (rIsNAN(p)) return ___NAN;
  return p + b * rGeoSum(n, 1.0, a);
}

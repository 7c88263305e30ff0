// Digamma and trigamma: reflection at and below 0.1, upward recurrence to
// 9, then the asymptotic series.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

using namespace gamma_detail;

VELTRIA_INTERNAL double rPsi0Core(double x) {
  if (rIsNAN(x)) return ___NAN;
  if (x <= 0.1) {
    if (x == rFloor(x)) return ___NAN;  // pole
    return rPsi0Core(1.0 - x) - kPi * CosPi(x) / SinPi(x);
  }
  // c_k = B(2k+2)/(2k+2)
  static constexpr double c[8] = {1.0 / 12,  -1.0 / 120,       1.0 / 252, -1.0 / 240,
                                  1.0 / 132, -691.0 / 32760.0, 1.0 / 12,  -3617.0 / 8160.0};
  double s = 0;
  while (x < 9) {
    s -= 1.0 / x;
    x += 1.0;
  }
  const double y = 1.0 / x;
  const double h = y * y;
  double t = c[7];
  for (int i = 6; i >= 0; --i) t = c[i] + h * t;
  return s + rLog(x) - 0.5 * y - h * t;
}

VELTRIA_INTERNAL double rPsi1Core(double x) {
  if (rIsNAN(x)) return ___NAN;
  if (x <= 0.1) {
    if (x == rFloor(x)) return ___NAN;  // pole
    const double q = kPi / SinPi(x);
    return q * q - rPsi1Core(1.0 - x);
  }
  // t_k = B(2k)
  static constexpr double t[8] = {1.0,       1.0 / 6,  -1.0 / 30,       1.0 / 42,
                                  -1.0 / 30, 5.0 / 66, -691.0 / 2730.0, 7.0 / 6};
  double s = 0;
  while (x < 9) {
    s += 1.0 / (x * x);
    x += 1.0;
  }
  const double y = 1.0 / x;
  const double h = y * y;
  double v = t[7];
  for (int i = 6; i >= 0; --i) v = t[i] + h * v;
  return s + 0.5 * h + y * v;
}

VELTRIA_API double rPsi0(double x) { return rPsi0Core(x); }
VELTRIA_API double rPsi1(double x) { return rPsi1Core(x); }

// Carlson's symmetric elliptic integrals R_C, R_F and R_J by the duplication
// theorem: each step moves the arguments four times closer together, and
// once every relative deviation from their mean is below 0.001 a fifth-order
// series finishes (its truncation error is far below rounding there).
#include <algorithm>
#include <cmath>

#include "scalar/elliptic.h"
#include "scalar/means_scaling.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kStop = 0.001;
// No input reaches this: each step shrinks the spread fourfold, and even
// arguments 2^2000 apart meet within a few dozen steps. The cap only keeps
// an unforeseen rounding pattern from looping.
constexpr int kMaxSteps = 200;

// The forms are homogeneous: R(s x, ...) = s^-h R(x, ...) with h = 1/2 for
// R_C and R_F and 3/2 for R_J. Arguments whose largest lies outside
// [2^-lim, 2^lim] are scaled by a power of 4 into it (exact, and s^-h then a
// power of 2), so the sums and products of the iteration neither overflow
// nor sink into the subnormals. Returns the exponent j with s = 4^j.
int ScaleExponent(double largest, int lim) {
  const int e = BinaryExponent(largest);
  if (e > lim) return -((e - lim + 1) / 2);
  if (e < -lim) return (-lim - e + 1) / 2;
  return 0;
}

// R_C on arguments known to be in range, y > 0.
double RcCore(double x, double y) {
  double s = 0;
  double a = 0;
  for (int i = 0; i < kMaxSteps; ++i) {
    const double l = 2 * std::sqrt(x) * std::sqrt(y) + y;
    x = 0.25 * (x + l);
    y = 0.25 * (y + l);
    a = (x + 2 * y) / 3;
    s = (y - a) / a;
    if (std::fabs(s) <= kStop) break;
  }
  return (1 + s * s * (3.0 / 10 + s * (1.0 / 7 + s * (3.0 / 8 + s * (9.0 / 22))))) / std::sqrt(a);
}

// R_F after the range checks; the final arguments of the duplication are
// left in x, y, z (R_F keeps its value under the duplication).
double RfCore(double& x, double& y, double& z) {
  double a = 0, dx = 0, dy = 0, dz = 0;
  for (int i = 0; i < kMaxSteps; ++i) {
    const double sx = std::sqrt(x), sy = std::sqrt(y), sz = std::sqrt(z);
    const double l = sx * (sy + sz) + sy * sz;
    x = 0.25 * (x + l);
    y = 0.25 * (y + l);
    z = 0.25 * (z + l);
    a = (x + y + z) / 3;
    dx = (a - x) / a;
    dy = (a - y) / a;
    dz = (a - z) / a;
    if (std::max({std::fabs(dx), std::fabs(dy), std::fabs(dz)}) <= kStop) break;
  }
  const double e2 = dx * dy - dz * dz;
  const double e3 = dx * dy * dz;
  return (1 + (e2 / 24 - 1.0 / 10 - (3.0 / 44) * e3) * e2 + e3 / 14) / std::sqrt(a);
}

bool RfArgumentsValid(double x, double y, double z) {
  // Written so that NaN fails every test.
  if (!(std::min({x, y, z}) >= 0)) return false;
  if (!(std::min({x + y, x + z, y + z}) >= ___MinReal)) return false;
  return std::max({x, y, z}) <= ___MaxReal;
}

}  // namespace

VELTRIA_API double rCarlsonIntegralRc(double x, double y) {
  if (!(x >= 0) || !(y != 0)) return ___NAN;  // also NaN y
  const double total = x + std::fabs(y);
  if (!(total >= ___MinReal) || !(total <= ___MaxReal)) return ___NAN;
  double w = 1;
  if (y < 0) {
    // Cauchy principal value: R_C(x, y) = sqrt(x/(x - y)) R_C(x - y, -y).
    w = std::sqrt(x) / std::sqrt(x - y);
    x = x - y;
    y = -y;
  }
  const int j = ScaleExponent(std::max(x, y), 1000);
  return w * std::ldexp(RcCore(std::ldexp(x, 2 * j), std::ldexp(y, 2 * j)), j);
}

VELTRIA_API double rCarlsonIntegralRf(double x, double y, double z) {
  if (!RfArgumentsValid(x, y, z)) return ___NAN;
  const int j = ScaleExponent(std::max({x, y, z}), 1000);
  x = std::ldexp(x, 2 * j);
  y = std::ldexp(y, 2 * j);
  z = std::ldexp(z, 2 * j);
  return std::ldexp(RfCore(x, y, z), j);
}

VELTRIA_API double rCarlsonIntegralRj(double x, double y, double z, double p) {
  if (!RfArgumentsValid(x, y, z)) return ___NAN;
  const double ap = std::fabs(p);
  if (!(ap >= ___MinReal) || !(ap <= ___MaxReal)) return ___NAN;
  // alpha and beta below are cubic in the arguments.
  const int j = ScaleExponent(std::max({x, y, z, ap}), 300);
  x = std::ldexp(x, 2 * j);
  y = std::ldexp(y, 2 * j);
  z = std::ldexp(z, 2 * j);
  p = std::ldexp(p, 2 * j);

  double a = 0, b = 0, rc = 0;
  const bool principal = p < 0;
  if (principal) {
    // Carlson's transformation to a positive fourth argument q = y + b,
    // with y the middle of the three.
    double v[3] = {x, y, z};
    std::sort(v, v + 3);
    x = v[0];
    y = v[1];
    z = v[2];
    a = 1 / (y - p);
    b = a * (z - y) * (y - x);
    const double q = y + b;
    rc = rCarlsonIntegralRc(x * z / y, p * q / y);
    p = q;
  }

  double f = 1, sum = 0, avg = 0, dx = 0, dy = 0, dz = 0, dp = 0;
  for (int i = 0; i < kMaxSteps; ++i) {
    const double sx = std::sqrt(x), sy = std::sqrt(y), sz = std::sqrt(z);
    const double l = sx * (sy + sz) + sy * sz;
    const double t = p * (sx + sy + sz) + sx * sy * sz;
    const double alpha = t * t;
    const double beta = p * (p + l) * (p + l);
    sum += f * rCarlsonIntegralRc(alpha, beta);
    f *= 0.25;
    x = 0.25 * (x + l);
    y = 0.25 * (y + l);
    z = 0.25 * (z + l);
    p = 0.25 * (p + l);
    avg = (x + y + z + 2 * p) / 5;
    dx = (avg - x) / avg;
    dy = (avg - y) / avg;
    dz = (avg - z) / avg;
    dp = (avg - p) / avg;
    if (std::max({std::fabs(dx), std::fabs(dy), std::fabs(dz), std::fabs(dp)}) <= kStop) break;
  }
  const double ea = dx * (dy + dz) + dy * dz;
  const double eb = dx * dy * dz;
  const double ec = dp * dp;
  const double ed = ea - 3 * ec;
  const double ee = eb + 2 * dp * (ea - ec);
  const double series = 1 + ed * (-3.0 / 14 + (9.0 / 88) * ed - (9.0 / 52) * ee) +
                        eb * (1.0 / 6 + dp * (-3.0 / 11 + (3.0 / 26) * dp)) +
                        dp * ea * (1.0 / 3 - (3.0 / 22) * dp) - (1.0 / 3) * dp * ec;
  double r = 3 * sum + f * series / (avg * std::sqrt(avg));
  if (principal) r = a * (b * r + 3 * (rc - RfCore(x, y, z)));
  return std::ldexp(r, 3 * j);
}

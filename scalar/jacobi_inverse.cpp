// Inverses of sn, cn and dn on the first quarter period [0, K]: the same
// bisection as the functions, steered by the value at the midpoint.
#include <cmath>

#include "scalar/elliptic.h"
#include "scalar/elliptic_internal.h"
#include "scalar/jacobi_bisection.h"
#include "scalar/real_helpers.h"

namespace {

enum Which { kSnInv, kCnInv, kDnInv };

double Value(Which w, const JacobiPoint& p) {
  return w == kSnInv ? p.sn : w == kCnInv ? p.cn : p.dn;
}

double Slope(Which w, const JacobiPoint& p, double m) {
  if (w == kSnInv) return p.cn * p.dn;
  if (w == kCnInv) return -p.sn * p.dn;
  return -m * p.sn * p.cn;
}

// The integral of 1/sqrt((1 - t^2)(1 - m t^2)) from 0 to s for s < 2^-8,
// where a value within 5 eps of s leaves no relative accuracy in u.
double SnInvSeries(double m, double s) {
  const double t = s * s;
  const double m2 = m * m;
  return s * (1 + t * ((1 + m) / 6 + t * ((3 + 2 * m + 3 * m2) / 40 +
                                          t * (5 + 3 * m + 3 * m2 + 5 * m2 * m) / 112)));
}

double Inverse(Which w, double m, double x) {
  if (!(m >= -1 && m <= 1) || std::isnan(x)) return ___NAN;
  const double bottom = std::sqrt(1 - m);  // dn at K
  if (w == kDnInv) {
    if (!(x >= std::fmin(bottom, 1.0) && x <= std::fmax(bottom, 1.0))) return ___NAN;
  } else if (!(x >= 0 && x <= 1)) {
    return ___NAN;
  }
  if (m == 1) {
    // sn = tanh, cn = dn = sech.
    return w == kSnInv ? std::atanh(x) : std::acosh(1 / x);
  }
  // sn of the wanted u, when it is small enough for the series.
  double s = 1;
  if (w == kSnInv)
    s = x;
  else if (w == kCnInv)
    s = std::sqrt((1 - x) * (1 + x));
  else if (m != 0)
    s = std::sqrt((1 - x) * (1 + x) / m);
  if (s < 0x1p-8) return SnInvSeries(m, s);

  const double k = JacobiQuarterPeriod(m).hi;
  const JacobiPoint top = {k, 1, 0, bottom};
  if (x == Value(w, top) && !(w == kDnInv && m == 0)) return k;  // m = 0: dn is 1 throughout
  // sn rises on [0, K]; cn falls; dn falls for m > 0 and rises for m < 0.
  const bool rising = w == kSnInv || (w == kDnInv && m < 0);
  JacobiBracket b(m, {0, 0, 1, 1}, top);
  for (int step = 0; step < kJacobiMaxSteps; ++step) {
    const double v = Value(w, b.mid);
    if (std::fabs(v - x) <= ___5EpsReal) break;
    if (!b.Halve((v < x) == rising)) break;
  }
  // One Newton step from the midpoint, kept inside the bracket (the slope
  // vanishes where the inverse is ill-conditioned).
  const JacobiPoint& p = b.mid;
  const double slope = Slope(w, p, m);
  if (slope != 0) {
    const double u = p.u + (x - Value(w, p)) / slope;
    if (u >= b.lo_u() && u <= b.hi_u()) return u;
  }
  return p.u;
}

}  // namespace

VELTRIA_API double rSnInv(double m, double x) { return Inverse(kSnInv, m, x); }
VELTRIA_API double rCnInv(double m, double x) { return Inverse(kCnInv, m, x); }
VELTRIA_API double rDnInv(double m, double x) { return Inverse(kDnInv, m, x); }

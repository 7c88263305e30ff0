// Jacobi elliptic functions sn, cn, dn and their nine quotients: the
// argument is reduced to the first quarter period [0, K], where a bisection
// halves the bracket around it, each midpoint's values coming from the two
// ends' values by the half-argument formulas.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/elliptic.h"
#include "scalar/elliptic_internal.h"
#include "scalar/jacobi_bisection.h"
#include "scalar/real_helpers.h"

namespace {

// 1 - cn without cancellation: near u = 0 it is sn^2/(1 + cn).
double OneMinusCn(double sn, double cn) { return cn > 0.5 ? sn * sn / (1 + cn) : 1 - cn; }

// Maclaurin series, used below u = 2^-8 where the bisection's absolute
// tolerance would leave no relative accuracy; the first omitted terms are
// below 2^-68 relative there.
JacobiPoint SmallArgument(double m, double u) {
  const double t = u * u;
  const double m2 = m * m;
  JacobiPoint p;
  p.u = u;
  p.sn = u * (1 - t * ((1 + m) / 6 - t * ((1 + 14 * m + m2) / 120 -
                                          t * (1 + 135 * m + 135 * m2 + m2 * m) / 5040)));
  p.cn = 1 - t * (0.5 - t * ((1 + 4 * m) / 24 - t * (1 + 44 * m + 16 * m2) / 720));
  p.dn = 1 - m * t * (0.5 - t * ((4 + m) / 24 - t * (16 + 44 * m + m2) / 720));
  return p;
}

// Values at r in [0, K].
JacobiPoint FirstQuarter(double m, double r, double k) {
  if (r < 0x1p-8) return SmallArgument(m, r);
  const JacobiPoint top = {k, 1, 0, std::sqrt(1 - m)};
  if (r >= k) return top;
  JacobiBracket b(m, {0, 0, 1, 1}, top);
  for (int step = 0; step < kJacobiMaxSteps && std::fabs(b.mid.u - r) > ___5EpsReal; ++step) {
    if (!b.Halve(r > b.mid.u)) break;
  }
  // The bisection stops within 5 eps of r; one Taylor step closes the gap.
  const JacobiPoint& p = b.mid;
  const double h = r - p.u;
  return {r, p.sn + h * p.cn * p.dn, p.cn - h * p.sn * p.dn, p.dn - m * h * p.sn * p.cn};
}

// u mod 4K as an unevaluated pair, with K = k.hi + k.lo.
void ReduceByPeriod(double u, QuarterPeriod k, double* hi, double* lo) {
  const double ph = 4 * k.hi, pl = 4 * k.lo;
  const double j = std::floor(u / ph);
  if (!(j < 0x1p50)) {  // beyond any meaningful phase
    *hi = std::fmod(u, ph);
    *lo = 0;
    return;
  }
  // j ph exactly as p + e; u - p is exact (Sterbenz).
  const double p = j * ph;
  const double e = std::fma(j, ph, -p);
  double h = u - p;
  double l = -(e + j * pl);
  const double s = h + l;
  l = l - (s - h);
  h = s;
  if (h < 0) {
    const double t = h + ph;
    l += pl + ((ph - t) + h);
    h = t;
  } else if (h >= ph) {
    const double t = h - ph;
    l += -pl + ((h - t) - ph);
    h = t;
  }
  *hi = h;
  *lo = l;
}

}  // namespace

Dword rJacobiMidpoint(double sn1, double cn1, double dn1, double sn2, double cn2, double dn2,
                      double m, double* sn, double* cn, double* dn) {
  if (!(m >= -1 && m <= 1)) return kErrIllegalArgument;
  // With a = u1/2 and b = u2/2 the squared half-argument values are
  // sn^2 = c/e, cn^2 = f/e, dn^2 = p/e; the addition theorems at a + b give
  // the midpoint, sn as a sum of two non-negative terms.
  const double c1 = OneMinusCn(sn1, cn1), c2 = OneMinusCn(sn2, cn2);
  const double e1 = 1 + dn1, e2 = 1 + dn2;
  const double f1 = dn1 + cn1, f2 = dn2 + cn2;
  const double mc = 1 - m;
  const double p1 = mc + dn1 + m * cn1, p2 = mc + dn2 + m * cn2;
  // e1 e2 - m c1 c2 expanded into terms that do not cancel: near K with m
  // close to 1 the plain form is a small difference of two numbers near 1,
  // and its relative error would scale all three results. The bracket is
  // at least 1 - m (as dn^2 = 1 - m + m cn^2) and small beside the rest.
  const double d = mc + dn1 + dn2 + m * (cn1 + cn2) + (dn1 * dn2 - m * cn1 * cn2);
  *dn = (std::sqrt(e1 * e2 * p1 * p2) - m * std::sqrt(c1 * f1 * c2 * f2)) / d;
  *cn = (std::sqrt(f1 * f2 * e1 * e2) - std::sqrt(c1 * c2 * p1 * p2)) / d;
  *sn = (std::sqrt(c1 * e1 * f2 * p2) + std::sqrt(c2 * e2 * f1 * p1)) / d;
  return kErrNone;
}

VELTRIA_API LibErrorCode rSnCnDn(double m, double u, double* sn, double* cn, double* dn) {
  double s, c, d;
  LibErrorCode status = kErrNone;
  if (!(m >= -1 && m <= 1) || !std::isfinite(u)) {
    s = c = d = ___NAN;
    status = kErrIllegalArgument;
  } else if (m == 1) {
    // K is infinite: sn = tanh, cn = dn = sech.
    s = std::tanh(u);
    c = d = 1 / std::cosh(u);
  } else {
    // sn is odd, cn and dn are even.
    const double a = std::fabs(u);
    const QuarterPeriod k = JacobiQuarterPeriod(m);
    double vh = a, vl = 0;
    if (a > 4 * k.hi) ReduceByPeriod(a, k, &vh, &vl);
    // Quarter of the period and the reduced argument in [0, K].
    int quarter;
    double r;
    if (vh <= k.hi) {
      quarter = 0;
      r = vh + vl;
    } else if (vh <= 2 * k.hi) {
      quarter = 1;
      r = (2 * k.hi - vh) + (2 * k.lo - vl);
    } else if (vh <= 3 * k.hi) {
      quarter = 2;
      r = (vh - 2 * k.hi) + (vl - 2 * k.lo);
    } else {
      quarter = 3;
      r = (4 * k.hi - vh) + (4 * k.lo - vl);
    }
    r = std::fmin(std::fmax(r, 0.0), k.hi);
    const JacobiPoint p = FirstQuarter(m, r, k.hi);
    s = p.sn;
    c = p.cn;
    d = p.dn;
    if (quarter == 1 || quarter == 2) c = -c;
    if (quarter >= 2) s = -s;
    if (u < 0) s = -s;
  }
  if (sn) *sn = s;
  if (cn) *cn = c;
  if (dn) *dn = d;
  return status;
}

namespace {

enum Part { kOne, kSn, kCn, kDn };

double Pick(Part part, double s, double c, double d) {
  switch (part) {
    case kSn:
      return s;
    case kCn:
      return c;
    case kDn:
      return d;
    default:
      return 1;
  }
}

// num/den of the three values; NaN on a bad argument or a zero denominator.
double Quotient(double m, double u, Part num, Part den) {
  double s, c, d;
  if (rSnCnDn(m, u, &s, &c, &d) != kErrNone) return ___NAN;
  const double q = Pick(den, s, c, d);
  if (q == 0) return ___NAN;
  return Pick(num, s, c, d) / q;
}

}  // namespace

VELTRIA_API double rSn(double m, double u) { return Quotient(m, u, kSn, kOne); }
VELTRIA_API double rCn(double m, double u) { return Quotient(m, u, kCn, kOne); }
VELTRIA_API double rDn(double m, double u) { return Quotient(m, u, kDn, kOne); }
VELTRIA_API double rNs(double m, double u) { return Quotient(m, u, kOne, kSn); }
VELTRIA_API double rNc(double m, double u) { return Quotient(m, u, kOne, kCn); }
VELTRIA_API double rNd(double m, double u) { return Quotient(m, u, kOne, kDn); }
VELTRIA_API double rSc(double m, double u) { return Quotient(m, u, kSn, kCn); }
VELTRIA_API double rSd(double m, double u) { return Quotient(m, u, kSn, kDn); }
VELTRIA_API double rCs(double m, double u) { return Quotient(m, u, kCn, kSn); }
VELTRIA_API double rCd(double m, double u) { return Quotient(m, u, kCn, kDn); }
VELTRIA_API double rDs(double m, double u) { return Quotient(m, u, kDn, kSn); }
VELTRIA_API double rDc(double m, double u) { return Quotient(m, u, kDn, kCn); }

// Incomplete elliptic integrals: F and E together by the descending Landen
// (arithmetic-geometric) transformation, Pi through Carlson's forms.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/elliptic.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPi = 3.141592653589793;

// k = 1: the integrands are 1/cos and cos. F grows without bound at pi/2
// (the nearest double stands for pi/2 itself); E integrates |cos|, which
// adds 2 per half turn.
void ModulusOne(double phi, double* f, double* e) {
  const double a = std::fabs(phi);
  if (a < kHalfPi)
    *f = std::asinh(std::tan(phi));
  else
    *f = std::copysign(___PlsINF, phi);
  const double turns = std::nearbyint(phi / kPi);
  *e = 2 * turns + std::sin(phi - turns * kPi);
}

}  // namespace

VELTRIA_API LibErrorCode rIncompleteElliptics(double k, double phi, double* f, double* e) {
  if (!(k >= 0 && k <= 1) || phi > kHalfPi) return kErrIllegalArgument;
  double fv, ev;
  if (k == 1) {
    ModulusOne(phi, &fv, &ev);
  } else {
    double a = 1;
    double b = std::sqrt((1 - k) * (1 + k));
    double c = k;
    double s = 1 - 0.5 * k * k;
    double w = 1;
    double sum = 0;
    int n = 0;
    while (std::fabs(c) > ___5EpsReal) {
      // phi + atan((b/a) tan phi) on the continuous branch: the correction
      // term stays in (-pi/2, pi/2) and is continuous through every odd
      // multiple of pi/2.
      const double t = std::tan(phi);
      phi = 2 * phi - std::atan((a - b) * t / (a + b * t * t));
      c = 0.5 * (a - b);
      const double an = 0.5 * (a + b);
      b = std::sqrt(a * b);
      a = an;
      s -= w * c * c;
      sum += c * std::sin(phi);
      w *= 2;
      ++n;
    }
    fv = std::ldexp(phi / a, -n);  // the power of two exactly
    ev = s * fv + sum;
  }
  if (f) *f = fv;
  if (e) *e = ev;
  return kErrNone;
}

VELTRIA_API double rIncompleteEllipticF(double k, double phi) {
  double f;
  return rIncompleteElliptics(k, phi, &f, nullptr) == kErrNone ? f : ___NAN;
}

VELTRIA_API double rIncompleteEllipticE(double k, double phi) {
  double e;
  return rIncompleteElliptics(k, phi, nullptr, &e) == kErrNone ? e : ___NAN;
}

VELTRIA_API double rIncompleteEllipticFm(double x, double m) { return rSnInv(m, x); }

VELTRIA_API double rIncompleteEllipticP(double n, double phi, double k) {
  if (!(k >= 0 && k <= 1) || !(phi >= 0 && phi <= kHalfPi)) return ___NAN;
  const double s = std::sin(phi);
  const double c = std::cos(phi);
  const double delta2 = (1 - s * k) * (1 + s * k);
  return s * rCarlsonIntegralRf(c * c, delta2, 1) +
         (n * s * s * s / 3) * rCarlsonIntegralRj(c * c, delta2, 1, 1 - n * s * s);
}

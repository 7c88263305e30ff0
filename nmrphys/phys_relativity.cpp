// Thermal radiation and special relativity with Lorentz 4-vectors.
#include <cmath>

#include "nmrphys/physics.h"
#include "nmrphys/physics_constants.h"
#include "scalar/real_helpers.h"

using namespace phys;

VELTRIA_API double rTemp2RadiantEmittance(double t) {
  const double t2 = t * t;
  return kStefanBoltzmann * t2 * t2;
}
VELTRIA_API double rRadiantEmittance2Temp(double m) {
  if (m < 0) return ___NAN;
  return std::sqrt(std::sqrt(m / kStefanBoltzmann));
}
VELTRIA_API double rWienDisplacementLambda(double t) { return kWienLambda / t; }
VELTRIA_API double rWienDisplacementHz(double t) { return kWienHz * t; }
VELTRIA_API double rWienTempFromHz(double f) { return f / kWienHz; }

// x^3 / (e^x - 1) of |x|; expm1 keeps the small arguments accurate.
VELTRIA_API double rPlanckF(double x) {
  const double a = std::fabs(x);
  if (!(a > ___SqrtEpsReal)) return std::isnan(x) ? ___NAN : 0.0;
  return a * a * a / std::expm1(a);
}
VELTRIA_API double rPlanckL(double x) {
  if (x == 0) return 0.0;
  const double y = 1.0 / std::fabs(x);
  const double y2 = y * y;
  return y2 * y2 * y / std::expm1(y);
}

// sqrt(1 - x) sqrt(1 + x) instead of sqrt(1 - x^2): no cancellation near 1.
VELTRIA_API double rLorentzFactorReciprocal(double v) {
  const double x = std::fabs(v) / kLight;
  if (!(x < 1)) return ___NAN;
  return std::sqrt(1.0 - x) * std::sqrt(1.0 + x);
}
VELTRIA_API double rLorentzFactor(double v) {
  const double r = rLorentzFactorReciprocal(v);
  return std::isnan(r) ? ___NAN : 1.0 / r;
}
VELTRIA_API double rLorentzFactorInv(double gamma) {
  if (!(gamma >= 1)) return ___NAN;
  if (gamma == 1) return 0.0;
  const double g = 1.0 / gamma;
  return kLight * std::sqrt(1.0 - g) * std::sqrt(1.0 + g);
}
VELTRIA_API double rRapidity(double v) { return std::atanh(v / kLight); }
VELTRIA_API double rRapidityInv(double rapidity) { return kLight * std::tanh(rapidity); }
VELTRIA_API double rMomentumMass2Energy(double p, double m) {
  return kLight * std::hypot(m * kLight, p);
}

VELTRIA_API double rNormSquare4L(const VECTOR4L& a) {
  return a.x * a.x + a.y * a.y + a.z * a.z - a.t * a.t;
}
VELTRIA_API double rNorm4L(const VECTOR4L& a) {
  const double s = rNormSquare4L(a);
  return s >= 0 ? std::sqrt(s) : -std::sqrt(-s);
}
VELTRIA_API double rScalarProduct4L(const VECTOR4L& a, const VECTOR4L& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z - a.t * b.t;
}
VELTRIA_API double rSeparation4L(const VECTOR4L& a, const VECTOR4L& b) { return rNorm4L(a - b); }
VELTRIA_API VECTOR4L& vChangeSign4L(VECTOR4L& a) {
  a.x = -a.x;
  a.y = -a.y;
  a.z = -a.z;
  a.t = -a.t;
  return a;
}

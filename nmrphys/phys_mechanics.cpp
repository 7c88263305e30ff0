// Kinematics, the pendulum, waves and quanta, electromagnetic media.
#include <cmath>

#include "nmrphys/physics.h"
#include "nmrphys/physics_constants.h"
#include "scalar/elliptic.h"
#include "scalar/safe_arith.h"

using namespace phys;

VELTRIA_API double rAccelerationFromTdv(double t, double d, double v0) {
  return rSafeDiv(2.0 * (d - v0 * t), t * t);
}
VELTRIA_API double rAccelerationFromTvv(double t, double v0, double v1) {
  return rSafeDiv(v1 - v0, t);
}
VELTRIA_API double rDistanceFromTav(double t, double a, double v0) {
  return t * (v0 + 0.5 * a * t);
}
VELTRIA_API double rSpeedFromTd(double t, double d) { return rSafeDiv(d, t); }
VELTRIA_API double rTimeFromDs(double d, double s) { return rSafeDiv(d, s); }
VELTRIA_API double rMpEnergy(double m, double v) { return 0.5 * m * v * v; }

VELTRIA_API double rPendulumPeriod(double theta0, double length, double g) {
  return 4.0 * std::sqrt(length / g) * rEllipticK(std::sin(0.5 * theta0));
}

VELTRIA_API double rHz2QEnergy(double f, double n) { return n * kPlanck * f; }
VELTRIA_API double rOmega2QEnergy(double omega, double n) { return n * kHbar * omega; }
VELTRIA_API double rLambda2QEnergy(double lambda, double n, double v) {
  return n * kPlanck * v / lambda;
}
VELTRIA_API double rEnergy2SingleQuantumHz(double e, double f) { return e / (kPlanck * f); }
VELTRIA_API double rEnergy2SingleQuantumOmega(double e, double omega) {
  return e / (kHbar * omega);
}
VELTRIA_API double rEnergy2SingleQuantumLambda(double e, double lambda, double v) {
  return e * lambda / (kPlanck * v);
}
VELTRIA_API double rSingleQuantumEnergy2Hz(double e) { return e / kPlanck; }
VELTRIA_API double rHz2M0Momentum(double f, double n) { return n * f * kPlanckByLight; }
VELTRIA_API double rLambda2M0Momentum(double lambda, double n) { return n * kPlanck / lambda; }
VELTRIA_API double rEnergy2M0Momentum(double e, double n) { return n * e / kLight; }

VELTRIA_API double rElRel2AbsPermittivity(double epsilon_r) { return epsilon_r * kEpsilon0; }
VELTRIA_API double rElAbs2RelPermittivity(double epsilon) { return epsilon / kEpsilon0; }
VELTRIA_API double rElAbsPermittivity2Susceptibility(double epsilon) {
  return epsilon / kEpsilon0 - 1.0;
}
VELTRIA_API double rElSusceptibility2AbsPermittivity(double chi) { return (chi + 1.0) * kEpsilon0; }
VELTRIA_API double rMagRel2AbsPermeability(double mu_r) { return mu_r * kMu0; }
VELTRIA_API double rMagAbs2RelPermeability(double mu) { return mu / kMu0; }
VELTRIA_API double rMagAbsPermeability2Susceptibility(double mu) { return mu / kMu0 - 1.0; }
VELTRIA_API double rMagSusceptibility2AbsPermeability(double chi) { return (chi + 1.0) * kMu0; }
VELTRIA_API double rSpeedOfLight(double epsilon, double mu) {
  return 1.0 / std::sqrt(epsilon * mu);
}
VELTRIA_API double rWaveImpedance(double epsilon, double mu) { return std::sqrt(mu / epsilon); }

// The physics formula library: kinematics and mechanics, waves and quanta,
// electromagnetic media and fields (the Biot-Savart kernel and the field of
// a polygonal coil), thermal radiation, relativity with Lorentz 4-vectors,
// statistical physics (partition functions, Einstein, Debye and Planck
// functions) and the NMR conversions between field, frequency and pulse
// length. SI units throughout; a spin is passed as the integer 2S.
#pragma once
#include <cstdint>

#include "base/types.h"
#include "complexvec/vector_types.h"

// A Lorentz 4-vector: three space components, then time.
struct VECTOR4L {
  double x, y, z, t;
  constexpr VECTOR4L() : x(0), y(0), z(0), t(0) {}
  constexpr VECTOR4L(double x_, double y_, double z_, double t_) : x(x_), y(y_), z(z_), t(t_) {}
};
static_assert(sizeof(VECTOR4L) == 32);
constexpr VECTOR4L operator-(const VECTOR4L& a, const VECTOR4L& b) {
  return VECTOR4L(a.x - b.x, a.y - b.y, a.z - b.z, a.t - b.t);
}

// Kinematics and mechanics.
VELTRIA_API double rAccelerationFromTdv(double t, double d, double v0);
VELTRIA_API double rAccelerationFromTvv(double t, double v0, double v1);
VELTRIA_API double rDistanceFromTav(double t, double a, double v0);
VELTRIA_API double rDistanceFromTs(double t, double s);
VELTRIA_API double rSpeedFromTd(double t, double d);
VELTRIA_API double rTimeFromDs(double d, double s);
VELTRIA_API double rMpEnergy(double m, double v);
VELTRIA_API double rMpForce(double m, double a);
VELTRIA_API double rMpMoment(double m, double v);
VELTRIA_API double rPendulumPeriod(double theta0, double length, double g);

// Waves and quanta.
VELTRIA_API double rHz2Lambda(double f, double v);
VELTRIA_API double rLambda2Hz(double lambda, double v);
VELTRIA_API double rHzLambda2Speed(double f, double lambda);
VELTRIA_API double rHz2QEnergy(double f, double n);
VELTRIA_API double rOmega2QEnergy(double omega, double n);
VELTRIA_API double rLambda2QEnergy(double lambda, double n, double v);
VELTRIA_API double rEnergy2SingleQuantumHz(double e, double f);
VELTRIA_API double rEnergy2SingleQuantumOmega(double e, double omega);
VELTRIA_API double rEnergy2SingleQuantumLambda(double e, double lambda, double v);
VELTRIA_API double rSingleQuantumEnergy2Hz(double e);
VELTRIA_API double rHz2M0Momentum(double f, double n);
VELTRIA_API double rLambda2M0Momentum(double lambda, double n);
VELTRIA_API double rEnergy2M0Momentum(double e, double n);

// Electromagnetic media.
VELTRIA_API double rElRel2AbsPermittivity(double epsilon_r);
VELTRIA_API double rElAbs2RelPermittivity(double epsilon);
VELTRIA_API double rElAbsPermittivity2Susceptibility(double epsilon);
VELTRIA_API double rElRelPermittivity2Susceptibility(double epsilon_r);
VELTRIA_API double rMagRelPermeability2Susceptibility(double mu_r);
VELTRIA_API double rElSusceptibility2RelPermittivity(double chi);
VELTRIA_API double rMagSusceptibility2RelPermeability(double chi);
VELTRIA_API double rElSusceptibility2AbsPermittivity(double chi);
VELTRIA_API double rMagRel2AbsPermeability(double mu_r);
VELTRIA_API double rMagAbs2RelPermeability(double mu);
VELTRIA_API double rMagAbsPermeability2Susceptibility(double mu);
VELTRIA_API double rMagSusceptibility2AbsPermeability(double chi);
VELTRIA_API double rSpeedOfLight(double epsilon, double mu);
VELTRIA_API double rWaveImpedance(double epsilon, double mu);

// Electromagnetic fields.
VELTRIA_API double rEB2EnergyDensity(const VECTOR3D& e, const VECTOR3D& b, double epsilon,
                                     double mu);
VELTRIA_API double rMagDipMomOfCurrentLoop(double r, double current);
VELTRIA_API VECTOR3D& vv3MagDipMomOfSurfelJ(VECTOR3D& result, const VECTOR3D& j, double da);
VELTRIA_API VECTOR3D& vLorentzForceV3(VECTOR3D& result, double q, const VECTOR3D& v,
                                      const VECTOR3D& e, const VECTOR3D& b);
// Terms (d x rA)/|rA|^3 and (d x rB)/|rB|^3 of the segment A-B at P, without
// current or mu0/4pi; 40 when P sits on a segment end.
VELTRIA_API LibErrorCode rBiotSavartKernel(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& p,
                                           double** start_term, double** end_term);
VELTRIA_API LibErrorCode pBiotSavartKernel(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& p,
                                           VECTOR3D& start_term, VECTOR3D& end_term);
// Adds the field per ampere of the polygon through `points` at P to the three
// values *field points to.
VELTRIA_API LibErrorCode CoilMagneticField(const VECTOR3D* points, Qword n, const VECTOR3D* p,
                                           double** field, uint8_t closed);

// Thermal radiation.
VELTRIA_API double rTemp2RadiantEmittance(double t);
VELTRIA_API double rRadiantEmittance2Temp(double m);
VELTRIA_API double rWienDisplacementLambda(double t);
VELTRIA_API double rWienDisplacementHz(double t);
VELTRIA_API double rWienTempFromHz(double f);
VELTRIA_API double rPlanckF(double x);
VELTRIA_API double rPlanckL(double x);

// Relativity.
VELTRIA_API double rLorentzFactor(double v);
VELTRIA_API double rLorentzFactorReciprocal(double v);
VELTRIA_API double rLorentzFactorInv(double gamma);
VELTRIA_API double rRapidity(double v);
VELTRIA_API double rRapidityInv(double rapidity);
VELTRIA_API double rMomentumMass2Energy(double p, double m);
VELTRIA_API double rNormSquare4L(const VECTOR4L& a);
VELTRIA_API double rNorm4L(const VECTOR4L& a);
VELTRIA_API double rScalarProduct4L(const VECTOR4L& a, const VECTOR4L& b);
VELTRIA_API double rSeparation4L(const VECTOR4L& a, const VECTOR4L& b);
VELTRIA_API VECTOR4L& vChangeSign4L(VECTOR4L& a);

// Statistical physics.
VELTRIA_API double rPartiHarmonicOsci(double x, double delta);
VELTRIA_API double rPartiHarmonicOsciMeanE(double x, double delta);
VELTRIA_API double rPartiSpin(double x, Dword n);
VELTRIA_API double rPartiSpinMeanSz(double x, Dword n);
VELTRIA_API double rPartiSpinMeanSz2(double x, Dword n);
VELTRIA_API double rSpinSquareMagnitude(Dword n);
VELTRIA_API double rSpinMagnitude(Dword n);
VELTRIA_API double rEinstein1(double x);
VELTRIA_API double rEinstein2(double x);
VELTRIA_API double rEinstein3(double x);
VELTRIA_API double rEinstein4(double x);
VELTRIA_API double rDebyeR(double x, double n);
// D_n(x); *counter (when given) receives a tally of the arithmetic done.
VELTRIA_API double rDebyeU(double x, Qword n, Qword* counter);

// NMR conversions (gamma in Hz/T) and the joint probability of two events.
VELTRIA_API double rNmrTeslaToHz(double b, double gamma);
VELTRIA_API double rNmrHzToTesla(double f, double gamma);
VELTRIA_API double rNmrB1teslaToPw90(double b1, double gamma);
VELTRIA_API double rNmrPw90ToB1tesla(double pw90, double gamma);
VELTRIA_API double pBothEvents(double a, double b);

// The physics formulas against closed forms, exact identities and mpmath
// tables (tools/gen_physics_reference.py).
#include "nmrphys/physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error_codes.h"
#include "support/accuracy.h"

namespace {
#include "physics_reference.inc"

constexpr double kC = 299792458.0;
constexpr double kMu0By4Pi = 9.999999988573333e-8;

TEST(Physics, SharedBodiesAndSimpleFormulas) {
  EXPECT_EQ(rNmrTeslaToHz(9.4, 42.5763881e6), 9.4 * 42.5763881e6);
  EXPECT_EQ(pBothEvents(0.5, 0.25), 0.125);
  EXPECT_EQ(rDistanceFromTs(3, 4), 12);
  EXPECT_EQ(rHz2Lambda(2, 10), 5);
  EXPECT_EQ(rLambda2Hz(2, 10), 5);
  EXPECT_EQ(rNmrB1teslaToPw90(1e-3, 42.5763881e6), 0.25 / (1e-3 * 42.5763881e6));
  EXPECT_EQ(rMagRelPermeability2Susceptibility(1.5), 0.5);
  EXPECT_EQ(rMagSusceptibility2RelPermeability(0.5), 1.5);
  EXPECT_EQ(rDistanceFromTav(2, 3, 1), 2 * (1 + 3));
  EXPECT_EQ(rAccelerationFromTdv(2, 10, 1), 2.0 * (10 - 2) / 4);
  EXPECT_TRUE(std::isinf(rSpeedFromTd(0, 1)));  // the safe quotient's infinity
  EXPECT_EQ(rSpinSquareMagnitude(3), 3.75);
  EXPECT_NEAR(rSpeedOfLight(8.8541878128e-12, 1.25663706e-6), kC, 1.0);
}

TEST(Physics, RadiationAndRelativityEdges) {
  EXPECT_NEAR(rRadiantEmittance2Temp(rTemp2RadiantEmittance(300)), 300, 300 * 4e-16);
  EXPECT_TRUE(std::isnan(rRadiantEmittance2Temp(-1)));
  EXPECT_TRUE(std::isnan(rLorentzFactor(kC)));
  EXPECT_TRUE(std::isnan(rLorentzFactor(-kC)));
  EXPECT_EQ(rLorentzFactor(0), 1);
  EXPECT_EQ(rLorentzFactorInv(1), 0);
  EXPECT_TRUE(std::isnan(rLorentzFactorInv(0.5)));
  EXPECT_NEAR(rLorentzFactorInv(rLorentzFactor(0.6 * kC)), 0.6 * kC, 1e-6);
  EXPECT_EQ(rRapidity(kC), INFINITY);
  EXPECT_TRUE(std::isnan(rRapidity(1.5 * kC)));
  EXPECT_EQ(rNorm4L(VECTOR4L(0, 0, 0, 2)), -2);
  EXPECT_EQ(rSeparation4L(VECTOR4L(3, 4, 0, 1), VECTOR4L(0, 0, 0, 1)), 5);
  VECTOR4L v(1, -2, 0, 3);
  vChangeSign4L(v);
  EXPECT_TRUE(v.x == -1 && v.y == 2 && std::signbit(v.z) && v.t == -3);
  EXPECT_EQ(rPlanckF(1e-9), 0);
  EXPECT_NEAR(rPlanckF(-2), 8 / std::expm1(2.0), 1e-15);
  EXPECT_EQ(rPlanckL(0), 0);
}

TEST(Physics, EnergyDensityAndLorentzForce) {
  const VECTOR3D e(1, 2, 2), zero;
  EXPECT_EQ(rEB2EnergyDensity(e, zero, 2, 5), 0.5 * 2 * 9);
  EXPECT_EQ(rEB2EnergyDensity(zero, e, 2, 5), 0.5 * 9 / 5);
  VECTOR3D f;
  vLorentzForceV3(f, 2, VECTOR3D(1, 0, 0), VECTOR3D(0, 0, 1), VECTOR3D(0, 1, 0));
  EXPECT_TRUE(f.x == 0 && f.y == 0 && f.z == 2 * (1 + 1));
}

TEST(Physics, PartitionFunctionsAndTheirOverflowFreeForms) {
  EXPECT_EQ(rPartiSpin(0, 1), 2);
  EXPECT_EQ(rPartiSpinMeanSz(0, 3), 0);
  // Spin 1/2: Z = 2 cosh(x/2), <Sz> = tanh(x/2)/2, <Sz^2> = 1/4.
  for (double x : {-3.0, 0.1, 2.0}) {
    EXPECT_NEAR(rPartiSpin(x, 1), 2 * std::cosh(x / 2), 1e-15 * std::cosh(x / 2));
    EXPECT_NEAR(rPartiSpinMeanSz(x, 1), std::tanh(x / 2) / 2, 1e-15);
    EXPECT_NEAR(rPartiSpinMeanSz2(x, 1), 0.25, 1e-15);
  }
  // Far past e^709: the whole population sits in the top state.
  EXPECT_EQ(rPartiSpinMeanSz(400, 4), 2);
  EXPECT_EQ(rPartiSpinMeanSz2(400, 4), 4);
  EXPECT_EQ(rPartiSpinMeanSz(-400, 4), -2);
  EXPECT_EQ(rEinstein1(0), 1);
  EXPECT_EQ(rEinstein2(0), 1);
  EXPECT_TRUE(std::isnan(rEinstein3(0)));
  EXPECT_TRUE(std::isnan(rEinstein4(0)));
  // x^2 e^x / (e^x - 1)^2 = (x/2)^2 / sinh^2(x/2), finite beyond x = 709.
  for (double x : {0.5, -3.0, 30.0, 720.0}) {
    const double s = std::sinh(x / 2);
    const double expect = x < 700 ? (x / 2) * (x / 2) / (s * s) : x * x * std::exp(-x);
    EXPECT_NEAR(rEinstein1(x), expect, 1e-14 * expect) << x;
  }
  EXPECT_NEAR(rPartiHarmonicOsci(1, 0.5), std::exp(-0.5) / (1 - std::exp(-1.0)), 1e-15);
}

TEST(Physics, DebyeFunctionAgainstMpmath) {
  for (const auto& r : kDebyeRows) {
    Qword count = 99;
    const double d = rDebyeU(r.x, r.n, &count);
    EXPECT_LE(RelativeError(d, r.d), 4e-13) << "n " << r.n << " x " << r.x;
    EXPECT_GT(count, 0u);
  }
  Qword count = 7;
  EXPECT_EQ(rDebyeU(0, 3, &count), 1);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(rDebyeU(1e-17, 3, nullptr), 1);
}

TEST(Physics, DebyeIntegralStopsWhenTheRestIsNegligible) {
  for (const auto& r : kDebyeIntegralRows)
    EXPECT_LE(RelativeError(rDebyeR(r.x, r.n), r.r), 2e-6) << r.x << " " << r.n;  // step 1e-6
  EXPECT_TRUE(std::isnan(rDebyeR(1, 0)));
  EXPECT_TRUE(std::isnan(rDebyeR(-1, 2)));
  EXPECT_EQ(rDebyeR(0, 2), 0);
  EXPECT_DOUBLE_EQ(rDebyeR(1e-5, 2), 1e-10 / 2);
}

TEST(Physics, PendulumPeriodAgainstTheEllipticIntegral) {
  const double l = 2.0, g = 9.80665;
  const double t0 = 2 * 3.141592653589793 * std::sqrt(l / g);
  // Near 180 degrees K(k) is steep: the rounding of theta itself shows.
  for (const auto& r : kPendulumRows)
    EXPECT_LE(RelativeError(rPendulumPeriod(r.theta, l, g) / t0, r.ratio), 1e-13) << r.theta;
}

TEST(Physics, BiotSavartKernelAndCoil) {
  const VECTOR3D a(0, 0, 0), b(1, 0, 0);
  VECTOR3D s, e;
  EXPECT_EQ(pBiotSavartKernel(a, b, a, s, e), kErrDivisionByZero);
  EXPECT_EQ(pBiotSavartKernel(a, b, VECTOR3D(0, 1, 0), s, e), kErrNone);
  // d x rA / |rA|^3 with d = x, rA = y: z.
  EXPECT_TRUE(s.x == 0 && s.y == 0 && s.z == 1);
  double st[3], en[3];
  double* sp = st;
  double* ep = en;
  EXPECT_EQ(rBiotSavartKernel(a, b, b, &sp, &ep), kErrDivisionByZero);
  EXPECT_TRUE(en[0] == 0 && en[1] == 0 && en[2] == 0);  // the end term holds rB = 0

  // A circular loop of radius R in the xy plane: on the axis the field per
  // ampere is mu0 R^2 / (2 (R^2 + z^2)^(3/2)).
  const double radius = 0.05;
  const Qword n = 3600;
  std::vector<VECTOR3D> loop(n);
  for (Qword k = 0; k < n; ++k) {
    const double phi = 2 * 3.141592653589793 * k / n;
    loop[k] = VECTOR3D(radius * std::cos(phi), radius * std::sin(phi), 0);
  }
  for (double z : {0.0, 0.02, 0.1}) {
    const VECTOR3D p(0, 0, z);
    double field[3] = {0, 0, 0};
    double* fp = field;
    ASSERT_EQ(CoilMagneticField(loop.data(), n, &p, &fp, 1), kErrNone);
    const double r2z2 = radius * radius + z * z;
    const double expect =
        4 * 3.141592653589793 * kMu0By4Pi * radius * radius / (2 * r2z2 * std::sqrt(r2z2));
    EXPECT_LE(RelativeError(field[2], expect), 1e-5) << z;
    // A second coil adds into the same buffer without rescaling the first.
    ASSERT_EQ(CoilMagneticField(loop.data(), n, &p, &fp, 1), kErrNone);
    EXPECT_LE(RelativeError(field[2], 2 * expect), 1e-5);
  }
  double field[3] = {1, 2, 3};
  double* fp = field;
  const VECTOR3D p(0, 0, 1);
  EXPECT_EQ(CoilMagneticField(loop.data(), 0, &p, &fp, 1), kErrNone);
  EXPECT_TRUE(field[0] == 1 && field[1] == 2 && field[2] == 3);
  EXPECT_EQ(CoilMagneticField(nullptr, 3, &p, &fp, 1), kErrMissingArguments);
  EXPECT_EQ(CoilMagneticField(loop.data(), 3, nullptr, &fp, 1), kErrMissingArguments);
  EXPECT_EQ(CoilMagneticField(loop.data(), 3, &p, nullptr, 1), kErrMissingOutputBuffer);
}

}  // namespace

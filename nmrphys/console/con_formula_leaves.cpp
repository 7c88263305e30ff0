// Scalar formula leaves, table-driven: each reads its inputs in order and
// prints one or two results. An input that is not a number ends the leaf
// with the menu's message, ends it silently (the PH3 quanta and speeds) or
// stands for a default (vacuum values, one quantum).
#include <cmath>

#include "base/console_in.h"
#include "base/console_out.h"
#include "nmrphys/console/con_leaves.h"
#include "nmrphys/physics.h"
#include "nmrphys/physics_constants.h"

namespace {

enum InputRule { kNeeded, kQuiet, kDefault };

struct LeafInput {
  const char16_t* prompt;
  InputRule rule;
  double fallback;  // the value of a kDefault input that is not a number
};

struct LeafOutput {
  const char16_t* label;
  double (*f)(const double* in);
  const char16_t* unit;
};

struct ScalarLeaf {
  LeafInput in[3];  // a null prompt ends the inputs
  LeafOutput out[2];
  const char16_t* wrong;
};

constexpr const char16_t* kWrong = u" Wrong input";   // PH1, PH3, PH5, PH6
constexpr const char16_t* kWrongEm = u"Wrong input";  // PH4 menus

constexpr LeafInput kNone{nullptr, kNeeded, 0};
constexpr LeafOutput kNoOut{nullptr, nullptr, nullptr};

const ScalarLeaf kLeaves[kScalarLeafCount] = {
    // PH1
    {{{u"\n Frequency [Hz]:", kNeeded, 0}, {u"\n Phase speed [m/s]:", kNeeded, 0}, kNone},
     {{u"\n Wavelength: ", [](const double* a) { return rHz2Lambda(a[0], a[1]); }, u" m"}, kNoOut},
     kWrong},
    {{{u"\n Wavelength [m]:", kNeeded, 0}, {u"\n Phase speed [m/s]:", kNeeded, 0}, kNone},
     {{u"\n Frequency: ", [](const double* a) { return rLambda2Hz(a[0], a[1]); }, u" Hz"}, kNoOut},
     kWrong},
    {{{u"\n Frequency [Hz]:", kNeeded, 0}, {u"\n Wavelength [m]:", kNeeded, 0}, kNone},
     {{u"\n Phase speed: ", [](const double* a) { return rHzLambda2Speed(a[0], a[1]); }, u" m/s"},
      kNoOut},
     kWrong},
    // PH3
    {{{u"\n Frequency [Hz]:", kNeeded, 0}, {u"\n Number of quanta:", kQuiet, 0}, kNone},
     {{u"\n Energy: ", [](const double* a) { return rHz2QEnergy(a[0], a[1]); }, u" J"}, kNoOut},
     kWrong},
    {{{u"\n Angular frequency [rad/s]:", kNeeded, 0}, {u"\n Number of quanta:", kQuiet, 0}, kNone},
     {{u"\n Energy: ", [](const double* a) { return rOmega2QEnergy(a[0], a[1]); }, u" J"}, kNoOut},
     kWrong},
    {{{u"\n Wavelength [m]:", kNeeded, 0},
      {u"\n Number of quanta:", kQuiet, 0},
      {u"\n Speed [m/s]:", kQuiet, 0}},
     {{u"\n Energy: ", [](const double* a) { return rLambda2QEnergy(a[0], a[1], a[2]); }, u" J"},
      kNoOut},
     kWrong},
    {{{u"\n Energy [J]:", kNeeded, 0}, {u"\n Frequency [Hz]:", kNeeded, 0}, kNone},
     {{u"\n Number of quanta: ",
       [](const double* a) { return rEnergy2SingleQuantumHz(a[0], a[1]); }, nullptr},
      kNoOut},
     kWrong},
    {{{u"\n Energy [J]:", kNeeded, 0}, {u"\n Angular frequency [rad/s]:", kNeeded, 0}, kNone},
     {{u"\n Number of quanta: ",
       [](const double* a) { return rEnergy2SingleQuantumOmega(a[0], a[1]); }, nullptr},
      kNoOut},
     kWrong},
    {{{u"\n Energy [J]:", kNeeded, 0},
      {u"\n Wavelength [m]:", kNeeded, 0},
      {u"\n Speed [m/s]:", kQuiet, 0}},
     {{u"\n Number of quanta: ",
       [](const double* a) { return rEnergy2SingleQuantumLambda(a[0], a[1], a[2]); }, nullptr},
      kNoOut},
     kWrong},
    {{{u"\n Energy [J]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Frequency: ", [](const double* a) { return rSingleQuantumEnergy2Hz(a[0]); }, u" Hz"},
      kNoOut},
     kWrong},
    // PH4a1
    {{{u"\n Relative permittivity:", kNeeded, 0}, kNone, kNone},
     {{u"\n Permittivity: ", [](const double* a) { return rElRel2AbsPermittivity(a[0]); }, u" F/m"},
      {u"\n Susceptibility: ",
       [](const double* a) { return rElRelPermittivity2Susceptibility(a[0]); }, nullptr}},
     kWrongEm},
    {{{u"\n Permittivity [F/m]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative permittivity: ", [](const double* a) { return rElAbs2RelPermittivity(a[0]); },
       nullptr},
      {u"\n Susceptibility: ",
       [](const double* a) { return rElAbsPermittivity2Susceptibility(a[0]); }, nullptr}},
     kWrongEm},
    {{{u"\n Electric susceptibility:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative permittivity: ",
       [](const double* a) { return rElSusceptibility2RelPermittivity(a[0]); }, nullptr},
      {u"\n Permittivity: ",
       [](const double* a) { return rElSusceptibility2AbsPermittivity(a[0]); }, u" F/m"}},
     kWrongEm},
    // PH4a2
    {{{u"\n Relative permeability:", kNeeded, 0}, kNone, kNone},
     {{u"\n Permeability: ", [](const double* a) { return rMagRel2AbsPermeability(a[0]); },
       u" H/m"},
      {u"\n Susceptibility: ",
       [](const double* a) { return rMagRelPermeability2Susceptibility(a[0]); }, nullptr}},
     kWrongEm},
    {{{u"\n Permeability [H/m]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative permeability: ", [](const double* a) { return rMagAbs2RelPermeability(a[0]); },
       nullptr},
      {u"\n Susceptibility: ",
       [](const double* a) { return rMagAbsPermeability2Susceptibility(a[0]); }, nullptr}},
     kWrongEm},
    {{{u"\n Magnetic susceptibility:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative permeability: ",
       [](const double* a) { return rMagSusceptibility2RelPermeability(a[0]); }, nullptr},
      {u"\n Permeability: ",
       [](const double* a) { return rMagSusceptibility2AbsPermeability(a[0]); }, u" H/m"}},
     kWrongEm},
    // PH4b1
    {{{u"\n Frequency [Hz]:", kNeeded, 0}, {u"\n Number of quanta:", kDefault, 1}, kNone},
     {{u"\n Momentum: ", [](const double* a) { return rHz2M0Momentum(a[0], a[1]); }, u" kg*m/s"},
      kNoOut},
     kWrongEm},
    {{{u"\n Wavelength [m]:", kNeeded, 0}, {u"\n Number of quanta:", kNeeded, 0}, kNone},
     {{u"\n Momentum: ", [](const double* a) { return rLambda2M0Momentum(a[0], a[1]); },
       u" kg*m/s"},
      kNoOut},
     kWrongEm},
    {{{u"\n Energy [J]:", kNeeded, 0}, {u"\n Number of quanta:", kNeeded, 0}, kNone},
     {{u"\n Momentum: ", [](const double* a) { return rEnergy2M0Momentum(a[0], a[1]); },
       u" kg*m/s"},
      kNoOut},
     kWrongEm},
    // PH4b2
    {{{u"\n Temperature [K]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Wavelength: ", [](const double* a) { return rWienDisplacementLambda(a[0]); }, u" m"},
      {u"\n Frequency: ", [](const double* a) { return rWienDisplacementHz(a[0]); }, u" Hz"}},
     kWrongEm},
    {{{u"\n Frequency [Hz]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Temperature: ", [](const double* a) { return rWienTempFromHz(a[0]); }, u" K"}, kNoOut},
     kWrongEm},
    {{{u"\n Temperature [K]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Radiant emittance: ", [](const double* a) { return rTemp2RadiantEmittance(a[0]); },
       u" W/m^2"},
      kNoOut},
     kWrongEm},
    {{{u"\n Radiant emittance [W/m^2]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Temperature: ", [](const double* a) { return rRadiantEmittance2Temp(a[0]); }, u" K"},
      kNoOut},
     kWrongEm},
    // PH4c
    {{{u"\n Permittivity [F/m] (not a number: vacuum):", kDefault, phys::kEpsilon0},
      {u"\n Permeability [H/m] (not a number: vacuum):", kDefault, phys::kMu0},
      kNone},
     {{u"\n Speed of light: ", [](const double* a) { return rSpeedOfLight(a[0], a[1]); }, u" m/s"},
      {u"\n Wave impedance: ", [](const double* a) { return rWaveImpedance(a[0], a[1]); },
       u" Ohm"}},
     kWrongEm},
    // PH5
    {{{u"\n Speed [m/s]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Lorentz factor: ", [](const double* a) { return rLorentzFactor(a[0]); }, nullptr},
      {u"\n Reciprocal Lorentz factor: ",
       [](const double* a) { return rLorentzFactorReciprocal(a[0]); }, nullptr}},
     kWrong},
    {{{u"\n Lorentz factor:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative speed: ", [](const double* a) { return rLorentzFactorInv(a[0]); }, u" m/s"},
      kNoOut},
     kWrong},
    {{{u"\n Speed [m/s]:", kNeeded, 0}, kNone, kNone},
     {{u"\n Rapidity: ", [](const double* a) { return rRapidity(a[0]); }, nullptr}, kNoOut},
     kWrong},
    {{{u"\n Rapidity:", kNeeded, 0}, kNone, kNone},
     {{u"\n Relative speed: ", [](const double* a) { return rRapidityInv(a[0]); }, u" m/s"},
      kNoOut},
     kWrong},
    {{{u"\n Rest mass [kg]:", kNeeded, 0}, {u"\n Momentum [kg*m/s]:", kNeeded, 0}, kNone},
     {{u"\n Energy: ", [](const double* a) { return rMomentumMass2Energy(a[1], a[0]); }, u" J"},
      kNoOut},
     kWrong},
};

bool IsNumber(double x) { return std::isfinite(x); }

// Three numbers on one line; CinRArr's code when they are not there.
LibErrorCode ReadVector(const char16_t* prompt, VECTOR3D* v) {
  Dword count = 3;
  double xyz[3];
  const LibErrorCode code = CinRArr(prompt, &count, xyz, 3);
  if (code != 0) return code;
  *v = VECTOR3D(xyz[0], xyz[1], xyz[2]);
  return 0;
}

void PrintVector(const char16_t* label, const VECTOR3D& v, const char16_t* unit) {
  CoutReal(label, v.x, u" ", 0, 10);
  CoutReal(nullptr, v.y, u" ", 0, 10);
  CoutReal(nullptr, v.z, unit, 0, 10);
}

// A permittivity or permeability that is not a number stands for vacuum.
double ReadOrVacuum(const char16_t* prompt, double vacuum) {
  NumStatus status = 0;
  const double x = CinReal(prompt, &status);
  return IsNumber(x) ? x : vacuum;
}

}  // namespace

LibErrorCode ConFormulaLeaf(Long index, void*) {
  if (index < 0 || index >= kScalarLeafCount) return 0;
  const ScalarLeaf& leaf = kLeaves[index];
  double in[3] = {0, 0, 0};
  for (int i = 0; i < 3 && leaf.in[i].prompt; ++i) {
    NumStatus status = 0;
    in[i] = CinReal(leaf.in[i].prompt, &status);
    if (IsNumber(in[i])) continue;
    switch (leaf.in[i].rule) {
      case kDefault:
        in[i] = leaf.in[i].fallback;
        continue;
      case kQuiet:
        return 0;
      case kNeeded:
        Cout(leaf.wrong);
        return 0;
    }
  }
  for (const LeafOutput& out : leaf.out)
    if (out.f) CoutReal(out.label, out.f(in), out.unit, 0, 10);
  return 0;
}

LibErrorCode ConPendulumLeaf(Long, void*) {
  for (;;) {
    NumStatus status = 0;
    const double length = CinReal(u"\n Pendulum length [m]:", &status);
    const double angle = IsNumber(length) ? CinReal(u"\n Initial angle [degrees]:", &status) : NAN;
    if (!IsNumber(angle)) {
      ConClear();
      return 0;
    }
    CoutReal(u"\n Period: ",
             rPendulumPeriod(angle * 0.017453292519943295, length, phys::kStandardGravity), u" s",
             0, 10);
  }
}

LibErrorCode ConEnergyDensityLeaf(Long, void*) {
  VECTOR3D e, b;
  if (LibErrorCode code = ReadVector(u"\n Electric field E [V/m] (x y z):", &e)) return code;
  if (LibErrorCode code = ReadVector(u"\n Magnetic field B [T] (x y z):", &b)) return code;
  const double epsilon =
      ReadOrVacuum(u"\n Permittivity [F/m] (not a number: vacuum):", phys::kEpsilon0);
  const double mu = ReadOrVacuum(u"\n Permeability [H/m] (not a number: vacuum):", phys::kMu0);
  CoutReal(u"\n Energy density: ", rEB2EnergyDensity(e, b, epsilon, mu), u" J/m^3", 0, 10);
  return 0;
}

LibErrorCode ConBiotSavartLeaf(Long, void*) {
  VECTOR3D a, b, p;
  if (LibErrorCode code = ReadVector(u"\n Segment start (x y z):", &a)) return code;
  if (LibErrorCode code = ReadVector(u"\n Segment end (x y z):", &b)) return code;
  if (LibErrorCode code = ReadVector(u"\n Point (x y z):", &p)) return code;
  double start[3] = {NAN, NAN, NAN}, end[3] = {NAN, NAN, NAN};
  double* start_out = start;
  double* end_out = end;
  const LibErrorCode r = rBiotSavartKernel(a, b, p, &start_out, &end_out);
  PrintVector(u"\n rBiotSavartKernel start term: ", VECTOR3D(start[0], start[1], start[2]),
              nullptr);
  PrintVector(u"\n rBiotSavartKernel end term:   ", VECTOR3D(end[0], end[1], end[2]), nullptr);
  VECTOR3D s(NAN, NAN, NAN), t(NAN, NAN, NAN);
  const LibErrorCode q = pBiotSavartKernel(a, b, p, s, t);
  PrintVector(u"\n pBiotSavartKernel start term: ", s, nullptr);
  PrintVector(u"\n pBiotSavartKernel end term:   ", t, nullptr);
  // A point on a segment end has no finite kernel: the menu shows the code.
  return r != 0 ? r : q;
}

LibErrorCode ConLorentzForceLeaf(Long, void*) {
  NumStatus status = 0;
  const double q = CinReal(u"\n Charge [C]:", &status);
  if (!IsNumber(q)) {
    Cout(kWrongEm);
    return 0;
  }
  VECTOR3D v, e, b, f;
  if (LibErrorCode code = ReadVector(u"\n Velocity [m/s] (x y z):", &v)) return code;
  if (LibErrorCode code = ReadVector(u"\n Electric field E [V/m] (x y z):", &e)) return code;
  if (LibErrorCode code = ReadVector(u"\n Magnetic field B [T] (x y z):", &b)) return code;
  PrintVector(u"\n Force: ", vLorentzForceV3(f, q, v, e, b), u" N");
  return 0;
}

// The physics category menu tree: one table per menu, title first. The
// title row of a sub-menu carries its display flags: the screen cleared
// (the Einstein menu for one action); the leaves live in con_*_leaves.cpp.
#include "nmrphys/console/con_leaves.h"
#include "nmrphys/console/con_physics.h"
#include "nmrphys/spin/spin_console.h"

namespace {

enum SubMenu : Long {
  kPH1,
  kPH2,
  kPH3,
  kPH4,
  kPH4a,
  kPH4a1,
  kPH4a2,
  kPH4a3,
  kPH4a4,
  kPH4b,
  kPH4b1,
  kPH4b2,
  kPH4c,
  kPH4d,
  kPH5,
  kPH6,
  kDebye,
  kEinstein,
  kPH9,
  kPH9b,
  kPH9s,
  kPHx,
  kSubMenuCount
};

LibErrorCode OpenMenu(Long which, void*);

const ConMenuItem kMenuPH1[] = {{u"\n PH1 Waves and basic kinematics ", nullptr, kConMenuClear},
                                {u"l rHzToLambda ", ConFormulaLeaf, kLeafHzToLambda},
                                {u"h rLambda2Hz ", ConFormulaLeaf, kLeafLambdaToHz},
                                {u"s rHzLambda2Speed ", ConFormulaLeaf, kLeafHzLambdaToSpeed},
                                {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH2[] = {{u"\n PH2 Classical mechanics ", nullptr, kConMenuClear},
                                {u"p rPendulumPeriod ", ConPendulumLeaf, 0},
                                {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH3[] = {
    {u"\n PH3 Quantum mechanics ", nullptr, kConMenuClear},
    {u"h rHz2QEnergy ", ConFormulaLeaf, kLeafHzToQEnergy},
    {u"o rOmega2QEnergy ", ConFormulaLeaf, kLeafOmegaToQEnergy},
    {u"l rLambda2QEnergy ", ConFormulaLeaf, kLeafLambdaToQEnergy},
    {u"H rEnergy2SingleQuantumHz ", ConFormulaLeaf, kLeafEnergyToQuantaHz},
    {u"O rEnergy2SingleQuantumOmega ", ConFormulaLeaf, kLeafEnergyToQuantaOmega},
    {u"L rEnergy2SingleQuantumLambda ", ConFormulaLeaf, kLeafEnergyToQuantaLambda},
    {u"q rSingleQuantumEnergy2Hz ", ConFormulaLeaf, kLeafQuantumEnergyToHz},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4[] = {{u"\n PH4 Electromagnetism ", nullptr, kConMenuClear},
                                {u"a Electromagnetic field", OpenMenu, kPH4a},
                                {u"b Electromagnetic radiation", OpenMenu, kPH4b},
                                {u"c Electromagnetic properties of media", OpenMenu, kPH4c},
                                {u"d Electromagnetic devices", OpenMenu, kPH4d},
                                {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4a[] = {
    {u"\n PH4a Electromagnetic field ", nullptr, kConMenuClear},
    {u"1 Electric permittivity and susceptibility", OpenMenu, kPH4a1},
    {u"2 Magnetic permeability and susceptibility", OpenMenu, kPH4a2},
    {u"3 Static EMF field generation and properties", OpenMenu, kPH4a3},
    {u"4 Coupling of EMF field to matter", OpenMenu, kPH4a4},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4a1[] = {
    {u"\n PH4a1 Electric permittivity and susceptibility ", nullptr, kConMenuClear},
    {u"a rElRel2AbsPermittivity rElRelPermittivity2Susceptibility", ConFormulaLeaf,
     kLeafElRelPermittivity},
    {u"b rElAbs2RelPermittivity rElAbsPermittivity2Susceptibility", ConFormulaLeaf,
     kLeafElAbsPermittivity},
    {u"c rElSusceptibility2RelPermittivity rElSusceptibility2AbsPermittivity", ConFormulaLeaf,
     kLeafElSusceptibility},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4a2[] = {
    {u"\n PH4a2 Magnetic permeability and susceptibility ", nullptr, kConMenuClear},
    {u"a rMagRel2AbsPermeability rMagRelPermeability2Susceptibility", ConFormulaLeaf,
     kLeafMagRelPermeability},
    {u"b rMagAbs2RelPermeability rMagAbsPermeability2Susceptibility", ConFormulaLeaf,
     kLeafMagAbsPermeability},
    {u"c rMagSusceptibility2RelPermeability rMagSusceptibility2AbsPermeability", ConFormulaLeaf,
     kLeafMagSusceptibility},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4a3[] = {
    {u"\n PH4a3 Static EMF field generation and properties ", nullptr, kConMenuClear},
    {u"a rEB2EnergyDensity", ConEnergyDensityLeaf, 0},
    {u"b rBiotSavartKernel pBiotSavartKernel", ConBiotSavartLeaf, 0},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4a4[] = {
    {u"\n PH4a4 Coupling of EMF field to matter ", nullptr, kConMenuClear},
    {u"a vLorentzForceV3 ", ConLorentzForceLeaf, 0},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4b[] = {{u"\n PH4b Electromagnetic radiation ", nullptr, kConMenuClear},
                                 {u"1 Basics", OpenMenu, kPH4b1},
                                 {u"2 Thermodynamics", OpenMenu, kPH4b2},
                                 {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4b1[] = {{u"\n PH4b1 Basics ", nullptr, kConMenuClear},
                                  {u"a rHz2M0Momentum ", ConFormulaLeaf, kLeafHzToMomentum},
                                  {u"b rLambda2M0Momentum ", ConFormulaLeaf, kLeafLambdaToMomentum},
                                  {u"c rEnergy2M0Momentum ", ConFormulaLeaf, kLeafEnergyToMomentum},
                                  {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4b2[] = {
    {u"\n PH4b2 Termodynamics ", nullptr, kConMenuClear},
    {u"1 rPlanckL: P(x) = x^(-5) / [exp(1/x) - 1]", ConPlanckLeaf, 1},
    {u"2 rPlanckF: P(x) = x^3 / [exp(x) - 1]", ConPlanckLeaf, 2},
    {u"3 rWienDisplacementLambda rWienDisplacementHz", ConFormulaLeaf, kLeafWienDisplacement},
    {u"4 rWienTempFromHz", ConFormulaLeaf, kLeafWienTemperature},
    {u"5 rTemp2RadiantEmittance", ConFormulaLeaf, kLeafRadiantEmittance},
    {u"6 rRadiantEmittance2Temp", ConFormulaLeaf, kLeafEmittanceTemperature},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4c[] = {
    {u"\n PH4c Electromagnetic properties of media ", nullptr, kConMenuClear},
    {u"a rSpeedOfLight rWaveImpedance", ConFormulaLeaf, kLeafMediumLight},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH4d[] = {{u"\n PH4d Electromagnetic devices ", nullptr, kConMenuClear},
                                 {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH5[] = {
    {u"\n PH5 Relativity ", nullptr, kConMenuClear},
    {u"l rLorentzFactor, rLorentzFactorReciprocal", ConFormulaLeaf, kLeafLorentzFactor},
    {u"i rLorentzFactorInv", ConFormulaLeaf, kLeafLorentzFactorInv},
    {u"r rRapidity", ConFormulaLeaf, kLeafRapidity},
    {u"a rRapidityInv", ConFormulaLeaf, kLeafRapidityInv},
    {u"e rMomentumMass2Energy", ConFormulaLeaf, kLeafMomentumMassEnergy},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH6[] = {{u"\n PH6 Statistical physics (general) ", nullptr, kConMenuClear},
                                {u"o Harmonic Oscillator partition function", ConOscillatorLeaf, 0},
                                {u"m Harmonic Oscillator mean energy", ConOscillatorLeaf, 1},
                                {u"d Debye's function", OpenMenu, kDebye},
                                {u"e Einstein's function", OpenMenu, kEinstein},
                                {nullptr, nullptr, 0}};
const ConMenuItem kMenuDebye[] = {
    {u"\n Debye's function: D(x,n) = (n/x^n)Integral from 0 to x of [ t^n / (e^t - 1) ] dt",
     nullptr, kConMenuClear},
    {u"1 Integer n", ConDebyeLeaf, 0},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuEinstein[] = {
    {u"\n Einstein's functions", nullptr, kConMenuOnce},
    {u"1 E(x) = x^2 * e^x / (e^x - 1)^2", ConEinsteinLeaf, 1},
    {u"2 E(x) = x / (e^x - 1)", ConEinsteinLeaf, 2},
    {u"3 E(x) = log (1 - e^(-x))", ConEinsteinLeaf, 3},
    {u"4 E(x) = x / (e^x - 1) -  log (1 - e^(-x))", ConEinsteinLeaf, 4},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH9[] = {
    {u"\n PH9 Spin physics ", nullptr, kConMenuClear},
    {u"a PH9a NMR constants and particles table", ConMenuNmrCalculator, 0},
    {u"b PH9b Statistical spin physics", OpenMenu, kPH9b},
    {u"s PH9s Toravex", OpenMenu, kPH9s},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH9b[] = {
    {u"\n PH9b Statistical spin physics ", nullptr, kConMenuClear},
    {u"z Spin partition function ", ConSpinStatisticsLeaf, 0},
    {u"m Average spin z-component <m>", ConSpinStatisticsLeaf, 1},
    {u"a Average squared spin z-component <m^2>", ConSpinStatisticsLeaf, 2},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPH9s[] = {
    {u"\n PH9s Toravex tasks", nullptr, kConMenuClear},
    {u"1 Spin system spectrum/FID simulation", ConSpinSimulationTask, 0},
    {nullptr, nullptr, 0}};
const ConMenuItem kMenuPHx[] = {{u"\n PHx Various ", nullptr, kConMenuClear},
                                {u"d SelfDifCoefWater", ConSelfDifCoefWater, 0},
                                {nullptr, nullptr, 0}};

const ConMenuItem* const kSubMenus[kSubMenuCount] = {
    kMenuPH1,   kMenuPH2,   kMenuPH3,   kMenuPH4,  kMenuPH4a,  kMenuPH4a1,
    kMenuPH4a2, kMenuPH4a3, kMenuPH4a4, kMenuPH4b, kMenuPH4b1, kMenuPH4b2,
    kMenuPH4c,  kMenuPH4d,  kMenuPH5,   kMenuPH6,  kMenuDebye, kMenuEinstein,
    kMenuPH9,   kMenuPH9b,  kMenuPH9s,  kMenuPHx};

LibErrorCode OpenMenu(Long which, void*) {
  if (which < 0 || which >= kSubMenuCount) return 0;
  return ConMenuOfTable(kSubMenus[which], nullptr);
}

}  // namespace

const ConMenuItem kConPhysicsMenu[] = {{u"\n Select a Physics category //PH", nullptr, 0},
                                       {u"1 Waves and basic kinematics //PH1", OpenMenu, kPH1},
                                       {u"2 Classical mechanics //PH2", OpenMenu, kPH2},
                                       {u"3 Quantum mechanics //PH3", OpenMenu, kPH3},
                                       {u"4 Electromagnetism //PH4", OpenMenu, kPH4},
                                       {u"5 Relativity //PH5", OpenMenu, kPH5},
                                       {u"6 Statistical physics //PH6", OpenMenu, kPH6},
                                       {u"9 Spin physics //PH9", OpenMenu, kPH9},
                                       {u"x Various", OpenMenu, kPHx},
                                       {nullptr, nullptr, 0}};

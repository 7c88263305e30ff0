// The leaves of the physics category menu: handlers that ask for values,
// call one formula and print the result. Internal to the console menus.
#pragma once
#include "base/types.h"

// Leaves of one to three scalar inputs and one or two scalar results, run
// by ConFormulaLeaf with the leaf's index as the row argument.
enum ConScalarLeaf : Long {
  kLeafHzToLambda,
  kLeafLambdaToHz,
  kLeafHzLambdaToSpeed,
  kLeafHzToQEnergy,
  kLeafOmegaToQEnergy,
  kLeafLambdaToQEnergy,
  kLeafEnergyToQuantaHz,
  kLeafEnergyToQuantaOmega,
  kLeafEnergyToQuantaLambda,
  kLeafQuantumEnergyToHz,
  kLeafElRelPermittivity,
  kLeafElAbsPermittivity,
  kLeafElSusceptibility,
  kLeafMagRelPermeability,
  kLeafMagAbsPermeability,
  kLeafMagSusceptibility,
  kLeafHzToMomentum,
  kLeafLambdaToMomentum,
  kLeafEnergyToMomentum,
  kLeafWienDisplacement,
  kLeafWienTemperature,
  kLeafRadiantEmittance,
  kLeafEmittanceTemperature,
  kLeafMediumLight,
  kLeafLorentzFactor,
  kLeafLorentzFactorInv,
  kLeafRapidity,
  kLeafRapidityInv,
  kLeafMomentumMassEnergy,
  kScalarLeafCount
};

LibErrorCode ConFormulaLeaf(Long leaf, void* context);
LibErrorCode ConPendulumLeaf(Long, void* context);
LibErrorCode ConEnergyDensityLeaf(Long, void* context);
LibErrorCode ConBiotSavartLeaf(Long, void* context);
LibErrorCode ConLorentzForceLeaf(Long, void* context);

// Functions of x that print one value or, for anything but a number,
// tabulate: Planck (1 rPlanckL, 2 rPlanckF), Einstein (1 to 4), the
// oscillator (0 partition function, 1 mean energy), the spin (0 partition
// function, 1 mean Sz, 2 mean Sz^2).
LibErrorCode ConPlanckLeaf(Long which, void* context);
LibErrorCode ConEinsteinLeaf(Long which, void* context);
LibErrorCode ConOscillatorLeaf(Long which, void* context);
LibErrorCode ConSpinStatisticsLeaf(Long which, void* context);
LibErrorCode ConDebyeLeaf(Long, void* context);

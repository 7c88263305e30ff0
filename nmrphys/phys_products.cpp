// Formulas that are one product or one quotient under several names; each
// name stays an entry of the interface, one body behind it.
#include "nmrphys/physics.h"

VELTRIA_API double pBothEvents(double a, double b) { return a * b; }
VELTRIA_ALIAS(double, rNmrTeslaToHz, (double, double), pBothEvents);
VELTRIA_ALIAS(double, rDistanceFromTs, (double, double), pBothEvents);
VELTRIA_ALIAS(double, rHzLambda2Speed, (double, double), pBothEvents);
VELTRIA_ALIAS(double, rMpForce, (double, double), pBothEvents);
VELTRIA_ALIAS(double, rMpMoment, (double, double), pBothEvents);

// v / f or v / lambda: the other quantity of a wave.
VELTRIA_API double rHz2Lambda(double f, double v) { return v / f; }
VELTRIA_ALIAS(double, rLambda2Hz, (double, double), rHz2Lambda);

VELTRIA_API double rElRelPermittivity2Susceptibility(double relative) { return relative - 1.0; }
VELTRIA_ALIAS(double, rMagRelPermeability2Susceptibility, (double),
              rElRelPermittivity2Susceptibility);

VELTRIA_API double rElSusceptibility2RelPermittivity(double chi) { return chi + 1.0; }
VELTRIA_ALIAS(double, rMagSusceptibility2RelPermeability, (double),
              rElSusceptibility2RelPermittivity);

// 0.25 / (x gamma): a 90-degree pulse length from B1, or B1 from the length.
VELTRIA_API double rNmrB1teslaToPw90(double x, double gamma) { return 0.25 / (x * gamma); }
VELTRIA_ALIAS(double, rNmrPw90ToB1tesla, (double, double), rNmrB1teslaToPw90);

VELTRIA_API double rNmrHzToTesla(double f, double gamma) { return f / gamma; }

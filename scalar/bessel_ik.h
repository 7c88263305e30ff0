// Modified Bessel functions I and K of integer and real order, and the Airy
// functions Ai and Bi, on real arguments. Each entry picks a method by a
// region map in the argument and the order; domain errors give ___NAN.
#pragma once
#include "base/types.h"

VELTRIA_API double rBesselIn(double x, Qlong n);
VELTRIA_API double rBesselInuDefinitive(double x, double nu);
VELTRIA_API double rBesselInuSeries(double x, double nu, Long* count);
VELTRIA_API double rBesselInuAsymp(double x, double nu);
VELTRIA_API double rBesselInuThroughMultiplication(double x, double nu);
VELTRIA_API double rBessel_I0(double x);

VELTRIA_API double rBesselK0(double x);
VELTRIA_API double rBesselK0Rat(double x);  // x >= 1
VELTRIA_API double rBesselK1Rat(double x);  // x >= 1
VELTRIA_API double rBesselKnSeries(double x, Qlong n);
VELTRIA_API double rBesselKnuAsympt(double x, double nu, Dword n);
VELTRIA_API double rBesselKnuDefinitive(double x, double nu);
VELTRIA_API double rBessel_Knu(double x, double nu);

VELTRIA_API double rAi(double x);
VELTRIA_API double rBi(double x);

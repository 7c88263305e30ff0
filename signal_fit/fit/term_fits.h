// Fits of sums of typed terms, the aqua-ion relaxivity profile, the typed
// profile fit and the power-sum equations, all by the simplex.
#pragma once
#include "base/types.h"

// TermFunctionType codes 0-8 (0 and unknown codes: no term).
enum : Dword {
  kTermNone = 0,
  kTermExp = 1,        // c exp(-d)
  kTermGauss = 2,      // c exp(-d^2)
  kTermExpSquare = 3,  // c exp(+d^2)
  kTermLorentz = 4,    // c / (1 + d^2)
  kTermPower = 5,      // c |v|^tau
  kTermBpp = 6,        // c / (1 + d^2) + c / (0.25 + d^2)
  kTermWeibull = 7,    // c / (1 + |d|^eta)
  kTermSolomon = 8,    // c/(1 + ((1-eta) d)^2) + 3c/(1 + d^2) + 6c/(1 + ((1+eta) d)^2)
};

// One term at abscissa v with amplitude c, parameter tau (d = tau v) and
// first extra parameter eta.
double TermFunctionValue(Dword type, double c, double tau, double eta, double v);
// Aqua-ion relaxation rate at nu MHz from the ten parameters in physical
// units, for the term bits 1 (inner-sphere dipolar), 2 (scalar), 8 (outer).
double AquaionsProfileRate(const double* p, Dword termBits, double nu);

// offset + sum of k typed terms; 73 is returned as it comes. Terms 7 and 8
// read the first extra parameter, so they need m >= 1 (26 otherwise).
VELTRIA_API Dword MultiTermFunctionFit(Dword flags, Qword n, const double* x, const double* y,
                                       Qword k, const Dword* types, double* amplitudes,
                                       double* params, double* offset, Qword m, double* extra,
                                       const Long* extraFree);
VELTRIA_API Dword AquaionsFfcProfileFit(Dword flags, Dword termBits, Qword n, const double* nu,
                                        const double* y, double* params, const Long* free,
                                        const double* lower, const double* upper,
                                        double* residuals);
VELTRIA_API Dword FfcProfileFit(Dword flags, Dword mode, Qword n, const double* x, const double* y,
                                Qword k, const Dword* types, double* params, const Long* free,
                                const double* lower, const double* upper, double* model);
// sum_j a_j x_j^(i+1) = y_i, i = 0 .. n-1, with every x_j between the limits.
VELTRIA_API Dword PowersSumEquationsFit(Qword n, const double* a, const double* y, double* x,
                                        double limitA, double limitB, double* target,
                                        double* residuals);
// `tries` successful fits from random starts; the best is kept. Gives up
// after 10 tries + 100 failed fits: 35 when none succeeded.
VELTRIA_API Dword PowersSumEquationsAutomaticFit(Qword tries, Qword n, const double* a,
                                                 const double* y, double* x, double limitA,
                                                 double limitB, double* best, double* residuals);

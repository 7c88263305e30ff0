// Special numbers (Bernoulli, Euler, zigzag, Stirling, harmonic), the
// Riemann zeta and Dirichlet eta functions, real-valued binomial counts and
// the derivatives and antiderivatives of integer powers.
#pragma once
#include "base/types.h"

VELTRIA_API double rBernoulliNum(Qword n);      // B_1 = -1/2
VELTRIA_API double rBernoulliPlusNum(Qword n);  // B_1 = +1/2
VELTRIA_API double rBernoulliNumDivFact(Qword n);
VELTRIA_API double rBernoulliNumEgf(double x);  // x/(e^x - 1)
VELTRIA_API double rBernoulliPolynomial(double x, Qlong n);
VELTRIA_API LibErrorCode rBernoulliFillPoly(Qword n, double* coefficients);
VELTRIA_API double* rBernoulliNewPoly(Dword* error, Qword n);

VELTRIA_API double ruEulerNum(Qword n);  // |E_n|
VELTRIA_API double rEulerNum(Qword n);
VELTRIA_API double rEulerNumDivFact(Qword n);
VELTRIA_API double rEulerZigZagNum(Qword n);

VELTRIA_API double ruStirling1(Qword n, Qword k);  // unsigned, first kind
VELTRIA_API double rStirling1(Qword n, Qword k);   // signed, first kind
VELTRIA_API double rStirling2(Qword n, Qword k);
VELTRIA_API double rHarmonicNumber(Qword n);

VELTRIA_API double rRiemannAz(double x);  // (x - 1)(zeta(x) - 1)
VELTRIA_API double rRiemannAzD(double x, Qword order);
VELTRIA_API double rRiemannZeta(double x);
VELTRIA_API double rRiemannZetaM1(double x);
VELTRIA_API double ruRiemannZetaM1(Qword n);
VELTRIA_API double riRiemannZeta(Qlong n);
VELTRIA_API double rDirichletEta(double x);
VELTRIA_API double riDirichletEta(Qlong n);

VELTRIA_API double riBinomial(Qlong n, Qlong k);
VELTRIA_API double riCatalanNumber(Qlong n);
VELTRIA_API double riCentralBinomial(Qlong n);
VELTRIA_API double riCountMultisets(Qlong n, Qlong k);
VELTRIA_API double riAbsPower(double x, Qlong n);
VELTRIA_API double riSignedPower(double x, Qlong n);
VELTRIA_API double ruPowerAD(double x, Qword m, Qlong n);
VELTRIA_API double riPowerAD(double x, Qlong m, Qlong n);

// Internal: the Az table evaluator (order > 0 derivative, < 0 antiderivative)
// and x^n by binary powering.
VELTRIA_INTERNAL LibErrorCode rRiemannAzPolyEval(double x, double* out, const double* table,
                                                 Qword count, Qlong order);
VELTRIA_INTERNAL double ruPowerBySquaring(double x, Qword n);

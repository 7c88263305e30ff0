// Gamma family: log-gamma, gamma and its reciprocal forms, digamma and
// trigamma, incomplete gamma and beta functions with their inverses, beta,
// generalised binomials, rising factorials and real factorials.
// Poles, domain errors and failed iterations give ___NAN.
#pragma once
#include "base/types.h"

VELTRIA_API double rGammaLn(double x);  // ln|Gamma(x)|
VELTRIA_API double rGamma(double x);
VELTRIA_API double r1DivGamma(double x);
VELTRIA_API double r1DivGammaT1(double x, Qlong n);  // 1/(x Gamma(x - n))
VELTRIA_API double rGammaT1(double x);               // Gamma(x) - 1/x
VELTRIA_API double rGammaLnT1(double x);             // lnGamma(1 + x)/x
VELTRIA_API double rGammaD(double x);
VELTRIA_API double rGammaD2(double x);
VELTRIA_API double rPsi0(double x);
VELTRIA_API double rPsi1(double x);

VELTRIA_API double rGammaIncLower(double a, double x);
VELTRIA_API double rGammaIncUpper(double a, double x);
VELTRIA_API double rGammaIncP(double a, double x);
VELTRIA_API double rGammaIncQ(double a, double x);
VELTRIA_API double rGammaIncPInv(double a, double p);

VELTRIA_API double rBeta(double a, double b);
VELTRIA_API double rBetaLn(double a, double b);
VELTRIA_API double rBeta3Ln(double a, double b, double c);
VELTRIA_API double rBetaMultiLn(Dword n, const double* values);
VELTRIA_API double rBetaInc(double x, double a, double b);
VELTRIA_API double rBetaIncReg(double x, double a, double b);
VELTRIA_API double rBetaInc2(double x1, double x2, double a, double b);
VELTRIA_API double rBetaIncReg2(double x1, double x2, double a, double b);
VELTRIA_API double rBetaIncRegInv(double p, double a, double b);
// I_x(a, b) at x + x_lo (a double-double argument: x_lo below half an ulp
// of x), or, when upper is true, its complement 1 - I_x(a, b) computed as
// such. At large shapes I moves by about (a + b) times x's relative
// rounding, and 1 - I near 1 keeps nothing of a small upper tail; the
// probability functions form their arguments in double-double and pass
// them here, taking the smaller tail directly.
VELTRIA_INTERNAL double rBetaIncRegTail(double x, double x_lo, double a, double b, bool upper);

VELTRIA_API double rBinomial(double x, Qlong k);
VELTRIA_API double rBinomialLn(double x, Qlong k);
VELTRIA_API double rFactorial(Qlong n);
VELTRIA_API double rFactorialLn(Qlong n);
VELTRIA_API double rDoubleFactorial(Qlong n);
VELTRIA_API double rDoubleFactorialLn(Qlong n);
VELTRIA_API double rDivByFact(double x, Qword n);
VELTRIA_API double rDivByFactLn(double x, Qword n);
VELTRIA_API double rMulByFact(double x, Qword n);
VELTRIA_API double rMulByFactLn(double x, Qword n);
VELTRIA_API double rPochhammer(double x, Qlong n);
VELTRIA_API double rPochhammerLn(double x, Qlong n);

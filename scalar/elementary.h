// Guarded elementary functions: exponentials, logarithms, roots,
// trigonometric and hyperbolic forms, difference quotients that stay
// accurate near zero, conversions between trigonometric and hyperbolic
// values, angles from coordinates, norms and progression sums.
//
// No state and no status word: a domain error gives ___NAN. The rest of the
// library calls these instead of the C maths library, so the guards below are
// part of every caller's contract.
//
// Inside the family the plain members (rSqrt, rSin, ...) are called as the
// C library functions they are, without the extra call on hot paths.
#pragma once
#include "base/types.h"

// Plain wrappers of the C maths library (its own results at domain errors).
VELTRIA_API double rAcosh(double x);
VELTRIA_API double rAsin(double x);
VELTRIA_API double rAsinh(double x);
VELTRIA_API double rAtan(double x);
VELTRIA_API double rAtanh(double x);
VELTRIA_API double rCbrt(double x);
VELTRIA_API double rCos(double x);
VELTRIA_API double rExp2(double x);
VELTRIA_API double rFrexp(double x, Long* exponent);
VELTRIA_API double rLdexp(double x, Long e);
VELTRIA_API double rLog1p(double x);
VELTRIA_API double rSin(double x);
VELTRIA_API double rSinh(double x);
VELTRIA_API double rSqrt(double x);
VELTRIA_API double rTan(double x);
VELTRIA_API double rTanh(double x);

// Exponentials and logarithms. rExp gives NaN above ___LnMaxReal and 0 below
// ___LnMinReal; the logarithms give NaN at or below ___MinReal.
VELTRIA_API double rExp(double x);
VELTRIA_API double rLog2(double x);
VELTRIA_API double rLog(double x);
VELTRIA_API double rLog10(double x);
VELTRIA_API double rLogInBase(double x, double base);
VELTRIA_API double rLogRatio(double x, double base);  // NaN for base 1
VELTRIA_API double rLogSym(double x);                 // sign(x) ln(1 + |x|)
VELTRIA_API double rLogSym10(double x);
VELTRIA_API double rExpSym(double x);  // sign(x) e^(|x| - 1)
VELTRIA_API double rExpSym10(double x);
VELTRIA_API double rLogA(double x);           // x ln x - x
VELTRIA_API double rExpt(double x, Qword n);  // sum of x^k/k! for k = 0..n

// Difference quotients against the Taylor polynomial, accurate near 0.
VELTRIA_API double rExpM1(double x);   // e^x - 1
VELTRIA_API double rExpT1(double x);   // (e^x - 1)/x
VELTRIA_API double rExpT2(double x);   // (e^x - 1 - x)/x^2
VELTRIA_API double rLogT1(double x);   // ln(1 + x)/x
VELTRIA_API double rSqrtT1(double x);  // (sqrt(1 + x) - 1)/x
VELTRIA_API double rCbrtT1(double x);  // (cbrt(1 + x) - 1)/x
VELTRIA_API double rCosT2(double x);   // (1 - cos x)/x^2
VELTRIA_API double rCosT1(double x);   // (1 - cos x)/x
VELTRIA_API double rHsinc(double x);   // (cos x - 1)/x
VELTRIA_API double rTanT3(double x);   // (tan x - x)/x^3, NaN for |x| >= pi/2

// Roots and powers.
VELTRIA_API double rSqrtA(double x);                  // (2/3) x^(3/2)
VELTRIA_API double rSqrtD(double x);                  // 1/(2 sqrt x)
VELTRIA_API double rCbrtA(double x);                  // (3/4) x^(4/3)
VELTRIA_API double rCbrtD(double x);                  // (1/3) x^(-2/3)
VELTRIA_API double rRoot(double x, Qword n);          // |x|^(1/n), NaN for n = 0
VELTRIA_API double rSignedPower(double a, double b);  // sign(a) |a|^b
VELTRIA_API double rSqrt1DivBplusAxA(double x, double b, double a);

// Trigonometric and hyperbolic forms.
VELTRIA_API double rAcos(double x);
VELTRIA_API double rAtanD(double x);
VELTRIA_API double rTanA(double x);
VELTRIA_API double rTanD(double x);
VELTRIA_API double rSec(double x);
VELTRIA_API double rSech(double x);
VELTRIA_API double rCosh(double x);  // NaN when |x| > ___LnMaxReal
VELTRIA_API double rCoshNRatio(double x, Qword n);
VELTRIA_API double rSinhNRatio(double x, Qword n);
VELTRIA_API double rDegToRad(double x);
VELTRIA_API double rRadToDeg(double x);
VELTRIA_API double rSinc(double x);            // sin x / x
VELTRIA_API double rSincNormalized(double x);  // sin(pi x)/(pi x)

// One trigonometric or hyperbolic value from another; the optional pointer
// receives the second value and is left alone on a domain error.
VELTRIA_API double rCosFromSin(double x);
VELTRIA_API double rSinFromCos(double x);
VELTRIA_API double rCosSinFromTan(double t, double* sin_out);
VELTRIA_API double rSinCosFromTan(double t, double* cos_out);
VELTRIA_API double rCoshSinhFromTanh(double u, double* sinh_out);
VELTRIA_API double rSinhCoshFromTanh(double u, double* cosh_out);
VELTRIA_API double rSinhFromCosh(double c);
VELTRIA_API double rCoshFromSinh(double s);
VELTRIA_API double rTanhFromCosh(double c);
VELTRIA_API double rTanhFromSinh(double s);
VELTRIA_API double rTan2XFromTanX(double t);
VELTRIA_API double rTanXFromTan2X(double t);

// Angles from coordinates.
VELTRIA_API double rAtanXY(double x, double y);    // atan(y/x) in [-pi/2, pi/2]
VELTRIA_API double rAcotanXY(double x, double y);  // rAtanXY(y, x)
VELTRIA_API double rAzimuth(double x, double y);   // polar angle in (-pi, pi]
VELTRIA_API double rAcosXR(double x, double r);
VELTRIA_API double rAcosXY(double x, double y);
VELTRIA_API double rAsinXR(double y, double r);
VELTRIA_API double rAsinXY(double x, double y);

// Norms; the scaled forms neither overflow nor underflow in between.
VELTRIA_API double rHypot(double a, double b);
VELTRIA_API double rNorm2D(double a, double b);
VELTRIA_API double rNorm3D(double a, double b, double c);
VELTRIA_API double rSqrNorm2D(double a, double b);
VELTRIA_API double rSqrNorm3D(double a, double b, double c);

// Sums of n terms of arithmetic and geometric progressions.
VELTRIA_API double rAriSum(Qword n, double first, double step);
VELTRIA_API double rAriSumFl(Qword n, double first, double last);
VELTRIA_API double rAriSumPow2(Qword n, double first, double step);
VELTRIA_API double rGeoSum(Qword n, double first, double ratio);
VELTRIA_API double rGeoSumPow2(Qword n, double first, double ratio);
VELTRIA_API double rGeoSumFl(Qword n, double first, double last);
VELTRIA_API double rGeoAri(Qword n, double a, double b);  // v(n), v(k+1) = a v(k) + b, v(0) = 1

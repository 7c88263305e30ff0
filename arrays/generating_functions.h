// Truncated power series held as arrays of n coefficients, read as ordinary
// (a[k] x^k) or exponential (a[k] x^k / k!) generating functions: their
// arithmetic, the conversion between the readings, evaluation with
// derivatives and repeated integrals, and a few standard series. Every
// result keeps n terms; the destination may be one of the sources.
#pragma once
#include "base/types.h"

// Coefficient-wise sum and difference, the same in both readings.
VELTRIA_API Dword RArrOgfAdd(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrEgfAdd(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrOgfSub(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrEgfSub(Qword n, const double* a, const double* b, double* dst);

// Product, quotient a/b (b[0] not tested), reciprocal (15 for a[0] == 0)
// and square root (OGF: 15 for a[0] <= 0; EGF: 15 for a[0] == 0 only).
// Null input or n 0: 14; null dst: 18.
VELTRIA_API Dword RArrOgfMul(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrEgfMul(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrOgfDiv(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrEgfDiv(Qword n, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrOgf1Div(Qword n, const double* a, double* dst);
VELTRIA_API Dword RArrEgf1Div(Qword n, const double* a, double* dst);
VELTRIA_API Dword RArrOgfSqrt(Qword n, const double* a, double* dst);
VELTRIA_API Dword RArrEgfSqrt(Qword n, const double* a, double* dst);

// dst[i] = a[i] / i! and dst[i] = a[i] * i!.
VELTRIA_API Dword RArrOgfOfEgf(Qword n, const double* a, double* dst);
VELTRIA_API Dword RArrEgfOfOgf(Qword n, const double* a, double* dst);

// k = 0 the value at x, k > 0 the k-th derivative, k < 0 the |k|-fold
// integral from 0. The sum stops early once it settles, tested after
// minTerms terms. *result is 0 on failure; 14 for a null a or too few
// coefficients, 18 for a null result.
VELTRIA_API Dword RArrOgfEval(double x, double* result, const double* a, Qword n, Qlong k,
                              Qword minTerms);
// minTerms 0 adds all n terms; otherwise the test acts after max(minTerms, 3).
VELTRIA_API Dword RArrEgfEval(double x, double* result, const double* a, Qword n, Qword minTerms);

// Standard series: new arrays (null for n 0 or no memory) and coefficients.
VELTRIA_API double* RArrNewOgf_1Div1Mnsx(Qword n);
VELTRIA_API double* RArrNewEgf_Exp(Qword n);
VELTRIA_API double* RArrNewOgf_1Div1Plsx(Qword n);
VELTRIA_API double rOgfCoef_1Div1Mnsx(Qword n);
VELTRIA_API double rEgfCoef_Exp(Qword n);
VELTRIA_API double rOgfCoef_1Div1Plsx(Qword n);
VELTRIA_API double rOgfCoef_Exp(Qword n);
VELTRIA_API double rOgfCoefRatio_Exp(Qlong n);

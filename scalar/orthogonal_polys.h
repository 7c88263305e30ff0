// Chebyshev polynomials of both kinds and the generalised Laguerre
// polynomials: values, derivatives, antiderivatives, zeros, series, the
// Chebyshev weight and power-basis coefficients (index k holds the
// coefficient of x^k); and the multiple-angle functions built on them.
#pragma once
#include "base/types.h"

VELTRIA_API double rChebyshevT(double x, Qword n);
VELTRIA_API double rChebyshevTA(double x, Qlong n);
VELTRIA_API double rChebyshevTD(double x, Qword n);
VELTRIA_API Dword rChebyshevTFillPoly(Qword n, double* coefficients);
VELTRIA_API Dword rChebyshevTFillPolyIQ(Qword n, Qlong* coefficients);
VELTRIA_API double* rChebyshevTNewPoly(Dword* error, Qword n);
VELTRIA_API Qlong* rChebyshevTNewPolyIQ(Dword* error, Qword n);
VELTRIA_API double rChebyshevTRoot(Qword k, Qword n);
VELTRIA_API double rChebyshevTSeries(double x, const double* c, Qword n);

VELTRIA_API double rChebyshevU(double x, Qword n);
VELTRIA_API double rChebyshevUA(double x, Qlong n);
VELTRIA_API double rChebyshevUD(double x, Qword n);
VELTRIA_API Dword rChebyshevUFillPoly(Qword n, double* coefficients);
VELTRIA_API Dword rChebyshevUFillPolyIQ(Qword n, Qlong* coefficients);
VELTRIA_API double* rChebyshevUNewPoly(Dword* error, Qword n);
VELTRIA_API Qlong* rChebyshevUNewPolyIQ(Dword* error, Qword n);
VELTRIA_API double rChebyshevURoot(Qword k, Qword n);
VELTRIA_API double rChebyshevUSeries(double x, const double* c, Qword n);

VELTRIA_API double rChebyshevWeight(double x);

VELTRIA_API double rLaguerrePolynomial(double x, Qword n, double alpha);
VELTRIA_API double rLaguerrePolyD(double x, Qword n, double alpha);
VELTRIA_API double rLaguerreSeries(double x, const double* c, Qword n, double alpha);
VELTRIA_API Dword rLaguerreFillPoly(Qword n, double* coefficients, double a);
VELTRIA_API double* rLaguerreNewPoly(Dword* error, Qword n, double a);

// cos(n·t) and sin(n·t)/sin t from c = cos t.
VELTRIA_API double rCosNFromCos(double c, Qword n);
VELTRIA_API double rSinNDivSinFromCos(double c, Qword n);

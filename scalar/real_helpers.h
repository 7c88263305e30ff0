// Real scalar helpers: the exported real constants, IEEE special values,
// tolerant comparisons, rounding and modulo, radix split, integer powers,
// the guarded power and frequency-period-angle conversions.
#pragma once
#include "base/ieee.h"
#include "base/types.h"

VELTRIA_API double* rSetNAN(double* x);
VELTRIA_API void rSetPlsINF(double* x);
VELTRIA_API void rSetMnsINF(double* x);
VELTRIA_API double rSetERR(Dword code);  // NaN carrying a LibErrorCode
VELTRIA_API Dword rGetERR(double x);

// Tolerant comparisons.
VELTRIA_API Long rCompare(double a, double b, double tol);
VELTRIA_API Long rCompareTo0(double x, double tol);
VELTRIA_API bool rIsDifferentAbs(double a, double b, double tol);
VELTRIA_API bool rIsDifferentRel(double a, double b, double tol);
VELTRIA_API bool rIsZeroAbs(double x, double tol);
VELTRIA_API double rKronDelta(double a, double b, double tol);
VELTRIA_API bool rReplaceIfDifferentAbs(double* a, double b, double tol);
VELTRIA_API bool rReplaceIfDifferentRel(double* a, double b, double tol);
VELTRIA_API bool rIsBetweenAtoB(double x, double a, double b);
VELTRIA_API bool rHaveSameSign(double a, double b);
VELTRIA_API bool rIsInteger(double x);

// Rounding, parts and modulo.
VELTRIA_API double rFloor(double x);
VELTRIA_API double rCeil(double x);
VELTRIA_API double rRound(double x);
VELTRIA_API double rTrunc(double x);
VELTRIA_API double rFmod(double a, double b);
VELTRIA_API double rModf(double x, double* integer_part);
VELTRIA_API double rModuloOne(double x, double* integer_part);
VELTRIA_API double rModuloPeriod(double x, double period, double* multiple);
VELTRIA_API double rPhaseInPeriod(double x, double period, double* multiple);
VELTRIA_API double rMultiplyByRadixToExponent(double x, Long exponent, Dword radix);
VELTRIA_API double rByMin1toI(double x, Qword n);
VELTRIA_API double rByMin1toU(double x, Qword n);
VELTRIA_API double rMin1toI(Qword n);
VELTRIA_API double rMin1toU(Qword n);

// Powers.
VELTRIA_API double ruPower(double x, Qword n);
VELTRIA_API double riPower(double x, Qlong n);
VELTRIA_API double rPow(double a, double b);  // |a|^b, clamped

// Conversions between frequency, angular frequency and period.
VELTRIA_API double rHzToRads(double f);
VELTRIA_API double rRadsToHz(double w);
VELTRIA_API double rHzToPeriod(double x);
VELTRIA_API double rPeriodToHz(double x);
VELTRIA_API double rPeriodToRads(double x);
VELTRIA_API double rRadsToPeriod(double x);

// Exchanges two reals; returns b.
VELTRIA_API double* rSwap(double* a, double* b);

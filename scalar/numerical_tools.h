// Generic scalar algorithms parameterised by arrays or callbacks: continued
// fractions, series, generating functions, Aitken's step, a seven-point
// derivative, bracketing root finders, the quadratic equation, plane
// rotations and closed real intervals. Status results are LibErrorCodes:
// 26 for a missing callback, 39 when a step limit ends an active test.
#pragma once
#include <cstdint>

#include "base/types.h"

// Continued-fraction coefficient: returns b_k and stores a_k.
typedef double (*ContFracCoefFunc)(Qword k, double x, double* a_k);
typedef double (*SeriesTermFunc)(double x, Qlong k);
typedef double (*SeriesTermFunc3)(double p1, double p2, double p3, Qlong k);
// Coefficient c_k, or for the ratio forms c_0 at k = 0 and c_k / c_(k-1) after.
typedef double (*GfCoefFunc)(Qword k);
typedef double (*RealFunc)(double x);
typedef double (*RealFuncUser)(double x, Qlong user);
typedef double (*RealFuncParam)(double x, double p);

VELTRIA_API bool rConvergenceTest3(double x, double* h0, double* h1, double* h2, double tol);

VELTRIA_API Dword rContFrac(double x, double* value, Qword n, const double* a, const double* b,
                            double* approximants, Qword max_steps, Qword min_steps);
VELTRIA_API Dword rContFracCoefFunc(double x, double* value, ContFracCoefFunc coef,
                                    double* approximants, Qword max_steps, Qword min_steps);
VELTRIA_API Dword rContFracCtype(double x, double* value, Qword unused, double b0, const double* c,
                                 const Qword* e, double* approximants, Qword max_steps,
                                 Qword min_steps);

VELTRIA_API Dword rSeriesTermFunc(double x, double* sum, SeriesTermFunc term, Qword max_steps,
                                  Qword min_steps);
VELTRIA_API Dword rSeriesTermFunc3(double p1, double p2, double p3, double* sum,
                                   SeriesTermFunc3 term, Qword max_steps, Qword min_steps);

VELTRIA_API Dword rEgfCoefFunc(double x, double* value, GfCoefFunc coef, Qlong shift,
                               Qword max_steps, Qword min_steps);
VELTRIA_API Dword rEgfCoefRatioFunc(double x, double* value, GfCoefFunc ratio, Qlong shift,
                                    Qword max_steps, Qword min_steps);
VELTRIA_API Dword rOgfCoefFunc(double x, double* value, GfCoefFunc coef, Qlong shift,
                               Qword max_steps, Qword min_steps);
VELTRIA_API Dword rOgfCoefRatioFunc(double x, double* value, GfCoefFunc ratio, Qlong shift,
                                    Qword max_steps, Qword min_steps);
VELTRIA_API double rEgfFactor(double x, Qword n);

VELTRIA_API double rAitkenDelta2(double s0, double s1, double s2, uint8_t* flag);
VELTRIA_API double rDerivative(double x, RealFunc f);

VELTRIA_API double rSolveBinDiv(double a, double b, RealFunc f, double* f_at_root, double tol);
VELTRIA_API double rSolveBinDivRp(double a, double b, RealFuncUser f, Qlong user, double* f_at_root,
                                  double tol);
VELTRIA_API double rSolveNewton(double a, double b, RealFunc f, double* f_at_root, double tol);
VELTRIA_API double rSolveNewtonRp(double a, double b, RealFuncParam f, double p, double* f_at_root,
                                  double tol);
VELTRIA_API double rSolveQuadratic(double a, double b, double c, double* r1, double* r2);

VELTRIA_API void rGivensRotation(double* a, double* b, double* c, double* s);
VELTRIA_API void rJacobiRotation(double* app, double* aqq, double* apq, double* c, double* s);

VELTRIA_API double rIntervalNormalize(double* lo, double* hi);
VELTRIA_API double rIntervalAbsVal(double x, double* lo, double* hi, Dword* flags);
VELTRIA_API double rIntervalDistanceFromPoint(double x, double lo, double hi);
VELTRIA_API double rIntervalsDistance(double lo1, double hi1, double lo2, double hi2);
VELTRIA_API bool rIntervalsGapAndUnion(double* lo1, double* hi1, double* lo2, double* hi2);

// Guarded elementary members built on the series driver.
VELTRIA_API double rCoshSeries(double x);
VELTRIA_API double rSinhSeries(double x);

// Fits solved in closed form by linear least squares: the weighted straight
// line, linear combinations of basis functions, a linearised rational fit
// and the decomposition of data into given components.
#pragma once
#include "base/types.h"

// Value of basis function i at x (ruPower and rChebyshevT are the usual).
typedef double (*FitBasisFunction)(double x, Qword i);

// Straight line through the pairs whose x and y are both not NaN. 22 for a
// null array or n = 0, 21 for a null slope or intercept location or fewer
// than two valid pairs, 26 when every valid x is the same (or the result is
// not finite); the outputs are NaN on 21 and 26. sd = sqrt(SSR / (m - 1)).
VELTRIA_API Dword LinearRegression(const double* x, const double* y, Qword n, double* slope,
                                   double* intercept, double* sd);
// Weighted least squares sum_i c_i f_i(x) ~ y with weights w (required).
VELTRIA_API Dword MultiLinearFit(Qword k, double* coef, Qword n, const double* x, const double* y,
                                 const double* w, FitBasisFunction basis);
VELTRIA_API Dword MultiLinearFitChebyshev(Qword k, double* coef, Qword n, const double* x,
                                          const double* y, const double* w);
// ln y = sum c_i f_i(x); a point with y <= 0 gets weight 0 in w (the
// caller's array) and a warning line on the console.
VELTRIA_API Dword ExponentialMultiLinearFit(Qword k, double* coef, Qword n, const double* x,
                                            const double* y, double* w, FitBasisFunction basis);
// y = P(x) / (1 + D(x)), P of p basis terms, D of q - 1 terms from index 1;
// coef receives a_0 .. a_{p-1}, b_1 .. b_{q-1}.
VELTRIA_API Dword RationalFit(Qword p, Qword q, double* coef, Qword n, const double* x,
                              const double* y, const double* w, FitBasisFunction basis);
// y ~ sum_j c_j C(:, j) for m components of n values (column j at j n);
// type 1 fills stats by the analysis of variance, type 2 with the
// half-width of the two-sided confidence interval at `level`.
VELTRIA_API Dword OptimalLinearDecomposition(const double* y, Qword n, const double* components,
                                             Qword m, double* coef, double level, double* stats,
                                             Qword type, const double* variances);

// Amplitude of a decay at time zero from the first sampled points.
#pragma once
#include "base/types.h"

// Chebyshev series of degree d over the window (abscissa scaled to end at
// 1), evaluated at 0. 14 null arrays, 18 null value, 25 n = 0, 26 when
// x[n-1] is 0 or not finite.
VELTRIA_API Dword ExtrapToZeroByCheby(const double* x, const double* y, double* value, Qword n,
                                      Qword degree);
// Savitzky-Golay polynomial of order p over m samples at x0 + i dx,
// derivative k at x = 0 divided by k!. An even m is lowered to odd, so no
// sample beyond the m given is read.
VELTRIA_API Dword ExtrapToZeroBySavGol(const double* y, double x0, double dx, double* value,
                                       double* gain, Qword k, Qword m, Qword p);
// Coefficient of x^q of the polynomial of degree c through the c + 1
// samples y_i at x0 + i dx (q = 0: the value at zero).
VELTRIA_API Dword ExtrapToZeroByInterpolation(double x0, double dx, const double* y, Qword c,
                                              Qword q, double* value);
// Most frequent intercept and slope of the lines through growing prefixes.
VELTRIA_API Dword RArrExt2ZeroByLinearFit(const double* x, const double* y, Qword n,
                                          double* intercept, double* slope);

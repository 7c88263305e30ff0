// Edge-clamped convolution of real arrays and the Gaussian smoothing built
// on it.
#pragma once
#include "base/types.h"

// dst[i] = sum_j kernel[j] * src[clamp(i - (m - 1) / 2 + j)]; dst may be src.
VELTRIA_API Dword RArrConvolute(Qword n, const double* src, double* dst, Qword m,
                                const double* kernel);
// Gaussian smoothing; width is the half width at half maximum in samples, a
// negative width a fraction of the array length.
VELTRIA_API Dword RArrGaussSmooth(Qword n, const double* src, double* dst, double width);

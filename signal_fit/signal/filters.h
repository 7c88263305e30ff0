// Smoothing filters of real arrays and signal arrays: Gaussian and
// rectangular kernels, the ablative baseline, phase unwrapping,
// autocorrelations, Savitzky-Golay smoothing of signals and the resolution
// booster built on it, and the placeholders of later filters.
#pragma once
#include "base/types.h"

// Widths in samples; a negative width is a fraction |width| of the length.
VELTRIA_API Dword RArrGaussConvolution(Qword n, const double* src, double width, double* dst);
VELTRIA_API Dword RArrIpGaussSmooth(Qword n, double* data, double width);
VELTRIA_API Dword RArrRectConvolution(Qword n, const double* src, double width, double* dst);
// Lower envelope by forward and backward exponential smoothing; see the
// file for where the baseline and the corrected data end up.
VELTRIA_API Dword RArrAblativeBc(Qword n, double* src, double* dst, Qword width, Qword passes);
// Removes jumps of 2 pi between neighbours.
VELTRIA_API Dword RArrRegularizePhase(Qword n, const double* src, double* dst);
VELTRIA_API Dword RArrAutoCorr(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrAutoCorr(Qword n, const double* src, double* dst, Long raw);
// flags: 1 caller's order and points, 2 keep the raw derivative, 4 real
// half only.
VELTRIA_API Dword SArrSavitskyGolay(Qword n, const double* src, double* dst, double width, Qword d,
                                    Qword* order, Qword* points, double* gain, Dword flags);
VELTRIA_API Dword SArrResolutionBooster(Qword n, const double* src, double* dst, double width,
                                        double noise, double factor, Qword d, Qword* order,
                                        Qword* points, double* gain, Dword flags);
VELTRIA_API Dword RArrArtifactRemoval(double* data, Dword n, Dword mode, const void* params);
VELTRIA_API Dword SArrArtifactRemoval(double* data, Dword n, Dword mode, const void* params);
VELTRIA_API Dword RArrMonotoneFilter(Qword n, const double* src, double* dst, const void* params);

// Distributions of decay rates behind a decay (regularised inverse Laplace
// transform on a fixed rate grid, truncated singular-value inversion), the
// kernel and forward model, and the DOSY transform of spectra recorded at
// several gradient values.
#pragma once
#include "base/types.h"
#include "signal_fit/fit/minimizer.h"

// Mode 1 only (11 otherwise, before anything changes). amplitudes (k) and
// offset are start values in and results out; k >= 5 (26 otherwise: four
// amplitudes are pinned and the roughness sums need interior points).
// 14 for null arrays or n = 0. Budget exhaustion counts as success.
VELTRIA_API Dword InverseLaplaceTransform(Qword mode, Dword flags, Qword n, const double* times,
                                          const double* y, Qword k, const double* rates,
                                          double* amplitudes, double* offset, void* ignored,
                                          double* residuals, MinimizerProgressCallback progress,
                                          void* progressData);
// Kernel exp(-r_j t_i) solved by the SVD with singular values below
// threshold times the largest dropped; fitted (nt) = kernel x amplitudes.
VELTRIA_API Dword LaplaceInverseBySVD(const double* times, const double* y, Qword nt,
                                      const double* rates, Qword nr, double* amplitudes,
                                      double threshold, double* fitted);
// New nr x nt matrix exp(-t_i r_j) at j + nr i with its grids written to
// rates and times; grid flags: units digit logarithmic times, tens digit
// logarithmic rates. Null on any failure (also a logarithmic grid with a
// limit that is not positive).
VELTRIA_API double* NewLaplaceKernel(double* rates, Dword nr, double rmin, double rmax,
                                     double* times, Dword nt, double tmin, double tmax,
                                     Dword gridFlags);
// y_i = sum_j A_j exp(-r_j t_i) + offset.
VELTRIA_API Dword RArrLaplaceDecay(Qword n, double* y, const double* times, Dword k,
                                   const double* amplitudes, const double* rates, double offset);
// data: np points x ng gradients (point fastest); result np x nD.
VELTRIA_API void RArrBayesianDosyTransform(Qword np, Qword ng, const double* data, Dword spacing,
                                           const double* gradients, Qword nD, double* result,
                                           const double* diffusion, double sharpness,
                                           Dword ignored);

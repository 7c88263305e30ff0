// Fits of decaying curves: one-rate exponential and Gaussian decays by a
// one-dimensional relative search, and multi-exponential fits by the
// simplex over an offset, k amplitudes and k log-rates.
#pragma once
#include "base/types.h"
#include "signal_fit/fit/minimizer.h"

// A exp(-R x) and A exp(-R x^2) over the window first .. last (inclusive);
// the caller's x are read, never changed. prob: the sign test of the
// residuals. 14 null arrays, 18 null outputs, 26 first > last, 2 when every
// x of the window is 0, 1 for fewer than 2 points.
VELTRIA_API Dword MonoExp2ParFit(const double* x, const double* y, Qword first, Qword last,
                                 double* R, double* dR, double* A, double* prob);
VELTRIA_API Dword MonoGaus2ParFit(const double* x, const double* y, Qword first, Qword last,
                                  double* R, double* dR, double* A, double* prob);
// With an offset B; 26 for fewer than 3 points.
VELTRIA_API Dword MonoExp3ParFit(const double* x, const double* y, Qword first, Qword last,
                                 double* R, double* dR, double* A, double* B, double* prob);
VELTRIA_API Dword MonoGaus3ParFit(const double* x, const double* y, Qword first, Qword last,
                                  double* R, double* dR, double* A, double* B, double* prob);

// offset + sum a_i exp(-r_i x); amplitudes, rates and offset are start
// values in and results out. 73 (budget spent) counts as success.
VELTRIA_API Dword MultiExpFit(Dword flags, Qword n, const double* x, const double* y, Qword k,
                              double* amplitudes, double* rates, double* offset, double* rms,
                              double* residuals, MinimizerProgressCallback progress);
// Adds components while the rms falls below 0.85 of the previous one; *k
// is the maximum in (the arrays hold that many) and the count found out
// (at most the maximum minus one).
VELTRIA_API Dword MultiExpAutoFit(Dword flags, Qword n, const double* x, const double* y, Qword* k,
                                  double* amplitudes, double* rates, double* offset, double* rms,
                                  double* residuals, MinimizerProgressCallback progress,
                                  void* ignored);

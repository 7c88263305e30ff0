// Apodization windows of decays, selected by ApodizationType:
// 1 "Exponential", 2 "Stanning", 3 "Cos2Tmax", 4 "Gauss", 5 "Gauss-Lorentz",
// 6 "Sinc", 7 "Maxwell-Boltzmann", 8 "Smoothstep". p points to the two
// window parameters p0 and p1; sample k sits at t0 + k (t1 - t0)/(n - 1).
#pragma once
#include "base/types.h"

typedef Qword ApodizationType;

// data[k] *= w(t_k); 44 for an unknown code, 26 for parameters that give no
// window; a failure leaves the data unchanged.
VELTRIA_API Dword RArrApodization(ApodizationType type, Qword n, double* data, double t0, double t1,
                                  const double* p);
// The same window on two arrays of n values (the real and imaginary parts
// of a signal), each factor computed once for both; all or nothing.
Dword RArrApodizePair(ApodizationType type, Qword n, double* re, double* im, double t0, double t1,
                      const double* p);
// The same window on both halves of a signal array, all or nothing.
VELTRIA_API Dword SArrTdApodize(ApodizationType type, Qword n, double* s, double t0, double t1,
                                const double* p);

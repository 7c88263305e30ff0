// Fourier transform of signal arrays, the complex signal of a real
// spectrum, zero- and first-order phasing, removal of the digital filter's
// group delay, time-domain phase polynomials and the mean decay time.
#pragma once
#include "base/types.h"

// In place, n a power of two. Direction 0 (decay to spectrum):
// X[f] = n^-1/2 sum x[t] exp(+2 pi i t f / n), stored centred (zero
// frequency at n/2); any other direction is the exact inverse.
VELTRIA_API Dword SArrFT(Qword n, double* s, Long direction);
// Spectrum to complex decay: doubles the positive-time half and clears the
// negative-time half of the inverse transform.
VELTRIA_API Dword SArrRealToComplexFID(Qword n, double* s);
// Real part kept, imaginary part := its Hilbert transform.
VELTRIA_API Dword SArrRealToComplexSpectrum(Qword n, double* s);
// Point i rotated by phi0 - phi1/2 + i phi1/n.
VELTRIA_API Dword SArrFdApplyPhases(Qword n, const double* src, double* dst, double phi0,
                                    double phi1);
// Mode 1: the zero-order phase of the strongest point; phi1 := 0. Mode 2:
// both orders by the simplex.
VELTRIA_API Dword SArrFdCalcPhases(Qword n, const double* spectrum, Long mode, double* phi0,
                                   double* phi1);
VELTRIA_API double SArrFdLocalPhase(Qword n, const double* spectrum, Qword* index, Qword first,
                                    Qword last);
// Removes a digital-filter group delay of k points.
VELTRIA_API Dword SArrCorrectBrukerFid(Qword n, const double* src, double* dst, Qword k);
// k coefficients of the magnitude-weighted least-squares polynomial
// through the unwrapped phase of the window, x counted from its first
// sample.
VELTRIA_API Dword SArrTdPhasorCalcCoefs(Qword n, const double* src, Qword k, double* coef,
                                        Qword first, Qword last);
// Every sample i rotated by -p(i - first), p the polynomial of k
// coefficients.
VELTRIA_API Dword SArrTdPhasorApplyCoefs(Qword n, const double* src, double* dst, Qword k,
                                         const double* coef, Qword first, Qword last);
VELTRIA_API Dword SArrMeanDecayInPoints(Qword n, const double* s, bool spectrum, double* T,
                                        bool* truncated);
VELTRIA_API double SArrMeanDecayInPhysicalUnits(Qword n, const double* s, double x_first,
                                                double x_last, bool* truncated);
VELTRIA_API double SArrMeanLineWidthInPoints(Qword n, const double* s, bool spectrum);

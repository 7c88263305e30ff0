// Conversions between complex arrays and split real storage (the signal
// layout: the n real parts first, then the n imaginary parts).
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// dst[i] = (split[i], split[n + i]). 0, 14 for a null split, 18 for a null dst.
VELTRIA_API Dword CArrFillFromSArr(Qword n, const double* split, COMPLEX* dst);
// A new array of n values (release with CArrKill); null with error 14 for a
// null split, 0x80001 when it cannot be had, 0 for n = 0.
VELTRIA_API COMPLEX* CArrNewFromSArr(Dword* error, Qword n, const double* split);
// split[i] = src[i].re, split[n + i] = src[i].im. 14 null src, 18 null split.
VELTRIA_API Dword SArrFillFromCArr(Qword n, const COMPLEX* src, double* split);
// A new real array of 2n values (release with RArrKill); as CArrNewFromSArr.
VELTRIA_API double* SArrNewFromCArr(Dword* error, Qword n, const COMPLEX* src);

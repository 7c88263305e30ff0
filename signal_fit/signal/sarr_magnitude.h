// The magnitude of complex samples given as separate real and imaginary
// parts, for callers that need it over part of a signal only.
#pragma once
#include "base/types.h"

// out[i] = sqrt(re[i]^2 + im[i]^2) for i < n; out may be re or im.
void SArrMagnitudeOfParts(Qword n, const double* re, const double* im, double* out);

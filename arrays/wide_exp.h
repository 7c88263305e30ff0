// The exponential of many values at once, with the C library's results bit
// for bit. Where the processor has AVX2 and fused multiply-add and the C
// library's exponential is the table-driven one that uses them (checked on
// sample values at the first call), four values go through one vector
// evaluation of the same steps; values outside its range, and every value
// elsewhere, take std::exp itself.
#pragma once
#include "base/types.h"

namespace wide {

// out[i] = std::exp(x[i]) for i < n, to the bit; out may be x.
void ExpArray(Qword n, const double* x, double* out);

// The vector build, or null where the processor or the C library does not
// fit it (the choice ExpArray makes at its first call).
using ExpArrayFunction = void (*)(Qword n, const double* x, double* out);
ExpArrayFunction Avx2ExpIfSupported();

}  // namespace wide
